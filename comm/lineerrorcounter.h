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
    quint32 m_frame = 0;
    quint32 m_overrun = 0;
    quint32 m_parity = 0;
    quint32 m_brk = 0;
    quint32 m_bufOverrun = 0;
};
