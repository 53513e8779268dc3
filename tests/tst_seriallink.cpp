// The byte channel: opening, reading with deadlines, line errors, and the
// Camera Link path's refusals.
#include "comm/cameralinklibrary.h"
#include "comm/cameralinkportdriver.h"
#include "comm/cameraprotocol.h"
#include "comm/comportmap.h"
#include "comm/lineerrorcounter.h"
#include "comm/portcatalog.h"
#include "comm/seriallink.h"
#include "sim/simportdriver.h"
#include "support/scriptedpeer.h"
#include "support/simrig.h"

#include <QtTest>

#ifdef Q_OS_LINUX
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>
#endif

namespace {
// A grabber library on the channel's virtual clock, for the ways vendors'
// libraries read: it has `bytes` from `readyAtMs` on, hands out at most
// `perCall` of them (0: all it has), and either comes back at once or waits
// the time-out it was given when it has nothing.
struct FakeGrabber
{
    SimPortDriver *clock = nullptr;
    QByteArray bytes;
    qint64 readyAtMs = 0;
    int perCall = 0;
    bool waitsItsTimeout = false;
    quint32 extraClaimed = 0;        // claims this many bytes more than it gives
    quint32 writeKeeps = 0xFFFFFFFF; // of every write, at most this many bytes go out
    QList<quint32> readTimeouts;
    QList<quint32> writeTimeouts;
    int port = 0;
};
FakeGrabber grabber;

int32_t grabberInit(uint32_t, void **ref)
{
    *ref = &grabber.port;
    return 0;
}

int32_t grabberRead(void *, char *buffer, uint32_t *size, uint32_t timeoutMs)
{
    grabber.readTimeouts.append(timeoutMs);
    if (grabber.readTimeouts.size() > 100000)
        qFatal("the channel does not stop asking");
    const bool ready = grabber.clock->NowMs() >= grabber.readyAtMs;
    quint32 n = ready ? quint32(qMin<qsizetype>(*size, grabber.bytes.size())) : 0;
    if (grabber.perCall > 0)
        n = qMin(n, quint32(grabber.perCall));
    if (n == 0 && grabber.waitsItsTimeout)
        grabber.clock->AdvanceMs(timeoutMs);
    std::memcpy(buffer, grabber.bytes.constData(), n);
    grabber.bytes.remove(0, n);
    *size = n + grabber.extraClaimed;
    return n == 0 ? -10004 : 0;
}

int32_t grabberWrite(void *, char *, uint32_t *size, uint32_t timeoutMs)
{
    grabber.writeTimeouts.append(timeoutMs);
    *size = qMin(*size, grabber.writeKeeps);
    return 0;
}

void grabberClose(void *) {}

// The fake grabber's functions as the library, on the virtual clock of a
// COM port that is never opened.
class FakeGrabberDriver : public CameraLinkPortDriver
{
public:
    bool Load(const QString &) override
    {
        CameraLinkLibrary::EntryPoints entry;
        entry.init = grabberInit;
        entry.read = grabberRead;
        entry.write = grabberWrite;
        entry.close = grabberClose;
        return CameraLinkLibrary::Install(entry);
    }
    qint64 NowMs() override { return grabber.clock->NowMs(); }
    void Pause(qint64 ms) override { grabber.clock->AdvanceMs(ms); }
};

struct GrabberRig
{
    SimPortDriver clock{nullptr};
    CameraProtocol link;
    GrabberRig()
    {
        grabber = FakeGrabber();
        grabber.clock = &clock;
        link.SetPortDriver(std::make_unique<FakeGrabberDriver>(), true);
        if (link.OpenLibrary(QStringLiteral("fake")) != 0 || !link.IsChannelOpen())
            qFatal("fake grabber did not open");
    }
    ~GrabberRig() { CameraLinkLibrary::Install(CameraLinkLibrary::EntryPoints()); }
    qint64 now() { return link.NowMs(); }
};

struct Rig : SimRig<SerialLink, ScriptedPeer>
{
    Rig() : SimRig(0) {}
};
} // namespace

