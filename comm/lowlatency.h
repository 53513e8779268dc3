#pragma once

#include "lineerrorcounter.h"

// Asks a port's driver to pass on received bytes at once. A USB adapter
// otherwise holds a reply until its latency timer runs out (16 ms by
// default), and every exchange waits for two or three replies. The flag is
// given back as the port had it when the port closes. A port that cannot do
// it (a pseudo-terminal, an on-board UART) is simply used as it is.
class LowLatency
{
public:
    using Handle = LineErrorCounter::Handle;
    // The driver's low-latency flag, read or set; false when the port refuses.
    struct SystemCalls
    {
        bool (*get)(Handle handle, bool *on);
        bool (*set)(Handle handle, bool on);
    };
    // The platform's calls (one source file per platform); tests put
    // recorders in their place.
    static SystemCalls &Calls();

    void Enter(Handle handle);
    void Leave(Handle handle);

private:
    bool m_turnedOn = false; // this port had the flag off until Enter
};
