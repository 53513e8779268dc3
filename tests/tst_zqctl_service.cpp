// zqctl's service commands as a process against zq-camsim: the payloads the
// camera receives, the refusals that send nothing, the detection's outcomes,
// the factory set, and ports that will not open.
#include "support/camsimprocess.h"
#include "support/processrun.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSerialPort>
#include <QTemporaryDir>
#include <QtTest>

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using Run = ProcessRun;

Run zqctl(const QStringList &arguments, const std::function<void()> &asChild = {})
{
    return ProcessRun::Of(QStringLiteral(ZQCTL), arguments, {QString(), asChild});
}

QStringList on(const CamsimProcess &sim, const QString &command)
{
    return QStringList{QStringLiteral("--device"), sim.Link()} +
           command.split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

QByteArrayList payloads(const QStringList &list)
{
    QByteArrayList lines;
    for (const QString &p : list)
        lines.append("payload " + p.toLatin1());
    return lines;
}

QByteArrayList repeated(const QString &payload, int times)
{
    return payloads(QStringList(QList<QString>(times, payload)));
}

} // namespace

class TestZqctlService : public QObject
{
    Q_OBJECT
private slots:
    void commandsSendTheEditorsPayloads();
    void pageDumps();
    void refusalsSendNothing();
    void detectionOutcomes_data();
    void detectionOutcomes();
    void detectionTimeLimit();
    void factorySet();
    void paramsWithoutCamera();
    void portsThatWillNotOpen();
    void queryToAnAcknowledgingCamera();
};

void TestZqctlService::commandsSendTheEditorsPayloads()
{
    const struct
    {
        const char *command;
        QStringList sent;
        QByteArray out;
    } steps[] = {
        {"reg unlock", {"00FF01603A5C00"}, ""},
        {"reg write tg 1a 3f", {"00FF031A3F0000"}, ""},
        {"reg read TG 1A", {"00FF831A000000"}, "3F\n"},
        {"reg write ｺﾓﾝ 12 00ab --eeprom", {"01FF011200AB00"}, ""},
        {"reg read common 12 --eeprom", {"01FF8112000000"}, "00AB\n"},
        {"reg read I/F 07", {"00FF8507000000"}, "00\n"},
        // Vendor "Va", the first character in the low byte, as received.
        {"reg read info 00", {"00FF9000000000"}, "5661\n"},
        {"send 01ff010c012c00", {"01FF010C012C00"}, ""},
        {"query 01ff810c000000", {"01FF810C000000"}, "012C00\n"},
        // Data the camera sends in lower case prints as the dialogs show it.
        {"reg read tg 1b", {"00FF831B000000"}, "5A\n"},
        {"query 00FF831B000000", {"00FF831B000000"}, "5A00AB\n"},
        {"send 0123456789ABCDEF012345", {"0123456789ABCDEF012345"}, ""}, // 22: the most
        {"set 5 600 --force", {"01FF010C025800"}, ""},
        {"set 28 255 --force", {"01FF0100FF0000"}, ""},
        // No detection has run: the table ends at once.
        {"white-spots --threshold 7", {"01FF014C070000", "00FF9100000000"}, ""},
        {"white-spots --threshold 0", {"01FF014C000000", "00FF9100000000"}, ""},
        {"white-spots --threshold 255", {"01FF014CFF0000", "00FF9100000000"}, ""},
    };
    CamsimProcess sim(QStringLiteral(ZQ_CAMSIM), {"--script-reads", "03:1B:5a00ab"});
    QVERIFY(sim.IsReady());
    QByteArrayList expected;
    for (const auto &step : steps) {
        const Run run = zqctl(on(sim, QString::fromUtf8(step.command)));
        QVERIFY2(run.exitCode == 0, step.command);
        QVERIFY2(run.err.isEmpty(), run.err.constData());
        QCOMPARE(run.out, step.out);
        expected += payloads(step.sent);
        QCOMPARE(sim.Log("payload"), expected);
    }
    // The row write's frame, byte for byte.
    QCOMPARE(sim.Log("frame").at(1),
             QByteArray("frame 02 30 30 46 46 30 33 31 41 33 46 30 30 30 30 03 30 30"));
}

