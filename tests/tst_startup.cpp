// Start-up: the communication setup dialog's results, and the program from
// the dialog to its window over the simulated line, a pseudo-terminal and
// the Camera Link library.
#include "app/ccontrolapp.h"
#include "app/cmainframe.h"
#include "app/commsetupdialog.h"
#include "camera/cameraprobe.h"
#include "camera/paramindex.h"
#include "camera/paramtable.h"
#include "camera/settingsfile.h"
#include "camera/thecamera.h"
#include "comm/comportmap.h"
#include "comm/portcatalog.h"
#include "comm/comportdriver.h"
#include "document/czqb40doc.h"
#include "resources/commsetupids.h"
#include "sim/simportdriver.h"
#include "support/camsimprocess.h"
#include "support/guifixture.h"
#include "support/processrun.h"
#include "ui/controllookup.h"
#include "ui/language.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QKeySequence>
#include <QLineEdit>
#include <QProcessEnvironment>
#include <QSettings>
#include <QUrl>
#include <QtTest>

// Where a file name starts: Windows names the drive.
#ifdef Q_OS_WIN
#define ZQ_ROOT "C:"
#else
#define ZQ_ROOT ""
#endif

namespace {
// Clicks the named buttons of the setup dialog in turn; "browse:PATH"
// answers the file dialog with PATH (empty = cancelled).
void Drive(CommSetupDialog &dialog, const QStringList &steps, GuiFixture *rig)
{
    dialog.show();
    for (const QString &step : steps) {
        if (step.startsWith("browse:")) {
            rig->fileAnswers << step.mid(7);
            QTest::mouseClick(FindControl(&dialog, 1032), Qt::LeftButton);
        } else if (step.startsWith("type:")) {
            FindControlAs<QLineEdit>(&dialog, 1030)->setText(step.mid(5));
        } else if (step.startsWith("key:")) { // typed on the focused control
            QApplication::setActiveWindow(&dialog);
            QWidget *focus = QApplication::focusWidget() ? QApplication::focusWidget() : &dialog;
            const QKeyCombination key = QKeySequence::fromString(step.mid(4))[0];
            QTest::keyClick(focus, key.key(), key.keyboardModifiers());
        } else if (step.startsWith("at:")) { // the focused control's caption
            QApplication::setActiveWindow(&dialog);
            QAbstractButton *focus = qobject_cast<QAbstractButton *>(QApplication::focusWidget());
            QVERIFY2(focus && focus->text() == step.mid(3), qPrintable(step));
        } else if (step.startsWith("port:")) { // the grabber's port, by its place in the list
            auto *ports = FindControlAs<QComboBox>(&dialog, 1034);
            QVERIFY2(ports->isEnabled() && ports->count() > step.mid(5).toInt(), qPrintable(step));
            ports->setCurrentIndex(step.mid(5).toInt());
            emit ports->activated(ports->currentIndex());
        } else if (step == "Enter") {
            QTest::keyClick(&dialog, Qt::Key_Return);
        } else if (step == "Escape") {
            QTest::keyClick(&dialog, Qt::Key_Escape);
        } else {
            QAbstractButton *button = nullptr;
            for (QAbstractButton *b : dialog.findChildren<QAbstractButton *>())
                if (b->text() == step)
                    button = b;
            QVERIFY2(button, qPrintable(step));
            QVERIFY2(button->isEnabled(), qPrintable(step));
            QTest::mouseClick(button, Qt::LeftButton);
        }
    }
}

int StoredComPort()
{
    return QSettings().value("Settings/COM Port", -1).toInt();
}

QString WriteSettingsFile(const QTemporaryDir &dir, int gain)
{
    ParamStore store;
    store.SetValue(Param::GainLevel, gain);
    const QString path = dir.filePath("start.zq");
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(SettingsFile::Encode(store));
    return path;
}
} // namespace

class TestStartup : public QObject
{
    Q_OBJECT
private slots:
    void dialogResults_data();
    void dialogResults();
    void preselectsTheStoredPort();
    void startsOnTheSimulatedLine();
    void startsWithAFile_data();
    void startsWithAFile();
    void portThatDoesNotExist();
    void cancelEndsWithStatusOne();
    void refusedArguments_data();
    void refusedArguments();
    void startsThroughAPseudoTerminal();
    void searchChoosesThePortThatAnswered();
    void cameraLinkLibrary_data();
    void cameraLinkLibrary();
    void programHelpAndVersion();
    void language_data();
    void language();
};