class TestSerialLink : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { ComPortMap::ClearOverrides(); }
    void portNumberRange();
    void realPortThatDoesNotExist();
    void deviceBehindPortNumber();
    void refusedConfigurationKeepsPortOpen();
    void countAndStateChecks();
    void readDeadlines();
    void readGathersPieces();
    void lineErrorDuringRead();
    void mapCommErrorsOrder_data();
    void mapCommErrorsOrder();
    void shortWriteRecordsTimeout();
    void closeTwice();
    void lineErrorCounters_data();
    void lineErrorCounters();
    void portCatalogueFromDeviceFolders();
    void cameraLinkReadsUntilItsDeadline_data();
    void cameraLinkReadsUntilItsDeadline();
    void cameraLinkShortWriteRecordsTimeout();
};

void TestSerialLink::portNumberRange()
{
    Rig rig;
    QCOMPARE(rig.link.OpenPort(3, 9600), 0);
    for (int bad : {11, -1, 1000}) {
        QCOMPARE(rig.link.OpenPort(bad, 115200), -ERR_PORT_NUMBER);
        QVERIFY(!rig.link.IsPortOpen()); // the earlier port was closed first
        QCOMPARE(rig.link.PortNumber(), 3);
        QCOMPARE(rig.link.BaudRate(), 9600);
    }
    QCOMPARE(rig.link.OpenPort(10, 115200), 0);
    QCOMPARE(rig.driver->Baud(), 115200);
}

void TestSerialLink::realPortThatDoesNotExist()
{
    // COM0 names no device; the attempt is made and fails to open.
    SerialLink link;
    QCOMPARE(link.OpenPort(0, 9600), -ERR_PORT_OPEN);
    QCOMPARE(link.PortNumber(), 0);
    ComPortMap::SetOverride(2, QStringLiteral("/nonexistent/zq-port"));
    QCOMPARE(link.OpenPort(2, 9600), -ERR_PORT_OPEN);
    QCOMPARE(link.PortNumber(), 2);
    QCOMPARE(link.Read(nullptr, 1, 10), -ERR_PORT_NOT_OPEN);
#ifdef Q_OS_LINUX
    // A line whose far end hung up is seen to have gone before any exchange.
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    QVERIFY(master >= 0 && ::grantpt(master) == 0 && ::unlockpt(master) == 0);
    ComPortMap::SetOverride(3, QString::fromLatin1(::ptsname(master)));
    QCOMPARE(link.OpenPort(3, 9600), 0);
    QVERIFY(!link.WaitsToReopen());
    ::close(master);
    QVERIFY(link.WaitsToReopen());
    link.Close();
#endif
    ComPortMap::ClearOverrides();
}

void TestSerialLink::deviceBehindPortNumber()
{
    Rig rig;
    QCOMPARE(rig.link.OpenPort(1, 9600), 0);
#ifdef Q_OS_WIN
    QCOMPARE(rig.driver->Device(), QStringLiteral("COM1"));
#else
    QCOMPARE(rig.driver->Device(), QStringLiteral("/dev/ttyS0"));
#endif
    QVERIFY(ComPortMap::ParseOverride(QStringLiteral("4=/tmp/zqcam")));
    QVERIFY(!ComPortMap::ParseOverride(QStringLiteral("4")));
    QVERIFY(!ComPortMap::ParseOverride(QStringLiteral("11=/dev/x")));
    QVERIFY(!ComPortMap::ParseOverride(QStringLiteral("x=/dev/x")));
    QCOMPARE(rig.link.OpenPort(4, 9600), 0);
    QCOMPARE(rig.driver->Device(), QStringLiteral("/tmp/zqcam"));
}

