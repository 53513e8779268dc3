// Command frames and replies, byte for byte, with retries and time-outs on
// virtual time.
#include "comm/cameraprotocol.h"
#include "comm/tracelog.h"
#include "sim/simportdriver.h"
#include "support/scriptedpeer.h"
#include "support/simrig.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {
const QByteArray kAck(1, CameraProtocol::ACK);
const QByteArray kNak(1, CameraProtocol::NAK);
const QByteArray kEnq(1, CameraProtocol::ENQ);

QByteArray frameOf(const QByteArray &payload)
{
    return CameraProtocol::BuildFrame(payload);
}

// A protocol on a simulated COM port whose far end follows a script.
struct Rig : SimRig<CameraProtocol, ScriptedPeer>
{
    explicit Rig(const QByteArrayList &answers = {}) : SimRig(9600, answers) {}
    int count(const QByteArray &chunk) const { return int(peer.received.count(chunk)); }
    CameraProtocol &protocol = link;
};
} // namespace

class TestCameraProtocol : public QObject
{
    Q_OBJECT
private slots:
    void writeFrameOfWorkedExample();
    void readFrameOfWorkedExample();
    void valueLayoutByArea_data();
    void valueLayoutByArea();
    void checkReplyOrder();
    void hexToInt();
    void payloadLengthLimit();
    void handshakeRetries();
    void badChecksumIsAnsweredWithNak();
    void badChecksumEveryTime();
    void lowerCaseChecksumAccepted();
    void nonHexReplyDataFailsAfterAck();
    void noiseBeforeStxUsesNoTries();
    void endlessNoiseEndsTheWait();
    void lineErrorsEndTheWait();
    void silentCameraTimings();
    void shortWriteIsAFailure();
    void deadLineFailsAtOnce();
    void frameAckWait_data();
    void frameAckWait();
    void decodeIgnoresUnusedPairs_data();
    void decodeIgnoresUnusedPairs();
    void traceOnDiskWhenExchangeReturns();
};

void TestCameraProtocol::writeFrameOfWorkedExample()
{
    Rig rig({kAck, kAck});
    QCOMPARE(rig.protocol.WriteRegister(0x01, 0xFF, 0x01, 0x0C, 0, 503, 300), 0);
    const QByteArray expected = QByteArray("\x02", 1) + "01FF010C012C00" + "\x03" + "03";
    QCOMPARE(expected.size(), 18);
    QCOMPARE(rig.peer.received, QByteArrayList({kEnq, expected}));
    QCOMPARE(rig.driver->Sent(), kEnq + expected);
}

void TestCameraProtocol::readFrameOfWorkedExample()
{
    const QByteArray reply = ScriptedPeer::Reply("012C00");
    QCOMPARE(reply.right(2), QByteArray("C4"));
    Rig rig({kAck, kAck + reply});
    int value = -1;
    QCOMPARE(rig.protocol.ReadRegister(0x01, 0xFF, 0x81, 0x0C, 0, 503, &value), 0);
    QCOMPARE(value, 300);
    const QByteArray frame = QByteArray("\x02", 1) + "01FF810C000000" + "\x03" + "11";
    QCOMPARE(rig.peer.received, QByteArrayList({kEnq, frame, kAck}));
}