void TestStartup::dialogResults_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<bool>("opened");
    QTest::addColumn<int>("system");
    QTest::addColumn<int>("choice");
    QTest::addColumn<int>("baud");
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("baudEnabled");
    QTest::addColumn<bool>("libraryEnabled");
    QTest::newRow("OPEN at once") << QStringList{"OPEN"} << true << 0 << 0 << 0 << "" << true
                                  << false;
    QTest::newRow("Enter") << QStringList{"Enter"} << true << 0 << 0 << 0 << "" << true << false;
    QTest::newRow("COM10 115200") << QStringList{"COM10", "115200", "OPEN"} << true << 0 << 9 << 1
                                  << "" << true << false;
    QTest::newRow("Matrox ignores the path")
        << QStringList{"Other Factory", "type:" ZQ_ROOT "/x/lib.so", "Matrox", "OPEN"} << true << 1 << 11 << 0
        << ZQ_ROOT "/x/lib.so" << false << false;
    QTest::newRow("Other Factory browsed")
        << QStringList{"Other Factory", "browse:" ZQ_ROOT "/opt/grabber/libclser.so", "OPEN"} << true << 1
        << 12 << 0 << ZQ_ROOT "/opt/grabber/libclser.so" << false << true;
    QTest::newRow("browse cancelled") << QStringList{"Other Factory", "browse:", "OPEN"} << true
                                      << 1 << 12 << 0 << "" << false << true;
    QTest::newRow("browse cancelled keeps the typed path")
        << QStringList{"Other Factory", "type:" ZQ_ROOT "/x/libtyped.so", "browse:", "OPEN"} << true << 1 << 12
        << 0 << ZQ_ROOT "/x/libtyped.so" << false << true;
    QTest::newRow("Euresys then COM 3")
        << QStringList{"Euresys", "COM 3", "OPEN"} << true << 0 << 2 << 0 << "" << true << false;
    QTest::newRow("CANCEL") << QStringList{"COM 5", "CANCEL"} << false << 0 << 0 << 0 << "" << true
                            << false;
    // Without a mouse: Tab goes ports, rate, board buttons, OPEN; the arrows
    // choose inside a group.
    QTest::newRow("keyboard: Matrox")
        << QStringList{"at:COM 1", "key:Tab",    "at: 9600",      "key:Tab",   "at:Search",
                       "key:Tab",  "at:Euresys", "key:Space",     "key:Right", "at:Matrox",
                       "key:Tab",  "at:OPEN",    "key:Shift+Tab", "at:Matrox", "Enter"}
        << true << 1 << 11 << 0 << "" << false << false;
    QTest::newRow("keyboard: COM 2 at 115200")
        << QStringList{"key:Down",  "at:COM 2", "key:Tab", "key:Down", "at:115200", "key:Tab",
                       "at:Search", "key:Tab",  "key:Tab", "at:OPEN",  "key:Space"}
        << true << 0 << 1 << 1 << "" << true << false;
    QTest::newRow("Escape") << QStringList{"Euresys", "Escape"} << false << 1 << 0 << 0 << ""
                            << false << false;
}

void TestStartup::dialogResults()
{
    QFETCH(QStringList, steps);
    GuiFixture rig;
    CommSetupDialog dialog;
    Drive(dialog, steps, &rig);
    QFETCH(bool, opened);
    QFETCH(int, system);
    QFETCH(int, choice);
    QFETCH(int, baud);
    QFETCH(QString, path);
    QFETCH(bool, baudEnabled);
    QFETCH(bool, libraryEnabled);
    QCOMPARE(dialog.m_opened, opened);
    QCOMPARE(dialog.m_system, system);
    QCOMPARE(dialog.m_portChoice, choice);
    QCOMPARE(dialog.m_baudChoice, baud);
    QCOMPARE(dialog.m_libraryPath, path);
    QVERIFY(!dialog.m_browsing);
    QCOMPARE(FindControl(&dialog, 1021)->isEnabled(), baudEnabled);
    for (int id : {CommSetupId::LibraryPath, CommSetupId::LibrarySuffix, CommSetupId::Browse})
        QCOMPARE(FindControl(&dialog, id)->isEnabled(), libraryEnabled);
    for (const FileDialogs::Request &r : rig.fileRequests) {
        QCOMPARE(r.caption, QStringLiteral("OPEN DLL FILE"));
        QVERIFY(r.filter.startsWith("dll file (*.dll);;"));
#ifdef Q_OS_WIN
        QCOMPARE(r.filter, QStringLiteral("dll file (*.dll);;all file (*.*)"));
        QVERIFY(r.selectedFilter.isEmpty());
#else
        QVERIFY(r.filter.contains("*.so"));
        QCOMPARE(r.selectedFilter, QStringLiteral("shared library (*.so *.so.*)"));
#endif
    }
}

