// Windows reports line errors as flags that ClearCommError hands out and
// clears: whoever calls it first gets them (the port driver calls it too,
// to learn the queue length, and keeps what it saw). The serial driver's
// statistics (IOCTL_SERIAL_GET_STATS) count frame, overrun, parity and
// buffer-overrun errors and nothing but IOCTL_SERIAL_CLEAR_STATS resets
// them: their growth shows errors whose flags another caller took. A break
// has no counter; it is seen when its flag is still set (a break usually
// brings a framing error with it). Drivers without the statistics
// leave the flags alone.
#include "lineerrorcounter.h"

#include <windows.h>
#include <winioctl.h>

namespace {
#ifndef IOCTL_SERIAL_GET_STATS
#define IOCTL_SERIAL_GET_STATS                                                                     \
    CTL_CODE(FILE_DEVICE_SERIAL_PORT, 35, METHOD_BUFFERED, FILE_ANY_ACCESS)
#endif

// SERIALPERF_STATS of the driver kit's ntddser.h.
struct SerialStats
{
    ULONG ReceivedCount;
    ULONG TransmittedCount;
    ULONG FrameErrorCount;
    ULONG SerialOverrunErrorCount;
    ULONG BufferOverrunErrorCount;
    ULONG ParityErrorCount;
};
} // namespace

bool LineErrorCounter::ReadCounts(Handle handle, Counts *counts)
{
    if (handle == NoHandle)
        return false;
    // A port opened for overlapped I/O needs an OVERLAPPED of its own; on
    // one opened without, the call simply completes. The driver answers at once.
    OVERLAPPED overlapped = {};
    overlapped.hEvent = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!overlapped.hEvent)
        return false;
    SerialStats stats = {};
    DWORD got = 0;
    BOOL ok = ::DeviceIoControl(handle, IOCTL_SERIAL_GET_STATS, nullptr, 0, &stats, sizeof stats,
                                &got, &overlapped);
    if (!ok && ::GetLastError() == ERROR_IO_PENDING)
        ok = ::GetOverlappedResult(handle, &overlapped, &got, TRUE);
    ::CloseHandle(overlapped.hEvent);
    if (!ok || got < sizeof stats)
        return false;
    (*counts)[Frame] = stats.FrameErrorCount;
    (*counts)[Overrun] = stats.SerialOverrunErrorCount;
    (*counts)[Parity] = stats.ParityErrorCount;
    (*counts)[Break] = 0;
    (*counts)[BufferOverrun] = stats.BufferOverrunErrorCount;
    return true;
}

quint32 LineErrorCounter::TakeReportedFlags(Handle handle)
{
    DWORD errors = 0;
    if (handle == NoHandle || !::ClearCommError(handle, &errors, nullptr))
        return 0;
    return quint32(errors);
}
