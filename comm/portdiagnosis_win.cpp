#include "portdiagnosis.h"

#include <QCoreApplication>

#include <QSerialPort>

// Windows has no device nodes to look at: Qt's words for the failure are
// given, with what to do for the usual ones.
QString PortDiagnosis::Explain(const QString &device, int serialPortError, const QString &reason)
{
    QString advice;
    switch (serialPortError) {
    case QSerialPort::DeviceNotFoundError:
        advice = QCoreApplication::translate("PortDiagnosis",
                                             " (no such device: unplugged, or another number?)");
        break;
    case QSerialPort::PermissionError:
        advice = QCoreApplication::translate("PortDiagnosis", " (another program has it open)");
        break;
    default:
        break;
    }
    return QStringLiteral("%1: %2%3").arg(device, reason, advice);
}

QString PortDiagnosis::Explain(const QString &device)
{
    QSerialPort port(device);
    if (port.open(QIODevice::ReadWrite)) {
        port.close();
        return QCoreApplication::translate("PortDiagnosis",
                                           "%1: in use a moment ago (another program held it)")
            .arg(device);
    }
    return Explain(device, port.error(), port.errorString());
}
