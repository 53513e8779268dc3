// zqctl run as a process against zq-camsim on a pseudo-terminal.
#include "camera/paramindex.h"
#include "camera/paramstore.h"
#include "camera/paramtable.h"
#include "camera/settingsfile.h"
#include "cli/channelrunner.h"
#include "cli/commandtable.h"
#include "comm/cameraprotocol.h"
#include "support/camsimprocess.h"
#include "support/processrun.h"

#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdlib>

namespace {

using Run = ProcessRun;

Run zqctl(const QStringList &arguments)
{
    return ProcessRun::Of(QStringLiteral(ZQCTL), arguments);
}

QStringList on(const CamsimProcess &sim, const QStringList &command)
{
    return QStringList{QStringLiteral("--device"), sim.Link()} + command;
}

QByteArray hexLine(const QByteArray &bytes)
{
    return bytes.toHex(' ').toUpper();
}

const QByteArray kSet5To300 = QByteArray("\x02", 1) + "01FF010C012C00" + "\x03" + "03";

} // namespace

class TestZqctl : public QObject
{
    Q_OBJECT
private slots:
    void readAllPrintsEveryParameter();
    void setSendsTheExactFrame();
    void infoDecodesIdentity();
    void saveLoadAndDiff();
    void badFilesSendNothing();
    void badRequestsSendNothing();
    void silentCameraExitsWithTimeout();
    void traceRecordsBothDirections();
    void helpListsEveryCommand();
    void scanProbesWithoutWriting();
    void severalChannelsAtOnce();
    void worstStatusSpeaksForAll_data();
    void worstStatusSpeaksForAll();
    void scriptsGetJsonAndExactNames();
    void applyNamesRefusedRows();

private:
    QTemporaryDir m_dir;
};

void TestZqctl::readAllPrintsEveryParameter()
{
    CamsimProcess sim(QStringLiteral(ZQ_CAMSIM));
    QVERIFY(sim.IsReady());
    Run run = zqctl(on(sim, {"read-all"}));
    QCOMPARE(run.exitCode, 0);
    const QList<QByteArray> lines = run.out.trimmed().split('\n');
    QCOMPARE(lines.size(), PARAM_COUNT);
    QCOMPARE(lines.at(5), QByteArray("5\tGain Level\t0"));
    QCOMPARE(lines.at(7), QByteArray("7\tProgramable Shutter\t917"));
    QCOMPARE(lines.at(10), QByteArray("10\tData Bit\t0\t8bit")); // as its button says
    QCOMPARE(lines.at(31), QByteArray("31\tCamera Information\t") + QByteArray::number(0x6156));
    QCOMPARE(lines.at(54), QByteArray("54\t(Reserved)\t0"));
    QCOMPARE(sim.Log("payload").size(), 54);
    // Every reply was acknowledged, and every acknowledgement reached the
    // camera: none was purged on its way out by the next command.
    // The last one may still be on its way when zqctl has ended.
    auto acks = [&sim] {
        int n = 0;
        for (const QByteArray &line : sim.Log("rx"))
            n += line.mid(3).split(' ').count("06");
        return n;
    };
    QTRY_COMPARE_WITH_TIMEOUT(acks(), 54, 3000);

    run = zqctl(on(sim, {"read-all", "--json"}));
    QCOMPARE(run.exitCode, 0);
    const QJsonArray rows = QJsonDocument::fromJson(run.out).array();
    QCOMPARE(rows.size(), PARAM_COUNT);
    QCOMPARE(rows.at(19).toObject().value("name").toString(), QStringLiteral("Partial Scan Width"));
    QCOMPARE(rows.at(19).toObject().value("value").toInt(), 2058);
    QCOMPARE(rows.at(9).toObject().value("name").toString(), QStringLiteral("2xAccel ON/OFF "));
    QCOMPARE(rows.at(4).toObject().value("choice").toString(), QStringLiteral("OFF"));
}

