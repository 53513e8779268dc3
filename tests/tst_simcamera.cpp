#include "camera/cameradata.h"
#include "sim/simcamera.h"
#include "sim/simoptions.h"
#include "sim/simportdriver.h"
#include "support/simrig.h"

#include <QtTest>

#include <memory>

namespace {

// The program's camera object talking to the simulated camera on virtual time.
struct Rig : SimRig<CameraData>
{
    explicit Rig(const SimConfig &config = SimConfig()) : SimRig(115200, config) {}
    SimCamera &sim = peer;
    CameraData &cam = link;
};

QByteArray frame(const QByteArray &payload)
{
    return CameraProtocol::BuildFrame(payload);
}

// Texts as the panel reads them: two characters a register, low byte first,
// ending at the first zero byte.
QByteArray text(const CameraData &cam, int first, int count)
{
    QByteArray out;
    for (int i = first; i < first + count; ++i) {
        for (int c : {cam.GetValue(i) & 0xFF, cam.GetValue(i) >> 8}) {
            if (c == 0)
                return out;
            out += char(c);
        }
    }
    return out;
}

} // namespace

Q_DECLARE_METATYPE(SimFaults)

class TestSimCamera : public QObject
{
    Q_OBJECT
private slots:
    void readAllGivesDefaultsAndIdentity_data();
    void readAllGivesDefaultsAndIdentity();
    void writeThenReadRoundTrip_data();
    void writeThenReadRoundTrip();
    void accessCodeGuardsIdentification();
    void whiteSpotDetection_data();
    void whiteSpotDetection();
    void factorySetRestoresDefaults();
    void faultsGiveTheProtocolsCodes_data();
    void faultsGiveTheProtocolsCodes();
    void bytesInAnySplit();
    void framingAndReplyRetries();
    void faultsStartInTheMiddle();
    void silenceForSomeEnqsEnds();
    void faultOptionsParse();
    void scriptedReadsAndRefusedWrites();
};

void TestSimCamera::readAllGivesDefaultsAndIdentity_data()
{
    QTest::addColumn<QByteArray>("vendor");
    QTest::addColumn<QByteArray>("model");
    QTest::addColumn<QByteArray>("serial");
    QTest::addColumn<QByteArray>("version");
    QTest::addColumn<int>("serialLastRegister");
    QTest::newRow("defaults") << QByteArray("Vantorix") << QByteArray("ZQ-M710ALX")
                              << QByteArray("1234567") << QByteArray("1.0.9.0") << 0x0037;
    QTest::newRow("odd, full, eight digits")
        << QByteArray("ABC") << QByteArray("ZQ-M710ALX-FULL!") << QByteArray("12345678")
        << QByteArray("2.3.4.5") << 0x3837;
}

void TestSimCamera::readAllGivesDefaultsAndIdentity()
{
    QFETCH(QByteArray, vendor);
    QFETCH(QByteArray, model);
    QFETCH(QByteArray, serial);
    QFETCH(QByteArray, version);
    QFETCH(int, serialLastRegister);
    SimConfig config;
    config.vendor = vendor;
    config.model = model;
    config.serial = serial;
    config.version = version;
    Rig rig(config);
    for (int i = 0; i < PARAM_COUNT; ++i)
        rig.cam.SetValue(i, -1); // so every value shown below came from the camera

    QCOMPARE(rig.cam.ReadAll(), 1);
    for (int i = 0; i <= 30; ++i) {
        // 28 and 29 are the first white-spot entry: the end mark until a detection.
        const int expected = i == 28 ? 0xFFFF : i == 29 ? 0 : ParamTable::GetDefault(i);
        QVERIFY2(rig.cam.GetValue(i) == expected, qPrintable(QString::number(i)));
    }
    QCOMPARE(text(rig.cam, 31, 8), vendor);
    QCOMPARE(text(rig.cam, 39, 8), model);
    QCOMPARE(text(rig.cam, 47, 4), serial);
    QCOMPARE(rig.cam.GetValue(50), serialLastRegister);
    const QByteArray chars = QByteArray(version).replace('.', "");
    QCOMPARE(rig.cam.GetValue(51), quint8(chars[0]) | quint8(chars[1]) << 8);
    QCOMPARE(rig.cam.GetValue(52), quint8(chars[2]) | quint8(chars[3]) << 8);
    QCOMPARE(rig.cam.GetValue(53), 0);
}

