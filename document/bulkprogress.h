#pragma once

#include "ui/busycursor.h"
#include "ui/progresswindow.h"

#include <functional>

class CameraData;
class QWidget;

// For the length of a whole-set transfer of a camera: the wait cursor and
// a progress window that counts the rows done, painted between rows.
class BulkProgress
{
public:
    enum Direction
    {
        Reading, // "Reading the camera settings..."
        Writing  // "Writing the camera settings..."
    };
    BulkProgress(CameraData &camera, Direction direction, QWidget *parent = nullptr);
    ~BulkProgress();
    BulkProgress(const BulkProgress &) = delete;
    BulkProgress &operator=(const BulkProgress &) = delete;

    const ProgressWindow &Window() const { return m_window; }

private:
    CameraData &m_camera;
    std::function<void(int, int)> m_before; // put back when the transfer ends
    BusyCursor m_cursor;
    ProgressWindow m_window;
};
