#pragma once

#include <QtGlobal>

// Line errors (framing, overrun, parity, break) as the port's flags, taken
// and cleared in one call. How a port reports them is platform business and
// lives in one source file per platform, chosen by the build.
class LineErrorCounter
{
public:
#ifdef Q_OS_WIN
    using Handle = void *;
#else
    using Handle = int;
#endif
    static inline const Handle NoHandle = Handle(-1);

    // Starts counting afresh on the port behind the handle.
    void Reset(Handle handle);
    // The flags for errors since the previous call. Ports that cannot tell
    // (a pseudo-terminal) report none.
    quint32 Take(Handle handle);

private:
    // Frame, overrun, parity, break and buffer-overrun counts as last seen.
    quint32 m_counts[5] = {};
};