void TestSerialLink::refusedConfigurationKeepsPortOpen()
{
    Rig rig;
    QCOMPARE(rig.link.OpenPort(1, 0), -ERR_LINE_SETTING); // said so, not a time-out
    QVERIFY(rig.link.IsPortOpen());
    QCOMPARE(rig.link.BaudRate(), 0);
    rig.driver->InjectLineErrors(PortDriver::CE_MODE);
    QCOMPARE(rig.link.OpenPort(1, 9600, 7, 0, 0), -ERR_MODE);
}

void TestSerialLink::countAndStateChecks()
{
    Rig rig;
    char buffer[4] = {};
    QCOMPARE(rig.link.Write("x", 1, 1000), -ERR_PORT_NOT_OPEN);
    QCOMPARE(rig.link.Read(buffer, 1, 1000), -ERR_PORT_NOT_OPEN);
    QCOMPARE(rig.link.Purge(PortDriver::PURGE_RXCLEAR), -ERR_PORT_NOT_OPEN);
    QCOMPARE(rig.link.OpenPort(1, 9600), 0);
    const qint64 start = rig.now();
    QCOMPARE(rig.link.Write("x", 0, 1000), -ERR_SIZE);
    QCOMPARE(rig.link.Read(buffer, 0, 1000), -ERR_SIZE);
    QCOMPARE(rig.link.Read(buffer, -2, 1000), -ERR_SIZE);
    QVERIFY(rig.driver->Sent().isEmpty());
    QCOMPARE(rig.now(), start);
    QCOMPARE(rig.link.Purge(PortDriver::PURGE_RXCLEAR), 0);
}

void TestSerialLink::readDeadlines()
{
    Rig rig;
    QCOMPARE(rig.link.OpenPort(1, 9600), 0);
    char buffer[9] = {};
    qint64 start = rig.now();
    QCOMPARE(rig.link.Read(buffer, 9, 1000), -ERR_TIMEOUT);
    QVERIFY2(rig.now() - start >= 9000 && rig.now() - start <= 9002,
             qPrintable(QString::number(rig.now() - start)));
    start = rig.now();
    QCOMPARE(rig.link.Read(buffer, 1, 4000), -ERR_TIMEOUT);
    QVERIFY(rig.now() - start >= 4000 && rig.now() - start <= 4002);
    QVERIFY2(rig.driver->WaitCount() <= 4, "reads must block, not poll");

    // A read that gives up discards what the line holds: the next starts clean.
    const int purges = rig.driver->PurgeCount();
    QCOMPARE(rig.link.Read(buffer, 1, 10), -ERR_TIMEOUT);
    QCOMPARE(rig.driver->PurgeCount(), purges + 1);

    // A byte that comes after the deadline is not part of this read.
    start = rig.now();
    rig.driver->InjectIncoming("A", start + 1500);
    QCOMPARE(rig.link.Read(buffer, 1, 1000), -ERR_TIMEOUT);
    QVERIFY(rig.now() - start < 1500);
}

void TestSerialLink::readGathersPieces()
{
    Rig rig;
    QCOMPARE(rig.link.OpenPort(1, 9600), 0);
    const qint64 start = rig.now();
    rig.driver->InjectIncoming("\x02"
                               "01",
                               start + 100);
    rig.driver->InjectIncoming("2C", start + 2000);
    rig.driver->InjectIncoming("00\x03"
                               "C4extra",
                               start + 5000);
    char buffer[10] = {};
    QCOMPARE(rig.link.Read(buffer, 10, 1000), 10);
    QCOMPARE(QByteArray(buffer, 10), QByteArray("\x02"
                                                "012C00\x03"
                                                "C4"));
    char rest[5] = {};
    QCOMPARE(rig.link.Read(rest, 5, 1000), 5);
    QCOMPARE(QByteArray(rest, 5), QByteArray("extra"));
}