void TestCameraProtocol::valueLayoutByArea_data()
{
    QTest::addColumn<int>("area");
    QTest::addColumn<int>("lower");
    QTest::addColumn<int>("upper");
    QTest::addColumn<int>("value");
    QTest::addColumn<QByteArray>("digits");
    QTest::newRow("01 one byte") << 0x01 << 0 << 255 << 100 << QByteArray("640000");
    QTest::newRow("01 two bytes") << 0x01 << 0 << 1536 << 917 << QByteArray("039500");
    QTest::newRow("01 three bytes") << 0x01 << 0 << 0x10000 << 0x012345 << QByteArray("012345");
    QTest::newRow("01 width from lower") << 0x01 << 0x100 << 0 << 0x0102 << QByteArray("010200");
    QTest::newRow("81 two bytes") << 0x81 << 0 << 65535 << 0x3A5C << QByteArray("3A5C00");
    QTest::newRow("10 low first") << 0x10 << 0 << 65535 << 0x1234 << QByteArray("341200");
    QTest::newRow("90 low first") << 0x90 << 0 << 65535 << 0x4241 << QByteArray("414200");
    QTest::newRow("11 low first") << 0x11 << 0 << 0 << 0x123456 << QByteArray("563412");
    QTest::newRow("02 not area one") << 0x02 << 0 << 255 << 0x1234 << QByteArray("341200");
    QTest::newRow("10 all three bytes") << 0x10 << 0 << 65535 << 0xFFFFFF << QByteArray("FFFFFF");
    // Wider than the register: refused, nothing sent (empty digits).
    QTest::newRow("01 two bytes, 65536") << 0x01 << 0 << 503 << 0x10000 << QByteArray();
    QTest::newRow("01 one byte, -1") << 0x01 << 0 << 255 << -1 << QByteArray();
    QTest::newRow("10 four bytes") << 0x10 << 0 << 65535 << 0x1000000 << QByteArray();
}

void TestCameraProtocol::valueLayoutByArea()
{
    QFETCH(int, area);
    QFETCH(int, lower);
    QFETCH(int, upper);
    QFETCH(int, value);
    QFETCH(QByteArray, digits);
    if (digits.isEmpty()) {
        Rig rig({kAck, kAck});
        QCOMPARE(rig.protocol.WriteRegister(0x01, 0xFF, area, 0x0C, lower, upper, value),
                 -ERR_MSG_SIZE);
        QVERIFY(rig.peer.received.isEmpty());
        return;
    }

    const auto wire = CameraProtocol::ToWireOrder(area, lower, upper, value);
    const QByteArray payload = CameraProtocol::BuildPayload(0x01, 0xFF, area, 0x0C, wire);
    QCOMPARE(payload.size(), 14);
    QCOMPARE(payload.mid(8), digits);
    QCOMPARE(CameraProtocol::FromWireOrder(area, lower, upper, wire), value);

    // The same layout through a full write and a full read.
    Rig rig({kAck, kAck, kAck, kAck + ScriptedPeer::Reply(digits)});
    QCOMPARE(rig.protocol.WriteRegister(0x01, 0xFF, area & 0x7F, 0x0C, lower, upper, value), 0);
    QCOMPARE(rig.peer.received.at(1).mid(9, 6), digits);
    int read = -1;
    QCOMPARE(rig.protocol.ReadRegister(0x01, 0xFF, area | 0x80, 0x0C, lower, upper, &read), 0);
    QCOMPARE(read, value);
}

void TestCameraProtocol::checkReplyOrder()
{
    CameraProtocol p;
    const QByteArray good = ScriptedPeer::Reply("012C00");
    QCOMPARE(p.CheckReply(good.constData(), 10), 0);
    QCOMPARE(p.CheckReply(good.constData(), 9), -ERR_REPLY_SIZE);

    QByteArray bad = good;
    bad[0] = 'X';
    bad[7] = 'X'; // the first failure decides
    QCOMPARE(p.CheckReply(bad.constData(), 10), -ERR_NO_STX);
    bad = good;
    bad[7] = 'X';
    bad[8] = 'G';
    QCOMPARE(p.CheckReply(bad.constData(), 10), -ERR_NO_ETX);
    bad = good;
    bad[9] = 'g';
    QCOMPARE(p.CheckReply(bad.constData(), 10), -ERR_BAD_CHAR);
    bad = good;
    bad[9] = bad[9] == '0' ? '1' : '0';
    QCOMPARE(p.CheckReply(bad.constData(), 10), -ERR_CHECKSUM);
    QCOMPARE(p.GetErrorCode(), int(ERR_CHECKSUM));
    // Data characters are not examined here.
    QCOMPARE(p.CheckReply(ScriptedPeer::Reply("ZZZZZZ").constData(), 10), 0);
}

