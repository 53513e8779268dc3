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
    // An exchange or a box is in progress, or the action under way has
    // stopped: nothing may start an exchange now.
    static bool IsBusy() { return s_active > 0 || s_boxes > 0 || Action::Stopped(); }

    // Runs when the last granted guard ends, outside any guard: the document
    // checks there whether the camera came back on a reopened port.
    static void SetAfterExchange(std::function<void()> after);

    // One thing the operator did that takes several exchanges (the steps of
    // a wheel notch, the two writes of a scan slider): once one of them has
    // failed or any box has opened, the rest are refused, so the operator
    // sees one box and nothing is written after it.
    class Action
    {
    public:
        Action();
        ~Action();
        Action(const Action &) = delete;
        Action &operator=(const Action &) = delete;
        // A box opened within it: what remains is dropped.
        static bool Stopped() { return s_actions > 0 && s_actionStopped; }
    };

    // For the length of a box: no exchange starts inside its event loop.
    class BoxOpen
    {
    public:
        BoxOpen()
        {
            ++s_boxes;
            if (s_actions > 0)
                s_actionStopped = true;
        }
        ~BoxOpen() { --s_boxes; }
        BoxOpen(const BoxOpen &) = delete;
        BoxOpen &operator=(const BoxOpen &) = delete;
    };

private:
    bool m_granted;
    std::optional<BusyCursor> m_cursor;
    static int s_active;
    static int s_boxes;
    static int s_actions;
    static bool s_actionStopped;
};
