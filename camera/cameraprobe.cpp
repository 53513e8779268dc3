#include "cameraprobe.h"

#include "cameradata.h"
#include "comm/cameralinklibrary.h"
#include "comm/channelspec.h"
#include "comm/comportmap.h"
#include "comm/ossupport.h"
#include "comm/portcatalog.h"
#include "paramindex.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QThread>

#include <atomic>
#include <chrono>
#include <iterator>
#include <memory>
#include <thread>
#include <vector>

namespace {

// How often the caller hears how far the search is.
constexpr int kProgressMs = 20;

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

} // namespace

QString CameraProbe::Channel::Name() const
{
    return clPort >= 0 ? QStringLiteral("cl-port:%1").arg(clPort) : device;
}

CameraProbe::CameraProbe(const QString &libraryPath) : m_libraryPath(libraryPath) {}

void CameraProbe::SetPortCatalog(const PortCatalog &catalog)
{
    portCatalog() = catalog;
}

QList<CameraProbe::Channel> CameraProbe::PortsPresent()
{
    QList<Channel> channels;
    // The console's ports: an ENQ there would land on someone's login.
    const QList<QString> console = portCatalog().ConsolePorts();
    QSet<QString> seen(console.begin(), console.end());
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
    for (int n = 1; n <= ComPortMap::kPortCount; ++n)
        add(ComPortMap::DeviceFor(n), n);
    for (const SerialPortEntry &port : listed)
        add(port.stableName, 0);
    return channels;
}

// What the channels' threads share while they probe.
struct CameraProbe::Search
{
    QString libraryPath;
    QList<Channel> channels;
    QList<QList<int>> rates;
    std::atomic<int> done{0};
    std::atomic<bool> stop{false};
    // Per channel, each written by its own thread only.
    QList<QList<Found>> found;
    QList<QStringList> problems;
};

QList<CameraProbe::Found> CameraProbe::Run(const QList<Channel> &channels, const Progress &progress)
{
    Search search;
    search.libraryPath = m_libraryPath;
    search.channels = channels;
    int total = 0;
    for (const Channel &channel : channels) {
        search.rates.append(RatesFor(channel));
        total += int(search.rates.last().size());
    }
    search.found.resize(channels.size());
    search.problems.resize(channels.size());
    m_stopped = false;
    m_problems.clear();

    auto goOn = [&] {
        if (!m_stopped && progress && !progress(search.done.load(), total))
            m_stopped = true;
        return !m_stopped;
    };
    if (goOn()) {
        // QThreads, not bare ones: a serial port's notifiers want them.
        std::vector<std::unique_ptr<QThread>> threads;
        threads.reserve(size_t(channels.size()));
        for (int c = 0; c < channels.size(); ++c) {
            threads.emplace_back(QThread::create([&search, c] { ProbeChannel(search, c); }));
            threads.back()->start();
        }
        // The caller's progress runs here, on its own thread, while the
        // channels are probed.
        while (search.done.load() < total) {
            std::this_thread::sleep_for(std::chrono::milliseconds(kProgressMs));
            if (!goOn()) {
                search.stop = true;
                break;
            }
        }
        for (const std::unique_ptr<QThread> &thread : threads)
            thread->wait();
        goOn();
    }

    QList<Found> found;
    for (int c = 0; c < channels.size(); ++c) {
        found += search.found.at(c);
        m_problems += search.problems.at(c);
    }
    return found;
}

void CameraProbe::ProbeChannel(Search &search, int index)
{
    const Channel &channel = search.channels.at(index);
    const QList<int> &rateList = search.rates.at(index);
    CameraData camera;
    for (int i = 0; i < rateList.size(); ++i) {
        if (search.stop)
            return;
        Found found;
        const Outcome outcome =
            ProbeAt(search, camera, channel, rateList.at(i), &found, &search.problems[index]);
        camera.Close();
        if (outcome == Answered)
            search.found[index].append(found);
        // Either way this channel is settled: the rates left are skipped.
        if (outcome != Silent) {
            search.done += int(rateList.size()) - i;
            return;
        }
        ++search.done;
    }
}

