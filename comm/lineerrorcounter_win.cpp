// Windows reports and clears the line-error flags in one call, already in
// the form the channel maps to codes.
#include "lineerrorcounter.h"

#include <windows.h>

void LineErrorCounter::Reset(LineErrorCounter::Handle handle)
{
    Take(handle);
}

quint32 LineErrorCounter::Take(LineErrorCounter::Handle handle)
{
    DWORD errors = 0;
    if (handle == NoHandle || !::ClearCommError(handle, &errors, nullptr))
        return 0;
    return quint32(errors);
}