void TestSerialLink::lineErrorDuringRead()
{
    Rig rig;
    QCOMPARE(rig.link.OpenPort(1, 9600), 0);
    char buffer[1] = {};
    rig.driver->InjectLineErrors(PortDriver::CE_FRAME);
    QCOMPARE(rig.link.Read(buffer, 1, 1000), -ERR_FRAME);
    QCOMPARE(rig.link.GetErrorMessage(),
             QStringLiteral("ERROR - Framing error detected on camera communication."));
    // That read cleared the flags.
    QCOMPARE(rig.link.Read(buffer, 1, 1000), -ERR_TIMEOUT);
    // A device that fails outright is reported at once, without waiting.
    rig.driver->SetDead(true);
    const qint64 start = rig.now();
    QCOMPARE(rig.link.Read(buffer, 1, 4000), -ERR_IO);
    QVERIFY(!rig.link.IsPortOpen());                 // closed, to be opened again
    QCOMPARE(rig.link.Write("x", 1, 1000), -ERR_IO); // a failure, never "0 written"
    QCOMPARE(rig.link.Purge(PortDriver::PURGE_RXCLEAR), -ERR_IO);
    QCOMPARE(rig.now(), start);

    // The device comes back: the next transfer opens the same one with the
    // same settings. A write that fails closes it too; Close ends the retries.
    rig.driver->SetDead(false);
    ComPortMap::SetOverride(4, QStringLiteral("/dev/ttyUSB3"));
    QCOMPARE(rig.link.OpenPort(4, 115200), 0);
    const int opens = rig.driver->OpenCount();
    rig.driver->SetDead(true);
    QVERIFY(rig.link.Write("x", 1, 1000) < 0);
    QVERIFY(!rig.link.IsPortOpen());
    QCOMPARE(rig.link.Read(buffer, 1, 1000), -ERR_IO);
    rig.driver->SetDead(false);
    QCOMPARE(rig.link.Purge(PortDriver::PURGE_RXCLEAR), 0);
    QVERIFY(rig.link.IsPortOpen());
    QCOMPARE(rig.driver->OpenCount(), opens + 1);
    QCOMPARE(rig.driver->Device(), QStringLiteral("/dev/ttyUSB3"));
    QCOMPARE(rig.driver->Baud(), 115200);
    QCOMPARE(rig.link.PortNumber(), 4);
    QCOMPARE(rig.link.Write("x", 1, 1000), 1);
    rig.driver->SetDead(true);
    QCOMPARE(rig.link.Read(buffer, 1, 1000), -ERR_IO);
    rig.link.Close();
    rig.driver->SetDead(false);
    QCOMPARE(rig.link.Read(buffer, 1, 1000), -ERR_PORT_NOT_OPEN);
    QCOMPARE(rig.driver->OpenCount(), opens + 1);
}

void TestSerialLink::mapCommErrorsOrder_data()
{
    QTest::addColumn<quint32>("flags");
    QTest::addColumn<int>("code");
    QTest::newRow("none") << 0u << 5;
    QTest::newRow("unknown bit") << 0x4000u << 5;
    QTest::newRow("mode wins") << 0xFFFFu << 12;
    QTest::newRow("break before frame") << (0x0010u | 0x0008u) << 9;
    QTest::newRow("frame before io") << (0x0008u | 0x0400u) << 10;
    QTest::newRow("io before overrun") << (0x0400u | 0x0002u) << 11;
    QTest::newRow("overrun before rxover") << (0x0002u | 0x0001u) << 13;
    QTest::newRow("rxover before parity") << (0x0001u | 0x0004u) << 14;
    QTest::newRow("parity before txfull") << (0x0004u | 0x0100u) << 15;
    QTest::newRow("txfull before dns") << (0x0100u | 0x0800u) << 16;
    QTest::newRow("dns before pto") << (0x0800u | 0x0200u) << 17;
    QTest::newRow("pto before oop") << (0x0200u | 0x1000u) << 18;
    QTest::newRow("oop") << 0x1000u << 19;
}

void TestSerialLink::mapCommErrorsOrder()
{
    QFETCH(quint32, flags);
    QFETCH(int, code);
    QCOMPARE(SerialLink::MapCommErrors(flags), code);
}

