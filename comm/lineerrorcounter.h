#pragma once

#include <QtGlobal>

#include <array>

// Line errors (framing, overrun, parity, break) as the port's flags, taken
// and cleared in one call. Ports keep error counters that nobody else
// resets (Linux: TIOCGICOUNT; Windows: the serial driver's statistics), and
// the flags are the growth of those counters since the last look, joined by
// whatever flags the port still reports itself. How a port gives either is
// platform business and lives in one source file per platform.
class LineErrorCounter
{
public:
#ifdef Q_OS_WIN
    using Handle = void *;
#else
    using Handle = int;
#endif
    static inline const Handle NoHandle = Handle(-1);

    enum Counter { Frame, Overrun, Parity, Break, BufferOverrun, CounterCount };
    using Counts = std::array<quint32, CounterCount>;

    // Starts counting afresh on the port behind the handle.
    void Reset(Handle handle);
    // The flags for errors since the previous call. Ports that cannot tell
    // (a pseudo-terminal) report none.
    quint32 Take(Handle handle);

    // The CE_* flags that the growth of the counters from before to now raises.
    static quint32 FlagsForGrowth(const Counts &before, const Counts &now);

private:
    // Per platform: the port's error counters (false when it keeps none),
    // and the flags it reports and clears in one call (0 where it has none).
    static bool ReadCounts(Handle handle, Counts *counts);
    static quint32 TakeReportedFlags(Handle handle);

    Counts m_counts = {};
    bool m_counting = false; // m_counts holds a reading of this port
};