void TestStartup::preselectsTheStoredPort()
{
    GuiFixture rig;
    ComPortMap::SetOverride(7, "/dev/nonexistent-zq7");
    CommSetupDialog dialog(nullptr, 7);
    QVERIFY(dialog.PortButton(6)->isChecked());
    QVERIFY(dialog.PortButton(6)->toolTip().contains("/dev/nonexistent-zq7"));
#ifndef Q_OS_WIN // a COM port is no file there: only opening it tells
    QVERIFY(dialog.PortButton(6)->toolTip().contains("no such device"));
#endif
    ComPortMap::ClearOverrides();
    Drive(dialog, {"Enter"}, &rig);
    QCOMPARE(dialog.m_portChoice, 6);
    QVERIFY(!CommSetupDialog(nullptr, 11).PortButton(10)->isChecked());
}

void TestStartup::startsOnTheSimulatedLine()
{
    GuiFixture rig;
    rig.camera.Registers().Set(0x01, 0x0C, "012C00"); // gain 300
    {
        CControlApp app;
        app.SetSetupRunner([&](CommSetupDialog &d) {
            Drive(d, {"COM 3", "115200", "OPEN"}, &rig);
        });
        QVERIFY(app.Startup({"zqremote"}));
        QCOMPARE(rig.driver->Baud(), 115200);
        QCOMPARE(theCamera.PortNumber(), 3);
        QCOMPARE(rig.camera.Payloads().size(),
                 ParamTable::CountWith(PF_READ)); // all read before the window
        QCOMPARE(theCamera.GetValue(Param::GainLevel), 300);
        QVERIFY(app.Frame()->isVisible());
        QCOMPARE(app.Frame()->windowTitle(), QStringLiteral("ZQ-M710ALX"));
        QVERIFY(app.Frame()->acceptDrops());
        QVERIFY(rig.boxes.isEmpty());
    }
    QCOMPARE(StoredComPort(), 3);
}

void TestStartup::startsWithAFile_data()
{
    QTest::addColumn<QByteArray>("bytes"); // the file; "-" none at all
    QTest::addColumn<int>("reads");        // reads before the window
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("gain");
    const int reads = ParamTable::CountWith(PF_READ);
    ParamStore store;
    store.SetValue(Param::GainLevel, 123);
    // Saved from another model: the panel still shows the camera that answers.
    const QByteArray model("ZQ-MV710BLX");
    for (int i = 0; i < model.size(); i += 2)
        store.SetValue(Param::ModelNameFirst + i / 2,
                       quint8(model[i]) | (i + 1 < model.size() ? quint8(model[i + 1]) << 8 : 0));
    const QByteArray good = SettingsFile::Encode(store);
    QTest::newRow("another model's file: the identity read, its values sent")
        << good << -(Param::CameraInfoLast - Param::CameraInfoFirst + 1) << ""
        << "start.zq" << 123;
    // Whatever keeps the file from storing values leaves the camera's.
    QTest::newRow("missing: read as without a file")
        << QByteArray("-") << reads << "Failed to open document."
        << "Untitled" << 300;
    QTest::newRow("foreign") << QByteArray(244, 'x') << reads << "File type mismatch."
                             << "Untitled" << 300;
    QTest::newRow("cut short") << good.left(100) << reads << "Unexpected file format."
                               << "Untitled" << 300;
    QTest::newRow("empty: opens, storing nothing") << QByteArray() << reads << ""
                                                   << "start.zq" << 300;
}