void TestZqctlService::pageDumps()
{
    CamsimProcess sim(QStringLiteral(ZQ_CAMSIM), {"--script-reads", "02:21:ab0000"});
    QVERIFY(sim.IsReady());
    QCOMPARE(zqctl(on(sim, "reg write dsp 3F 5a")).exitCode, 0);
    Run run = zqctl(on(sim, "reg dump dsp 20-3F"));
    QCOMPARE(run.exitCode, 0);
    QByteArrayList lines = run.out.trimmed().split('\n');
    QCOMPARE(lines.size(), 32);
    QCOMPARE(lines.first(), QByteArray("20 00"));
    QCOMPARE(lines.at(1), QByteArray("21 AB")); // sent in lower case
    QCOMPARE(lines.last(), QByteArray("3F 5A"));
    QCOMPARE(sim.Log("payload").mid(1, 2), payloads({"00FF8220000000", "00FF8221000000"}));
    // The common area's last page ends at 7E; a page by its first address.
    run = zqctl(on(sim, "reg dump common 60 --eeprom"));
    QCOMPARE(run.exitCode, 0);
    lines = run.out.trimmed().split('\n');
    QCOMPARE(lines.size(), 31);
    QCOMPARE(lines.last(), QByteArray("7E 0000"));
    QCOMPARE(sim.Log("payload").size(), 1 + 32 + 31);
    QCOMPARE(sim.Log("payload").last(), QByteArray("payload 01FF817E000000"));
}

void TestZqctlService::refusalsSendNothing()
{
    const struct
    {
        const char *command;
        const char *says;
    } refusals[] = {
        {"reg read tg 7", "zqctl: ADDR must be two hexadecimal digits, not \"7\"; nothing"},
        {"reg write tg 7 123", "ADDR must be"}, // the address first
        {"reg write dsp 10 1", "DATA must be 2 hexadecimal digits"},
        {"reg write common 10 12", "DATA must be 4 hexadecimal digits in area common"},
        {"reg write lr 10 0G", "DATA must be 2"},
        {"reg read foo 10", "AREA must be one of common, dsp, tg, afe, if, lr, info"},
        {"reg dump common 80-9F", "area common has addresses 00 to 7E only: page 80-9F lists"},
        {"reg dump info A0", "page A0-BF lists none"},
        {"reg dump tg 10-2F", "PAGE must be 00-1F"},
        {"reg frob", "unknown command \"reg frob\""},
        {"reg", "reg needs read, write, dump or unlock"},
        {"set 5 600", "600 is outside the limits of parameter 5 \"Gain Level\": 0 to 503"},
        {"set 5 70000 --force", "2 byte(s) on the wire carry 0 to 65535"},
        {"set 13 -1 --force", "-1 does not fit the register of parameter 13"},
        {"set 31 0x1000000 --force", "3 byte(s) on the wire carry 0 to 16777215"},
        {"set 5 1 --eeprom", "--eeprom goes with reg read, reg write, reg dump only"},
        {"query 0123456789ABCDEF0123456", "ERROR - Illegal message size of transmission data."},
        {"white-spots --threshold 256", "--threshold takes 0 to 255"},
        {"white-spots --time-limit soon", "--time-limit takes 0 to 86400 seconds"},
        {"get 5 --detect", "--detect goes with white-spots only"},
        {"factory-set now", "usage: zqctl factory-set [--json]"},
        {"get GainLevel --force", "--force goes with set only"},
        {"set Gain 1", "PARAM must be an index 0 to 54 or a code name"},
        {"set TriggerMode 3", "no button of the panel writes 3; nothing sent"},
        {"set ShutterSpeed 9", "no button of the panel writes 9"},
    };
    CamsimProcess sim(QStringLiteral(ZQ_CAMSIM));
    QVERIFY(sim.IsReady());
    for (const auto &refusal : refusals) {
        const Run run = zqctl(on(sim, QString::fromUtf8(refusal.command)));
        QVERIFY2(run.exitCode == 1, refusal.command);
        QVERIFY2(QString::fromUtf8(run.err).contains(QString::fromUtf8(refusal.says)),
                 run.err.constData());
    }
    QCOMPARE(sim.Log("rx"), QByteArrayList());
}

void TestZqctlService::detectionOutcomes_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("says");
    QTest::addColumn<QByteArray>("listed");
    QTest::newRow("finished") << 0 << 0 << QByteArray("Detect is finished.\n")
                              << QByteArray("No. 1: x =   12,  y =  345\n"
                                            "No. 2: x =  640,  y =  480\n"
                                            "No. 3: x = 2047,  y =    1\n");
    QTest::newRow("too many") << 2 << 4 << QByteArray("Number of detect is over.\n")
                              << QByteArray();
    QTest::newRow("error") << 3 << 4 << QByteArray("Detect error\n") << QByteArray();
}