void TestZqctl::setSendsTheExactFrame()
{
    CamsimProcess sim(QStringLiteral(ZQ_CAMSIM));
    QVERIFY(sim.IsReady());
    Run run = zqctl(on(sim, {"set", "5", "300"}));
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.err, QByteArray());
    QCOMPARE(sim.Log("frame"), QByteArrayList{"frame " + hexLine(kSet5To300)});

    run = zqctl(on(sim, {"get", "5"}));
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, QByteArray("300\n"));
    // Any row, hexadecimal values too.
    QCOMPARE(zqctl(on(sim, {"set", "7", "0x395"})).exitCode, 0);
    QCOMPARE(sim.Log("payload").last(), QByteArray("payload 01FF0111039500"));
    QCOMPARE(zqctl(on(sim, {"query", "01FF8111000000"})).out, QByteArray("039500\n"));
    QCOMPARE(zqctl(on(sim, {"send", "01FF0111000100"})).exitCode, 0);
    QCOMPARE(zqctl(on(sim, {"get", "7"})).out, QByteArray("1\n"));
}

void TestZqctl::infoDecodesIdentity()
{
    CamsimProcess sim(QStringLiteral(ZQ_CAMSIM), {"--serial", "12345678", "--version", "2.1.0.3"});
    QVERIFY(sim.IsReady());
    const Run run = zqctl(on(sim, {"info"}));
    QCOMPARE(run.exitCode, 0);
    QVERIFY(run.out.startsWith("Vendor:  Vantorix\n"
                               "Model:   ZQ-M710ALX\n"
                               "Serial:  12345678 (8 digits)\n"
                               "Version: 2.1.0.3\n"
                               "Title:   ZQ-M710ALX\n"
                               "Gain:    0 to 503\n"));
    QVERIFY(run.out.endsWith("\nPort:    " + sim.Link().toLocal8Bit() + "\n"));
    QVERIFY(zqctl({"--com", "1", "--device", sim.Link(), "info"})
                .out.endsWith("\nPort:    COM1 (" + sim.Link().toLocal8Bit() + ")\n"));

    // A ZQ-MV model with new firmware: what its panel would not offer is
    // refused, nothing sent, unless --force.
    CamsimProcess mv(QStringLiteral(ZQ_CAMSIM), {"--model", "ZQ-MV710BLX", "--version", "1.0.9.0"});
    QVERIFY(mv.IsReady());
    const QJsonObject allows =
        QJsonDocument::fromJson(zqctl(on(mv, {"info", "--json"})).out)["allows"].toObject();
    QCOMPARE(allows, (QJsonObject{{"title", "ZQ-MV710BLX(R1)"},
                                  {"gainMax", 336},
                                  {"accel2x", false},
                                  {"sortAndTestPattern", false},
                                  {"balanceAndWhiteSpots", true}}));
    const Run refused = zqctl(on(mv, {"set", "5", "400"}));
    QCOMPARE(refused.exitCode, 1);
    QVERIFY2(refused.err.contains("GAIN goes up to 336 on this model"), refused.err.constData());
    for (const char *row : {"9", "14", "27"})
        QCOMPARE(zqctl(on(mv, {"set", row, "1"})).exitCode, 1);
    QCOMPARE(zqctl(on(mv, {"set", "GainLevel", "336"})).exitCode, 0);
    QCOMPARE(zqctl(on(mv, {"set", "5", "400", "--force"})).exitCode, 0);
    QByteArrayList writes;
    for (const QByteArray &p : mv.Log("payload"))
        if (!(QByteArray::fromHex(p.mid(12, 2)).at(0) & 0x80))
            writes << p;
    QCOMPARE(writes, QByteArrayList({"payload 01FF010C015000", "payload 01FF010C019000"}));
    QCOMPARE(zqctl(on(mv, {"get", "GainLevel", "--json"})).out,
             QJsonDocument(
                 QJsonObject{
                     {"index", 5}, {"code", "GainLevel"}, {"name", "Gain Level"}, {"value", 400}})
                 .toJson());
}