void TestSerialLink::shortWriteRecordsTimeout()
{
    Rig rig;
    QCOMPARE(rig.link.OpenPort(1, 9600), 0);
    QCOMPARE(rig.link.GetErrorCode(), 0);
    rig.driver->SetShortWrite(3);
    const qint64 start = rig.now();
    QCOMPARE(rig.link.Write("0123456789", 10, 1000), 3);
    QCOMPARE(rig.link.GetErrorCode(), int(ERR_TIMEOUT));
    // The driver was given the time-out once per byte of the write.
    const qint64 waited = rig.now() - start;
    QVERIFY2(waited >= 10000 && waited < 10010, qPrintable(QString::number(waited)));
}

void TestSerialLink::closeTwice()
{
    Rig rig;
    QCOMPARE(rig.link.OpenPort(1, 9600), 0);
    QCOMPARE(rig.link.Close(), 0);
    QVERIFY(!rig.link.IsPortOpen());
    QCOMPARE(rig.link.Close(), 0);
    QCOMPARE(rig.link.GetErrorCode(), 0);
}

void TestSerialLink::lineErrorCounters_data()
{
    using C = LineErrorCounter;
    QTest::addColumn<C::Counts>("now");
    QTest::addColumn<quint32>("flags");
    QTest::newRow("no growth") << C::Counts{5, 1, 0, 2, 0} << 0u;
    QTest::newRow("frame") << C::Counts{6, 1, 0, 2, 0} << quint32(PortDriver::CE_FRAME);
    QTest::newRow("overrun") << C::Counts{5, 9, 0, 2, 0} << quint32(PortDriver::CE_OVERRUN);
    QTest::newRow("parity") << C::Counts{5, 1, 1, 2, 0} << quint32(PortDriver::CE_RXPARITY);
    QTest::newRow("break") << C::Counts{5, 1, 0, 3, 0} << quint32(PortDriver::CE_BREAK);
    QTest::newRow("buffer") << C::Counts{5, 1, 0, 2, 4} << quint32(PortDriver::CE_RXOVER);
    QTest::newRow("frame and parity")
        << C::Counts{7, 1, 3, 2, 0} << quint32(PortDriver::CE_FRAME | PortDriver::CE_RXPARITY);
}

void TestSerialLink::lineErrorCounters()
{
    // The counters are not cleared by whoever else looks at the port (on
    // Windows Qt clears the flags after every read): their growth is what
    // tells a framing error from a time-out.
    QFETCH(LineErrorCounter::Counts, now);
    QFETCH(quint32, flags);
    const LineErrorCounter::Counts before{5, 1, 0, 2, 0};
    QCOMPARE(LineErrorCounter::FlagsForGrowth(before, now), flags);
    QCOMPARE(SerialLink::MapCommErrors(flags) == ERR_TIMEOUT, flags == 0);
}

void TestSerialLink::cameraLinkReadsUntilItsDeadline_data()
{
    QTest::addColumn<int>("readyAtMs");
    QTest::addColumn<int>("perCall");
    QTest::addColumn<bool>("waitsItsTimeout");
    QTest::addColumn<int>("extraClaimed");
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("minMs");
    QTest::addColumn<int>("maxMs");
    QTest::addColumn<int>("maxCalls");
    // Nine reply bytes at 1000 ms a byte: the deadline is 9000 ms away.
    QTest::newRow("all at once") << 0 << 0 << false << 0 << 9 << 0 << 0 << 1;
    QTest::newRow("one byte a call") << 0 << 1 << false << 0 << 9 << 0 << 10 << 9;
    QTest::newRow("answer after 2.5 s, back at once")
        << 2500 << 0 << false << 0 << 9 << 2500 << 2501 << 2502;
    QTest::newRow("answer after 2.5 s, waits") << 2500 << 3 << true << 0 << 9 << 3000 << 3006 << 6;
    QTest::newRow("silent, back at once") << 99999 << 0 << false << 0 << -5 << 9000 << 9000 << 9001;
    QTest::newRow("silent, waits") << 99999 << 0 << true << 0 << -5 << 9000 << 9000 << 9;
    QTest::newRow("answer after the deadline") << 9500 << 0 << true << 0 << -5 << 9000 << 9000 << 9;
    QTest::newRow("claims more than asked") << 0 << 0 << false << 1 << -5 << 0 << 0 << 1;
}