void TestZqctlService::detectionOutcomes()
{
    QFETCH(int, status);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, says);
    QFETCH(QByteArray, listed);
    CamsimProcess sim(QStringLiteral(ZQ_CAMSIM),
                      {"--detect-polls", "2", "--detect-outcome", QString::number(status)});
    QVERIFY(sim.IsReady());
    const Run run = zqctl(on(sim, "white-spots --detect"));
    QCOMPARE(run.exitCode, exitCode);
    QCOMPARE(run.err, says);
    QCOMPARE(run.out, listed);
    // The start, two polls that say detecting and the one with the outcome,
    // a poll period apart; then the list for a finished detection.
    QVERIFY(run.ms >= 3 * 200);
    QByteArrayList expected =
        payloads({"01FF014D010000"}) + repeated(QStringLiteral("00FF814D000000"), 3);
    if (status == 0)
        expected +=
            payloads({"00FF9100000000", "00FF9101000000", "00FF9102000000", "00FF9103000000",
                      "00FF9104000000", "00FF9105000000", "00FF9106000000"});
    QCOMPARE(sim.Log("payload"), expected);
    if (status != 0)
        return;
    const QJsonArray spots =
        QJsonDocument::fromJson(zqctl(on(sim, "white-spots --json")).out)["spots"].toArray();
    QCOMPARE(spots.size(), 3);
    QCOMPARE(spots.at(2).toObject(), (QJsonObject{{"no", 3}, {"x", 2047}, {"y", 1}}));
}

void TestZqctlService::detectionTimeLimit()
{
    CamsimProcess sim(QStringLiteral(ZQ_CAMSIM), {"--detect-polls", "100000"});
    QVERIFY(sim.IsReady());
    const Run run = zqctl(on(sim, "white-spots --detect --time-limit 1"));
    QCOMPARE(run.exitCode, 4);
    QCOMPARE(run.err, QByteArray("zqctl: no outcome after 1 s of detecting (--time-limit)\n"));
    QCOMPARE(run.out, QByteArray());
    QVERIFY(run.ms >= 1000 && run.ms < 4000);
    const int polls = sim.Log("payload 00FF814D").size();
    QVERIFY2(polls >= 3 && polls <= 6, QByteArray::number(polls).constData());
}

void TestZqctlService::factorySet()
{
    {
        // Busy for two reads, done on the third; then everything is read back.
        CamsimProcess sim(QStringLiteral(ZQ_CAMSIM), {"--factory-reads", "2"});
        QVERIFY(sim.IsReady());
        QCOMPARE(zqctl(on(sim, "set 5 300")).exitCode, 0);
        const Run run = zqctl(on(sim, "factory-set"));
        QCOMPARE(run.exitCode, 0);
        const QByteArrayList lines = run.out.trimmed().split('\n');
        QCOMPARE(lines.size(), 55);
        QCOMPARE(lines.at(5), QByteArray("5\tGain Level\t0"));
        const QByteArrayList sent = sim.Log("payload").mid(1);
        QCOMPARE(sent.mid(0, 4),
                 payloads({"01FF0145010000"}) + repeated(QStringLiteral("01FF8145000000"), 3));
        QCOMPARE(sent.size(), 4 + 54);
    }
    CamsimProcess sim(QStringLiteral(ZQ_CAMSIM), {"--factory-reads", "60"});
    QVERIFY(sim.IsReady());
    const Run run = zqctl(on(sim, "factory-set"));
    QCOMPARE(run.exitCode, 4);
    QVERIFY2(run.err.contains("still reports Factory Set after 50 reads"), run.err.constData());
    QCOMPARE(run.out, QByteArray());
    QCOMPARE(sim.Log("payload"),
             payloads({"01FF0145010000"}) + repeated(QStringLiteral("01FF8145000000"), 50));
}