void TestSimCamera::writeThenReadRoundTrip_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("value");
    QTest::addColumn<QByteArray>("wire");
    QTest::newRow("1 byte") << 4 << 200 << QByteArray("C80000");
    QTest::newRow("2 bytes, gain") << 5 << 300 << QByteArray("012C00");
    QTest::newRow("2 bytes, shutter max") << 7 << 1536 << QByteArray("060000");
    QTest::newRow("2 bytes, width") << 19 << 1000 << QByteArray("03E800");
}

void TestSimCamera::writeThenReadRoundTrip()
{
    QFETCH(int, index);
    QFETCH(int, value);
    QFETCH(QByteArray, wire);
    Rig rig;
    const ParamInfo &row = ParamTable::Row(index);

    QCOMPARE(rig.cam.WriteParam(index, value), 1);
    QCOMPARE(rig.sim.Registers().Get(0x01, row.address), wire);
    rig.cam.SetValue(index, 0);
    QCOMPARE(rig.cam.ReadParam(index), 1);
    QCOMPARE(rig.cam.GetValue(index), value);
    // The FPGA answers with what was written to the EEPROM.
    int fpga = -1;
    QCOMPARE(
        rig.cam.ReadRegister(0x00, 0xFF, row.readCode, row.address, row.lower, row.upper, &fpga),
        0);
    QCOMPARE(fpga, value);
    if (index == 5) // the worked example, byte for byte
        QCOMPARE(rig.sim.Frames().first(), QByteArray("\x02"
                                                      "01FF010C012C00\x03"
                                                      "03"));
}

void TestSimCamera::accessCodeGuardsIdentification()
{
    Rig rig;
    const QByteArray serialTail = rig.sim.Registers().Get(0x10, 0x13);
    auto writeSerialTail = [&](int value) {
        return rig.cam.WriteRegister(0x01, 0xFF, 0x10, 0x13, 0, 65535, value);
    };
    QCOMPARE(writeSerialTail(0x3837), -20);
    QCOMPARE(rig.sim.Registers().Get(0x10, 0x13), serialTail);

    QVERIFY(rig.cam.WriteParam(53, 0x3A5C) >= 0);
    QCOMPARE(rig.sim.Registers().Get(0x01, 0x60), QByteArray("3A5C00"));
    QCOMPARE(writeSerialTail(0x3837), 0);
    QCOMPARE(rig.sim.Registers().Get(0x10, 0x13), QByteArray("373800"));
    QCOMPARE(rig.cam.ReadParam(50), 1);
    QCOMPARE(rig.cam.GetValue(50), 0x3837);

    // Any other code locks again; the FPGA register is the same one.
    QCOMPARE(rig.cam.WriteRegister(0x00, 0xFF, 0x01, 0x60, 0, 65535, 0x1234), 0);
    QCOMPARE(writeSerialTail(0x0037), -20);
}

void TestSimCamera::whiteSpotDetection_data()
{
    QTest::addColumn<int>("outcome");
    QTest::newRow("finished") << 0;
    QTest::newRow("too many") << 2;
    QTest::newRow("error") << 3;
}

void TestSimCamera::whiteSpotDetection()
{
    QFETCH(int, outcome);
    SimConfig config;
    config.detectBusyPolls = 2;
    config.detectOutcome = outcome;
    config.spots = {{12, 345}, {2047, 1}};
    Rig rig(config);
    auto address = [&](int reg) {
        char reply[28] = {};
        const QByteArray payload = QByteArray("00FF91") +
                                   QByteArray::number(reg, 16).toUpper().rightJustified(2, '0') +
                                   "000000";
        return rig.cam.SendAndReceive(payload, reply) == 6 ? QByteArray(reply) : QByteArray();
    };

    QCOMPARE(rig.cam.WriteParam(26, 1), 1);
    // The EEPROM holds the setting; reading it does not count as a poll.
    int eeprom = -1;
    QCOMPARE(rig.cam.ReadRegister(0x01, 0xFF, 0x81, 0x4D, 0, 1, &eeprom), 0);
    QCOMPARE(eeprom, 1);
    QList<int> polls;
    for (int i = 0; i < 3; ++i) {
        QVERIFY(rig.cam.ReadParam(26) >= 0);
        polls << rig.cam.GetValue(26);
    }
    QCOMPARE(polls, (QList<int>{1, 1, outcome}));
    QCOMPARE(rig.cam.ReadParam(26), 0); // stays at the outcome
    QVERIFY(rig.sim.Payloads().contains("00FF814D000000"));

    if (outcome != 0) {
        QCOMPARE(address(0), QByteArray("FFFF00")); // still empty
        return;
    }
    QCOMPARE(address(0), QByteArray("000C00"));
    QCOMPARE(address(1), QByteArray("015900"));
    QCOMPARE(address(2), QByteArray("07FF00"));
    QCOMPARE(address(3), QByteArray("000100"));
    QCOMPARE(address(4), QByteArray("FFFF00"));
}

