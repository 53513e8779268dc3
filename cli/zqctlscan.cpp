// zqctl scan: which port has which camera.
#include "zqctl.h"

#include "camera/cameraprobe.h"
#include "camera/thecamera.h"
#include "comm/cameralinklibrary.h"
#include "comm/comportmap.h"
#include "terminalnotifier.h"

#include <QFile>
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

int Zqctl::Scan(const QStringList &)
{
    QList<CameraProbe::Channel> channels;
    QList<ChannelRunner::Channel> named = m_channels;
    QString error;
    if (!m_devicesFile.isEmpty() && !ChannelRunner::ReadList(m_devicesFile, &named, &error)) {
        Err(error);
        return QFile::exists(m_devicesFile) ? Usage : FileFailure;
    }
    if (!SeveralChannels() && !m_device.isEmpty()) {
        // One --device, or a device behind a COM number.
        CameraProbe::Channel channel;
        channel.device = m_device;
        for (const ChannelRunner::Channel &n : m_channels)
            channel.comNumber = n.options.at(0) == QLatin1String("--com") ? m_comNumber : 0;
        channels.append(channel);
    } else if (!named.isEmpty()) {
        for (const ChannelRunner::Channel &n : named) {
            const QString &option = n.options.at(0), &value = n.options.at(1);
            CameraProbe::Channel channel;
            if (option == QLatin1String("--com"))
                channel = comChannel(value.section(QLatin1Char('='), 0, 0).toInt());
            else if (option == QLatin1String("--cl-port"))
                channel.clPort = value.toInt();
            else
                channel.device = value;
            channels.append(channel);
        }
    } else if (!m_library.isEmpty()) {
        QString why;
        channels = CameraProbe::LibraryPorts(m_library, &why);
        if (channels.isEmpty()) {
            Err(why);
            return CameraFailure;
        }
    } else {
        channels = CameraProbe::PortsPresent();
    }
    for (const CameraProbe::Channel &channel : channels) {
        // The grabber's ports and COM ports are not probed in one run.
        if ((channel.clPort >= 0) == m_library.isEmpty())
            return UsageError(m_library.isEmpty()
                                  ? QStringLiteral("--cl-port goes with --cl-library")
                                  : QStringLiteral("--cl-library and --device exclude each other"));
    }

    CameraProbe probe(m_library);
    const QList<CameraProbe::Found> found = probe.Run(channels, [this](int done, int total) {
        m_notifier->ShowProgress(QStringLiteral("Probing"), done, total);
        return true;
    });
    for (const QString &problem : probe.Problems())
        Err(problem);

    QJsonArray cameras;
    for (const CameraProbe::Found &camera : found) {
        const QString rate = camera.baud ? QString::number(camera.baud) : QStringLiteral("-");
        const CameraInfo &info = camera.info;
        if (!m_json) {
            Out(QStringList{camera.channel.Name(), rate, QString::fromLatin1(info.vendorName),
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
    if (m_json)
        std::fputs(QJsonDocument(cameras).toJson(QJsonDocument::Indented).constData(), stdout);
    if (found.isEmpty()) {
        Err(QStringLiteral("no camera answered on the %1 port(s) probed").arg(channels.size()));
        return CameraFailure;
    }
    return Success;
}
