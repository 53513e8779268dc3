// Windows keeps an FTDI adapter's latency timer in the driver's own port
// settings (Device Manager, the port's Advanced properties); no call of the
// program changes it, so the flag is never there to set.
#include "lowlatency.h"

namespace {
bool getFlag(LowLatency::Handle, bool *)
{
    return false;
}

bool setFlag(LowLatency::Handle, bool)
{
    return false;
}
} // namespace

LowLatency::SystemCalls &LowLatency::Calls()
{
    static SystemCalls calls = {getFlag, setFlag};
    return calls;
}