void TestCameraProtocol::hexToInt()
{
    QCOMPARE(CameraProtocol::HexToInt("1F", 2), 31);
    QCOMPARE(CameraProtocol::HexToInt("af", 2), 175);
    QCOMPARE(CameraProtocol::HexToInt("FFFF00", 4), 65535);
    QCOMPARE(CameraProtocol::HexToInt("G", 1), 'G' - 55);
    QCOMPARE(CameraProtocol::Checksum("\x02\x03", 2), quint8(0xFA));
}

void TestCameraProtocol::payloadLengthLimit()
{
    const QByteArray longest(22, 'A');
    Rig rig({kAck, kAck});
    QCOMPARE(rig.protocol.SendCommand(longest), 0);
    QCOMPARE(rig.peer.received.at(1).size(), 26);
    QCOMPARE(rig.peer.received.at(1), frameOf(longest));

    Rig refused({kAck, kAck});
    const int purgesBefore = refused.driver->PurgeCount();
    QCOMPARE(refused.protocol.SendCommand(QByteArray(23, 'A')), -ERR_MSG_SIZE);
    QVERIFY(refused.driver->Sent().isEmpty());
    QCOMPARE(refused.driver->PurgeCount(), purgesBefore);
}

void TestCameraProtocol::handshakeRetries()
{
    // Three wrong answers to ENQ, then ACK: the frame still goes out.
    Rig rig({kNak, "x", kNak, kAck, kAck});
    QCOMPARE(rig.protocol.SendCommand("01FF010C012C00"), 0);
    QCOMPARE(rig.count(kEnq), 4);
    QCOMPARE(rig.peer.received.last(), frameOf("01FF010C012C00"));

    // Four wrong answers: the frame is never sent.
    Rig refused({kNak, kNak, kNak, kNak, kAck});
    QCOMPARE(refused.protocol.SendCommand("01FF010C012C00"), -ERR_UNEXPECTED);
    QCOMPARE(refused.peer.received, QByteArrayList({kEnq, kEnq, kEnq, kEnq}));

    // A frame refused three times, then accepted; ENQ is not sent again.
    Rig frames({kAck, kNak, kNak, kNak, kAck});
    QCOMPARE(frames.protocol.SendCommand("0102"), 0);
    QCOMPARE(frames.count(kEnq), 1);
    QCOMPARE(frames.count(frameOf("0102")), 4);
}

void TestCameraProtocol::badChecksumIsAnsweredWithNak()
{
    QByteArray corrupt = ScriptedPeer::Reply("012C00");
    corrupt[9] = corrupt[9] == '0' ? '1' : '0';
    Rig rig({kAck, kAck + corrupt, ScriptedPeer::Reply("012C00")});
    char reply[7] = {};
    QCOMPARE(rig.protocol.SendAndReceive("01FF810C000000", reply), 6);
    QCOMPARE(QByteArray(reply), QByteArray("012C00"));
    QCOMPARE(rig.peer.received.mid(2), QByteArrayList({kNak, kAck}));
}

void TestCameraProtocol::badChecksumEveryTime()
{
    QByteArray corrupt = ScriptedPeer::Reply("000001");
    corrupt[8] = corrupt[8] == '0' ? '1' : '0';
    QByteArrayList script;
    for (int attempt = 0; attempt < 4; ++attempt)
        script << kAck << kAck + corrupt << corrupt << corrupt << corrupt << QByteArray();
    Rig rig(script);
    char reply[7] = {};
    QCOMPARE(rig.protocol.SendAndReceive("01FF8102000000", reply), -ERR_CHECKSUM);
    QCOMPARE(rig.count(kNak), 16); // 4 tries in each of 4 command attempts
    QCOMPARE(rig.count(kEnq), 4);
    QCOMPARE(
        rig.protocol.GetErrorMessage(),
        QStringLiteral("ERROR - Check sum code mismatched in received data from camera unit."));
}

void TestCameraProtocol::lowerCaseChecksumAccepted()
{
    // "3A5C00" has letters in its checksum in either case.
    const QByteArray lower = ScriptedPeer::Reply("3A5C00", true);
    QVERIFY(lower.right(2) != lower.right(2).toUpper());
    Rig rig({kAck, kAck + lower});
    int value = 0;
    QCOMPARE(rig.protocol.ReadRegister(0x01, 0xFF, 0x81, 0x60, 0, 65535, &value), 0);
    QCOMPARE(value, 0x3A5C);
}

