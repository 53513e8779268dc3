// Linux: the ASYNC_LOW_LATENCY flag of TIOCSSERIAL, which any user may set
// on a port they opened; ftdi_sio then runs its latency timer at 1 ms.
// Pseudo-terminals answer ENOTTY; UARTs take the flag and change nothing.
#include "lowlatency.h"

#include <sys/ioctl.h>

#ifdef __linux__
#include <linux/serial.h>
#endif

namespace {
#ifdef __linux__
bool getFlag(LowLatency::Handle handle, bool *on)
{
    serial_struct s{};
    if (::ioctl(handle, TIOCGSERIAL, &s) != 0)
        return false;
    *on = (s.flags & ASYNC_LOW_LATENCY) != 0;
    return true;
}

bool setFlag(LowLatency::Handle handle, bool on)
{
    serial_struct s{};
    if (::ioctl(handle, TIOCGSERIAL, &s) != 0)
        return false;
    s.flags = on ? (s.flags | ASYNC_LOW_LATENCY) : (s.flags & ~ASYNC_LOW_LATENCY);
    return ::ioctl(handle, TIOCSSERIAL, &s) == 0;
}
#else
bool getFlag(LowLatency::Handle, bool *)
{
    return false;
}

bool setFlag(LowLatency::Handle, bool)
{
    return false;
}
#endif
} // namespace

LowLatency::SystemCalls &LowLatency::Calls()
{
    static SystemCalls calls = {getFlag, setFlag};
    return calls;
}
