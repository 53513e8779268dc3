#pragma once

#include "ui/busycursor.h"
#include "ui/progresswindow.h"

class QWidget;

// For the length of a whole-set transfer of theCamera: the wait cursor and
// a progress window that counts the rows done, painted between rows.
class BulkProgress
{
public:
    enum Direction
    {
        Reading, // "Reading the camera settings..."
        Writing  // "Writing the camera settings..."
    };
    explicit BulkProgress(Direction direction, QWidget *parent = nullptr);
    ~BulkProgress();
    BulkProgress(const BulkProgress &) = delete;
    BulkProgress &operator=(const BulkProgress &) = delete;

    const ProgressWindow &Window() const { return m_window; }

    // The last transfer's figures, for tests: rows done and rows in all.
    static int LastDone();
    static int LastTotal();

private:
    BusyCursor m_cursor;
    ProgressWindow m_window;
};