void TestSimCamera::factorySetRestoresDefaults()
{
    Rig rig;
    QCOMPARE(rig.cam.WriteParam(5, 300), 1);
    QCOMPARE(rig.cam.WriteParam(22, 10), 1);
    QCOMPARE(rig.cam.WriteParam(53, 0x3A5C), 1);
    QCOMPARE(rig.cam.WriteParam(20, 1), 1);

    QList<int> reads;
    for (int i = 0; i < 3; ++i) {
        QVERIFY(rig.cam.ReadParam(20) >= 0);
        reads << rig.cam.GetValue(20);
    }
    QCOMPARE(reads, (QList<int>{1, 1, 0}));
    QCOMPARE(rig.cam.ReadParam(5), 1);
    QCOMPARE(rig.cam.GetValue(5), 0);
    QCOMPARE(rig.cam.ReadParam(22), 1);
    QCOMPARE(rig.cam.GetValue(22), 32);
    // Identification and the access code are no settings.
    QCOMPARE(rig.sim.Registers().Get(0x10, 0x00), QByteArray("566100"));
    QVERIFY(rig.sim.IsUnlocked());
}

void TestSimCamera::faultsGiveTheProtocolsCodes_data()
{
    QTest::addColumn<SimFaults>("faults");
    QTest::addColumn<bool>("read");
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("minMs");
    QTest::addColumn<int>("maxMs");
    SimFaults f;
    f.silent = true;
    QTest::newRow("silent write") << f << false << -5 << 4000 << 4100;
    QTest::newRow("silent read") << f << true << -5 << 4000 << 4100;
    f = {};
    f.dieAfter = 0;
    QTest::newRow("dead line") << f << false << -5 << 4000 << 4100;
    f = {};
    f.refuseWrites = true;
    QTest::newRow("refused writes") << f << false << -20 << 0 << 100;
    f = {};
    f.badChecksumAlways = true;
    QTest::newRow("bad checksum always") << f << true << -25 << 0 << 200;
    f = {};
    f.noReply = true;
    QTest::newRow("no reply") << f << true << -5 << 16000 << 16200;
    f = {};
    f.refuseEnq = 3;
    QTest::newRow("three ENQs refused") << f << false << 1 << 0 << 100;
    f.refuseEnq = 4;
    QTest::newRow("four ENQs refused") << f << false << -20 << 0 << 100;
    f = {};
    f.noise = 5;
    f.badChecksum = 3;
    QTest::newRow("noise and three bad replies") << f << true << 1 << 0 << 200;
    f = {};
    f.lowerCase = true;
    QTest::newRow("lower-case checksum") << f << true << 1 << 0 << 100;
}

void TestSimCamera::faultsGiveTheProtocolsCodes()
{
    QFETCH(SimFaults, faults);
    QFETCH(bool, read);
    QFETCH(int, result);
    QFETCH(int, minMs);
    QFETCH(int, maxMs);
    Rig rig;
    rig.sim.SetFaults(faults);
    // Parameter 5 (default 0) reads with the checksum "DA": lower case shows.
    if (read)
        rig.cam.SetValue(5, 99);
    const qint64 start = rig.driver->NowMs();
    QCOMPARE(read ? rig.cam.ReadParam(5) : rig.cam.WriteParam(5, 300), result);
    const qint64 elapsed = rig.driver->NowMs() - start;
    QVERIFY2(elapsed >= minMs && elapsed <= maxMs, qPrintable(QString::number(elapsed)));
    if (faults.badChecksum > 0) // every bad reply was refused once, none counted for noise
        QCOMPARE(rig.driver->Sent().count(char(CameraProtocol::NAK)), faults.badChecksum);
}

