// Linux keeps line-error counters per port (TIOCGICOUNT); the flags are the
// growth of those counters since the last look.
#include "lineerrorcounter.h"

#include "portdriver.h"

#include <sys/ioctl.h>

#ifdef __linux__
#include <linux/serial.h>
#endif

namespace {
// Each counter of the port and the flag its growth raises, in m_counts order.
constexpr quint32 kFlags[5] = {PortDriver::CE_FRAME, PortDriver::CE_OVERRUN,
                               PortDriver::CE_RXPARITY, PortDriver::CE_BREAK,
                               PortDriver::CE_RXOVER};

bool readCounters(LineErrorCounter::Handle handle, quint32 counts[5])
{
#ifdef __linux__
    serial_icounter_struct c{};
    // A pseudo-terminal answers ENOTTY: it has no line, so no line errors.
    if (handle == LineErrorCounter::NoHandle || ::ioctl(handle, TIOCGICOUNT, &c) != 0)
        return false;
    const int values[5] = {c.frame, c.overrun, c.parity, c.brk, c.buf_overrun};
    for (int i = 0; i < 5; ++i)
        counts[i] = quint32(values[i]);
    return true;
#else
    Q_UNUSED(handle);
    Q_UNUSED(counts);
    return false;
#endif
}
} // namespace

void LineErrorCounter::Reset(Handle handle)
{
    if (!readCounters(handle, m_counts)) {
        for (quint32 &count : m_counts)
            count = 0;
    }
}

quint32 LineErrorCounter::Take(Handle handle)
{
    quint32 now[5];
    if (!readCounters(handle, now))
        return 0;
    quint32 flags = 0;
    for (int i = 0; i < 5; ++i) {
        if (now[i] != m_counts[i])
            flags |= kFlags[i];
        m_counts[i] = now[i];
    }
    return flags;
}