void TestStartup::startsWithAFile()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, reads);
    QFETCH(QString, box);
    QFETCH(QString, title);
    QFETCH(int, gain);
    GuiFixture rig;
    rig.camera.Registers().Set(0x01, 0x0C, "012C00"); // gain 300
    const QString file = rig.dir.filePath("start.zq");
    if (bytes != "-") {
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    CControlApp app;
    app.SetSetupRunner([&](CommSetupDialog &d) { Drive(d, {"OPEN"}, &rig); });
    QVERIFY(app.Startup({"zqremote", file}));
    const QByteArrayList sent = rig.TakePayloads();
    // A negative count: that many reads, then a good file's writable values sent.
    QCOMPARE(sent.size(), reads > 0 ? reads : -reads + ParamTable::CountWith(PF_WRITE_ALL));
    if (reads < 0)
        QVERIFY(sent.contains("01FF010C007B00"));
    QCOMPARE(theCamera.GetValue(Param::GainLevel), gain);
    QCOMPARE(rig.boxes.size(), box.isEmpty() ? 0 : 1);
    if (!box.isEmpty())
        QVERIFY2(rig.boxes[0].text.startsWith(box), qPrintable(rig.boxes[0].text));
    QCOMPARE(app.Doc()->GetTitle(), title);
    QVERIFY(!app.Doc()->IsModified());
    // The camera's model, not the table's empty one nor the file's.
    QCOMPARE(app.Frame()->windowTitle(), QStringLiteral("ZQ-M710ALX"));
}

void TestStartup::portThatDoesNotExist()
{
    GuiFixture rig;
    rig.driver->SetOpenFails(true, QStringLiteral("Device or resource busy (another program "
                                                  "has it open)"));
    ComPortMap::SetOverride(4, QStringLiteral("/dev/ttyUSB0"));
    {
        CControlApp app;
        app.SetSetupRunner([&](CommSetupDialog &d) { Drive(d, {"COM 4", "OPEN"}, &rig); });
        QVERIFY(app.Startup({"zqremote"}));
        QCOMPARE(rig.boxes.size(), 1);
        QCOMPARE(rig.boxes.at(0).text,
                 QStringLiteral("ERROR - Can not open communciation port.\n/dev/ttyUSB0: Device "
                                "or resource busy (another program has it open)"));
        QVERIFY(rig.camera.Payloads().isEmpty());
        QCOMPARE(theCamera.GetValue(Param::PartialScanWidth), 2058);
        app.IdleUpdate();
        QCOMPARE(app.Frame()->ComIndicatorText(), QStringLiteral(" ?"));
    }
    ComPortMap::ClearOverrides();
    QCOMPARE(StoredComPort(), 4); // the port it tried
}

void TestStartup::cancelEndsWithStatusOne()
{
    GuiFixture rig;
    QSettings().setValue("Settings/COM Port", 6);
    {
        CControlApp app;
        app.SetSetupRunner([&](CommSetupDialog &d) { Drive(d, {"CANCEL"}, &rig); });
        QVERIFY(!app.Startup({"zqremote"}));
        QCOMPARE(app.ExitStatus(), 1);
        QVERIFY(!app.Frame());
        QVERIFY(!CMainFrame::Instance());
    }
    QCOMPARE(StoredComPort(), 0);
    QVERIFY(rig.boxes.isEmpty());
}

void TestStartup::refusedArguments_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");
    QTest::newRow("--lang fr") << QStringList{"--lang", "fr"}
                               << "--lang takes en or ja, not \"fr\".";
    QTest::newRow("--lang=jp") << QStringList{"--lang=jp"} << "--lang takes en or ja, not \"jp\".";
    QTest::newRow("--com 11") << QStringList{"--com", "11=/dev/ttyS0"}
                              << "--com takes N=DEVICE with N from 1 to 10, not \"11=/dev/ttyS0\".";
}