void TestSimCamera::bytesInAnySplit()
{
    const QByteArray in = "\x05" + frame("01FF810C000000") + "\x06";
    const QByteArray expected = QByteArray("\x06\x06\x02"
                                           "000000\x03"
                                           "DA");
    SimCamera whole;
    QCOMPARE(whole.Receive(in), expected);
    SimCamera bytewise;
    QByteArray out;
    for (char c : in)
        out += bytewise.Receive(QByteArray(1, c));
    QCOMPARE(out, expected);
    QCOMPARE(bytewise.Exchanges(), 1);
    QCOMPARE(bytewise.ReceivedBytes(), in);

    SimConfig config;
    config.faults.lowerCase = true;
    config.faults.noise = 2;
    SimCamera lower(config);
    QCOMPARE(lower.Receive(in.left(in.size() - 1)), QByteArray("\x06\x06??\x02"
                                                               "000000\x03"
                                                               "da"));
}

void TestSimCamera::framingAndReplyRetries()
{
    SimCamera sim;
    const char NAK = CameraProtocol::NAK;
    QCOMPARE(sim.Receive(frame("01FF010C012C00")), QByteArray()); // no ENQ, no hearing
    QCOMPARE(sim.Receive("\x05"), QByteArray("\x06"));
    QByteArray bad = frame("01FF010C012C00");
    bad[bad.size() - 1] = '4';
    QCOMPARE(sim.Receive(bad), QByteArray(1, NAK));
    QCOMPARE(sim.Receive(frame(QByteArray(23, '0'))), QByteArray(1, NAK));
    QCOMPARE(sim.Receive(frame("HELLO")), QByteArray("\x06")); // still handshaken after NAK
    QCOMPARE(sim.Payloads(), QByteArrayList{"HELLO"});
    QCOMPARE(sim.Frames().size(), 3);

    // A refused reply comes again, at most four times in all.
    const QByteArray reply = QByteArray("\x02"
                                        "000000\x03"
                                        "DA");
    QCOMPARE(sim.Receive("\x05" + frame("01FF810C000000")), "\x06\x06" + reply);
    for (int i = 0; i < 3; ++i)
        QCOMPARE(sim.Receive(QByteArray(1, NAK)), reply);
    QCOMPARE(sim.Receive(QByteArray(1, NAK)), QByteArray());
    QCOMPARE(sim.Receive("\x06"), QByteArray());
    QCOMPARE(sim.Exchanges(), 2);

    // After the configured exchanges the line is dead for good.
    sim.Faults().dieAfter = 3;
    QCOMPARE(sim.Receive("\x05" + frame("01FF010C012C00")), QByteArray("\x06\x06"));
    QVERIFY(sim.IsDead());
    QCOMPARE(sim.Receive("\x05"), QByteArray());
}

void TestSimCamera::faultsStartInTheMiddle()
{
    Rig rig;
    rig.sim.Faults().silent = true;
    rig.sim.Faults().faultsAfter = 3;
    for (int i = 0; i < PARAM_COUNT; ++i)
        rig.cam.SetValue(i, -1);
    const qint64 start = rig.driver->NowMs();
    QCOMPARE(rig.cam.ReadAll(), -5);
    QVERIFY(rig.driver->NowMs() - start >= 4000);
    QCOMPARE(rig.sim.Exchanges(), 3);
    QCOMPARE(rig.cam.GetValue(2), 0);
    QCOMPARE(rig.cam.GetValue(3), -1);
    // Silence that starts late is still the switch SIGUSR1 turns off.
    rig.sim.Faults().silent = false;
    QCOMPARE(rig.cam.ReadParam(3), 1);

    // Counted faults are not used up before they start.
    Rig bad;
    bad.sim.Faults().badChecksum = 2;
    bad.sim.Faults().refuseEnq = 4;
    bad.sim.Faults().faultsAfter = 2;
    QCOMPARE(bad.cam.ReadParam(7), 0);
    QCOMPARE(bad.cam.WriteParam(7, 5), 1);
    QCOMPARE(bad.driver->Sent().count(char(CameraProtocol::NAK)), 0);
    QCOMPARE(bad.cam.ReadParam(7), -20); // four refused ENQs
    QCOMPARE(bad.cam.ReadParam(7), 0);
    QCOMPARE(bad.driver->Sent().count(char(CameraProtocol::NAK)), 2);
}

