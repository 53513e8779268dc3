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
    ChannelSpec made;
    made.kind = Kind::ComPort;
    made.comNumber = number;
    made.baudRate = baudRate;
    return made;
}

ChannelSpec ChannelSpec::ForDevice(const QString &device, int baudRate)
{
    ChannelSpec made;
    made.kind = Kind::Device;
    made.comNumber = 0;
    made.device = device;
    made.baudRate = baudRate;
    return made;
}

ChannelSpec ChannelSpec::ForLibrary(const QString &library, int port, int baudRate)
{
    ChannelSpec made;
    made.kind = Kind::CameraLink;
    made.comNumber = 0;
    made.library = library;
    made.clPort = port;
    made.baudRate = baudRate;
    return made;
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