void TestZqctl::saveLoadAndDiff()
{
    const QString path = m_dir.filePath("line3.zq");
    {
        CamsimProcess sim(QStringLiteral(ZQ_CAMSIM));
        QVERIFY(sim.IsReady());
        QCOMPARE(zqctl(on(sim, {"set", "5", "300"})).exitCode, 0);
        QCOMPARE(zqctl(on(sim, {"set", "13", "42"})).exitCode, 0);
        QCOMPARE(zqctl(on(sim, {"save", path})).exitCode, 0);
    }
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QCOMPARE(bytes.size(), 244);
    QCOMPARE(bytes.left(24), QByteArray("\x17"
                                        "ZQ-B40 Data Version1.00"));
    QCOMPARE(bytes.mid(24 + 5 * 4, 4), QByteArray("\x2C\x01\x00\x00", 4));

    // A camera at its defaults, another serial number, gets the file's values.
    CamsimProcess fresh(QStringLiteral(ZQ_CAMSIM), {"--serial", "7654321"});
    QVERIFY(fresh.IsReady());
    const Run load = zqctl(on(fresh, {"load", path}));
    QCOMPARE(load.exitCode, 0);
    QCOMPARE(fresh.Log("payload").size(), 26);
    QVERIFY(fresh.Log("payload").contains("payload 01FF010C012C00"));
    QCOMPARE(zqctl(on(fresh, {"get", "13"})).out, QByteArray("42\n"));

    // Now it carries the file's settings; its own identity shows with --all only.
    Run diff = zqctl(on(fresh, {"diff", path}));
    QCOMPARE(diff.exitCode, 0);
    QCOMPARE(diff.out, QByteArray());
    QCOMPARE(zqctl(on(fresh, {"set", "5", "301"})).exitCode, 0);
    const QByteArray gainLine("5\tGain Level\t300\t301\t10.7400 dB\t10.7758 dB\n");
    diff = zqctl(on(fresh, {"diff", path}));
    QCOMPARE(diff.exitCode, 5);
    QCOMPARE(diff.out, gainLine);
    diff = zqctl(on(fresh, {"diff", path, "--all"}));
    QCOMPARE(diff.exitCode, 5);
    QList<QByteArray> lines = diff.out.trimmed().split('\n');
    QCOMPARE(lines.size(), 5); // the gain and the four serial-number registers
    QVERIFY2(lines.at(1).startsWith("47\tCamera Information\t") &&
                 lines.at(1).endsWith("\t1234567\t7654321"),
             lines.at(1).constData());
    diff = zqctl(on(fresh, {"diff", "--json", path}));
    QCOMPARE(diff.exitCode, 5);
    const QJsonObject result = QJsonDocument::fromJson(diff.out).object();
    QCOMPARE(result.value("against").toString(), QStringLiteral("camera"));
    QCOMPARE(result.value("equal").toBool(true), false);
    const QJsonArray differences = result.value("differences").toArray();
    QCOMPARE(differences.size(), 1);
    const QJsonObject gain = differences.at(0).toObject();
    QCOMPARE(gain.value("index").toInt(), 5);
    QCOMPARE(gain.value("expected").toInt(), 300);
    QCOMPARE(gain.value("actual").toInt(), 301);
    QCOMPARE(gain.value("actualText").toString(), QStringLiteral("10.7758 dB"));
    // Comparing only read: the writes are the load's and the set's.
    int writes = 0;
    for (const QByteArray &p : fresh.Log("payload"))
        writes += QByteArray::fromHex(p.mid(12, 2)).at(0) & 0x80 ? 0 : 1;
    QCOMPARE(writes, 27);

    // Two files without a camera: the same lines and status.
    const QString other = m_dir.filePath("line4.zq");
    QCOMPARE(zqctl(on(fresh, {"save", other})).exitCode, 0);
    diff = zqctl({"diff", path, other});
    QCOMPARE(diff.exitCode, 5);
    QCOMPARE(diff.out, gainLine);
    QCOMPARE(zqctl({"diff", path, other, "--all"}).out.count('\n'), 5);
    diff = zqctl({"diff", other, other, "--all", "--json"});
    QCOMPARE(diff.exitCode, 0);
    QCOMPARE(QJsonDocument::fromJson(diff.out).object().value("equal").toBool(), true);

    // A failed save leaves the earlier file as it was.
    fresh.Process().kill();
    fresh.Process().waitForFinished();
    const Run failed = zqctl(on(fresh, {"save", path}));
    QCOMPARE(failed.exitCode, 2);
    QVERIFY(file.seek(0));
    QCOMPARE(file.readAll(), bytes);
}

