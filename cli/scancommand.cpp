// zqctl scan: which port has which camera.
#include "scancommand.h"

#include "commandoutput.h"
#include "commandtable.h"

#include "camera/cameradata.h"
#include "camera/cameraprobe.h"
#include "comm/cameralinklibrary.h"
#include "comm/comportmap.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>

namespace {

CameraProbe::Channel comChannel(int number)
{
    CameraProbe::Channel channel;
    channel.device = ComPortMap::DeviceFor(number);
    channel.comNumber = number;
    return channel;
}

} // namespace

int ScanCommand::Run(CommandContext &c)
{
    const QString &library = c.request.library;
    QList<CameraProbe::Channel> channels;
    for (const NamedChannel &named : c.request.named) {
        CameraProbe::Channel channel;
        switch (named.port.kind) {
        case ChannelSpec::Kind::ComPort:
            channel = comChannel(named.port.comNumber);
            break;
        case ChannelSpec::Kind::Device:
            channel.device = named.port.device;
            break;
        case ChannelSpec::Kind::CameraLink:
            channel.clPort = named.port.clPort;
            break;
        }
        channels.append(channel);
    }
    if (channels.isEmpty() && !library.isEmpty()) {
        QString why;
        channels = CameraProbe::LibraryPorts(library, &why);
        if (channels.isEmpty()) {
            c.out.Err(why);
            return CameraFailure;
        }
    } else if (channels.isEmpty()) {
        channels = CameraProbe::PortsPresent();
    }
    for (const CameraProbe::Channel &channel : channels) {
        // The grabber's ports and COM ports are not probed in one run.
        if ((channel.clPort >= 0) == library.isEmpty())
            return CommandTable::UsageError(
                c.out, library.isEmpty()
                           ? QStringLiteral("--cl-port goes with --cl-library")
                           : QStringLiteral("--cl-library and --device exclude each other"));
    }

    CameraProbe probe(library);
    const QList<CameraProbe::Found> found = probe.Run(channels, [&c](int done, int total) {
        c.out.Progress(QStringLiteral("Probing"), done, total);
        return true;
    });
    for (const QString &problem : probe.Problems())
        c.out.Err(problem);

    QJsonArray cameras;
    for (const CameraProbe::Found &camera : found) {
        const QString rate = camera.baud ? QString::number(camera.baud) : QStringLiteral("-");
        const CameraInfo &info = camera.info;
        if (!c.request.json) {
            c.out.Out(QStringList{camera.channel.Name(), rate, QString::fromLatin1(info.vendorName),
                                  QString::fromLatin1(info.modelName),
                                  QString::fromLatin1(info.serialNumber),
                                  QString::fromLatin1(info.version)}
                          .join(QLatin1Char('\t')));
            continue;
        }
        QJsonObject object{
            {QStringLiteral("device"), camera.channel.Name()},
            {QStringLiteral("baud"), camera.baud ? QJsonValue(camera.baud) : QJsonValue()},
            {QStringLiteral("vendor"), QString::fromLatin1(info.vendorName)},
            {QStringLiteral("model"), QString::fromLatin1(info.modelName)},
            {QStringLiteral("serial"), QString::fromLatin1(info.serialNumber)},
            {QStringLiteral("firmware"), QString::fromLatin1(info.version)}};
        if (camera.channel.comNumber > 0)
            object.insert(QStringLiteral("com"), camera.channel.comNumber);
        if (camera.channel.clPort >= 0)
            object.insert(QStringLiteral("clPort"), camera.channel.clPort);
        cameras.append(object);
    }
    if (c.request.json)
        c.out.Json(cameras);
    if (found.isEmpty()) {
        c.out.Err(
            QStringLiteral("no camera answered on the %1 port(s) probed").arg(channels.size()));
        return CameraFailure;
    }
    return Success;
}
