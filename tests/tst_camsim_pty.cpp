#include "camera/cameradata.h"
#include "camera/paramindex.h"
#include "camera/paramtable.h"
#include "comm/comportmap.h"
#include "comm/lowlatency.h"
#include "support/camsimprocess.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

namespace {

// zq-camsim standing behind COM1.
class CamSim : public CamsimProcess
{
public:
    explicit CamSim(const QStringList &options) : CamsimProcess(QStringLiteral(ZQ_CAMSIM), options)
    {
        ComPortMap::SetOverride(1, Link());
    }
    ~CamSim() { ComPortMap::ClearOverrides(); }
    qint64 Pid() { return Process().processId(); }
};

qint64 cpuMs()
{
    rusage usage = {};
    getrusage(RUSAGE_SELF, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000 +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000;
}

// The system's low-latency calls, as a port with the flag (-1: none, 0:
// off, 1: on) that notes every call.
int g_flag = 0;
bool g_refuse = false;
QStringList g_calls;
bool recordGet(LowLatency::Handle, bool *on)
{
    g_calls << QStringLiteral("get");
    *on = g_flag == 1;
    return g_flag >= 0;
}
bool recordSet(LowLatency::Handle, bool on)
{
    g_calls << QString::fromLatin1(on ? "on" : "off");
    return !g_refuse;
}

} // namespace

class TestCamSimPty : public QObject
{
    Q_OBJECT
private slots:
    void readAllAndWriteOverPty();
    void lowLatencyAskedAndGivenBack_data();
    void lowLatencyAskedAndGivenBack();
    void silentCameraTimesOutWithoutSpinning();
    void deadLineFailsAtOnce();
    void sigusr1TogglesSilence();
    void helpAndBadOptions();
};

void TestCamSimPty::readAllAndWriteOverPty()
{
    CamSim sim({QStringLiteral("--serial"), QStringLiteral("12345678")});
    QVERIFY(sim.IsReady());
    CameraData cam;
    QCOMPARE(cam.OpenPort(1, 115200), 0);
    QCOMPARE(cam.ReadAll(), 1);
    QCOMPARE(cam.GetValue(Param::ProgrammableShutter), 917);
    QCOMPARE(cam.GetValue(Param::CameraInfoFirst), 0x6156);  // "Va"
    QCOMPARE(cam.GetValue(Param::SerialNumberLast), 0x3837); // "78"
    QCOMPARE(cam.WriteParam(Param::GainLevel, 300), 1);

    const QByteArrayList frames = sim.Log("frame ");
    QCOMPARE(frames.size(),
             ParamTable::CountWith(PF_READ) + 1); // the reads and the write, none repeated
    QCOMPARE(frames.last(),
             QByteArray("frame 02 30 31 46 46 30 31 30 43 30 31 32 43 30 30 03 30 33"));
    QCOMPARE(sim.Log("payload ").last(), QByteArray("payload 01FF010C012C00"));

    // Closing the port does not hang up the camera: it answers the next client.
    cam.Close();
    CameraData again;
    QCOMPARE(again.OpenPort(1, 9600), 0);
    QCOMPARE(again.ReadParam(Param::GainLevel), 1);
    QCOMPARE(again.GetValue(Param::GainLevel), 300);
    again.Close();

    // On a 9600-baud line each byte of a read takes its 1.04 ms: 31 of them
    // before the reply is in (the closing ACK is not waited for).
    CamSim slow({QStringLiteral("--baud"), QStringLiteral("9600")});
    QVERIFY(slow.IsReady());
    QCOMPARE(again.OpenPort(1, 9600), 0);
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(again.ReadParam(Param::GainLevel), 1);
    QVERIFY2(clock.elapsed() >= 32 && clock.elapsed() < 500,
             qPrintable(QString::number(clock.elapsed())));
}

void TestCamSimPty::lowLatencyAskedAndGivenBack_data()
{
    QTest::addColumn<int>("flag");
    QTest::addColumn<bool>("refuse");
    QTest::addColumn<QStringList>("calls");
    QTest::newRow("adapter") << 0 << false << QStringList{"get", "on", "off"};
    QTest::newRow("already low latency: left on") << 1 << false << QStringList{"get"};
    QTest::newRow("refused: nothing to give back") << 0 << true << QStringList{"get", "on"};
    QTest::newRow("pseudo-terminal") << -1 << false << QStringList{"get"};
}

void TestCamSimPty::lowLatencyAskedAndGivenBack()
{
    CamSim sim({});
    QVERIFY(sim.IsReady());
    QFETCH(int, flag);
    QFETCH(bool, refuse);
    g_flag = flag, g_refuse = refuse, g_calls.clear();
    const LowLatency::SystemCalls system = LowLatency::Calls();
    LowLatency::Calls() = {recordGet, recordSet};
    CameraData cam;
    QCOMPARE(cam.OpenPort(1, 115200), 0); // a refusal is no reason to refuse the port
    QVERIFY(cam.ReadParam(Param::GainLevel) >= 0);
    cam.Close();
    LowLatency::Calls() = system;
    QTEST(g_calls, "calls");
}

void TestCamSimPty::silentCameraTimesOutWithoutSpinning()
{
    CamSim sim({QStringLiteral("--silent")});
    QVERIFY(sim.IsReady());
    CameraData cam;
    QCOMPARE(cam.OpenPort(1, 115200), 0);
    QElapsedTimer clock;
    clock.start();
    const qint64 cpuBefore = cpuMs();
    QCOMPARE(cam.ReadAll(), -5);
    QVERIFY2(clock.elapsed() >= 3900 && clock.elapsed() < 6000,
             qPrintable(QString::number(clock.elapsed())));
    QVERIFY2(cpuMs() - cpuBefore < 400, qPrintable(QString::number(cpuMs() - cpuBefore)));
    // The camera heard the four ENQs and said nothing.
    QCOMPARE(sim.Log("rx 05").size(), 4);
    QVERIFY(sim.Log("tx ").isEmpty());
}

void TestCamSimPty::deadLineFailsAtOnce()
{
    CamSim sim({QStringLiteral("--die-after"), QStringLiteral("10")});
    QVERIFY(sim.IsReady());
    CameraData cam;
    QCOMPARE(cam.OpenPort(1, 115200), 0);
    QElapsedTimer clock;
    clock.start();
    QVERIFY(cam.ReadAll() < 0);
    QVERIFY2(clock.elapsed() < 1500, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(cam.GetValue(Param::Accel2x), 0);
    QCOMPARE(sim.Log("payload ").size(), 10);
    QVERIFY(sim.Process().waitForFinished(2000));
    for (int i = 0; i < 3; ++i) {
        clock.restart();
        QVERIFY(cam.ReadParam(Param::ShutterSpeed) < 0);
        QVERIFY(cam.WriteParam(Param::ShutterSpeed, 1) < 0);
        QVERIFY2(clock.elapsed() < 500, qPrintable(QString::number(clock.elapsed())));
    }
}

void TestCamSimPty::sigusr1TogglesSilence()
{
    CamSim sim({});
    QVERIFY(sim.IsReady());
    CameraData cam;
    QCOMPARE(cam.OpenPort(1, 115200), 0);
    QCOMPARE(cam.WriteParam(Param::GainLevel, 10), 1);
    ::kill(pid_t(sim.Pid()), SIGUSR1);
    QCOMPARE(cam.WriteParam(Param::GainLevel, 20), -5);
    ::kill(pid_t(sim.Pid()), SIGUSR1);
    QCOMPARE(cam.WriteParam(Param::GainLevel, 20), 1);
    QCOMPARE(cam.ReadParam(Param::GainLevel), 0);
    QCOMPARE(cam.GetValue(Param::GainLevel), 20);
}

void TestCamSimPty::helpAndBadOptions()
{
    QProcess help;
    help.start(QStringLiteral(ZQ_CAMSIM), {QStringLiteral("--help")});
    QVERIFY(help.waitForFinished(3000));
    QCOMPARE(help.exitCode(), 0);
    QVERIFY(help.readAllStandardOutput().contains("--die-after N"));

    for (const QStringList &bad : {QStringList{QStringLiteral("--serial"), QStringLiteral("12a")},
                                   QStringList{QStringLiteral("--noise"), QStringLiteral("-1")},
                                   QStringList{QStringLiteral("--baud"), QStringLiteral("0")},
                                   QStringList{QStringLiteral("--latency"), QStringLiteral("0")},
                                   QStringList{QStringLiteral("--bogus")}}) {
        QProcess p;
        p.start(QStringLiteral(ZQ_CAMSIM), bad);
        QVERIFY(p.waitForFinished(3000));
        QCOMPARE(p.exitCode(), 2);
        QVERIFY(p.readAllStandardOutput().isEmpty()); // no ready line
    }
}

QTEST_GUILESS_MAIN(TestCamSimPty)
#include "tst_camsim_pty.moc"
