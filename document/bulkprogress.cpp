#include "bulkprogress.h"

#include "camera/cameradata.h"

#include <QCoreApplication>

BulkProgress::BulkProgress(CameraData &camera, Direction direction, QWidget *parent)
    : m_camera(camera), m_before(camera.GetBulkProgress()),
      m_window(direction == Reading
                   ? QCoreApplication::translate("BulkProgress", "Reading the camera settings...")
                   : QCoreApplication::translate("BulkProgress", "Writing the camera settings..."),
               parent)
{
    // Whoever watched the camera's transfers before keeps seeing them.
    m_camera.SetBulkProgress([this](int done, int total) {
        m_window.Update(done, total);
        if (m_before)
            m_before(done, total);
    });
}

BulkProgress::~BulkProgress()
{
    m_camera.SetBulkProgress(m_before);
}
