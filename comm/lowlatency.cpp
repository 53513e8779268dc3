#include "lowlatency.h"

void LowLatency::Enter(Handle handle)
{
    m_turnedOn = false;
    bool on = false;
    if (handle == LineErrorCounter::NoHandle || !Calls().get(handle, &on) || on)
        return;
    m_turnedOn = Calls().set(handle, true);
}

void LowLatency::Leave(Handle handle)
{
    if (m_turnedOn && handle != LineErrorCounter::NoHandle)
        Calls().set(handle, false);
    m_turnedOn = false;
}