void TestCameraProtocol::nonHexReplyDataFailsAfterAck()
{
    Rig rig({kAck, kAck + ScriptedPeer::Reply("01G300")});
    int value = 7;
    QCOMPARE(rig.protocol.ReadRegister(0x01, 0xFF, 0x81, 0x0C, 0, 503, &value), -ERR_BAD_CHAR);
    QCOMPARE(value, 0);
    QCOMPARE(rig.peer.received.last(), kAck);
}

void TestCameraProtocol::noiseBeforeStxUsesNoTries()
{
    QByteArray corrupt = ScriptedPeer::Reply("000005");
    corrupt[9] = corrupt[9] == '0' ? '1' : '0';
    // Three bad replies each preceded by noise, then a good one: four tries
    // would be used up if noise counted.
    const QByteArray noise("\x7Fxx\x06\x15", 5);
    Rig rig({kAck, kAck + noise + corrupt, noise + corrupt, noise + corrupt,
             noise + ScriptedPeer::Reply("000005")});
    char reply[7] = {};
    QCOMPARE(rig.protocol.SendAndReceive("01FF8104000000", reply), 6);
    QCOMPARE(QByteArray(reply), QByteArray("000005"));
    QCOMPARE(rig.count(kEnq), 1);
}

void TestCameraProtocol::endlessNoiseEndsTheWait()
{
    // A camera that acknowledges the command and then babbles instead of
    // replying: the wait for STX ends after its 4000 ms all the same, and
    // the next command attempt starts.
    struct Babbler : SimPeer
    {
        SimPortDriver *driver = nullptr;
        QList<qint64> times;
        QByteArray Receive(const QByteArray &bytes) override
        {
            times.append(driver->NowMs());
            if (bytes == kEnq)
                return kAck;
            if (bytes.startsWith(CameraProtocol::STX))
                return kAck + QByteArray(6000, 'x'); // about 6 s at 9600 baud
            return {};
        }
    } babbler;
    Rig rig;
    babbler.driver = rig.driver;
    rig.driver->SetPeer(&babbler);
    char reply[7] = {};
    QVERIFY(rig.protocol.SendAndReceive("01FF8104000000", reply) < 0);
    QVERIFY(babbler.times.size() >= 3);
    const qint64 waited = babbler.times.at(2) - babbler.times.at(1);
    QVERIFY2(waited >= 4000 && waited <= 4100, qPrintable(QString::number(waited)));
}

void TestCameraProtocol::lineErrorsEndTheWait()
{
    // A framing error on the line in every wait for the reply: each wait
    // still ends at its deadline, and the line error is what is reported.
    struct Garbled : SimPeer
    {
        SimPortDriver *driver = nullptr;
        QByteArray Receive(const QByteArray &bytes) override
        {
            if (bytes.startsWith(CameraProtocol::STX))
                driver->InjectLineErrors(PortDriver::CE_FRAME);
            return bytes == kEnq || bytes.startsWith(CameraProtocol::STX) ? kAck : QByteArray();
        }
    } garbled;
    Rig rig;
    garbled.driver = rig.driver;
    rig.driver->SetPeer(&garbled);
    const qint64 start = rig.now();
    char reply[7] = {};
    QCOMPARE(rig.protocol.SendAndReceive("01FF8104000000", reply), -ERR_FRAME);
    const qint64 spent = rig.now() - start;
    QVERIFY2(spent >= 16000 && spent <= 16200, qPrintable(QString::number(spent)));
    QCOMPARE(rig.driver->Sent().count(CameraProtocol::ENQ), 4);
}

