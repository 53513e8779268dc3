#pragma once

#include <QString>
#include <QtGlobal>

#include <cstdint>

// The frame grabber maker's Camera Link serial library: the four functions
// of the published Camera Link serial interface, loaded at run time. Its
// state is process-wide (one grabber serial connection per program), as the
// library itself keeps it.
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
    };

    // Loads the library and looks up all four entry points. False when the
    // library cannot be loaded or lacks one of them; then nothing of it is
    // ever called. A library, once loaded, stays loaded.
    static bool Load(const QString &path);
    static bool IsLoaded();
    // Uses these functions as the library, as Load does with the ones it
    // finds (tests plug in their own). False, and nothing is used, when one
    // of them is missing.
    static bool Install(const EntryPoints &entryPoints);
    // clSerialInit(index, &ref). Returns the library's result; on failure the
    // serial reference is left at zero whatever the library wrote. The owner
    // is the object that opened the port: only it closes the port again.
    static qint32 Init(quint32 serialIndex, const void *owner = nullptr);
    // Nonzero while a grabber serial port is open.
    static bool IsOpen();
    // True while the port is open and was opened by this owner.
    static bool IsOwnedBy(const void *owner);
    // Each returns the count the library left in its in/out count argument.
    static quint32 Read(char *buffer, quint32 count, quint32 timeoutMs);
    static quint32 Write(const char *buffer, quint32 count, quint32 timeoutMs);
    // clSerialClose on the open reference, if any, whoever opened it; the
    // reference becomes zero.
    static void Close();
};