void TestSerialLink::cameraLinkReadsUntilItsDeadline()
{
    QFETCH(int, readyAtMs);
    QFETCH(int, perCall);
    QFETCH(bool, waitsItsTimeout);
    QFETCH(int, extraClaimed);
    QFETCH(int, result);
    QFETCH(int, minMs);
    QFETCH(int, maxMs);
    QFETCH(int, maxCalls);
    GrabberRig rig;
    const qint64 start = rig.now();
    grabber.bytes = "012C00\x03"
                    "C4";
    grabber.readyAtMs = start + readyAtMs;
    grabber.perCall = perCall;
    grabber.waitsItsTimeout = waitsItsTimeout;
    grabber.extraClaimed = quint32(extraClaimed);

    char buffer[9] = {};
    QCOMPARE(rig.link.Read(buffer, 9, 1000), result);
    const qint64 spent = rig.now() - start;
    QVERIFY2(spent >= minMs && spent <= maxMs, qPrintable(QString::number(spent)));
    QVERIFY2(grabber.readTimeouts.size() <= maxCalls,
             qPrintable(QString::number(grabber.readTimeouts.size())));
    // The library gets the time-out per call, never the read's whole time.
    QCOMPARE(grabber.readTimeouts.first(), 1000u);
    for (quint32 t : grabber.readTimeouts)
        QVERIFY(t <= 1000);
    if (result > 0)
        QCOMPARE(QByteArray(buffer, 9), QByteArray("012C00\x03"
                                                   "C4"));
}

void TestSerialLink::cameraLinkShortWriteRecordsTimeout()
{
    // Not the "not opened" the purge on a Camera Link channel records.
    GrabberRig rig;
    grabber.writeKeeps = 8;
    QCOMPARE(rig.link.Write("0123456789", 10, 1000), 8);
    QCOMPARE(rig.link.GetErrorCode(), int(ERR_TIMEOUT));
    QCOMPARE(grabber.writeTimeouts, QList<quint32>({1000u}));
    grabber.writeKeeps = 1;
    grabber.bytes = QByteArray(1, CameraProtocol::ACK);
    QCOMPARE(rig.link.SendCommand("0102"), -ERR_TIMEOUT); // ENQ acknowledged, frame cut short
    grabber.writeKeeps = 0;
    QCOMPARE(rig.link.SendCommand("0102"), -ERR_TIMEOUT); // ENQ itself cut short
}