void TestCameraProtocol::silentCameraTimings()
{
    using P = CameraProtocol;
    // A silent camera: every ENQ waits out its ACK time.
    const qint64 handshake = P::kHandshakeAttempts * P::kHandshakeAckMs;
    Rig silent;
    qint64 start = silent.now();
    QCOMPARE(silent.protocol.SendCommand("0102"), -ERR_TIMEOUT);
    qint64 spent = silent.now() - start;
    QVERIFY2(spent >= handshake && spent <= handshake + 50, qPrintable(QString::number(spent)));
    QCOMPARE(silent.count(kEnq), P::kHandshakeAttempts);

    // SendAndReceive gives up at once when its command is not accepted.
    start = silent.now();
    char reply[7] = {};
    QCOMPARE(silent.protocol.SendAndReceive("01FF8104000000", reply), -ERR_TIMEOUT);
    spent = silent.now() - start;
    QVERIFY2(spent >= handshake && spent <= handshake + 50, qPrintable(QString::number(spent)));

    // Command accepted, reply never comes: 4 attempts of about 4000 ms.
    Rig mute({kAck, kAck, kAck, kAck, kAck, kAck, kAck, kAck});
    start = mute.now();
    QCOMPARE(mute.protocol.SendAndReceive("01FF8104000000", reply), -ERR_TIMEOUT);
    spent = mute.now() - start;
    const qint64 replies = P::kCommandAttempts * P::kReplyWaitMs;
    QVERIFY2(spent >= replies && spent <= replies + 200, qPrintable(QString::number(spent)));
    // The waits block; they do not poll.
    QVERIFY2(mute.driver->WaitCount() < 100, qPrintable(QString::number(mute.driver->WaitCount())));
}

void TestCameraProtocol::shortWriteIsAFailure()
{
    // The port takes part of the frame and reports that as done; nothing was
    // recorded before, yet the transaction must not read as success.
    Rig rig({kAck});
    QCOMPARE(rig.protocol.GetErrorCode(), 0);
    int writes = 0;
    rig.driver->SetShortWrite(0);
    rig.peer.answers = {kAck};
    // ENQ goes out whole; every frame write stops short.
    struct ShortFrames : SimPeer
    {
        SimPortDriver *driver;
        int *writes;
        QByteArray Receive(const QByteArray &bytes) override
        {
            ++*writes;
            driver->SetShortWrite(5);
            return bytes == kEnq ? kAck : QByteArray();
        }
    } peer;
    peer.driver = rig.driver;
    peer.writes = &writes;
    rig.driver->SetShortWrite(-1);
    rig.driver->SetPeer(&peer);
    QCOMPARE(rig.protocol.SendCommand("01FF010C012C00"), -ERR_TIMEOUT);
    QCOMPARE(writes, 5); // ENQ and four short frames
}

void TestCameraProtocol::deadLineFailsAtOnce()
{
    Rig rig;
    rig.driver->SetDead(true);
    const qint64 start = rig.now();
    QCOMPARE(rig.protocol.SendCommand("0102"), -ERR_IO);
    char reply[7] = {};
    QCOMPARE(rig.protocol.SendAndReceive("01FF8104000000", reply), -ERR_IO);
    QCOMPARE(rig.now() - start, qint64(0));
}

void TestCameraProtocol::frameAckWait_data()
{
    QTest::addColumn<int>("ackAfterMs"); // after the frame went out; -1: never
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("frames");
    QTest::addColumn<int>("minMs");
    QTest::addColumn<int>("maxMs");
    // The 18-byte frame takes about 19 ms at 9600 baud; ENQ and its ACK 2 ms.
    QTest::newRow("at once") << 0 << 0 << 1 << 20 << 25;
    QTest::newRow("after 2.9 s") << 2900 << 0 << 1 << 2920 << 2925;
    QTest::newRow("after 3.1 s: sent again") << 3100 << 0 << 2 << 3120 << 3125;
    QTest::newRow("never") << -1 << -ERR_TIMEOUT << 4 << 4 * 3019 << 4 * 3019 + 10;
}

