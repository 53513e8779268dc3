#include "camera/cameradata.h"
#include "camera/paramindex.h"
#include "comm/cameralinklibrary.h"
#include "comm/tracelog.h"
#include "support/processrun.h"
#include "support/recordingnotifier.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLibrary>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <thread>

#include <cstdint>

// The library state is process-wide, as a grabber library's is: the tests
// run in order and each leaves the port closed.
class TestClSerSim : public QObject
{
    Q_OBJECT
private slots:
    void standardCallsAndCodes();
    void partialLibraryIsRefused();
    void failedInitReportsBoardOpenError_data();
    void failedInitReportsBoardOpenError();
    void portsAndBaudRate_data();
    void portsAndBaudRate();
    void staleInputIsFlushed();
    void zqctlChoosesPortAndListsLibraries();
    void libraryDirectoryOfTheStandard();
    void readAllAndWriteThroughLibrary();
    void closedBeforeTheLibraryIsGone();
    void onlyTheOpenerCloses();
    void twoPortsOfOneLibraryFromTwoThreads();
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

    // Its camera set to 115200 hears nothing until the port runs at that rate.
    auto setRate = reinterpret_cast<int32_t (*)(void *, uint32_t)>(lib.resolve("clSetBaudRate"));
    qputenv("ZQ_CLSIM_OPTIONS", "--baud 115200");
    QCOMPARE(init(0, &ref), 0);
    qunsetenv("ZQ_CLSIM_OPTIONS");
    for (uint32_t rate : {0u, 16u}) {
        if (rate)
            QCOMPARE(setRate(ref, rate), 0);
        size = 1;
        QCOMPARE(write(ref, &enq, &size, 1000), 0);
        size = 1;
        buffer[0] = 0;
        read(ref, buffer, &size, 1000);
        QCOMPARE(size, rate ? 1u : 0u);
    }
    QCOMPARE(setRate(ref, 32), -10008); // 230400: not among its rates
    close(ref);
}

void TestClSerSim::partialLibraryIsRefused()
{
    RecordingNotifier notifier;
    CameraData cam;
    QCOMPARE(cam.ConnectLibrary(QStringLiteral(ZQ_CLMISSING)), -4);
    QVERIFY(!SerialLink::IsCameraLinkOpen());
    QVERIFY(cam.ReadParam(Param::GainLevel) < 0); // and nothing of it was called, or we had aborted
    // Named, with what it lacks, once.
    QCOMPARE(notifier.messages.size(), 1);
    QCOMPARE(notifier.messages[0].text,
             QStringLiteral("ERROR - Can not open communciation port.\n" ZQ_CLMISSING
                            ": it is not a Camera Link serial library: it has no clSerialClose"));
}

void TestClSerSim::failedInitReportsBoardOpenError_data()
{
    QTest::addColumn<QString>("library");
    QTest::addColumn<QString>("text");
    QTest::newRow("with error texts")
        << ZQ_CLSERSIM
        << "Board Open Error\nThe grabber's serial port is in use by another program.";
    QTest::newRow("four functions") << ZQ_CLSERSIM4 << "Board Open Error";
}

