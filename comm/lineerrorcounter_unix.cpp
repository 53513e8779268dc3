// Linux keeps line-error counters per port (TIOCGICOUNT); it has no flags
// of its own to report.
#include "lineerrorcounter.h"

#include <sys/ioctl.h>

#ifdef __linux__
#include <linux/serial.h>
#endif

bool LineErrorCounter::ReadCounts(Handle handle, Counts *counts)
{
#ifdef __linux__
    serial_icounter_struct c{};
    // A pseudo-terminal answers ENOTTY: it has no line, so no line errors.
    if (handle == NoHandle || ::ioctl(handle, TIOCGICOUNT, &c) != 0)
        return false;
    (*counts)[Frame] = quint32(c.frame);
    (*counts)[Overrun] = quint32(c.overrun);
    (*counts)[Parity] = quint32(c.parity);
    (*counts)[Break] = quint32(c.brk);
    (*counts)[BufferOverrun] = quint32(c.buf_overrun);
    return true;
#else
    Q_UNUSED(handle);
    Q_UNUSED(counts);
    return false;
#endif
}

quint32 LineErrorCounter::TakeReportedFlags(Handle)
{
    return 0;
}
