#include "bulkprogress.h"

#include "camera/thecamera.h"

#include <QCoreApplication>

namespace {
int g_lastDone = 0;
int g_lastTotal = 0;
} // namespace

BulkProgress::BulkProgress(Direction direction, QWidget *parent)
    : m_window(direction == Reading
                   ? QCoreApplication::translate("BulkProgress", "Reading the camera settings...")
                   : QCoreApplication::translate("BulkProgress", "Writing the camera settings..."),
               parent)
{
    g_lastDone = g_lastTotal = 0;
    theCamera.SetBulkProgress([this](int done, int total) {
        g_lastDone = done;
        g_lastTotal = total;
        m_window.Update(done, total);
    });
}

BulkProgress::~BulkProgress()
{
    theCamera.SetBulkProgress(nullptr);
}

int BulkProgress::LastDone()
{
    return g_lastDone;
}

int BulkProgress::LastTotal()
{
    return g_lastTotal;
}