void TestZqctl::badFilesSendNothing()
{
    QByteArray valid("\x17"
                     "ZQ-B40 Data Version1.00");
    valid.append(QByteArray(220, '\0'));
    const QString truncated = m_dir.filePath("truncated.zq");
    const QString foreign = m_dir.filePath("foreign.zq");
    const QString empty = m_dir.filePath("empty.zq");
    const QString path = m_dir.filePath("valid.zq");
    QFile t(truncated), f(foreign), e(empty), v(path);
    QVERIFY(v.open(QIODevice::WriteOnly) && v.write(valid) == 244);
    v.close();
    QVERIFY(t.open(QIODevice::WriteOnly) && t.write(valid.left(100)) == 100);
    QByteArray wrongCase = valid;
    wrongCase[1] = 'z';
    QVERIFY(f.open(QIODevice::WriteOnly) && f.write(wrongCase) == 244);
    QVERIFY(e.open(QIODevice::WriteOnly));
    t.close();
    f.close();
    e.close();

    CamsimProcess sim(QStringLiteral(ZQ_CAMSIM));
    QVERIFY(sim.IsReady());
    const QByteArray mismatch("File type mismatch.\nFile \"foreign.zq\" does not contain data for  "
                              "ZQ-M(V)710ALX apprication.");
    // diff refuses a file as load does, the second file of two too.
    const QList<QStringList> commands = {{"load"}, {"diff"}, {"diff", path}};
    for (const QStringList &command : commands) {
        Run run = zqctl(on(sim, command + QStringList{truncated}));
        QCOMPARE(run.exitCode, 3);
        QVERIFY2(run.err.contains("Unexpected file format."), run.err.constData());
        run = zqctl(on(sim, command + QStringList{foreign}));
        QCOMPARE(run.exitCode, 3);
        QVERIFY2(run.err.contains(mismatch), run.err.constData());
        QCOMPARE(zqctl(on(sim, command + QStringList{empty})).exitCode, 3);
        QCOMPARE(zqctl(on(sim, command + QStringList{m_dir.filePath("missing.zq")})).exitCode, 3);
    }
    QCOMPARE(zqctl(on(sim, {"save", m_dir.filePath("no/such/dir/x.zq")})).exitCode, 3);
    // A value its register cannot carry: refused whole, the row named.
    valid.replace(24 + 5 * 4, 4, QByteArray("\x70\x11\x01\x00", 4)); // 70000
    QVERIFY(v.open(QIODevice::WriteOnly) && v.write(valid) == 244);
    v.close();
    const Run wide = zqctl(on(sim, {"load", path}));
    QCOMPARE(wide.exitCode, 1);
    QVERIFY2(wide.err.contains("Row 5 \"Gain Level\" holds 70000"), wide.err.constData());
    const Run compared = zqctl(on(sim, {"diff", path}));
    QCOMPARE(compared.exitCode, 1);
    QVERIFY2(compared.err.contains("Nothing was compared.") && !compared.err.contains("sent"),
             compared.err.constData());
    // Only the save above talked to the camera: 54 reads, no write.
    for (const QByteArray &p : sim.Log("payload"))
        QVERIFY2(QByteArray::fromHex(p.mid(12, 2)).at(0) & 0x80, p.constData());
    // Past the limits but within the register: sent as it stands.
    valid.replace(24 + 5 * 4, 4, QByteArray("\xFF\xFF\x00\x00", 4)); // 65535
    QVERIFY(v.open(QIODevice::WriteOnly) && v.write(valid) == 244);
    v.close();
    QCOMPARE(zqctl(on(sim, {"load", path})).exitCode, 0);
    QVERIFY(sim.Log("payload").contains("payload 01FF010CFFFF00"));
}