void TestStartup::refusedArguments()
{
    // Said once, before any window; nothing is opened or stored.
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    GuiFixture rig;
    CControlApp app;
    bool asked = false;
    app.SetSetupRunner([&](CommSetupDialog &) { asked = true; });
    QVERIFY(!app.Startup(QStringList{"zqremote"} + arguments));
    QCOMPARE(app.ExitStatus(), 2);
    QVERIFY(!asked);
    QCOMPARE(rig.boxes.size(), 1);
    QCOMPARE(rig.boxes.at(0).text, message);
    QCOMPARE(rig.boxes.at(0).icon, MessageBox::Warning);
    QCOMPARE(Language::Current(), QStringLiteral("en"));
}

void TestStartup::startsThroughAPseudoTerminal()
{
#ifndef ZQ_CAMSIM
    QSKIP("needs zq-camsim on a Unix pseudo-terminal; Windows runs it through a Wine COM port");
#else
    GuiFixture rig;
    CamsimProcess camsim(QStringLiteral(ZQ_CAMSIM), {"--model", "ZQ-MV710ALX"});
    QVERIFY(camsim.IsReady());
    theCamera.SetPortDriver(NewComPortDriver());
    ComPortMap::SetOverride(2, camsim.Link());
    {
        CControlApp app;
        app.SetSetupRunner([&](CommSetupDialog &d) { Drive(d, {"COM 2", "OPEN"}, &rig); });
        QVERIFY(app.Startup({"zqremote"}));
        QCOMPARE(camsim.Log("payload").size(), ParamTable::CountWith(PF_READ));
        QCOMPARE(app.Frame()->windowTitle(), QStringLiteral("ZQ-MV710ALX"));
        app.IdleUpdate();
        QCOMPARE(app.Frame()->ComIndicatorText(), QStringLiteral("COM2"));
        QVERIFY(rig.boxes.isEmpty());

        // Switched off and on again on the same link: reached again without a restart.
        camsim.Stop();
        QCOMPARE(app.Doc()->UploadAllValues(), -ERR_IO);
        QCOMPARE(rig.boxes.size(), 1);
        QCOMPARE(rig.boxes.at(0).text, QStringLiteral("ERROR - Serial communication I/O error."));
        app.IdleUpdate();
        QCOMPARE(app.Frame()->ComIndicatorText(), QStringLiteral(" ?"));
        QVERIFY(camsim.Start());
        QCOMPARE(app.Doc()->UploadAllValues(), 1);
        QCOMPARE(rig.boxes.size(), 1);
        app.IdleUpdate();
        QCOMPARE(app.Frame()->ComIndicatorText(), QStringLiteral("COM2"));
    }
    ComPortMap::ClearOverrides();
    QCOMPARE(StoredComPort(), 2);
#endif
}

void TestStartup::searchChoosesThePortThatAnswered()
{
#ifndef ZQ_CAMSIM
    QSKIP("needs zq-camsim on a Unix pseudo-terminal; Windows runs it through a Wine COM port");
#else
    GuiFixture rig;
    CamsimProcess camsim(QStringLiteral(ZQ_CAMSIM), {"--baud", "115200", "--strict-baud"});
    QVERIFY(camsim.IsReady());
    theCamera.SetPortDriver(NewComPortDriver());
    // The test's ports only: behind the buttons, and none listed besides.
    for (int n = 1; n <= 10; ++n)
        ComPortMap::SetOverride(n, n == 4 ? camsim.Link()
                                          : QStringLiteral("/nonexistent/zq%1").arg(n));
    // The ports listed are those of a folder made here: the camera's port
    // again, under another name, to be probed once.
    QTemporaryDir folder;
    QVERIFY(QDir(folder.path()).mkpath("sys/zqcam/device") && QDir(folder.path()).mkpath("dev"));
    QVERIFY(QFile::link(camsim.Link(), folder.filePath("dev/zqcam")));
    // A port the console is on is listed too, and never probed.
    QVERIFY(QDir(folder.path()).mkpath("sys/zqconsole/device") &&
            QDir(folder.path()).mkpath("sys/console"));
    QVERIFY(QFile::link("/dev/null", folder.filePath("dev/zqconsole")));
    QFile active(folder.filePath("sys/console/active"));
    QVERIFY(active.open(QIODevice::WriteOnly) && active.write("zqconsole\n") > 0);
    active.close();
    CameraProbe::SetPortCatalog(
        PortCatalog(folder.filePath("by-id"), folder.filePath("sys"), folder.filePath("dev")));
    const QList<CameraProbe::Channel> present = CameraProbe::PortsPresent();
    QCOMPARE(present.size(), 1); // and by the name the listing gives it
    QCOMPARE(present.at(0).device, QFileInfo(camsim.Link()).canonicalFilePath());
    CommSetupDialog dialog;
    dialog.show();
    QVERIFY(camsim.Log("rx").isEmpty()); // nothing is probed unless asked
    Drive(dialog, {"Search"}, &rig);
    QVERIFY(dialog.PortButton(3)->isChecked());
    QVERIFY(FindControlAs<QAbstractButton>(&dialog, CommSetupId::Baud115200)->isChecked());
    QVERIFY(rig.boxes.isEmpty());
    Drive(dialog, {"OPEN"}, &rig);
    QCOMPARE(dialog.m_portChoice, 3);
    QCOMPARE(dialog.m_baudChoice, 1);
    CameraProbe::SetPortCatalog(PortCatalog());
    ComPortMap::ClearOverrides();
#endif
}

