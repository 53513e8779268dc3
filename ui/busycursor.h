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

    // True while an exchange holds the line: a timer that would start one
    // of its own skips its turn.
    static bool IsActive() { return s_depth > 0; }

private:
    static int s_depth;
};
