#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <cstdint>

// The frame grabber maker's Camera Link serial library, loaded at run time:
// the four functions every such library has, and those of the later
// versions of the interface where the library exports them. The loaded
// library is process-wide, as the library itself is: it is loaded once, its
// ports may belong to different connections, each of which opens and closes
// only its own, and its functions are called one at a time (grabber
// libraries promise nothing of threads).
class CameraLinkLibrary
{
public:
    // Entry points as the Camera Link standard declares them (cdecl).
    struct EntryPoints
    {
        int32_t (*init)(uint32_t serialIndex, void **serialRefPtr) = nullptr;
        int32_t (*read)(void *serialRef, char *buffer, uint32_t *bufferSize,
                        uint32_t serialTimeout) = nullptr;
        int32_t (*write)(void *serialRef, char *buffer, uint32_t *bufferSize,
                         uint32_t serialTimeout) = nullptr;
        void (*close)(void *serialRef) = nullptr;
        // Later versions; null where the library lacks them.
        int32_t (*getNumSerialPorts)(uint32_t *numPorts) = nullptr;
        int32_t (*getSerialPortIdentifier)(uint32_t index, char *id, uint32_t *size) = nullptr;
        int32_t (*getManufacturerInfo)(char *name, uint32_t *size, uint32_t *version) = nullptr;
        int32_t (*setBaudRate)(void *serialRef, uint32_t rate) = nullptr;
        int32_t (*getSupportedBaudRates)(void *serialRef, uint32_t *rates) = nullptr;
        int32_t (*flushPort)(void *serialRef) = nullptr;
        int32_t (*getNumBytesAvail)(void *serialRef, uint32_t *count) = nullptr;
        int32_t (*getErrorText)(int32_t code, char *text, uint32_t *size) = nullptr;
    };

    // An open port of the library; 0 is none. Never used twice, so a port
    // closed under its owner (another library installed) stays closed for it.
    using Port = quint64;

    // Loads the library and looks up its entry points. False when the
    // library cannot be loaded or lacks one of the four, or while ports of
    // another library are open; then *why says why (the file and the
    // loader's reason in its own words, or the function the library lacks).
    // A library, once loaded, stays loaded; loading it again changes nothing.
    static bool Load(const QString &path, QString *why = nullptr);
    static bool IsLoaded();
    // Uses these functions as the library, as Load does with the ones it
    // finds (tests plug in their own); every open port is closed first.
    // False, and nothing is used, when one of the four is missing.
    static bool Install(const EntryPoints &entryPoints);
    // Whether the loaded library has clSetBaudRate.
    static bool CanSetBaudRate();

    // clSerialInit(index, &ref). Returns the library's result; *port is the
    // open port, or 0 when it failed, whatever the library wrote.
    static qint32 Init(quint32 serialIndex, Port *port);
    // Whether any port of the library is open, or this one.
    static bool IsOpen();
    static bool IsOpen(Port port);
    // Each returns the count the library left in its in/out count argument,
    // and the library's status in *status; 0 on a port that is not open.
    static quint32 Read(Port port, char *buffer, quint32 count, quint32 timeoutMs,
                        qint32 *status = nullptr);
    static quint32 Write(Port port, const char *buffer, quint32 count, quint32 timeoutMs,
                         qint32 *status = nullptr);
    // clSerialClose on this port if it is open.
    static void Close(Port port);

    // The grabber's serial ports by identifier; one unnamed port when the
    // library cannot say.
    static QStringList PortIdentifiers();
    // The rates (baud) the open port takes: empty when the library cannot
    // set a rate; every rate it knows when it cannot say which.
    static QList<int> SupportedBaudRates(Port port);
    // clSetBaudRate on the port; its status.
    static qint32 SetBaudRate(Port port, int baud);
    // clFlushPort on the port; 0 also when the library has none.
    static qint32 Flush(Port port);
    // Bytes waiting in the port; -1 when the library cannot say.
    static qint64 BytesAvailable(Port port);
    // The library's text for a status it returned; empty when it has none.
    static QString ErrorText(qint32 status);
    // "-10004 (the library's text)", or the bare number.
    static QString DescribeStatus(qint32 status);

    // What a library file says of itself, loaded apart from the one in use.
    struct Maker
    {
        QString name;      // empty when it does not say
        QString version;   // the interface version it implements, e.g. "1.1"
        QString loadError; // why it cannot be used; empty when it can
    };
    static Maker Describe(const QString &path);
    // The directory the standard names for serial libraries (CLSERIALPATH),
    // and the library files in it.
    static QString LibraryDirectory();
    static QStringList LibrariesInDirectory();
};
