#pragma once

#include "camerainfo.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class CameraData;
class PortCatalog;

// Looks for cameras without changing anything in them: on each channel and
// rate, one ENQ; where ACK comes back within kAckWaitMs, one read of the
// identification registers (vendor, model, serial number, firmware). Other
// equipment on a port hears a single byte 05 at each rate and nothing more.
// Every channel is probed at the same time as the others, each on a
// connection of its own in a thread of its own, closed again afterwards;
// what is found is listed in the order of the channels.
class CameraProbe
{
public:
    static constexpr int kAckWaitMs = 100;

    struct Channel
    {
        QString device;    // a serial device; empty for a Camera Link port
        int comNumber = 0; // the COM button the device stands behind, 0 for none
        int clPort = -1;   // the frame grabber's port, for a Camera Link channel

        // The device, or "cl-port:N": as zqctl takes it back in a list of channels.
        QString Name() const;
    };
    struct Found
    {
        Channel channel;
        int baud = 0; // 0 on a grabber's port that keeps its library's rate
        CameraInfo info;
    };
    // Called on the thread that runs the search while the channels are
    // probed, with the steps (a channel at one rate) done and in all: false
    // stops the search.
    using Progress = std::function<bool(int done, int total)>;

    // libraryPath: the Camera Link library that Camera Link channels use.
    explicit CameraProbe(const QString &libraryPath = QString());

    QList<Found> Run(const QList<Channel> &channels, const Progress &progress = {});
    bool Stopped() const { return m_stopped; }
    // Channels where something went wrong that the user should hear of: a
    // port that would not open, an answer to ENQ without a readable identity.
    const QStringList &Problems() const { return m_problems; }

    // What a search covers when no channel is named: the devices behind the
    // COM buttons, then every other serial port of the computer, each once;
    // devices that are absent, and the system's console, are left out.
    static QList<Channel> PortsPresent();
    // Every serial port of a frame grabber's Camera Link library; none when
    // the library cannot be loaded, and *why says why.
    static QList<Channel> LibraryPorts(const QString &library, QString *why = nullptr);
    // The identifiers of a library's ports (an empty one where it names
    // none); none when it cannot be loaded.
    static QStringList LibraryPortNames(const QString &library);
    // The rates a library's port can be set to; none when it sets none, or
    // when the port cannot be opened to ask.
    static QList<int> LibraryRates(const QString &library, int port);
    // Where the system keeps grabbers' serial libraries (CLSERIALPATH).
    static QString LibraryDirectory();
    // Where PortsPresent finds the computer's serial ports; tests point it
    // at device folders of their own.
    static void SetPortCatalog(const PortCatalog &catalog);

private:
    struct Search;
    enum Outcome
    {
        Silent,
        Answered,
        NotOpened,
        NoIdentity
    };
    // One channel at its rates, on a connection of its own.
    static void ProbeChannel(Search &search, int index);
    static Outcome ProbeAt(Search &search, CameraData &camera, const Channel &channel, int baud,
                           Found *found, QStringList *problems);
    static bool Open(const Search &search, CameraData &camera, const Channel &channel, int baud,
                     QStringList *problems);
    QList<int> RatesFor(const Channel &channel) const;

    QString m_libraryPath;
    bool m_stopped = false;
    QStringList m_problems;
};
