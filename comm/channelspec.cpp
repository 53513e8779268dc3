#include "channelspec.h"

#include <QStringList>

bool ChannelSpec::IsCameraRate(const QString &text)
{
    for (int rate : kCameraRates) {
        if (text == QString::number(rate))
            return true;
    }
    return false;
}

QString ChannelSpec::CameraRatesText()
{
    QStringList rates;
    for (int rate : kCameraRates)
        rates << QString::number(rate);
    return rates.join(QStringLiteral(" or "));
}

ChannelSpec ChannelSpec::Com(int number, int baudRate)
{
    ChannelSpec spec;
    spec.kind = Kind::ComPort;
    spec.comNumber = number;
    spec.baudRate = baudRate;
    return spec;
}

ChannelSpec ChannelSpec::ForDevice(const QString &device, int baudRate)
{
    ChannelSpec spec;
    spec.kind = Kind::Device;
    spec.comNumber = 0;
    spec.device = device;
    spec.baudRate = baudRate;
    return spec;
}

ChannelSpec ChannelSpec::ForLibrary(const QString &library, int port, int baudRate)
{
    ChannelSpec spec;
    spec.kind = Kind::CameraLink;
    spec.comNumber = 0;
    spec.library = library;
    spec.clPort = port;
    spec.baudRate = baudRate;
    return spec;
}

QString ChannelSpec::Name() const
{
    switch (kind) {
    case Kind::ComPort:
        return QStringLiteral("COM%1").arg(comNumber);
    case Kind::Device:
        return device;
    case Kind::CameraLink:
        return QStringLiteral("%1, port %2").arg(library).arg(clPort);
    }
    return QString();
}

bool ChannelSpec::operator==(const ChannelSpec &other) const
{
    return kind == other.kind && comNumber == other.comNumber && device == other.device &&
           library == other.library && clPort == other.clPort && baudRate == other.baudRate;
}