void TestSerialLink::portCatalogueFromDeviceFolders()
{
#ifdef Q_OS_WIN
    QSKIP("Windows lists its ports from the registry, not from device folders");
#endif
    // A machine's folders in small: two adapters (one with a by-id name),
    // a modem-class adapter, an on-board port, an empty UART slot, a
    // console, and a port whose device node is gone.
    QTemporaryDir root;
    const QDir dir(root.path());
    const auto put = [&](const QString &file, const QByteArray &text = {}) {
        QVERIFY(dir.mkpath(QFileInfo(dir.filePath(file)).path()));
        QFile f(dir.filePath(file));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(text);
    };
    const auto link = [&](const QString &from, const QString &to) {
        QVERIFY(dir.mkpath(QFileInfo(dir.filePath(from)).path()));
        QVERIFY(QFile::link(dir.filePath(to), dir.filePath(from)));
    };
    const auto usb = [&](const QString &at, const QStringList &fields) {
        const char *names[] = {"idVendor", "idProduct", "serial", "manufacturer", "product"};
        for (int i = 0; i < fields.size(); ++i)
            put(at + QLatin1Char('/') + QLatin1String(names[i]), fields[i].toUtf8() + "\n");
    };
    for (const char *node : {"ttyS0", "ttyS1", "ttyUSB0", "ttyUSB1", "ttyACM0", "tty0"})
        put(QStringLiteral("dev/") + QLatin1String(node));
    usb("sys/usb1/1-1", {"0403", "6001", "A1B2C3", "FTDI", "FT232R USB UART"});
    put("sys/usb1/1-1/1-1:1.0/ttyUSB1/latency_timer", "16\n");
    link("tty/ttyUSB1/device", "sys/usb1/1-1/1-1:1.0/ttyUSB1");
    link("by-id/usb-FTDI_FT232R_USB_UART_A1B2C3-if00-port0", "dev/ttyUSB1");
    usb("sys/usb1/1-2", {"067b", "2303", "", "Prolific", ""});
    put("sys/usb1/1-2/1-2:1.0/ttyUSB0/latency_timer", "1\n");
    link("tty/ttyUSB0/device", "sys/usb1/1-2/1-2:1.0/ttyUSB0");
    usb("sys/usb1/1-3", {"2341", "0043", "7563", "Arduino", "Uno"});
    put("sys/usb1/1-3/1-3:1.0/bInterfaceClass", "02\n");
    link("tty/ttyACM0/device", "sys/usb1/1-3/1-3:1.0");
    link("by-id/usb-Arduino_Uno_7563-if00", "dev/ttyACM0");
    put("sys/drivers/serial/bind");
    link("sys/pnp0/00:01/driver", "sys/drivers/serial");
    link("tty/ttyS0/device", "sys/pnp0/00:01");
    put("tty/ttyS0/type", "4\n");
    link("tty/ttyS1/device", "sys/pnp0/00:01");
    put("tty/ttyS1/type", "0\n");
    put("tty/tty0/dev");
    link("tty/ttyUSB7/device", "sys/usb1/1-2/1-2:1.0/ttyUSB0");

    const PortCatalog catalog(dir.filePath("by-id"), dir.filePath("tty"), dir.filePath("dev"));
    QStringList listed;
    for (const SerialPortEntry &p : catalog.List()) {
        listed << QStringLiteral("%1|%2|%3|%4|%5|%6|%7")
                      .arg(dir.relativeFilePath(p.stableName), dir.relativeFilePath(p.kernelName),
                           p.UsbId(), p.serialNumber, p.manufacturer, p.description,
                           QString::number(p.latencyMs));
    }
    QCOMPARE(
        listed,
        QStringList({"by-id/usb-Arduino_Uno_7563-if00|dev/ttyACM0|2341:0043|7563|Arduino|Uno|-1",
                     "dev/ttyS0|dev/ttyS0||||serial|-1",
                     "dev/ttyUSB0|dev/ttyUSB0|067b:2303||Prolific||1",
                     "by-id/usb-FTDI_FT232R_USB_UART_A1B2C3-if00-port0|dev/ttyUSB1|0403:6001|"
                     "A1B2C3|FTDI|FT232R USB UART|16"}));
    // A stored kernel name and the by-id name find the same port.
    const QString byId = dir.filePath("by-id/usb-FTDI_FT232R_USB_UART_A1B2C3-if00-port0");
    QCOMPARE(catalog.Describe(dir.filePath("dev/ttyUSB1")).stableName, byId);
    QCOMPARE(catalog.Describe(byId).latencyMs, 16);
    QCOMPARE(catalog.Describe(dir.filePath("dev/nothing")).stableName, dir.filePath("dev/nothing"));
    QVERIFY(PortCatalog::LatencyWarning(16).startsWith("latency timer 16 ms:"));
    QVERIFY(PortCatalog::LatencyWarning(2).isEmpty());
}

QTEST_GUILESS_MAIN(TestSerialLink)
#include "tst_seriallink.moc"
