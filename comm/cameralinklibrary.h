#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <cstdint>

// The frame grabber maker's Camera Link serial library, loaded at run time:
// the four functions every such library has, and those of the later
// versions of the interface where the library exports them. Its state is
// process-wide (one grabber serial connection per program), as the library
// itself keeps it.
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

    // Loads the library and looks up its entry points. False when the
    // library cannot be loaded or lacks one of the four; then nothing of it
    // is ever called, and LoadError says why. A library, once loaded, stays
    // loaded.
    static bool Load(const QString &path);
    // Why the last Load failed: the file and the loader's reason in its own
    // words, or the function the library lacks.
    static QString LoadError();
    static bool IsLoaded();
    // Uses these functions as the library, as Load does with the ones it
    // finds (tests plug in their own). False, and nothing is used, when one
    // of the four is missing.
    static bool Install(const EntryPoints &entryPoints);
    static const EntryPoints &Functions();

    // clSerialInit(index, &ref). Returns the library's result; on failure the
    // serial reference is left at zero whatever the library wrote. The owner
    // is the object that opened the port: only it closes the port again.
    static qint32 Init(quint32 serialIndex, const void *owner = nullptr);
    // Nonzero while a grabber serial port is open.
    static bool IsOpen();
    // True while the port is open and was opened by this owner.
    static bool IsOwnedBy(const void *owner);
    // Each returns the count the library left in its in/out count argument,
    // and the library's status in *status.
    static quint32 Read(char *buffer, quint32 count, quint32 timeoutMs, qint32 *status = nullptr);
    static quint32 Write(const char *buffer, quint32 count, quint32 timeoutMs,
                         qint32 *status = nullptr);
    // clSerialClose on the open reference, if any, whoever opened it; the
    // reference becomes zero.
    static void Close();

    // The grabber's serial ports by identifier; one unnamed port when the
    // library cannot say.
    static QStringList PortIdentifiers();
    // The rates (baud) the open port takes: empty when the library cannot
    // set a rate; every rate it knows when it cannot say which.
    static QList<int> SupportedBaudRates();
    // clSetBaudRate on the open port; its status.
    static qint32 SetBaudRate(int baud);
    // clFlushPort on the open port; 0 also when the library has none.
    static qint32 Flush();
    // Bytes waiting in the open port; -1 when the library cannot say.
    static qint64 BytesAvailable();
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