void TestZqctl::badRequestsSendNothing()
{
    CamsimProcess sim(QStringLiteral(ZQ_CAMSIM));
    QVERIFY(sim.IsReady());
    const QList<QStringList> requests = {{"frob"},
                                         {"get"},
                                         {"get", "55"},
                                         {"get", "-1"},
                                         {"get", "five"},
                                         {"set", "5"},
                                         {"set", "5", "3x"},
                                         {"set", "5", "99999999999"},
                                         {"send", QStringLiteral("01\u0003")},
                                         {"send", QStringLiteral("01\u007f")}, // DEL
                                         {"query", QStringLiteral("0\u00e9")},
                                         {"read-all", "extra"},
                                         {"send", "01", "--json"},
                                         {"diff"},
                                         {"diff", "a.zq", "b.zq", "c.zq"},
                                         {"read-all", "--all"}};
    for (const QStringList &request : requests) {
        const Run run = zqctl(on(sim, request));
        QVERIFY2(run.exitCode == 1, qPrintable(request.join(' ')));
        QVERIFY(run.err.contains("Usage: zqctl"));
    }
    const Run tooLong = zqctl(on(sim, {"send", QString(23, 'A')}));
    QCOMPARE(tooLong.exitCode, 1);
    QVERIFY(tooLong.err.contains("ERROR - Illegal message size of transmission data. "));
    QCOMPARE(zqctl({"--baud", "4800", "read-all"}).exitCode, 1);
    QCOMPARE(zqctl({"--com", "11", "read-all"}).exitCode, 1);
    QCOMPARE(zqctl({}).exitCode, 1);
    QVERIFY(sim.Log("rx").isEmpty());
}

void TestZqctl::silentCameraExitsWithTimeout()
{
    CamsimProcess sim(QStringLiteral(ZQ_CAMSIM), {"--silent"});
    QVERIFY(sim.IsReady());
    QElapsedTimer clock;
    clock.start();
    const Run run = zqctl(on(sim, {"get", "5"}));
    QCOMPARE(run.exitCode, 2);
    QCOMPARE(
        run.err,
        QByteArray("zqctl: ERROR - Communication time out detected.\nCheck the connection.\n"));
    const int handshake = CameraProtocol::kHandshakeAttempts * CameraProtocol::kHandshakeAckMs;
    QVERIFY(clock.elapsed() >= handshake - 100 && clock.elapsed() < 2 * handshake);
}

