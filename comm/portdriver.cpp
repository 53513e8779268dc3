#include "portdriver.h"

#include <QThread>

PortDriver::~PortDriver() = default;

void PortDriver::Pause(qint64 ms)
{
    if (ms > 0)
        QThread::msleep(static_cast<unsigned long>(ms));
}