void TestStartup::cameraLinkLibrary_data()
{
    QTest::addColumn<bool>("withFile");
    QTest::addColumn<bool>("initFails");
    QTest::addColumn<QStringList>("steps"); // between the library and OPEN
    QTest::addColumn<QString>("library");
    QTest::newRow("read at start") << false << false << QStringList() << ZQ_CLSERSIM;
    QTest::newRow("read, then the file") << true << false << QStringList() << ZQ_CLSERSIM;
    QTest::newRow("init fails") << false << true << QStringList() << ZQ_CLSERSIM;
    // Two ports, the camera on the second, set to 115200.
    QTest::newRow("second port at 115200")
        << false << false << QStringList{"port:1", "115200"} << ZQ_CLSERSIM;
    QTest::newRow("will not load") << false << false << QStringList() << ZQ_ROOT "/nonexistent/libgone.so";
    QTest::newRow("four functions") << false << false << QStringList() << ZQ_CLSERSIM4;
}

void TestStartup::cameraLinkLibrary()
{
    QFETCH(bool, withFile);
    QFETCH(bool, initFails);
    QFETCH(QStringList, steps);
    QFETCH(QString, library);
    GuiFixture rig;
    const QString log = rig.dir.filePath("cl.log");
    qputenv("ZQ_CLSIM_LOG", log.toLocal8Bit());
    qputenv("ZQ_CLSIM_FAIL_INIT", initFails ? "1" : "0");
    if (!steps.isEmpty()) {
        qputenv("ZQ_CLSIM_PORTS", "2");
        qputenv("ZQ_CLSIM_CAMERAS", "1");
        qputenv("ZQ_CLSIM_OPTIONS", "--baud 115200");
    }
    QSettings().setValue("Settings/COM Port", 5);
    QStringList args = {"zqremote"};
    if (withFile)
        args << WriteSettingsFile(rig.dir, 77);
    {
        CControlApp app;
        app.SetSetupRunner([&](CommSetupDialog &d) {
            Drive(d,
                  QStringList{"Other Factory", "browse:" + library} + steps + QStringList{"OPEN"},
                  &rig);
        });
        QVERIFY(app.Startup(args));
        app.IdleUpdate();
        QCOMPARE(app.Frame()->ComIndicatorText(), QStringLiteral(" ?"));
        theCamera.Close();
    }
    for (const char *name : {"ZQ_CLSIM_LOG", "ZQ_CLSIM_FAIL_INIT", "ZQ_CLSIM_PORTS",
                             "ZQ_CLSIM_CAMERAS", "ZQ_CLSIM_OPTIONS"})
        qunsetenv(name);
    QCOMPARE(StoredComPort(), 0);
    if (initFails || !QFile::exists(library)) {
        // Said once, by the opening; nothing is read from a port that is not open.
        QCOMPARE(rig.boxes.size(), 1);
        if (initFails) {
            QCOMPARE(rig.boxes.at(0).text,
                     "Board Open Error\nThe grabber's serial port is in use by another program.");
            QCOMPARE(rig.boxes.at(0).caption, QStringLiteral("Error"));
        } else {
            QCOMPARE(rig.boxes.at(0).text,
                     "ERROR - Can not open communciation port.\n" + library + ": no such file");
        }
        return;
    }
    if (!steps.isEmpty()) // the port chosen for this library is offered first next time
        QCOMPARE(QSettings().value("CameraLinkPorts/" + QUrl::toPercentEncoding(library)).toInt(),
                 1);
    QVERIFY(rig.boxes.isEmpty());
    QFile f(log);
    QVERIFY(f.open(QIODevice::ReadOnly | QIODevice::Text));
    QByteArrayList payloads;
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith("payload "))
            payloads << line.mid(8);
    QCOMPARE(payloads.size(),
             withFile ? ParamTable::CountWith(PF_READ) + ParamTable::CountWith(PF_WRITE_ALL)
                      : ParamTable::CountWith(PF_READ));
    QVERIFY(payloads.first().startsWith("01FF81"));
    if (withFile)
        QVERIFY2(payloads.mid(54).contains("01FF010C004D00"), payloads.mid(54).join(' '));
}

