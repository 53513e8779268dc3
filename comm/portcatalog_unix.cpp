#include "portcatalog.h"

#ifndef Q_OS_LINUX
#include <QSerialPortInfo>
#endif

#include <QFileInfo>

// Linux lists its ports from sysfs; other Unix systems without it take Qt's list.
bool PortCatalog::SystemPorts(QList<SerialPortEntry> *ports) const
{
#ifdef Q_OS_LINUX
    Q_UNUSED(ports);
    return false;
#else
    if (QFileInfo::exists(m_sysfs))
        return false;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts()) {
        SerialPortEntry e;
        e.stableName = e.kernelName = info.systemLocation();
        if (info.hasVendorIdentifier())
            e.vendorId = QStringLiteral("%1").arg(info.vendorIdentifier(), 4, 16, QLatin1Char('0'));
        if (info.hasProductIdentifier())
            e.productId =
                QStringLiteral("%1").arg(info.productIdentifier(), 4, 16, QLatin1Char('0'));
        e.serialNumber = info.serialNumber();
        e.manufacturer = info.manufacturer();
        e.description = info.description();
        ports->append(e);
    }
    return true;
#endif
}
