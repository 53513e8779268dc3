#pragma once

// Shows the wait cursor for its lifetime, so a window blocked in a camera
// exchange never looks dead. Nests.
class BusyCursor
{
public:
    BusyCursor();
    ~BusyCursor();
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;

    // The normal cursor for its lifetime while a wait cursor is up, so a box
    // that waits for the user does not look busy; the wait cursor returns
    // when it ends.
    class Released
    {
    public:
        Released();
        ~Released();
        Released(const Released &) = delete;
        Released &operator=(const Released &) = delete;

    private:
        bool m_pushed = false;
    };

private:
    static int s_depth;
};