void TestClSerSim::failedInitReportsBoardOpenError()
{
    QFETCH(QString, library);
    QFETCH(QString, text);
    qputenv("ZQ_CLSIM_FAIL_INIT", "1");
    RecordingNotifier notifier;
    CameraData cam;
    QCOMPARE(cam.ConnectLibrary(library), -ERR_PORT_OPEN);
    qunsetenv("ZQ_CLSIM_FAIL_INIT");
    QCOMPARE(notifier.messages.size(), 1);
    QCOMPARE(notifier.messages[0].text, text);
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
    QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
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
    QCOMPARE(ProcessRun::Lines(probe.readAllStandardOutput()), QByteArray("917\n"));
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

void TestClSerSim::twoPortsOfOneLibraryFromTwoThreads()
{
    // Two connections, each on its own port of the one library, used at once.
    qputenv("ZQ_CLSIM_PORTS", "2");
    RecordingNotifier notifier;
    CameraData first;
    CameraData second;
    QCOMPARE(first.OpenLibrary(QStringLiteral(ZQ_CLSERSIM), 0), 0);
    QCOMPARE(second.OpenLibrary(QStringLiteral(ZQ_CLSERSIM), 1), 0);
    qunsetenv("ZQ_CLSIM_PORTS");
    int results[2] = {};
    auto work = [](CameraData *cam, int gain, int *result) {
        *result = 0;
        for (int round = 0; round < 3 && *result == 0; ++round) {
            if (cam->WriteParam(Param::GainLevel, gain + round) < 0)
                *result = -cam->GetErrorCode();
            cam->SetValue(Param::GainLevel, 0);
            if (*result || cam->ReadParam(Param::GainLevel) != 1 ||
                cam->GetValue(Param::GainLevel) != gain + round)
                *result = cam->GetErrorCode() ? -cam->GetErrorCode() : -100;
        }
    };
    std::thread a(work, &first, 100, &results[0]);
    std::thread b(work, &second, 400, &results[1]);
    a.join();
    b.join();
    QCOMPARE(results[0], 0);
    QCOMPARE(results[1], 0);
    // Each closes its own port only.
    first.Close();
    QVERIFY(!first.IsChannelOpen());
    QVERIFY(second.IsChannelOpen());
    QCOMPARE(second.ReadParam(Param::GainLevel), 0);
    QCOMPARE(second.GetValue(Param::GainLevel), 402);
    second.Close();
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
    QTemporaryDir dir;
    TraceLog trace(dir.filePath("trace"));
    cam.SetTrace(&trace);
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
    // The library's status of a short read is in the trace, with its text.
    QFile file(dir.filePath("trace"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().contains(
        " -- clSerialRead -10004 (Fewer bytes arrived than were asked for.)\n"));
}

void TestClSerSim::portsAndBaudRate_data()
{
    QTest::addColumn<QString>("library");
    QTest::addColumn<int>("port");
    QTest::addColumn<int>("baud");
    QTest::addColumn<QString>("refused"); // why it would not open; empty: reads all
    // Two ports, the camera on the second at 115200; the grabber takes 9600 and 115200.
    QTest::newRow("second port at 115200") << ZQ_CLSERSIM << 1 << 115200 << "";
    QTest::newRow("a rate the port does not take")
        << ZQ_CLSERSIM << 1 << 57600
        << ZQ_CLSERSIM ": port 1: 57600 baud refused: -10008 (The grabber's port does not take "
                       "that baud rate.)";
    QTest::newRow("no such port") << ZQ_CLSERSIM << 2 << 115200 << "";
    QTest::newRow("four functions cannot set a rate")
        << ZQ_CLSERSIM4 << 0 << 115200 << ZQ_CLSERSIM4 ": the library cannot set a baud rate";
}

void TestClSerSim::portsAndBaudRate()
{
    QFETCH(QString, library);
    QFETCH(int, port);
    QFETCH(int, baud);
    QFETCH(QString, refused);
    qputenv("ZQ_CLSIM_PORTS", "2");
    qputenv("ZQ_CLSIM_CAMERAS", "1");
    qputenv("ZQ_CLSIM_RATES", "17");
    qputenv("ZQ_CLSIM_OPTIONS", "--baud 115200");
    RecordingNotifier notifier;
    CameraData cam;
    const int opened = cam.ConnectLibrary(library, port, baud);
    const QStringList ports = CameraLinkLibrary::PortIdentifiers();
    for (const char *name :
         {"ZQ_CLSIM_PORTS", "ZQ_CLSIM_CAMERAS", "ZQ_CLSIM_RATES", "ZQ_CLSIM_OPTIONS"})
        qunsetenv(name);
    QCOMPARE(ports, library == QLatin1String(ZQ_CLSERSIM)
                        ? QStringList({"Sim grabber, port A", "Sim grabber, port B"})
                        : QStringList{QString()});
    if (port == 2) { // the library's own refusal, in its box
        QCOMPARE(opened, -ERR_PORT_OPEN);
        QVERIFY(!cam.IsChannelOpen());
        QCOMPARE(notifier.messages.value(0).text,
                 "Board Open Error\nThe grabber has no serial port of that number.");
        return;
    }
    if (!refused.isEmpty()) {
        // Not left open at a rate nobody chose; the box gives the reason.
        QCOMPARE(opened, -ERR_PORT_OPEN);
        QVERIFY(!SerialLink::IsCameraLinkOpen());
        QCOMPARE(cam.GetErrorReason(), refused);
        QCOMPARE(notifier.messages.value(0).text,
                 "ERROR - Can not open communciation port.\n" + refused);
        return;
    }
    QCOMPARE(opened, 0);
    QCOMPARE(cam.ChannelName(), library + ", port 1 \"Sim grabber, port B\"");
    QCOMPARE(cam.ReadAll(), 1);
    QCOMPARE(cam.GetValue(Param::ProgrammableShutter), 917);
    QVERIFY(notifier.messages.isEmpty());
    cam.Close();
}

void TestClSerSim::staleInputIsFlushed()
{
    // A late reply an earlier exchange gave up on waits in the port: with
    // clFlushPort it is discarded before the next command; a four-function
    // library hands it out as the answer, as it always did.
    for (const char *library : {ZQ_CLSERSIM, ZQ_CLSERSIM4}) {
        qputenv("ZQ_CLSIM_STALE", QByteArray(64, '\x15'));
        RecordingNotifier notifier;
        CameraData cam;
        QCOMPARE(cam.OpenLibrary(QString::fromLatin1(library)), 0);
        qunsetenv("ZQ_CLSIM_STALE");
        const bool flushes = library == QLatin1String(ZQ_CLSERSIM);
        cam.SetValue(Param::ProgrammableShutter, 0);
        QCOMPARE(cam.ReadParam(Param::ProgrammableShutter), flushes ? 1 : -ERR_UNEXPECTED);
        cam.Close();
    }
}

void TestClSerSim::zqctlChoosesPortAndListsLibraries()
{
    QTemporaryDir dir;
    const auto fileName = [](const char *path) { return QFileInfo(path).fileName(); };
    for (const char *library : {ZQ_CLSERSIM, ZQ_CLSERSIM4, ZQ_CLMISSING})
        QVERIFY(QFile::copy(library, dir.filePath(fileName(library))));
    qputenv("CLSERIALPATH", dir.path().toLocal8Bit());
    qputenv("ZQ_CLSIM_PORTS", "2");
    qputenv("ZQ_CLSIM_CAMERAS", "1");
    qputenv("ZQ_CLSIM_OPTIONS", "--baud 115200");
    const ProcessRun info = ProcessRun::Of(
        ZQCTL, {"--cl-library", ZQ_CLSERSIM, "--cl-port", "1", "--baud", "115200", "info"});
    const ProcessRun list = ProcessRun::Of(ZQCTL, {"cl-libraries"});
    for (const char *name :
         {"CLSERIALPATH", "ZQ_CLSIM_PORTS", "ZQ_CLSIM_CAMERAS", "ZQ_CLSIM_OPTIONS"})
        qunsetenv(name);
    QCOMPARE(info.exitCode, 0);
    QVERIFY2(info.out.endsWith("\nPort:    " ZQ_CLSERSIM ", port 1 \"Sim grabber, port B\"\n"),
             info.out.constData());
    QCOMPARE(list.exitCode, 0);
    const QString d = dir.path() + '/';
    QCOMPARE(QString::fromLocal8Bit(list.out),
             d + fileName(ZQ_CLMISSING) +
                 "\t-\t-\tcannot be used: it is not a Camera Link serial library: "
                 "it has no clSerialClose\n" +
                 d + fileName(ZQ_CLSERSIM) + "\tZQ simulated grabber\t1.1\n" + d +
                 fileName(ZQ_CLSERSIM4) + "\t-\t-\n");
}

void TestClSerSim::libraryDirectoryOfTheStandard()
{
    // On Windows a grabber's installer writes the registry value, and the
    // environment is only the fallback; elsewhere there is the environment.
    QTemporaryDir byEnvironment, byRegistry;
    qputenv("CLSERIALPATH", byEnvironment.path().toLocal8Bit());
    QCOMPARE(CameraLinkLibrary::LibraryDirectory(), byEnvironment.path());
#ifdef Q_OS_WIN
    QSettings registry(QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\cameralink"),
                       QSettings::NativeFormat);
    registry.setValue("CLSERIALPATH", QDir::toNativeSeparators(byRegistry.path()));
    registry.sync();
    QVERIFY(QFile::copy(ZQ_CLSERSIM, byRegistry.filePath("clsersim.dll")));
    QFile(byRegistry.filePath("notes.txt")).open(QIODevice::WriteOnly);
    const QString found = QDir::fromNativeSeparators(CameraLinkLibrary::LibraryDirectory());
    const QStringList libraries = CameraLinkLibrary::LibrariesInDirectory();
    registry.remove("CLSERIALPATH");
    registry.sync();
    QCOMPARE(found, byRegistry.path());
    QCOMPARE(libraries.size(), 1);
    QVERIFY(libraries[0].endsWith("clsersim.dll"));
#endif
    qunsetenv("CLSERIALPATH");
}

QTEST_GUILESS_MAIN(TestClSerSim)
#include "tst_clsersim.moc"