void TestZqctlService::paramsWithoutCamera()
{
    Run run = zqctl({"--device", "/nonexistent/port", "params"});
    QCOMPARE(run.exitCode, 0);
    const QByteArrayList lines = run.out.trimmed().split('\n');
    QCOMPARE(lines.size(), 1 + 55);
    QCOMPARE(lines.at(1 + 22),
             QByteArray("22\tGain Level\tW,R\t81\t01\t48\t32\t0\t64\tBalanceGain"));
    QCOMPARE(lines.at(1 + 28),
             QByteArray("28\tWhite Spot Address X\tR\t91\t01\t00\t0\t0\t0\tWhiteSpotAddressX"));
    QCOMPARE(lines.at(1 + 54), QByteArray("54\t(Reserved)\t-\t00\t00\t00\t0\t0\t0\tReserved"));
    run = zqctl({"params", "--json"});
    const QJsonArray rows = QJsonDocument::fromJson(run.out).array();
    QCOMPARE(rows.size(), 55);
    QCOMPARE(rows.at(53).toObject().value("register").toString(), QStringLiteral("60"));
    QCOMPARE(rows.at(19).toObject().value("max").toInt(), 2058);
    QCOMPARE(rows.at(15).toObject().value("writeAll").toBool(), false);
}

void TestZqctlService::portsThatWillNotOpen()
{
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("ttyUSB9"));
    Run run = zqctl({"--device", missing, "get", "5"});
    QCOMPARE(run.exitCode, 2);
    QCOMPARE(run.err, "zqctl: ERROR - Can not open communciation port.\n" + missing.toLocal8Bit() +
                          ": No such file or directory (no such device: unplugged, or another "
                          "name?)\n");

    // In use by another program (here, this one).
    CamsimProcess sim(QStringLiteral(ZQ_CAMSIM));
    QVERIFY(sim.IsReady());
    const QString device = QFileInfo(sim.Link()).canonicalFilePath();
    const QByteArray path = device.toLocal8Bit();
    {
        QSerialPort holder(device);
        QVERIFY(holder.open(QIODevice::ReadWrite));
        run = zqctl({"--device", device, "info"});
        QCOMPARE(run.exitCode, 2);
        // Qt's own words from that open (its lock, here), not a second try's.
        QVERIFY2(run.err.startsWith("zqctl: ERROR - Can not open communciation port.\n" + path +
                                    ": Permission error while locking the device ("),
                 run.err.constData());
        QVERIFY2(run.err.contains("another program"), run.err.constData());
    }

    // Permission denied, on the device itself rather than the folder of its link.
    std::function<void()> asChild;
    QByteArray advice = "only its owner";
    if (geteuid() == 0) {
        // Root opens anything: the run drops to "nobody", and the device is
        // made one that a group may use, as a serial port usually is.
        const struct group *dialout = getgrnam("dialout");
        QVERIFY(::chmod(path.constData(), 0660) == 0);
        if (dialout)
            QVERIFY(::chown(path.constData(), uid_t(-1), dialout->gr_gid) == 0);
        advice = dialout ? QByteArray("it belongs to group \"dialout\": join it (sudo usermod "
                                      "-aG dialout $USER) and log in again)")
                         : QByteArray("Permission denied");
        asChild = [] {
            const gid_t nobody = 65534;
            if (setgroups(0, nullptr) != 0 || setgid(nobody) != 0 || setuid(nobody) != 0)
                _exit(99);
        };
    } else {
        QVERIFY(::chmod(path.constData(), 0) == 0);
    }
    run = zqctl({"--device", device, "info"}, asChild);
    if (run.exitCode == 99)
        QSKIP("running as root without the right to become nobody: no way to be refused");
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.startsWith("zqctl: ERROR - Can not open communciation port.\n" + path +
                                ": Permission denied ("),
             run.err.constData());
    QVERIFY2(run.err.contains(advice), run.err.constData());
    QCOMPARE(sim.Log("rx"), QByteArrayList());
}

void TestZqctlService::queryToAnAcknowledgingCamera()
{
    CamsimProcess sim(QStringLiteral(ZQ_CAMSIM), {"--no-reply"});
    QVERIFY(sim.IsReady());
    QProcess p;
    QElapsedTimer clock;
    clock.start();
    p.start(QStringLiteral(ZQCTL), on(sim, "query 01FF810C000000"));
    QByteArray err;
    // Said once the first attempt's 4 seconds are over; the other three
    // attempts are not waited for.
    while (!err.contains("sent no reply in 4 s") && clock.elapsed() < 8000) {
        p.waitForReadyRead(100);
        err += p.readAllStandardError();
    }
    const qint64 said = clock.elapsed();
    p.kill();
    p.waitForFinished();
    QVERIFY2(err.contains("zqctl: the camera acknowledged the command but sent no reply in 4 s; "
                          "sending it again and still waiting for a reply"),
             err.constData());
    QVERIFY(said >= 4000);
    QCOMPARE(err.count('\n'), 1);
}

QTEST_GUILESS_MAIN(TestZqctlService)
#include "tst_zqctl_service.moc"