void TestZqctl::traceRecordsBothDirections()
{
    CamsimProcess sim(QStringLiteral(ZQ_CAMSIM));
    QVERIFY(sim.IsReady());
    const QString trace = m_dir.filePath("trace.log");
    QCOMPARE(zqctl(on(sim, {"--trace", trace, "set", "5", "300"})).exitCode, 0);
    QFile file(trace);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().trimmed().split('\n');
    QCOMPARE(lines.size(), 4);
    const QRegularExpression stamp(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d (TX|RX) "));
    for (const QByteArray &line : lines)
        QVERIFY2(stamp.match(QString::fromLatin1(line)).hasMatch(), line.constData());
    QVERIFY(lines.at(0).endsWith(" TX 05 |.|"));
    QVERIFY(lines.at(1).endsWith(" RX 06 |.|"));
    QVERIFY(lines.at(2).endsWith(" TX " + hexLine(kSet5To300) + " |.01FF010C012C00.03|"));
    QVERIFY(lines.at(3).endsWith(" RX 06 |.|"));
    // Appended, not replaced.
    QCOMPARE(zqctl(on(sim, {"--trace", trace, "send", "0102"})).exitCode, 0);
    file.close();
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll().trimmed().split('\n').size(), 8);
    QCOMPARE(zqctl(on(sim, {"--trace", m_dir.filePath("no/dir/t.log"), "get", "5"})).exitCode, 3);
}

void TestZqctl::helpListsEveryCommand()
{
    // The man page is made from this text: every command with an example.
    const Run run = zqctl({"--help"});
    QCOMPARE(run.exitCode, 0);
    const QString help = QString::fromUtf8(run.out);
    const QStringList commands = CommandTable::Names();
    QVERIFY(commands.contains("cl-libraries"));
    for (const QString &name : commands) {
        const QByteArray command = name.toLatin1();
        const QRegularExpression usage(QStringLiteral("^  %1\\b").arg(command),
                                       QRegularExpression::MultilineOption);
        const QRegularExpression example(
            QStringLiteral("^ +zqctl (--\\S+ \\S+ )*%1\\b").arg(command),
            QRegularExpression::MultilineOption);
        QVERIFY2(usage.match(help).hasMatch(), command.constData());
        QVERIFY2(example.match(help).hasMatch(), command.constData());
    }
}

void TestZqctl::scanProbesWithoutWriting()
{
    CamsimProcess silent(QStringLiteral(ZQ_CAMSIM), {"--silent"});
    CamsimProcess fast(QStringLiteral(ZQ_CAMSIM),
                       {"--baud", "115200", "--strict-baud", "--serial", "12345678"});
    QVERIFY(silent.IsReady() && fast.IsReady());
    // A port that answers nothing costs its two probes and no more.
    Run run = zqctl({"--device", silent.Link(), "scan"});
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.ms < 1500, qPrintable(QString::number(run.ms)));
    // At 9600 the camera hears noise; it is found at 115200.
    run = zqctl({"--device", silent.Link(), "--device", fast.Link(), "scan"});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out,
             fast.Link().toLocal8Bit() + "\t115200\tVantorix\tZQ-M710ALX\t12345678\t1.0.9.0\n");
    run = zqctl({"--device", fast.Link(), "scan", "--json"});
    const QJsonObject found = QJsonDocument::fromJson(run.out).array().at(0).toObject();
    QCOMPARE(found.value("baud").toInt(), 115200);
    QCOMPARE(found.value("serial").toString(), QStringLiteral("12345678"));
    // Heard: one ENQ a rate on the silent port; reads only on the camera.
    QCOMPARE(silent.Log("rx"), QByteArrayList({"rx 05", "rx 05", "rx 05", "rx 05"}));
    const QByteArrayList payloads = fast.Log("payload");
    QCOMPARE(payloads.size(), 2 * (Param::CameraInfoLast - Param::CameraInfoFirst + 1));
    for (const QByteArray &p : payloads)
        QVERIFY2(QByteArray::fromHex(p.mid(12, 2)).at(0) & 0x80, p.constData());

    // A grabber of two ports, the camera at 115200 behind the second.
    run = ProcessRun::Of(QStringLiteral(ZQCTL), {"--cl-library", ZQ_CLSERSIM, "scan"},
                         {QString(), [] {
                              ::setenv("ZQ_CLSIM_PORTS", "2", 1);
                              ::setenv("ZQ_CLSIM_CAMERAS", "1", 1);
                              ::setenv("ZQ_CLSIM_OPTIONS", "--baud 115200 --serial 7654321", 1);
                          }});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, QByteArray("cl-port:1\t115200\tVantorix\tZQ-M710ALX\t7654321\t1.0.9.0\n"));
}

