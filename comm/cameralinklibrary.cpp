#include "cameralinklibrary.h"

#include <QLibrary>

#include <cstdlib>
#include <vector>

namespace {

struct ClState
{
    std::vector<QLibrary *> libraries; // every library loaded, kept loaded
    CameraLinkLibrary::EntryPoints entry;
    void *serialRef = nullptr;
    const void *owner = nullptr; // who opened serialRef
};

ClState &state()
{
    // Never destroyed: the libraries stay loaded until the process ends.
    static ClState *s = new ClState;
    return *s;
}

} // namespace

bool CameraLinkLibrary::Install(const EntryPoints &entryPoints)
{
    Close();
    ClState &s = state();
    s.entry = EntryPoints();
    if (!entryPoints.init || !entryPoints.read || !entryPoints.write || !entryPoints.close)
        return false; // a partial library is never called
    s.entry = entryPoints;
    return true;
}

bool CameraLinkLibrary::Load(const QString &path)
{
    Install(EntryPoints()); // forget the previous library's functions
    // Kept for the life of the program: grabber libraries are not written to
    // be unloaded while their driver may still hold the port.
    auto *library = new QLibrary(path);
    if (!library->load()) {
        delete library;
        return false;
    }
    state().libraries.push_back(library);
    EntryPoints found;
    found.init = reinterpret_cast<decltype(found.init)>(library->resolve("clSerialInit"));
    found.read = reinterpret_cast<decltype(found.read)>(library->resolve("clSerialRead"));
    found.write = reinterpret_cast<decltype(found.write)>(library->resolve("clSerialWrite"));
    found.close = reinterpret_cast<decltype(found.close)>(library->resolve("clSerialClose"));
    return Install(found);
}

bool CameraLinkLibrary::IsLoaded()
{
    return state().entry.init != nullptr;
}

qint32 CameraLinkLibrary::Init(quint32 serialIndex, const void *owner)
{
    ClState &s = state();
    if (!s.entry.init)
        return -1;
    void *ref = nullptr;
    const qint32 result = s.entry.init(serialIndex, &ref);
    // A failed init must not leave a reference behind that later calls would use.
    s.serialRef = result == 0 ? ref : nullptr;
    s.owner = s.serialRef ? owner : nullptr;
    if (s.serialRef) {
        // Close before the library's own statics are torn down at exit: handlers
        // run in reverse order of registration, and the library set its up first.
        static const bool closeAtExit = std::atexit([] { CameraLinkLibrary::Close(); }) == 0;
        Q_UNUSED(closeAtExit);
    }
    return result;
}

bool CameraLinkLibrary::IsOpen()
{
    return state().serialRef != nullptr;
}

bool CameraLinkLibrary::IsOwnedBy(const void *owner)
{
    const ClState &s = state();
    return s.serialRef != nullptr && s.owner == owner;
}

quint32 CameraLinkLibrary::Read(char *buffer, quint32 count, quint32 timeoutMs)
{
    ClState &s = state();
    if (!s.serialRef)
        return 0;
    uint32_t size = count;
    s.entry.read(s.serialRef, buffer, &size, timeoutMs);
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
    s.entry.write(s.serialRef, copy.data(), &size, timeoutMs);
    return size;
}

void CameraLinkLibrary::Close()
{
    ClState &s = state();
    if (s.serialRef && s.entry.close)
        s.entry.close(s.serialRef);
    s.serialRef = nullptr;
    s.owner = nullptr;
}
