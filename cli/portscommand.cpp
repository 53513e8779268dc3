// zqctl ports: every serial port of this computer, with the COM button
// that reaches it. Only the system's device folders are read; no port is
// opened, so a console on an on-board port is left alone.
#include "portscommand.h"

#include "commandoutput.h"
#include "commandtable.h"

#include "comm/comportmap.h"
#include "comm/portcatalog.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>

#include <cstdio>

namespace {
// "COM n" of the first button whose device is this port; 0 for none.
int comButtonFor(const SerialPortEntry &port)
{
    for (int n = 1; n <= ComPortMap::kPortCount; ++n) {
        if (PortCatalog::KernelName(ComPortMap::DeviceFor(n)) == port.kernelName)
            return n;
    }
    return 0;
}
} // namespace

int PortsCommand::Run(CommandContext &c)
{
    const QList<SerialPortEntry> ports = PortCatalog().List();
    if (c.request.json) {
        QJsonArray rows;
        for (const SerialPortEntry &p : ports) {
            const int com = comButtonFor(p);
            rows.append(QJsonObject{
                {QStringLiteral("stableName"), p.stableName},
                {QStringLiteral("kernelName"), p.kernelName},
                {QStringLiteral("usbId"), p.UsbId()},
                {QStringLiteral("serialNumber"), p.serialNumber},
                {QStringLiteral("manufacturer"), p.manufacturer},
                {QStringLiteral("description"), p.description},
                {QStringLiteral("latencyMs"), p.latencyMs < 0 ? QJsonValue() : p.latencyMs},
                {QStringLiteral("comButton"), com ? QJsonValue(com) : QJsonValue()},
                {QStringLiteral("warning"), PortCatalog::LatencyWarning(p.latencyMs)}});
        }
        c.out.Json(rows);
        return Success;
    }
    if (ports.isEmpty())
        c.out.Out(QStringLiteral("no serial ports found"));
    for (const SerialPortEntry &p : ports) {
        QStringList about;
        if (p.stableName != p.kernelName)
            about << p.kernelName;
        about << p.UsbId() << p.serialNumber << p.manufacturer << p.description;
        if (p.latencyMs >= 0)
            about << QStringLiteral("latency timer %1 ms").arg(p.latencyMs);
        if (const int com = comButtonFor(p))
            about << QStringLiteral("COM %1").arg(com);
        about.removeAll(QString());
        c.out.Out(p.stableName);
        c.out.Out(QStringLiteral("    ") + about.join(QStringLiteral(", ")));
        const QString warning = PortCatalog::LatencyWarning(p.latencyMs);
        if (!warning.isEmpty())
            c.out.Out(QStringLiteral("    ") + warning);
    }
    return Success;
}