void TestSimCamera::silenceForSomeEnqsEnds()
{
    Rig rig;
    rig.sim.Faults().silentEnqs = 4;
    rig.sim.Faults().faultsAfter = 2;
    const qint64 start = rig.driver->NowMs();
    QCOMPARE(rig.cam.WriteAll(), -5);
    QVERIFY(rig.driver->NowMs() - start >= 4000);
    QCOMPARE(rig.sim.Payloads().size(), 2);
    // One silent handshake, and the camera is back.
    QCOMPARE(rig.cam.WriteParam(5, 300), 1);
    QCOMPARE(rig.sim.Registers().Get(SimRegisters::kControlArea, 0x0C), QByteArray("012C00"));

    // A frame cut off by the silence is forgotten, not finished later.
    SimCamera sim;
    sim.Faults().silentEnqs = 1;
    const QByteArray write = frame("01FF010C012C00");
    QCOMPARE(sim.Receive("\x05" + write.left(5)), QByteArray());
    QCOMPARE(sim.Receive(write.mid(5)), QByteArray());
    QCOMPARE(sim.Receive("\x05"), QByteArray("\x06"));
    QVERIFY(sim.Frames().isEmpty());
}

void TestSimCamera::faultOptionsParse()
{
    SimOptions options;
    QVERIFY(options.Parse({"zq-camsim", "--silent", "--faults-after", "10", "--silent-enqs", "4"}));
    QCOMPARE(options.Config().faults.faultsAfter, 10);
    QCOMPARE(options.Config().faults.silentEnqs, 4);
    QVERIFY(options.Config().faults.silent);
    QVERIFY(!options.Parse({"zq-camsim", "--faults-after", "-1"}));
    QVERIFY(options.Error().contains("--faults-after"));
    QVERIFY(!options.Parse({"zq-camsim", "--silent-enqs", "x"}));
    QVERIFY(SimOptions::HelpText().contains("--faults-after N"));
    QVERIFY(SimOptions::HelpText().contains("--silent-enqs N"));
}

void TestSimCamera::scriptedReadsAndRefusedWrites()
{
    SimOptions options;
    QVERIFY(options.Parse({"zq-camsim", "--script-reads", "01:4D:010000,010000,000000",
                           "--script-reads", "11:00:000C00", "--refuse-write", "01:08:000200"}));
    Rig rig(options.Config());
    QList<int> polls;
    for (int i = 0; i < 4; ++i) {
        QVERIFY(rig.cam.ReadParam(26) >= 0);
        polls << rig.cam.GetValue(26);
    }
    QCOMPARE(polls, (QList<int>{1, 1, 0, 0})); // the last one repeats
    char reply[28] = {};
    QCOMPARE(rig.cam.SendAndReceive("00FF9100000000", reply), 6);
    QCOMPARE(QByteArray(reply), QByteArray("000C00"));

    // Only that value of that register is refused.
    QCOMPARE(rig.cam.SendCommand("01FF0108000200"), -20);
    QCOMPARE(rig.cam.SendCommand("01FF0108000100"), 0);
    QCOMPARE(rig.cam.SendCommand("01FF0109000200"), 0);
    rig.sim.RefuseWrite(0x01, 0x08, QByteArray());
    QCOMPARE(rig.cam.SendCommand("01FF0108000200"), 0);

    // An empty script gives the register its stored value back.
    rig.sim.ScriptReads(0x01, 0x4D, {});
    rig.sim.Registers().Set(0x01, 0x4D, "030000");
    QCOMPARE(rig.cam.ReadParam(26), 1);
    QCOMPARE(rig.cam.GetValue(26), 3);

    QVERIFY(!options.Parse({"zq-camsim", "--script-reads", "01:4D:01000"}));
    QVERIFY(options.Error().contains("--script-reads"));
    QVERIFY(!options.Parse({"zq-camsim", "--refuse-write", "01:08:000200,000100"}));
    QVERIFY(SimOptions::HelpText().contains("--refuse-write AREA:REG:DATA"));
}

QTEST_GUILESS_MAIN(TestSimCamera)
#include "tst_simcamera.moc"
