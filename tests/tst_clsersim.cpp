#include "camera/cameradata.h"
#include "camera/paramindex.h"
#include "support/recordingnotifier.h"

#include <QElapsedTimer>
#include <QLibrary>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdint>

// The library state is process-wide, as a grabber library's is: the tests
// run in order and each leaves the port closed.
class TestClSerSim : public QObject
{
    Q_OBJECT
private slots:
    void standardCallsAndCodes();
    void partialLibraryIsRefused();
    void failedInitReportsBoardOpenError();
    void readAllAndWriteThroughLibrary();
    void closedBeforeTheLibraryIsGone();
    void onlyTheOpenerCloses();
    void libraryThatComesBackEarly();
};

void TestClSerSim::standardCallsAndCodes()
{
    QLibrary lib(QStringLiteral(ZQ_CLSERSIM));
    QVERIFY2(lib.load(), qPrintable(lib.errorString()));
    auto init = reinterpret_cast<int32_t (*)(uint32_t, void **)>(lib.resolve("clSerialInit"));
    auto read = reinterpret_cast<int32_t (*)(void *, char *, uint32_t *, uint32_t)>(
        lib.resolve("clSerialRead"));
    auto write = reinterpret_cast<int32_t (*)(void *, char *, uint32_t *, uint32_t)>(
        lib.resolve("clSerialWrite"));
    auto close = reinterpret_cast<void (*)(void *)>(lib.resolve("clSerialClose"));
    QVERIFY(init && read && write && close);

    void *ref = &ref;
    QCOMPARE(init(1, &ref), -10005); // invalid index
    QCOMPARE(ref, nullptr);
    QCOMPARE(init(0, &ref), 0);
    QVERIFY(ref);
    void *second = nullptr;
    QCOMPARE(init(0, &second), -10003); // one port, already in use

    char enq = 0x05;
    uint32_t size = 1;
    QCOMPARE(write(ref, &enq, &size, 1000), 0);
    QCOMPARE(size, 1u);
    char buffer[4] = {};
    size = sizeof buffer;
    QCOMPARE(read(ref, buffer, &size, 1000), -10004); // fewer than asked: time-out
    QCOMPARE(size, 1u);
    QCOMPARE(buffer[0], char(0x06));
    size = 1;
    QCOMPARE(read(&size, buffer, &size, 1000), -10006); // not a port of this library
    close(ref);
}

void TestClSerSim::partialLibraryIsRefused()
{
    RecordingNotifier notifier;
    CameraData cam;
    QCOMPARE(cam.OpenLibrary(QStringLiteral(ZQ_CLMISSING)), -4);
    QVERIFY(!SerialLink::IsCameraLinkOpen());
    QVERIFY(cam.ReadParam(Param::GainLevel) < 0); // and nothing of it was called, or we had aborted
    QVERIFY(notifier.messages.isEmpty());
}

void TestClSerSim::failedInitReportsBoardOpenError()
{
    qputenv("ZQ_CLSIM_FAIL_INIT", "1");
    RecordingNotifier notifier;
    CameraData cam;
    QCOMPARE(cam.OpenLibrary(QStringLiteral(ZQ_CLSERSIM)), 0);
    qunsetenv("ZQ_CLSIM_FAIL_INIT");
    QCOMPARE(notifier.messages.size(), 1);
    QCOMPARE(notifier.messages[0].text, QStringLiteral("Board Open Error"));
    QCOMPARE(notifier.messages[0].caption, QStringLiteral("Error"));
    QCOMPARE(notifier.messages[0].icon, UserNotifier::Stop);
    QVERIFY(!SerialLink::IsCameraLinkOpen());
    QCOMPARE(cam.ReadAll(), -3);
    QCOMPARE(cam.WriteParam(Param::GainLevel, 1), -3);
}