void TestZqctl::severalChannelsAtOnce()
{
    // The first camera answers late by design: its lines must still come first.
    CamsimProcess a(QStringLiteral(ZQ_CAMSIM), {"--latency", "20"}), b(QStringLiteral(ZQ_CAMSIM));
    QVERIFY(a.IsReady() && b.IsReady());
    const QString approved = m_dir.filePath("approved.zq");
    QCOMPARE(zqctl(on(a, {"save", approved})).exitCode, 0);
    QCOMPARE(zqctl(on(b, {"set", "5", "301"})).exitCode, 0);
    const QString list = m_dir.filePath("line.txt");
    QFile file(list);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("# line 3\n" + a.Link().toLocal8Bit() + "\n  " + b.Link().toLocal8Bit() +
               " 115200  # station 2\n/nonexistent/zqcam\n");
    file.close();

    // Worst first: the missing camera outweighs the one that differs.
    Run run = zqctl({"--devices", list, "diff", approved});
    QCOMPARE(run.exitCode, 2);
    QCOMPARE(run.out, b.Link().toLocal8Bit() + "\t5\tGain Level\t0\t301\t0.0000 dB\t10.7758 dB\n");
    QVERIFY2(
        run.err.contains("/nonexistent/zqcam\tzqctl: ERROR - Can not open communciation port."),
        run.err.constData());
    QVERIFY(run.err.endsWith("3 cameras: 1 agreed, 1 differed, 1 failed\n"));

    run = zqctl({"--device", a.Link(), "--device", b.Link(), "diff", approved, "--json"});
    QCOMPARE(run.exitCode, 5);
    const QJsonArray channels = QJsonDocument::fromJson(run.out).array();
    QCOMPARE(channels.size(), 2);
    QCOMPARE(channels.at(0).toObject().value("status").toInt(), 0);
    const QJsonObject second = channels.at(1).toObject();
    QCOMPARE(second.value("channel").toString(), b.Link());
    QCOMPARE(second.value("result").toObject().value("differences").toArray().size(), 1);

    // Each channel's lines together, in the order given, each with its name.
    run = zqctl({"--device", a.Link(), "--device", b.Link(), "read-all"});
    QCOMPARE(run.exitCode, 0);
    const QList<QByteArray> lines = run.out.trimmed().split('\n');
    QCOMPARE(lines.size(), 2 * PARAM_COUNT);
    QCOMPARE(lines.at(5), a.Link().toLocal8Bit() + "\t5\tGain Level\t0");
    QCOMPARE(lines.at(PARAM_COUNT + 5), b.Link().toLocal8Bit() + "\t5\tGain Level\t301");
    QVERIFY(lines.at(PARAM_COUNT - 1).startsWith(a.Link().toLocal8Bit() + '\t'));
    QCOMPARE(zqctl({"--device", a.Link(), "--device", b.Link(), "set", "5", "1"}).exitCode, 1);
}

void TestZqctl::worstStatusSpeaksForAll_data()
{
    QTest::addColumn<QList<int>>("statuses");
    QTest::addColumn<int>("worst");
    QTest::newRow("usage over differs") << QList<int>{5, 1, 0} << 1;
    QTest::newRow("differs over success") << QList<int>{0, 5} << 5;
    QTest::newRow("camera over all") << QList<int>{3, 4, 2, 1} << 2;
    QTest::newRow("file over not finished") << QList<int>{4, 3} << 3;
    QTest::newRow("an unknown status as a camera failure") << QList<int>{3, 9} << 9;
}

void TestZqctl::worstStatusSpeaksForAll()
{
    QFETCH(QList<int>, statuses);
    QFETCH(int, worst);
    QCOMPARE(ChannelRunner::WorstOf(statuses), worst);
}

