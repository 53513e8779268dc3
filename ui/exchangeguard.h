#pragma once

#include "busycursor.h"

#include <functional>
#include <optional>

// Taken around every exchange a window starts (the document's value
// operations, the service dialogs' calls). An exchange blocks this thread,
// yet Qt keeps timers, a scroll bar's repeat and queued events running in
// the loops of boxes and progress windows: what one of those would start
// while another exchange or any box is in progress is refused, and is
// dropped rather than done later. A granted guard shows the wait cursor.
class ExchangeGuard
{
public:
    ExchangeGuard();
    ~ExchangeGuard();
    ExchangeGuard(const ExchangeGuard &) = delete;
    ExchangeGuard &operator=(const ExchangeGuard &) = delete;

    // False when the caller must not touch the line and must report nothing.
    bool Granted() const { return m_granted; }
    // An exchange or a box is in progress: nothing may start one now.
    static bool IsBusy() { return s_active > 0 || s_boxes > 0; }

    // Runs when the last granted guard ends, outside any guard: the document
    // checks there whether the camera came back on a reopened port.
    static void SetAfterExchange(std::function<void()> after);

    // For the length of a box: no exchange starts inside its event loop.
    class BoxOpen
    {
    public:
        BoxOpen() { ++s_boxes; }
        ~BoxOpen() { --s_boxes; }
        BoxOpen(const BoxOpen &) = delete;
        BoxOpen &operator=(const BoxOpen &) = delete;
    };

private:
    bool m_granted;
    std::optional<BusyCursor> m_cursor;
    static int s_active;
    static int s_boxes;
};
