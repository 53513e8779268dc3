#pragma once

#include <QList>
#include <QString>

// One serial port of this computer, as the system describes it.
struct SerialPortEntry
{
    QString stableName; // the by-id name that stays with a USB adapter, else kernelName
    QString kernelName; // "/dev/ttyUSB0": whichever adapter came first
    QString vendorId;   // USB ids as four hexadecimal digits; empty off USB
    QString productId;
    QString serialNumber;
    QString manufacturer;
    QString description;
    int latencyMs = -1; // the adapter's latency timer; -1 where it has none

    // "0403:6001"; empty off USB.
    QString UsbId() const
    {
        return vendorId.isEmpty() ? QString() : vendorId + QLatin1Char(':') + productId;
    }
};

// Lists the serial ports without opening any: from the system's device
// folders (sysfs and /dev/serial/by-id on Linux), elsewhere from the
// system's own list (portcatalog_<os>.cpp).
// The folders are parameters so that a listing can be checked on a folder
// of links made for the purpose.
class PortCatalog
{
public:
    explicit PortCatalog(const QString &byIdFolder = QStringLiteral("/dev/serial/by-id"),
                         const QString &sysfsRoot = QStringLiteral("/sys/class/tty"),
                         const QString &devFolder = QStringLiteral("/dev"));

    QList<SerialPortEntry> List() const;
    // The entry of a device given by any of its names; an unknown device
    // gets its own name as both names and nothing else.
    SerialPortEntry Describe(const QString &device) const;
    // The device a name leads to ("/dev/ttyUSB0" for a by-id link).
    static QString KernelName(const QString &device);
    // The kernel names of the ports the system's console is on (Linux's
    // console/active under the sysfs folder): no search may send there.
    QList<QString> ConsolePorts() const;
    // The latency timer of the adapter behind a device; -1 where it has none.
    int LatencyMs(const QString &device) const;

    // Above this a latency timer slows every reply noticeably.
    static constexpr int kSlowLatencyMs = 2;
    // What to say about a latency timer; empty when it is fine.
    static QString LatencyWarning(int latencyMs);

private:
    // The ports as the system itself lists them (on Windows the registry's
    // SERIALCOMM map), per OS; false where the device folders are the list.
    bool SystemPorts(QList<SerialPortEntry> *ports) const;
    SerialPortEntry Read(const QString &name) const;
    QString StableName(const QString &kernelName) const;

    QString m_byId;
    QString m_sysfs;
    QString m_dev;
};
