#include "cameraprobe.h"

#include "cameradata.h"
#include "comm/cameralinklibrary.h"
#include "comm/comportmap.h"
#include "comm/ossupport.h"
#include "comm/portcatalog.h"
#include "paramindex.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <iterator>

namespace {

PortCatalog &portCatalog()
{
    static PortCatalog catalog;
    return catalog;
}

// The same device under two names (a by-id link and its kernel name) is
// probed once.
QString identityOf(const QString &device)
{
    return PortCatalog::KernelName(device);
}

bool present(const QString &device)
{
    return !OsSupport::DeviceIsFile() || QFileInfo::exists(device);
}

// The console's ports: an ENQ there would land on someone's login.
QSet<QString> consolePorts()
{
    QSet<QString> ports;
    for (const QString &device : OsSupport::ConsoleDevices())
        ports.insert(identityOf(device));
    return ports;
}

} // namespace

QString CameraProbe::Channel::Name() const
{
    return clPort >= 0 ? QStringLiteral("cl-port:%1").arg(clPort) : device;
}

CameraProbe::CameraProbe(CameraData &camera, const QString &libraryPath)
    : m_camera(camera), m_libraryPath(libraryPath)
{
}

void CameraProbe::SetPortCatalog(const PortCatalog &catalog)
{
    portCatalog() = catalog;
}

QList<CameraProbe::Channel> CameraProbe::PortsPresent()
{
    QList<Channel> channels;
    QSet<QString> seen = consolePorts();
    // Kernel name to the name that stays with the port (a by-id link).
    QHash<QString, QString> stable;
    const QList<SerialPortEntry> listed = portCatalog().List();
    for (const SerialPortEntry &port : listed)
        stable.insert(port.kernelName, port.stableName);
    auto add = [&](const QString &device, int comNumber) {
        const QString kernel = identityOf(device);
        if (device.isEmpty() || !present(device) || seen.contains(kernel))
            return;
        // A button left at its platform name is probed only where that port
        // exists: most of /dev/ttyS* are names without a port behind them.
        if (comNumber > 0 && device == ComPortMap::DefaultDevice(comNumber) &&
            !stable.contains(kernel))
            return;
        seen.insert(kernel);
        Channel channel;
        channel.device = stable.value(kernel, device);
        channel.comNumber = comNumber;
        channels.append(channel);
    };
    for (int n = 1; n <= 10; ++n)
        add(ComPortMap::DeviceFor(n), n);
    for (const SerialPortEntry &port : listed)
        add(port.stableName, 0);
    return channels;
}

bool CameraProbe::Continue()
{
    if (!m_stopped && m_progress && !m_progress(m_done, m_total))
        m_stopped = true;
    return !m_stopped;
}

QList<CameraProbe::Found> CameraProbe::Run(const QList<Channel> &channels, const Progress &progress)
{
    m_progress = progress;
    m_done = 0;
    m_total = 0;
    m_stopped = false;
    m_problems.clear();
    QList<QList<int>> rates;
    for (const Channel &channel : channels) {
        rates.append(RatesFor(channel));
        m_total += int(rates.last().size());
    }

    // The identity reads go through the connection's store: what it held
    // before is put back, so a search leaves no camera's values behind.
    struct Held
    {
        int value;
        bool read;
    };
    QList<Held> held;
    for (int i = Param::CameraInfoFirst; i <= Param::CameraInfoLast; ++i)
        held.append({m_camera.GetValue(i), m_camera.WasRead(i)});

    QList<Found> found;
    for (int c = 0; c < channels.size(); ++c) {
        if (!Continue())
            break;
        const Channel &channel = channels.at(c);
        const QList<int> &rateList = rates.at(c);
        for (int i = 0; i < rateList.size(); ++i) {
            Found camera;
            const Outcome outcome = ProbeAt(channel, rateList.at(i), &camera);
            m_camera.Close();
            if (outcome == Answered)
                found.append(camera);
            // Either way this channel is settled: the rates left are skipped.
            if (outcome != Silent) {
                m_done += int(rateList.size()) - i;
                break;
            }
            ++m_done;
            if (!Continue())
                break;
        }
    }
    Continue();
    for (int i = Param::CameraInfoFirst; i <= Param::CameraInfoLast; ++i) {
        const Held &h = held.at(i - Param::CameraInfoFirst);
        if (h.read)
            m_camera.SetValue(i, h.value);
        else
            m_camera.ResetValue(i);
    }
    return found;
}

