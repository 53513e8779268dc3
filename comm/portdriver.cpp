#include "portdriver.h"

#include "portdiagnosis.h"

#include <QThread>

PortDriver::~PortDriver() = default;

QString PortDriver::WhyNotOpen(const QString &device)
{
    return PortDiagnosis::Explain(device);
}

void PortDriver::Pause(qint64 ms)
{
    if (ms > 0)
        QThread::msleep(static_cast<unsigned long>(ms));
}

qint64 PortDriver::ReadWaiting(char *buffer, qint64 maxCount, qint64)
{
    return ReadAvailable(buffer, maxCount);
}

QString PortDriver::PortIdentifier() const
{
    return QString();
}

QByteArray PortDriver::TakeNote()
{
    return QByteArray();
}
