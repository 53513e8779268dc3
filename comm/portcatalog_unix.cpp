#include "portcatalog.h"

#ifndef Q_OS_LINUX
#include <QSerialPortInfo>
#endif

// Linux lists its ports from sysfs; other Unix systems take Qt's list.
QList<SerialPortEntry> PortCatalog::SystemPorts()
{
    QList<SerialPortEntry> ports;
#ifndef Q_OS_LINUX
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
        ports.append(e);
    }
#endif
    return ports;
}