bool CameraProbe::Open(const Search &search, CameraData &camera, const Channel &channel, int baud,
                       QStringList *problems)
{
    if (channel.clPort < 0) {
        if (camera.OpenDevice(channel.device, baud) >= 0)
            return true;
        // The reason names the device itself.
        const QString why = camera.GetErrorReason();
        problems->append(
            why.startsWith(channel.device) ? why : channel.Name() + QStringLiteral(": ") + why);
        return false;
    }
    if (camera.OpenLibrary(search.libraryPath, channel.clPort, baud) < 0) {
        problems->append(channel.Name() + QStringLiteral(": ") + camera.GetErrorReason());
        return false;
    }
    return true;
}

QList<int> CameraProbe::RatesFor(const Channel &channel) const
{
    const QList<int> all(std::begin(ChannelSpec::kCameraRates),
                         std::end(ChannelSpec::kCameraRates));
    if (channel.clPort < 0)
        return all;
    // A grabber's port is tried at the rates its library can set it to; a
    // library that sets none is tried once, at the rate the port keeps.
    QList<int> rates;
    const QList<int> supported = LibraryRates(m_libraryPath, channel.clPort);
    for (int rate : all) {
        if (supported.contains(rate))
            rates.append(rate);
    }
    return rates.isEmpty() ? QList<int>{0} : rates;
}

QString CameraProbe::LibraryDirectory()
{
    return CameraLinkLibrary::LibraryDirectory();
}

QStringList CameraProbe::LibraryPortNames(const QString &library)
{
    return CameraLinkLibrary::Load(library) ? CameraLinkLibrary::PortIdentifiers() : QStringList();
}

QList<int> CameraProbe::LibraryRates(const QString &library, int port)
{
    // Asked on a port of its own; a port another connection holds says nothing.
    CameraLinkLibrary::Port asked = 0;
    if (!CameraLinkLibrary::Load(library) || CameraLinkLibrary::Init(quint32(port), &asked) != 0)
        return {};
    const QList<int> rates = CameraLinkLibrary::SupportedBaudRates(asked);
    CameraLinkLibrary::Close(asked);
    return rates;
}

QList<CameraProbe::Channel> CameraProbe::LibraryPorts(const QString &library, QString *why)
{
    QList<Channel> ports;
    if (CameraLinkLibrary::Load(library, why)) {
        for (int i = 0; i < CameraLinkLibrary::PortIdentifiers().size(); ++i) {
            Channel port;
            port.clPort = i;
            ports.append(port);
        }
    }
    return ports;
}

CameraProbe::Outcome CameraProbe::ProbeAt(Search &search, CameraData &camera,
                                          const Channel &channel, int baud, Found *found,
                                          QStringList *problems)
{
    if (!Open(search, camera, channel, baud, problems))
        return NotOpened;
    // Whatever an earlier rate left in the port is not an answer.
    camera.Purge(PortDriver::PURGE_RXCLEAR | PortDriver::PURGE_TXCLEAR);
    const char enq = CameraProtocol::ENQ;
    if (camera.Write(&enq, 1, 1000) != 1 || camera.WaitAck(kAckWaitMs) != 0)
        return Silent;

    // Something acknowledged: a camera's identity decides. Reads only.
    for (int i = Param::CameraInfoFirst; i <= Param::CameraInfoLast; ++i) {
        if (camera.ReadParam(i) < 0) {
            problems->append(QCoreApplication::translate(
                                 "CameraProbe", "%1 at %2 baud answered ENQ, but its identity "
                                                "could not be read: %3")
                                 .arg(channel.Name())
                                 .arg(baud)
                                 .arg(camera.GetErrorMessage()));
            return NoIdentity;
        }
        if (search.stop)
            return Silent;
    }
    found->channel = channel;
    found->baud = baud;
    found->info = CameraInfo::Decode(camera);
    return Answered;
}
