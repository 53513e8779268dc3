#pragma once

#include "channelspec.h"
#include "errorstate.h"
#include "portdriver.h"

#include <QString>

#include <memory>

class TraceLog;

// The byte channel to the camera's serial control port: a COM port, a serial
// device by name, or a frame grabber's port through its Camera Link serial
// library, each behind one PortDriver made for the channel (MakeDriver).
// Knows nothing of frames. Every failure is recorded in the shared
// ErrorState with its reason and returned as minus its code.
class SerialLink : public virtual ErrorState
{
public:
    SerialLink();
    ~SerialLink() override;

    SerialLink(const SerialLink &) = delete;
    SerialLink &operator=(const SerialLink &) = delete;

    // Opens the channel as OpenPort, OpenDevice or OpenLibrary do.
    int Open(const ChannelSpec &channel);
    int OpenPort(int portNumber, int baudRate, int byteSize, int stopBits, int parity);
    int OpenPort(int portNumber, int baudRate);
    // A device by its name rather than by COM number: a port behind no
    // button, as a search for cameras meets them. The port number becomes 0.
    int OpenDevice(const QString &device, int baudRate);
    // Port portIndex of the grabber; baudRate 0 leaves the library's rate.
    int OpenLibrary(const QString &path, int portIndex = 0, int baudRate = 0);
    int Close();
    // Closes the channel and forgets it (port number, rate), as a new
    // connection has none.
    void Forget();
    // Returns the number of bytes written; fewer than count when the write
    // timed out (ERR_TIMEOUT recorded), minus a code when it failed.
    int Write(const char *bytes, int count, int timeoutMsPerByte);
    // Returns exactly count, or minus a code.
    int Read(char *buffer, int count, int timeoutMsPerByte);
    int Purge(quint32 purgeFlags);
    static int MapCommErrors(quint32 lineErrors);

    int PortNumber() const { return m_portNumber; }
    int BaudRate() const { return m_baudRate; }
    // The channel last opened (or tried).
    const ChannelSpec &Channel() const { return m_channel; }
    // The COM port or device. False also while a port whose device failed
    // waits to be opened again.
    bool IsPortOpen() const;
    // The COM port or the grabber's port.
    bool IsChannelOpen() const;
    // True once after the port was opened again by a transfer (a device
    // that went away, or one that would not open at first): the camera
    // behind it may not be the one that was there.
    bool TakeReopened();
    // After OpenLibrary failed because the grabber refused to open its port
    // (clSerialInit failed): true, with the library's own text for it.
    bool BoardRefused(QString *libraryText = nullptr) const;
    // Whether any connection has a grabber's port open.
    static bool IsCameraLinkOpen();
    // "COM3 (/dev/ttyUSB0)", or the library with the grabber's port.
    QString ChannelName() const;

    // The driver for a channel: the OS's serial port, or the grabber's port.
    static std::unique_ptr<PortDriver> MakeDriver(const ChannelSpec &channel);
    // Uses this driver from now on for the channels of its kind (COM ports
    // and devices, or a grabber's ports), in place of one MakeDriver would
    // make: tests and the simulator plug theirs in. Null goes back to
    // MakeDriver's.
    void SetPortDriver(std::unique_ptr<PortDriver> driver, bool grabber = false);
    qint64 NowMs() { return m_driver->NowMs(); }

    // Every byte sent and received goes to the trace while one is set.
    // The caller keeps ownership.
    void SetTrace(TraceLog *trace) { m_trace = trace; }
    // Puts what the trace gathered into its file.
    void FlushTrace();

private:
    int m_portNumber = 0;
    int m_baudRate = 0;
    void Trace(int direction, const char *bytes, qint64 count);
    // What the driver had to say of its last call, into the trace; kept as
    // the reason should the call turn out to have failed.
    void Note();
    // A device that failed (unplugged, its converter gone) is closed, and
    // the next transfer opens it again with the same settings.
    void LoseDevice();
    // Makes the driver for the channel unless the one held serves its kind.
    void UseDriverFor(const ChannelSpec &channel);
    int OpenLine(const QString &device, int baudRate, int byteSize, int stopBits, int parity);
    bool EnsureOpen();
    int LostCode() const;
    int Failed(int code);

    struct LineSettings
    {
        QString device;
        int byteSize = 8;
        int stopBits = 0;
        int parity = 0;
    };
    ChannelSpec m_channel;
    LineSettings m_line;
    bool m_lost = false;
    bool m_opened = false;   // the device opened once with these settings
    bool m_reopened = false; // by a transfer, since TakeReopened
    bool m_boardRefused = false;
    QString m_boardText;
    QString m_note; // the driver's last word, for a failure's reason

    std::unique_ptr<PortDriver> m_driver;
    bool m_driverForGrabber = false; // which kind of channel m_driver serves
    TraceLog *m_trace = nullptr;
};