bool CameraProbe::Open(const Channel &channel, int baud)
{
    if (channel.clPort < 0) {
        if (m_camera.OpenDevice(channel.device, baud) >= 0)
            return true;
        // The reason names the device itself.
        const QString why = m_camera.WhyPortWouldNotOpen();
        m_problems.append(
            why.startsWith(channel.device) ? why : channel.Name() + QStringLiteral(": ") + why);
        return false;
    }
    // A port whose clSerialInit failed has said so itself, in its own box.
    if (m_camera.OpenLibrary(m_libraryPath, channel.clPort, baud) < 0) {
        m_problems.append(channel.Name() + QStringLiteral(": ") + m_camera.WhyPortWouldNotOpen());
        return false;
    }
    return m_camera.IsChannelOpen();
}

QList<int> CameraProbe::RatesFor(const Channel &channel) const
{
    const QList<int> all(std::begin(kRates), std::end(kRates));
    if (channel.clPort < 0)
        return all;
    // A grabber's port is tried at the rates its library can set it to; a
    // library that sets none is tried once, at the rate the port keeps.
    QList<int> rates;
    if (!CameraLinkLibrary::IsOpen() && CameraLinkLibrary::Load(m_libraryPath) &&
        CameraLinkLibrary::Init(quint32(channel.clPort), this) == 0) {
        const QList<int> supported = CameraLinkLibrary::SupportedBaudRates();
        CameraLinkLibrary::Close();
        for (int rate : all) {
            if (supported.contains(rate))
                rates.append(rate);
        }
    }
    return rates.isEmpty() ? QList<int>{0} : rates;
}

QList<CameraProbe::Channel> CameraProbe::LibraryPorts(const QString &library)
{
    QList<Channel> ports;
    if (!CameraLinkLibrary::IsOpen() && CameraLinkLibrary::Load(library)) {
        for (int i = 0; i < CameraLinkLibrary::PortIdentifiers().size(); ++i) {
            Channel port;
            port.clPort = i;
            ports.append(port);
        }
    }
    return ports;
}

CameraProbe::Outcome CameraProbe::ProbeAt(const Channel &channel, int baud, Found *found)
{
    if (!Open(channel, baud))
        return NotOpened;
    // Whatever an earlier rate left in the port is not an answer.
    m_camera.Purge(PortDriver::PURGE_RXCLEAR | PortDriver::PURGE_TXCLEAR);
    const char enq = CameraProtocol::ENQ;
    if (m_camera.Write(&enq, 1, 1000) != 1 || m_camera.WaitAck(kAckWaitMs) != 0)
        return Silent;

    // Something acknowledged: a camera's identity decides. Reads only.
    for (int i = Param::CameraInfoFirst; i <= Param::CameraInfoLast; ++i) {
        if (m_camera.ReadParam(i) < 0) {
            m_problems.append(QCoreApplication::translate(
                                  "CameraProbe", "%1 at %2 baud answered ENQ, but its identity "
                                                 "could not be read: %3")
                                  .arg(channel.Name())
                                  .arg(baud)
                                  .arg(m_camera.GetErrorMessage()));
            return NoIdentity;
        }
        if (!Continue())
            return Silent;
    }
    found->channel = channel;
    found->baud = baud;
    found->info = CameraInfo::Decode(m_camera);
    return Answered;
}
