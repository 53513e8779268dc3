#include "portcatalog.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

namespace {
QString readText(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.read(256)).trimmed();
}

// "ttyS2" before "ttyS10", then "ttyUSB0".
bool kernelOrder(const SerialPortEntry &a, const SerialPortEntry &b)
{
    static const QRegularExpression tail(QStringLiteral("(\\d+)$"));
    const auto split = [](const QString &name) {
        const QRegularExpressionMatch m = tail.match(name);
        return m.hasMatch() ? std::make_pair(name.left(m.capturedStart()), m.captured(1).toInt())
                            : std::make_pair(name, -1);
    };
    return split(a.kernelName) < split(b.kernelName);
}
} // namespace

PortCatalog::PortCatalog(const QString &byIdFolder, const QString &sysfsRoot,
                         const QString &devFolder)
    : m_byId(byIdFolder), m_sysfs(sysfsRoot), m_dev(devFolder)
{
}

QString PortCatalog::KernelName(const QString &device)
{
    const QString target = QFileInfo(device).canonicalFilePath();
    return target.isEmpty() ? device : target;
}

QList<QString> PortCatalog::ConsolePorts() const
{
    // Only Linux has the file; elsewhere no login runs on a serial port.
    QList<QString> ports;
    const QStringList names =
        readText(m_sysfs + QStringLiteral("/console/active")).simplified().split(QLatin1Char(' '));
    for (const QString &name : names) {
        if (!name.isEmpty())
            ports.append(KernelName(m_dev + QLatin1Char('/') + name));
    }
    return ports;
}

QString PortCatalog::StableName(const QString &kernelName) const
{
    const QFileInfoList links =
        QDir(m_byId).entryInfoList(QDir::System | QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo &link : links) {
        if (link.isSymLink() && link.canonicalFilePath() == kernelName)
            return link.absoluteFilePath();
    }
    return kernelName;
}

int PortCatalog::LatencyMs(const QString &device) const
{
    const QString name = KernelName(device).section(QLatin1Char('/'), -1);
    bool ok = false;
    const int ms =
        readText(m_sysfs + QLatin1Char('/') + name + QStringLiteral("/device/latency_timer"))
            .toInt(&ok);
    return ok ? ms : -1;
}

SerialPortEntry PortCatalog::Read(const QString &name) const
{
    SerialPortEntry e;
    e.kernelName = KernelName(m_dev + QLatin1Char('/') + name);
    e.stableName = StableName(e.kernelName);
    const QString device = m_sysfs + QLatin1Char('/') + name + QStringLiteral("/device");
    e.latencyMs = LatencyMs(e.kernelName);
    // The USB device is a few folders up from the port: the port, its
    // interface, the device that carries the ids.
    QDir dir(QFileInfo(device).canonicalFilePath());
    for (int up = 0; up < 4 && !dir.path().isEmpty(); ++up) {
        if (dir.exists(QStringLiteral("idVendor"))) {
            const auto field = [&dir](const char *file) {
                return readText(dir.filePath(QString::fromLatin1(file)));
            };
            e.vendorId = field("idVendor");
            e.productId = field("idProduct");
            e.serialNumber = field("serial");
            e.manufacturer = field("manufacturer");
            e.description = field("product");
            break;
        }
        if (!dir.cdUp())
            break;
    }
    // Off USB, or without a product text, the driver's name says what it is
    // ("pl2303", "serial8250"); newer kernels put every UART under a
    // driver called "port", which says nothing.
    if (e.description.isEmpty()) {
        const QString driver = QFileInfo(device + QStringLiteral("/driver"))
                                   .canonicalFilePath()
                                   .section(QLatin1Char('/'), -1);
        if (driver != QLatin1String("port"))
            e.description = driver;
    }
    return e;
}

QList<SerialPortEntry> PortCatalog::List() const
{
    QList<SerialPortEntry> ports;
    if (SystemPorts(&ports))
        return ports;
    // Only terminals with a device behind them are ports; a UART slot the
    // kernel reserved but found nothing in says type 0. Nothing is opened.
    const QStringList names = QDir(m_sysfs).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    for (const QString &name : names) {
        const QString entry = m_sysfs + QLatin1Char('/') + name;
        if (!QFileInfo::exists(entry + QStringLiteral("/device")) ||
            readText(entry + QStringLiteral("/type")) == QLatin1String("0") ||
            !QFileInfo::exists(m_dev + QLatin1Char('/') + name))
            continue;
        ports.append(Read(name));
    }
    std::sort(ports.begin(), ports.end(), kernelOrder);
    return ports;
}

SerialPortEntry PortCatalog::Describe(const QString &device) const
{
    const QString kernel = KernelName(device);
    const QString name = kernel.section(QLatin1Char('/'), -1);
    if (QFileInfo::exists(m_sysfs + QLatin1Char('/') + name + QStringLiteral("/device")) &&
        KernelName(m_dev + QLatin1Char('/') + name) == kernel)
        return Read(name);
    SerialPortEntry unknown;
    unknown.stableName = device;
    unknown.kernelName = kernel;
    return unknown;
}

QString PortCatalog::LatencyWarning(int latencyMs)
{
    if (latencyMs <= kSlowLatencyMs)
        return QString();
    return QCoreApplication::translate(
               "PortCatalog",
               "latency timer %1 ms: every reply may wait that long. The program asks for 1 ms "
               "while it has the port open. Where the driver does not follow, lower the timer "
               "with a udev rule: user guide, \"USB serial adapters\".")
        .arg(latencyMs);
}
