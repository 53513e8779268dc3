#include "cameralinklibrary.h"

#include <QLibrary>

#include <cstdint>
#include <vector>

namespace {

// Entry points as the Camera Link standard declares them (cdecl).
using ClSerialInit = int32_t (*)(uint32_t serialIndex, void **serialRefPtr);
using ClSerialRead = int32_t (*)(void *serialRef, char *buffer, uint32_t *bufferSize,
                                 uint32_t serialTimeout);
using ClSerialWrite = int32_t (*)(void *serialRef, char *buffer, uint32_t *bufferSize,
                                  uint32_t serialTimeout);
using ClSerialClose = void (*)(void *serialRef);

struct ClState
{
    QLibrary *library = nullptr;
    ClSerialInit init = nullptr;
    ClSerialRead read = nullptr;
    ClSerialWrite write = nullptr;
    ClSerialClose close = nullptr;
    void *serialRef = nullptr;
};

ClState &state()
{
    static ClState s;
    return s;
}

} // namespace

bool CameraLinkLibrary::Load(const QString &path)
{
    ClState &s = state();
    Close();
    s.init = nullptr;
    s.read = nullptr;
    s.write = nullptr;
    s.close = nullptr;

    // Kept for the life of the program: grabber libraries are not written to
    // be unloaded while their driver may still hold the port.
    auto *library = new QLibrary(path);
    if (!library->load()) {
        delete library;
        return false;
    }
    auto init = reinterpret_cast<ClSerialInit>(library->resolve("clSerialInit"));
    auto read = reinterpret_cast<ClSerialRead>(library->resolve("clSerialRead"));
    auto write = reinterpret_cast<ClSerialWrite>(library->resolve("clSerialWrite"));
    auto close = reinterpret_cast<ClSerialClose>(library->resolve("clSerialClose"));
    if (!init || !read || !write || !close)
        return false; // a partial library is never called
    s.library = library;
    s.init = init;
    s.read = read;
    s.write = write;
    s.close = close;
    return true;
}

bool CameraLinkLibrary::IsLoaded()
{
    return state().init != nullptr;
}

qint32 CameraLinkLibrary::Init(quint32 serialIndex)
{
    ClState &s = state();
    if (!s.init)
        return -1;
    void *ref = nullptr;
    const qint32 result = s.init(serialIndex, &ref);
    // A failed init must not leave a reference behind that later calls would use.
    s.serialRef = result == 0 ? ref : nullptr;
    return result;
}

bool CameraLinkLibrary::IsOpen()
{
    return state().serialRef != nullptr;
}

quint32 CameraLinkLibrary::Read(char *buffer, quint32 count, quint32 timeoutMs)
{
    ClState &s = state();
    if (!s.serialRef)
        return 0;
    uint32_t size = count;
    s.read(s.serialRef, buffer, &size, timeoutMs);
    return size;
}

quint32 CameraLinkLibrary::Write(const char *buffer, quint32 count, quint32 timeoutMs)
{
    ClState &s = state();
    if (!s.serialRef)
        return 0;
    // The standard's signature takes a non-const buffer; hand it a copy so a
    // library that scribbles on it cannot touch the caller's frame.
    std::vector<char> copy(buffer, buffer + count);
    uint32_t size = count;
    s.write(s.serialRef, copy.data(), &size, timeoutMs);
    return size;
}

void CameraLinkLibrary::Close()
{
    ClState &s = state();
    if (s.serialRef && s.close)
        s.close(s.serialRef);
    s.serialRef = nullptr;
}