void TestClSerSim::readAllAndWriteThroughLibrary()
{
    QTemporaryDir dir;
    const QString log = dir.filePath(QStringLiteral("camera.log"));
    qputenv("ZQ_CLSIM_LOG", log.toLocal8Bit());
    // Noise and two bad replies: the host's retries run through the library too.
    qputenv("ZQ_CLSIM_OPTIONS", "--serial 12345678 --model \"ZQ M710\" --noise 2 --bad-checksum 2");
    RecordingNotifier notifier;
    CameraData cam;
    QCOMPARE(cam.OpenLibrary(QStringLiteral(ZQ_CLSERSIM)), 0);
    qunsetenv("ZQ_CLSIM_OPTIONS");
    qunsetenv("ZQ_CLSIM_LOG");
    QVERIFY(SerialLink::IsCameraLinkOpen());

    QCOMPARE(cam.ReadAll(), 1);
    QCOMPARE(cam.GetValue(Param::ProgrammableShutter), 917);
    QCOMPARE(cam.GetValue(Param::ModelNameFirst), 0x515A);     // "ZQ"
    QCOMPARE(cam.GetValue(Param::ModelNameFirst + 1), 0x4D20); // " M"
    QCOMPARE(cam.GetValue(Param::SerialNumberLast), 0x3837);   // "78"
    QCOMPARE(cam.WriteParam(Param::GainLevel, 300), 1);
    cam.SetValue(Param::GainLevel, 0);
    QCOMPARE(cam.ReadParam(Param::GainLevel), 1);
    QCOMPARE(cam.GetValue(Param::GainLevel), 300);
    QVERIFY(notifier.messages.isEmpty());

    QFile file(log);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    QVERIFY(text.contains("frame 02 30 31 46 46 30 31 30 43 30 31 32 43 30 30 03 30 33\n"));
    QVERIFY(text.contains("payload 01FF010C012C00\n"));
    cam.Close();
    QVERIFY(!SerialLink::IsCameraLinkOpen());
}

void TestClSerSim::closedBeforeTheLibraryIsGone()
{
    // A program that ends without closing the channel must not call into a
    // library that has already torn itself down.
    QProcess probe;
    probe.start(QStringLiteral(ZQ_CLEXITPROBE), {QStringLiteral(ZQ_CLSERSIM)});
    QVERIFY(probe.waitForFinished(10000));
    QCOMPARE(probe.exitStatus(), QProcess::NormalExit);
    QCOMPARE(probe.exitCode(), 0);
    QCOMPARE(probe.readAllStandardOutput(), QByteArray("917\n"));
}

void TestClSerSim::onlyTheOpenerCloses()
{
    RecordingNotifier notifier;
    CameraData cam;
    QCOMPARE(cam.OpenLibrary(QStringLiteral(ZQ_CLSERSIM)), 0);
    QVERIFY(SerialLink::IsCameraLinkOpen());
    {
        CameraProtocol helper; // a temporary channel, e.g. in a dialog
        QCOMPARE(helper.Close(), 0);
        SerialLink other;
        QCOMPARE(other.OpenPort(11, 9600), -ERR_PORT_NUMBER); // closes first
    }
    QVERIFY(SerialLink::IsCameraLinkOpen());
    cam.SetValue(Param::ProgrammableShutter, 0);
    QCOMPARE(cam.ReadParam(Param::ProgrammableShutter), 1);
    QCOMPARE(cam.GetValue(Param::ProgrammableShutter), 917);
    cam.Close();
    QVERIFY(!SerialLink::IsCameraLinkOpen());
    QVERIFY(notifier.messages.isEmpty());
}

void TestClSerSim::libraryThatComesBackEarly()
{
    // The library hands out one byte a call and never waits: the camera's
    // answers come 30 ms after each write. The channel asks again until its
    // own deadline instead of failing the exchange at the first short read.
    qputenv("ZQ_CLSIM_SHORT_READS", "1");
    qputenv("ZQ_CLSIM_ANSWER_DELAY_MS", "30");
    RecordingNotifier notifier;
    CameraData cam;
    QCOMPARE(cam.OpenLibrary(QStringLiteral(ZQ_CLSERSIM)), 0);
    qunsetenv("ZQ_CLSIM_SHORT_READS");
    qunsetenv("ZQ_CLSIM_ANSWER_DELAY_MS");
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(cam.WriteParam(Param::GainLevel, 300), 1);
    cam.SetValue(Param::GainLevel, 0);
    QCOMPARE(cam.ReadParam(Param::GainLevel), 1);
    QCOMPARE(cam.GetValue(Param::GainLevel), 300);
    // Four answers of 30 ms (ENQ and frame, twice); a channel that waited
    // out its deadlines would take seconds.
    QVERIFY2(clock.elapsed() >= 120 && clock.elapsed() < 1000,
             qPrintable(QString::number(clock.elapsed())));
    QVERIFY(notifier.messages.isEmpty());
    cam.Close();
}

QTEST_GUILESS_MAIN(TestClSerSim)
#include "tst_clsersim.moc"
