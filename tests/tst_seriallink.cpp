// The byte channel: opening, reading with deadlines, line errors, and the
// Camera Link path's refusals.
#include "comm/comportmap.h"
#include "comm/seriallink.h"
#include "sim/simportdriver.h"
#include "support/scriptedpeer.h"

#include <QtTest>

namespace {
struct Rig
{
    ScriptedPeer peer;
    SimPortDriver *driver = nullptr;
    SerialLink link;

    Rig()
    {
        auto d = std::make_unique<SimPortDriver>(&peer);
        driver = d.get();
        link.SetPortDriver(std::move(d));
    }
    qint64 now() { return link.NowMs(); }
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
    QCOMPARE(rig.link.OpenPort(1, 0), -ERR_TIMEOUT); // no flag set: 5
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
    rig.driver->InjectIncoming("\x02" "01", start + 100);
    rig.driver->InjectIncoming("2C", start + 2000);
    rig.driver->InjectIncoming("00\x03" "C4extra", start + 5000);
    char buffer[10] = {};
    QCOMPARE(rig.link.Read(buffer, 10, 1000), 10);
    QCOMPARE(QByteArray(buffer, 10), QByteArray("\x02" "012C00\x03" "C4"));
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
    QCOMPARE(rig.link.Write("x", 1, 1000), 0);
    QCOMPARE(rig.link.GetErrorCode(), int(ERR_IO));
    QCOMPARE(rig.now(), start);
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
    QCOMPARE(rig.link.Write("0123456789", 10, 1000), 3);
    QCOMPARE(rig.link.GetErrorCode(), int(ERR_TIMEOUT));
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

QTEST_GUILESS_MAIN(TestSerialLink)
#include "tst_seriallink.moc"