void TestZqctl::scriptsGetJsonAndExactNames()
{
    CamsimProcess sim(QStringLiteral(ZQ_CAMSIM));
    QVERIFY(sim.IsReady());
    auto json = [](const Run &run) { return QJsonDocument::fromJson(run.out).object(); };
    QCOMPARE(json(zqctl(on(sim, {"query", "01FF810C000000", "--json"}))).value("reply"),
             QJsonValue("000000"));
    QCOMPARE(json(zqctl(on(sim, {"reg", "read", "tg", "1A", "--json"}))).value("address"),
             QJsonValue("1A"));
    const QJsonArray page = json(zqctl(on(sim, {"reg", "dump", "dsp", "20-3F", "--json"})))
                                .value("registers")
                                .toArray();
    QCOMPARE(page.size(), 32);
    QCOMPARE(page.at(31).toObject().value("address"), QJsonValue("3F"));

    // A failure gives one object on stdout too, with the camera's code and reason.
    Run run = zqctl({"--device", m_dir.filePath("absent"), "get", "5", "--json"});
    QCOMPARE(run.exitCode, 2);
    QVERIFY(run.err.contains("ERROR - Can not open communciation port."));
    QJsonObject error = json(run).value("error").toObject();
    QCOMPARE(error.value("code").toInt(), 4);
    QVERIFY2(error.value("reason").toString().contains("No such file"), run.out.constData());
    run = zqctl(on(sim, {"get", "-1", "--json"}));
    QCOMPARE(run.exitCode, 1);
    error = json(run).value("error").toObject();
    QCOMPARE(error.value("code").toInt(-1), 0);
    QVERIFY(error.value("message").toString().startsWith("PARAM must be an index"));

    // A code name in another case is refused, its spelling given.
    run = zqctl(on(sim, {"get", "gainlevel"}));
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains("did you mean GainLevel?"), run.err.constData());

    // A path with a folder is the user's, relative to the current one.
    QVERIFY(QDir(m_dir.path()).mkpath("sc") && QFile::link(sim.Link(), m_dir.filePath("sc/live")));
    run = ProcessRun::Of(QStringLiteral(ZQCTL), {"--device", "sc/live", "get", "5"},
                         {m_dir.path(), {}});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, QByteArray("0\n"));
}

void TestZqctl::applyNamesRefusedRows()
{
    // Gain 300 is refused; the rows after it still go out. Black level
    // reads back 7 whatever was written.
    CamsimProcess sim(QStringLiteral(ZQ_CAMSIM),
                      {"--refuse-write", "01:0C:012C00", "--script-reads", "01:17:070000"});
    QVERIFY(sim.IsReady());
    ParamStore store;
    store.SetValue(Param::GainLevel, 300);
    store.SetValue(Param::BlackLevel, 42);
    const QString path = m_dir.filePath("apply.zq");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(SettingsFile::Encode(store));
    file.close();
    Run run = zqctl(on(sim, {"apply", path}));
    QCOMPARE(run.exitCode, 5);
    const QList<QByteArray> lines = run.out.split('\n');
    QCOMPARE(lines.at(0), QByteArray("5\tGain Level\t300\t0\trefused\t10.7400 dB\t0.0000 dB"));
    QVERIFY2(lines.at(1).startsWith("13\tBlack Level\t42\t7\tchanged"), run.out.constData());
    QVERIFY(sim.Log("payload").contains("payload 01FF01172A0000"));
    run = zqctl(on(sim, {"apply", path, "--json"}));
    const QJsonObject row =
        QJsonDocument::fromJson(run.out).object().value("differences").toArray().at(0).toObject();
    QCOMPARE(row.value("outcome").toString(), QStringLiteral("refused"));
}

QTEST_GUILESS_MAIN(TestZqctl)
#include "tst_zqctl.moc"