void TestStartup::programHelpAndVersion()
{
    // A terminal without a display, where a window could not open.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    QProcess program;
    program.setProcessEnvironment(env);
    program.start(QStringLiteral(ZQREMOTE), {"--version"});
    QVERIFY(program.waitForFinished(20000));
    QCOMPARE(program.exitCode(), 0);
    QCOMPARE(program.readAllStandardOutput().trimmed(), QByteArray("ZQ-M(V)710ALX 1.0.0.0"));
    for (const char *asked : {"--help", "--help-all"}) {
        program.start(QStringLiteral(ZQREMOTE), {asked});
        QVERIFY(program.waitForFinished(20000)); // printed, no setup dialog
        QCOMPARE(program.exitCode(), 0);
        const QByteArray help = program.readAllStandardOutput();
        for (const char *option : {"--com <N=DEVICE>", "--trace <FILE>", "[file]"})
            QVERIFY2(help.contains(option), option);
    }
}

void TestStartup::language_data()
{
    QTest::addColumn<QStringList>("environment");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("expected"); // in what the program prints
    const QByteArray english = "Show the program in LANG: en or ja.";
    const QByteArray japanese = "LANG の言語で表示します: en または ja。";
    QTest::newRow("C") << QStringList{"LANG=C.UTF-8"} << QStringList{"--help"} << english;
    QTest::newRow("LANG=ja_JP.UTF-8")
        << QStringList{"LANG=ja_JP.UTF-8"} << QStringList{"--help"} << japanese;
#ifndef Q_OS_WIN // Windows has no LC_ALL; Qt reads LANG there too
    QTest::newRow("LC_ALL over LANG") << QStringList{"LANG=en_US.UTF-8", "LC_ALL=ja_JP.UTF-8"}
                                      << QStringList{"--help"} << japanese;
#endif
    QTest::newRow("German: English")
        << QStringList{"LANG=de_DE.UTF-8"} << QStringList{"--help"} << english;
    QTest::newRow("--lang ja") << QStringList{"LANG=C.UTF-8"}
                               << QStringList{"--lang", "ja", "--help"} << japanese;
    QTest::newRow("--lang=en over LANG")
        << QStringList{"LANG=ja_JP.UTF-8"} << QStringList{"--lang=en", "--help"} << english;
    // Scripts read the version: the same in every language.
    QTest::newRow("--version in Japanese")
        << QStringList{"LANG=ja_JP.UTF-8"} << QStringList{"--version"}
        << QByteArray("ZQ-M(V)710ALX 1.0.0.0\n");
}

void TestStartup::language()
{
    QFETCH(QStringList, environment);
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, expected);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"})
        env.remove(QString::fromLatin1(name));
    for (const QString &setting : environment)
        env.insert(setting.section(QLatin1Char('='), 0, 0), setting.section(QLatin1Char('='), 1));
    QProcess program;
    program.setProcessEnvironment(env);
    program.start(QStringLiteral(ZQREMOTE), arguments);
    QVERIFY(program.waitForFinished(20000));
    QCOMPARE(program.exitCode(), 0);
    const QByteArray out = ProcessRun::Lines(program.readAllStandardOutput());
    QVERIFY2(out.contains(expected), out.constData());
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