void TestCameraProtocol::frameAckWait()
{
    QFETCH(int, ackAfterMs);
    QFETCH(int, result);
    QFETCH(int, frames);
    QFETCH(int, minMs);
    QFETCH(int, maxMs);
    // ENQ is answered at once; the frame's ACK comes late, once.
    struct LateAck : SimPeer
    {
        SimPortDriver *driver = nullptr;
        int delayMs = 0;
        int frames = 0;
        QByteArray Receive(const QByteArray &bytes) override
        {
            if (bytes == kEnq)
                return kAck;
            if (bytes.startsWith(CameraProtocol::STX) && ++frames == 1 && delayMs >= 0)
                driver->InjectIncoming(kAck, driver->NowMs() + delayMs);
            return {};
        }
    } peer;
    Rig rig;
    peer.driver = rig.driver;
    peer.delayMs = ackAfterMs;
    rig.driver->SetPeer(&peer);
    const qint64 start = rig.now();
    QCOMPARE(rig.protocol.SendCommand("01FF010C012C00"), result);
    const qint64 spent = rig.now() - start;
    QVERIFY2(spent >= minMs && spent <= maxMs, qPrintable(QString::number(spent)));
    QCOMPARE(peer.frames, frames);
}

void TestCameraProtocol::decodeIgnoresUnusedPairs_data()
{
    QTest::addColumn<int>("area");
    QTest::addColumn<int>("upper");
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<int>("value");
    // A 2-byte register of area 01 swaps pairs 1 and 2 and ignores pair 3.
    QTest::newRow("81 two bytes, pair 3 set") << 0x81 << 503 << QByteArray("012CFF") << 300;
    QTest::newRow("81 two bytes, pair 3 low bit")
        << 0x81 << 65535 << QByteArray("3A5C01") << 0x3A5C;
    QTest::newRow("81 three bytes") << 0x81 << 0x10000 << QByteArray("012345") << 0x012345;
    QTest::newRow("91 low first") << 0x91 << 65535 << QByteArray("563412") << 0x123456;
}

void TestCameraProtocol::decodeIgnoresUnusedPairs()
{
    QFETCH(int, area);
    QFETCH(int, upper);
    QFETCH(QByteArray, data);
    QFETCH(int, value);
    Rig rig({kAck, kAck + ScriptedPeer::Reply(data)});
    int read = -1;
    QCOMPARE(rig.protocol.ReadRegister(0x01, 0xFF, area, 0x0C, 0, upper, &read), 0);
    QCOMPARE(read, value);
}

void TestCameraProtocol::traceOnDiskWhenExchangeReturns()
{
    // What the file holds the moment an exchange returns, with the trace
    // still open: a program killed then leaves all of it behind.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("trace.txt"));
    TraceLog trace(path);
    QVERIFY(trace.IsOpen());
    const auto onDisk = [&path] {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return QByteArrayList();
        QByteArrayList lines = file.readAll().split('\n');
        lines.removeLast();
        for (QByteArray &line : lines)
            line = line.mid(13); // the time
        return lines;
    };
    Rig rig({kAck, kAck, kAck, kAck + ScriptedPeer::Reply("012C00")});
    rig.protocol.SetTrace(&trace);
    QCOMPARE(rig.protocol.WriteRegister(0x01, 0xFF, 0x01, 0x0C, 0, 503, 300), 0);
    const QByteArrayList written = {
        "TX 05 |.|", "RX 06 |.|",
        "TX 02 30 31 46 46 30 31 30 43 30 31 32 43 30 30 03 30 33 |.01FF010C012C00.03|",
        "RX 06 |.|"};
    QCOMPARE(onDisk(), written);
    int value = 0;
    QCOMPARE(rig.protocol.ReadRegister(0x01, 0xFF, 0x81, 0x0C, 0, 503, &value), 0);
    const QByteArrayList read = {
        "TX 05 |.|", "RX 06 |.|",
        "TX 02 30 31 46 46 38 31 30 43 30 30 30 30 30 30 03 31 31 |.01FF810C000000.11|",
        "RX 06 02 30 31 32 43 30 30 03 43 34 |..012C00.C4|", "TX 06 |.|"};
    QCOMPARE(onDisk(), written + read);
    rig.protocol.SetTrace(nullptr);
}

QTEST_GUILESS_MAIN(TestCameraProtocol)
#include "tst_cameraprotocol.moc"
