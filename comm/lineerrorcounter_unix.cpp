// Linux keeps line-error counters per port (TIOCGICOUNT); the flags are the
// growth of those counters since the last look.
#include "lineerrorcounter.h"

#include "portdriver.h"

#include <sys/ioctl.h>

#ifdef __linux__
#include <linux/serial.h>
#endif

namespace {
#ifdef __linux__
bool readCounters(LineErrorCounter::Handle handle, serial_icounter_struct *counters)
{
    if (handle == LineErrorCounter::NoHandle)
        return false;
    // A pseudo-terminal answers ENOTTY: it has no line, so no line errors.
    return ::ioctl(handle, TIOCGICOUNT, counters) == 0;
}
#endif
} // namespace

void LineErrorCounter::Reset(LineErrorCounter::Handle handle)
{
    m_frame = m_overrun = m_parity = m_brk = m_bufOverrun = 0;
#ifdef __linux__
    serial_icounter_struct c{};
    if (readCounters(handle, &c)) {
        m_frame = c.frame;
        m_overrun = c.overrun;
        m_parity = c.parity;
        m_brk = c.brk;
        m_bufOverrun = c.buf_overrun;
    }
#else
    Q_UNUSED(handle);
#endif
}

quint32 LineErrorCounter::Take(LineErrorCounter::Handle handle)
{
    quint32 flags = 0;
#ifdef __linux__
    serial_icounter_struct c{};
    if (!readCounters(handle, &c))
        return 0;
    if (quint32(c.frame) != m_frame)
        flags |= PortDriver::CE_FRAME;
    if (quint32(c.overrun) != m_overrun)
        flags |= PortDriver::CE_OVERRUN;
    if (quint32(c.parity) != m_parity)
        flags |= PortDriver::CE_RXPARITY;
    if (quint32(c.brk) != m_brk)
        flags |= PortDriver::CE_BREAK;
    if (quint32(c.buf_overrun) != m_bufOverrun)
        flags |= PortDriver::CE_RXOVER;
    m_frame = c.frame;
    m_overrun = c.overrun;
    m_parity = c.parity;
    m_brk = c.brk;
    m_bufOverrun = c.buf_overrun;
#else
    Q_UNUSED(handle);
#endif
    return flags;
}
