#include "lineerrorcounter.h"

#include "portdriver.h"

namespace {
// The flag each counter's growth raises, in Counter order.
constexpr quint32 kFlags[LineErrorCounter::CounterCount] = {
    PortDriver::CE_FRAME, PortDriver::CE_OVERRUN, PortDriver::CE_RXPARITY, PortDriver::CE_BREAK,
    PortDriver::CE_RXOVER};
} // namespace

quint32 LineErrorCounter::FlagsForGrowth(const Counts &before, const Counts &now)
{
    quint32 flags = 0;
    for (int i = 0; i < CounterCount; ++i) {
        if (now[i] != before[i])
            flags |= kFlags[i];
    }
    return flags;
}

void LineErrorCounter::Reset(Handle handle)
{
    TakeReportedFlags(handle); // what happened before this port was ours
    m_counting = handle != NoHandle && ReadCounts(handle, &m_counts);
    if (!m_counting)
        m_counts = {};
}

quint32 LineErrorCounter::Take(Handle handle)
{
    if (handle == NoHandle)
        return 0;
    quint32 flags = TakeReportedFlags(handle);
    Counts now;
    if (ReadCounts(handle, &now)) {
        if (m_counting)
            flags |= FlagsForGrowth(m_counts, now);
        m_counts = now;
        m_counting = true;
    }
    return flags;
}
