// The main window and the document: menus in both modes, the status bar,
// settings files, whole-set transfers and the save prompt.
#include "app/ccontrolapp.h"
#include "app/cmainframe.h"
#include "camera/paramindex.h"
#include "camera/paramtable.h"
#include "camera/settingsfile.h"
#include "camera/thecamera.h"
#include "document/czqb40doc.h"
#include "document/recentfilelist.h"
#include "resources/commandids.h"
#include "resources/panelids.h"
#include "resources/stringids.h"
#include "resources/stringtable.h"
#include "sim/simportdriver.h"
#include "support/guifixture.h"
#include "ui/exchangeguard.h"
#include "ui/language.h"

#include <QAction>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QProgressDialog>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QSignalSpy>
#include <QtTest>
#ifdef ZQ_QUEUED_INPUT
#include <qpa/qwindowsysteminterface.h>
#endif

#include <csignal>
#ifndef Q_OS_WIN
#include <sys/resource.h>
#endif

namespace {
// Runs a function whenever the watched object receives an event of the type.
class EventProbe : public QObject
{
public:
    EventProbe(QObject *watched, QEvent::Type type, std::function<void()> seen)
        : m_type(type), m_seen(std::move(seen))
    {
        watched->installEventFilter(this);
    }
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == m_type)
            m_seen();
        return false;
    }

private:
    QEvent::Type m_type;
    std::function<void()> m_seen;
};
// Notes what the status bar says when the first byte of an exchange leaves.
class StatusWatcher : public SimPeer
{
public:
    explicit StatusWatcher(SimPeer *camera) : m_camera(camera) {}
    QByteArray Receive(const QByteArray &bytes) override
    {
        if (!m_first) {
            m_first = true;
            if (CMainFrame::Instance())
                seen = CMainFrame::Instance()->StatusText();
            for (QWidget *w : QApplication::topLevelWidgets()) {
                if (auto *p = qobject_cast<QProgressDialog *>(w); p && p->isVisible())
                    progress = p->labelText();
            }
        }
        return m_camera->Receive(bytes);
    }
    void Reset() { m_first = false, seen.clear(), progress.clear(); }
    QString seen;
    QString progress; // the progress window's text, when one was up

private:
    SimPeer *m_camera;
    bool m_first = false;
};

QStringList MenuTexts(QMenu *menu)
{
    QStringList texts;
    for (QAction *a : menu->actions())
        texts << (a->isSeparator() ? QStringLiteral("-") : a->text()) +
                     (a->isEnabled() ? QString() : QStringLiteral(" [off]"));
    return texts;
}

QByteArray FileWith(const QByteArray &header, int valueBytes, qint32 fill = 0)
{
    QByteArray bytes = QByteArray(1, char(header.size())) + header;
    for (int i = 0; i < valueBytes / 4; ++i)
        bytes.append(reinterpret_cast<const char *>(&fill), 4); // little-endian machine
    return bytes;
}

QString Write(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    return path;
}
} // namespace

class TestMainFrame : public QObject
{
    Q_OBJECT
private slots:
    void menus_data();
    void menus();
    void comIndicator();
    void readFromCamera();
    void saveWritesTheStoredValues();
    void openSendsWritableRowsInOrder();
    void openRefusesForeignAndDamagedFiles_data();
    void openRefusesForeignAndDamagedFiles();
    void openWithTheCameraOff();
    void savePrompt_data();
    void savePrompt();
    void failedSaveKeepsTheOldFile();
    void statusTextsAndReady();
    void recentFiles();
    void inJapanese();
};

void TestMainFrame::menus_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<bool>("developer");
    QTest::newRow("service name") << "/opt/zq/QX7RT service access" << true;
    QTest::newRow("upper case, extension") << "QX7RT SERVICE ACCESS.exe" << true;
    QTest::newRow("lower case") << "qx7rt service access.bin" << true;
    QTest::newRow("another name") << "zqremote" << false;
    QTest::newRow("longer name") << "QX7RT service access2" << false;
}

void TestMainFrame::menus()
{
    QFETCH(QString, program);
    QFETCH(bool, developer);
    GuiFixture rig(program);
    {
        CZQB40Doc doc(theCamera);
        CMainFrame bare(&doc, program); // its caption until a panel sets one
        QCOMPARE(bare.windowTitle(), QStringLiteral(" ZQ-M(V)710ALX"));
    }
    rig.BuildWindows();
    QCOMPARE(rig.frame->IsDeveloperMode(), developer);
    // 690 by 480, or larger where the panel would be clipped.
    QCOMPARE(rig.frame->width(), 690);
    QVERIFY(rig.frame->height() >= 480);
    rig.frame->show();
    const QRect view = rig.frame->View()->rect();
    for (QWidget *w :
         rig.frame->View()->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly))
        QVERIFY2(w->isHidden() || view.contains(w->geometry()), qPrintable(w->objectName()));
    auto *scroller = qobject_cast<QScrollArea *>(rig.frame->centralWidget());
    QVERIFY(scroller);
    QTRY_VERIFY(!scroller->horizontalScrollBar()->isVisible() &&
                !scroller->verticalScrollBar()->isVisible());
    // Made smaller than the panel, the window scrolls to what it hides.
    rig.frame->resize(400, 300);
    QTRY_VERIFY(scroller->verticalScrollBar()->isVisible());
    QVERIFY(scroller->horizontalScrollBar()->isVisible());
    QCOMPARE(rig.frame->View()->size(), rig.frame->View()->sizeHint());
    rig.frame->resize(rig.frame->sizeHint().expandedTo(QSize(690, 480)) + QSize(200, 200));
    QTRY_VERIFY(!scroller->verticalScrollBar()->isVisible());
    QCOMPARE(rig.frame->windowTitle(), QStringLiteral("ZQ-M(V)710ALX")); // no camera read

    const QList<QAction *> menus = rig.frame->menuBar()->actions();
    QCOMPARE(menus.size(), 3);
    QCOMPARE(menus.at(0)->text(), QStringLiteral("&File"));
    QCOMPARE(MenuTexts(menus.at(0)->menu()),
             QStringList({"&Open...\tCtrl+O", "&Save\tCtrl+S", "Save &As...", "-",
                          "Recent File [off]", "-", "E&xit"}));
    QCOMPARE(menus.at(1)->text(), QStringLiteral("&Interface"));
    const QStringList all = {"Manual Command...",
                             "&Read From Camera\tCtrl+R",
                             "&Write To Camera\tCtrl+W",
                             "-",
                             "Seria&l Port...\tCtrl+L  [off]",
                             "Command Menu "};
    QCOMPARE(MenuTexts(menus.at(1)->menu()),
             developer ? all
                       : QStringList({"&Read From Camera\tCtrl+R", "&Write To Camera\tCtrl+W"}));
    QCOMPARE(MenuTexts(menus.at(2)->menu()), QStringList({"&About ZQ-M(V)710ALX..."}));

    // The accelerators stay in both modes; Ctrl+L has none.
    for (int id :
         {CommandId::FileOpen, CommandId::FileSave, CommandId::FileNew,
          CommandId::ReadFromCameraKey, CommandId::WriteToCameraKey, CommandId::CommandMenuKey})
        QVERIFY(rig.frame->Action(id) && !rig.frame->Action(id)->shortcut().isEmpty());
    QCOMPARE(rig.frame->Action(CommandId::CommandMenuKey)->shortcut(), QKeySequence("Ctrl+P"));
    for (QAction *a : rig.frame->findChildren<QAction *>())
        QVERIFY(a->shortcut() != QKeySequence("Ctrl+L"));
}

void TestMainFrame::comIndicator()
{
    {
        GuiFixture rig;
        rig.OpenPort(10);
        rig.BuildWindows();
        rig.frame->UpdateComIndicator();
        QLabel *pane = rig.frame->ComIndicator();
        QCOMPARE(pane->text(), QStringLiteral("COM10"));
        const QFontMetrics fm(pane->font());
        QVERIFY(pane->width() < fm.horizontalAdvance("COM8") * 2);
        QVERIFY(pane->contentsRect().width() >= fm.horizontalAdvance("COM10")); // not clipped

        // The adapter is pulled and plugged in again: one box per action,
        // " ?" while it is away, and the next action finds it again.
        QAction *read = rig.frame->Action(CommandId::ReadFromCamera);
        rig.driver->SetDead(true);
        read->trigger();
        read->trigger();
        QCOMPARE(rig.boxes.size(), 2);
        QCOMPARE(rig.boxes.at(1).text, QStringLiteral("ERROR - Serial communication I/O error."));
        rig.frame->UpdateComIndicator();
        QCOMPARE(pane->text(), QStringLiteral(" ?"));
        rig.driver->SetDead(false);
        rig.TakePayloads();
        read->trigger();
        QCOMPARE(rig.boxes.size(), 2);
        QCOMPARE(rig.TakePayloads().size(), 54);
        rig.frame->UpdateComIndicator();
        QCOMPARE(pane->text(), QStringLiteral("COM10"));

        // Away again, and another camera answers: asked which camera it is
        // before anything is written, it is read whole and the change said
        // once; the write meant for the camera before is not sent.
        rig.driver->SetDead(true);
        read->trigger();
        rig.driver->SetDead(false);
        rig.camera.SetIdentity("Vantorix", "ZQ-MV710BLX", "7654321", "1.0.9.0");
        rig.TakePayloads();
        auto *gain = qobject_cast<QScrollBar *>(rig.Control(PanelId::GainSlider));
        gain->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        const QByteArrayList sent = rig.TakePayloads();
        QCOMPARE(sent.size(), Param::SerialNumberLast - Param::ModelNameFirst + 1 + 54);
        for (const QByteArray &payload : sent)
            QVERIFY2(payload.mid(4, 2).toInt(nullptr, 16) >= 0x80, payload.constData());
        QCOMPARE(rig.boxes.size(), 4);
        QVERIFY(rig.boxes.at(3).text.contains("serial number 1234567 before"));
        QVERIFY(rig.boxes.at(3).text.contains("ZQ-MV710BLX serial number 7654321 now"));
        QCOMPARE(gain->value(), theCamera.GetValue(Param::GainLevel));
        gain->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QCOMPARE(rig.TakePayloads().size(), 1);
        QCOMPARE(rig.boxes.size(), 4);
    }
    {
        // Held by another program at start-up: tried again at the next
        // exchange, which works once that program has ended.
        GuiFixture rig;
        rig.driver->SetOpenFails(true);
        QVERIFY(theCamera.ConnectPort(3, 9600) < 0);
        rig.BuildWindows();
        rig.frame->UpdateComIndicator();
        QCOMPARE(rig.frame->ComIndicatorText(), QStringLiteral(" ?"));
        QCOMPARE(rig.boxes.size(), 1);
        rig.frame->Action(CommandId::ReadFromCamera)->trigger();
        QCOMPARE(rig.boxes.at(1).text, QStringLiteral("ERROR - Communication port not opened."));
        rig.driver->SetOpenFails(false);
        rig.frame->Action(CommandId::ReadFromCamera)->trigger();
        QCOMPARE(rig.boxes.size(), 2);
        QCOMPARE(rig.TakePayloads().size(), 54);
        rig.frame->UpdateComIndicator();
        QCOMPARE(rig.frame->ComIndicatorText(), QStringLiteral("COM3"));
    }
    {
        GuiFixture rig;
        QCOMPARE(theCamera.ConnectLibrary(QStringLiteral(ZQ_CLSERSIM)), 0);
        rig.BuildWindows();
        rig.frame->UpdateComIndicator();
        QCOMPARE(rig.frame->ComIndicatorText(), QStringLiteral(" ?"));
    }
}

void TestMainFrame::readFromCamera()
{
    GuiFixture rig;
    rig.OpenPort();
    rig.BuildWindows();
    rig.frame->show();
    QVERIFY(QTest::qWaitForWindowActive(rig.frame));
    QSignalSpy refreshes(rig.doc, &CZQB40Doc::refreshViews);
    QPair<int, int> counted;
    theCamera.SetBulkProgress([&counted](int done, int total) { counted = {done, total}; });

    rig.camera.Faults().silent = true;
    QTest::keyClick(rig.frame, Qt::Key_R, Qt::ControlModifier);
    QCOMPARE(rig.boxes.size(), 1);
    QCOMPARE(rig.boxes.at(0).icon, MessageBox::Stop);
    QVERIFY(rig.boxes.at(0).text.startsWith("ERROR - Communication time out detected."));
    QCOMPARE(refreshes.size(), 0);
    QVERIFY(!rig.doc->IsModified());

    rig.camera.Faults().silent = false;
    rig.TakePayloads();
    QVERIFY(QTest::qWaitForWindowActive(rig.frame)); // back from the progress window
    // A key the operator pressed as the reading began waits for its end: the
    // progress window's painting hands no input to the panel meanwhile.
    QWidget *gain = rig.Control(PanelId::GainSlider);
    GuiFixture::Focus(gain);
    QList<bool> keysWhileBusy;
    EventProbe probe(gain, QEvent::KeyPress,
                     [&keysWhileBusy] { keysWhileBusy << ExchangeGuard::IsBusy(); });
#ifdef ZQ_QUEUED_INPUT
    QWindowSystemInterface::handleKeyEvent<QWindowSystemInterface::AsynchronousDelivery>(
        rig.frame->windowHandle(), QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
#endif
    QTest::keyClick(rig.frame, Qt::Key_R, Qt::ControlModifier);
    QCOMPARE(keysWhileBusy, QList<bool>{});
    QCOMPARE(rig.boxes.size(), 1);
    QCOMPARE(refreshes.size(), 1);
    QVERIFY(rig.doc->IsModified());
    QCOMPARE(rig.TakePayloads().size(), ParamTable::CountWith(PF_READ));
#ifdef ZQ_QUEUED_INPUT
    QCoreApplication::processEvents();
    QCOMPARE(keysWhileBusy, QList<bool>{false});
    QCOMPARE(rig.TakePayloads().size(), 1); // the key's own write, after the reading
#endif
    QCOMPARE(theCamera.GetValue(Param::ProgrammableShutter), 917);
    const int rows = ParamTable::CountWith(PF_READ);
    QCOMPARE(counted, qMakePair(rows, rows)); // the progress counted every row

    // A reading that fails midway has changed rows before it: the views show them.
    theCamera.SetValue(Param::TriggerMode, 3);
    rig.camera.Faults().faultsAfter = rig.camera.Exchanges() + 10;
    rig.camera.Faults().silent = true;
    rig.doc->SetModifiedFlag(false);
    QVERIFY(QTest::qWaitForWindowActive(rig.frame));
    QTest::keyClick(rig.frame, Qt::Key_R, Qt::ControlModifier);
    QCOMPARE(rig.boxes.size(), 2);
    QCOMPARE(refreshes.size(), 2);
    QVERIFY(rig.doc->IsModified());
    QVERIFY(theCamera.GetValue(Param::TriggerMode) != 3);
    rig.camera.Faults() = SimFaults();
    rig.TakePayloads();

    // Ctrl+W writes the writable rows and changes nothing of the document.
    rig.doc->SetModifiedFlag(false);
    QVERIFY(QTest::qWaitForWindowActive(rig.frame)); // back from the progress window
    QTest::keyClick(rig.frame, Qt::Key_W, Qt::ControlModifier);
    QCOMPARE(rig.TakePayloads().size(), ParamTable::CountWith(PF_WRITE_ALL));
    QCOMPARE(counted.first, ParamTable::CountWith(PF_WRITE_ALL));
    QVERIFY(!rig.doc->IsModified());
}

void TestMainFrame::saveWritesTheStoredValues()
{
    GuiFixture rig;
    rig.BuildWindows();
    theCamera.SetValue(Param::GainLevel, 300);
    theCamera.SetValue(Param::Reserved, -2);
    const QString path = rig.dir.filePath("line3.zq");
    rig.fileAnswers << path;
    rig.doc->SetModifiedFlag();
    QVERIFY(rig.doc->OnFileSave()); // no name yet: asks for one
    QCOMPARE(rig.fileRequests.size(), 1);
    QCOMPARE(rig.fileRequests.at(0).filter, QStringLiteral("ZQ-M(V)710ALX Files (*.zq)"));
    QCOMPARE(rig.fileRequests.at(0).defaultSuffix, QStringLiteral("zq"));

    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    QCOMPARE(bytes.size(), 244);
    QCOMPARE(bytes.left(24), QByteArray("\x17ZQ-B40 Data Version1.00"));
    QCOMPARE(bytes.mid(24 + 5 * 4, 4), QByteArray("\x2c\x01\x00\x00", 4));
    QCOMPARE(bytes.right(4), QByteArray("\xfe\xff\xff\xff", 4));
    QCOMPARE(rig.doc->GetTitle(), QStringLiteral("line3.zq"));
    QVERIFY(!rig.doc->IsModified());
    QVERIFY(rig.camera.Payloads().isEmpty());
}

void TestMainFrame::openSendsWritableRowsInOrder()
{
    GuiFixture rig;
    rig.OpenPort();
    rig.BuildWindows();
    QSignalSpy setups(rig.doc, &CZQB40Doc::initialUpdate);
    SettingsFile::Values values{};
    for (int i = 0; i < PARAM_COUNT; ++i)
        values[i] = i % 3;
    values[5] = 600; // beyond the gain's 503: stored and sent as it is
    values[54] = 77;
    ParamStore store;
    SettingsFile::Apply(values, &store);
    const QString path = Write(rig.dir, "a.zq", SettingsFile::Encode(store));

    rig.fileAnswers << path;
    rig.doc->SetModifiedFlag();
    rig.answers << MessageBox::AnswerNo; // not saved; the open clears the flag
    QVERIFY(rig.doc->OnFileOpen());
    for (int i = 0; i < PARAM_COUNT; ++i) // nothing read yet: its identity too
        QCOMPARE(theCamera.GetValue(i), values[i]);
    const QByteArrayList sent = rig.TakePayloads();
    QCOMPARE(sent.size(), ParamTable::CountWith(PF_WRITE_ALL));
    int n = 0;
    for (int i = 0; i < PARAM_COUNT; ++i) {
        if (!(ParamTable::Row(i).flags & PF_WRITE_ALL))
            continue;
        QCOMPARE(sent.at(n).mid(0, 8), QByteArray("01FF") +
                                           QByteArray::number(ParamTable::Row(i).writeCode, 16)
                                               .rightJustified(2, '0')
                                               .toUpper() +
                                           QByteArray::number(ParamTable::Row(i).address, 16)
                                               .rightJustified(2, '0')
                                               .toUpper());
        ++n;
    }
    QVERIFY(sent.contains("01FF010C025800"));
    QCOMPARE(rig.boxes.size(), 1); // the save prompt
    QCOMPARE(setups.size(), 1);
    QCOMPARE(rig.doc->GetTitle(), QStringLiteral("a.zq"));
    QVERIFY(!rig.doc->IsModified());

    // Once the camera told its identity, a file keeps it (and sends it never).
    rig.doc->OnReadFromCamera();
    int identity[PARAM_COUNT];
    for (int i = 0; i < PARAM_COUNT; ++i)
        identity[i] = theCamera.GetValue(i);
    rig.TakePayloads();
    rig.answers << MessageBox::AnswerNo;
    QVERIFY(rig.doc->OpenDocumentFile(path));
    for (int i = 0; i < PARAM_COUNT; ++i)
        QCOMPARE(theCamera.GetValue(i), ParamTable::IsIdentity(i) ? identity[i] : values[i]);
    QCOMPARE(rig.frame->windowTitle(), QStringLiteral("ZQ-M710ALX"));
    QCOMPARE(rig.TakePayloads().size(), ParamTable::CountWith(PF_WRITE_ALL));
}

void TestMainFrame::openRefusesForeignAndDamagedFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message"); // empty: accepted silently
    QTest::newRow("one letter's case") << FileWith("ZQ-B40 Data version1.00", 220)
                                       << "File type mismatch.\nFile \"x.zq\" does not contain "
                                          "data for  ZQ-M(V)710ALX apprication.";
    QTest::newRow("100 bytes") << FileWith("ZQ-B40 Data Version1.00", 76)
                               << "Unexpected file format.";
    QTest::newRow("empty") << QByteArray() << QString();
    QByteArray wide = FileWith("ZQ-B40 Data Version1.00", 220);
    wide.replace(24 + 5 * 4, 4,
                 QByteArray("\x70\x11\x01\x00", 4)); // GAIN 70000: two bytes carry 4464
    QTest::newRow("wider than its register")
        << wide
        << "Row 5 \"Gain Level\" holds 70000, more than its register carries. Nothing was "
           "sent to the camera.";
}

void TestMainFrame::openRefusesForeignAndDamagedFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    GuiFixture rig;
    rig.OpenPort();
    rig.BuildWindows();
    rig.frame->show();
    const QString before = Write(rig.dir, "before.zq", QByteArray());
    QVERIFY(rig.doc->OpenDocumentFile(before));
    rig.doc->SetModifiedFlag();
    rig.answers << MessageBox::AnswerNo;
    const QString path = Write(rig.dir, "x.zq", bytes);

    QCOMPARE(rig.doc->OpenDocumentFile(path), message.isEmpty());
    QVERIFY(rig.camera.Payloads().isEmpty());
    for (int i = 0; i < PARAM_COUNT; ++i)
        QCOMPARE(theCamera.GetValue(i), ParamTable::GetDefault(i));
    if (message.isEmpty()) {
        QCOMPARE(rig.boxes.size(), 1); // only the save prompt
        QCOMPARE(rig.doc->GetTitle(), QStringLiteral("x.zq"));
        QVERIFY(!rig.doc->IsModified());
        // Said in the status bar, and kept there when the program is idle.
        QCoreApplication::processEvents();
        QCOMPARE(rig.frame->StatusText(),
                 QStringLiteral("x.zq holds no settings yet: nothing was sent to the camera."));
        return;
    }
    QCOMPARE(rig.boxes.size(), 2);
    QCOMPARE(rig.boxes.at(1).text, message);
    QCOMPARE(rig.boxes.at(1).icon, MessageBox::Warning);
    QCOMPARE(rig.boxes.at(1).caption, QStringLiteral(" ZQ-M(V)710ALX"));
    QCOMPARE(rig.boxes.at(1).owner, rig.frame); // centred on the window, not the screen
    // The document is still the one it was: a Save cannot overwrite x.zq.
    QCOMPARE(rig.doc->GetPathName(), QFileInfo(before).absoluteFilePath());
    QVERIFY(rig.doc->IsModified());
}

void TestMainFrame::openWithTheCameraOff()
{
    GuiFixture rig;
    rig.OpenPort();
    rig.BuildWindows();
    ParamStore store;
    store.SetValue(Param::BlackLevel, 40);
    const QString path = Write(rig.dir, "b.zq", SettingsFile::Encode(store));
    rig.camera.Faults().silent = true;
    QVERIFY(rig.doc->OpenDocumentFile(path));
    QCOMPARE(theCamera.GetValue(Param::BlackLevel), 40);
    QCOMPARE(rig.boxes.size(), 1);
    QCOMPARE(rig.doc->GetTitle(), QStringLiteral("b.zq"));
}

void TestMainFrame::savePrompt_data()
{
    QTest::addColumn<int>("command"); // 0 New, 1 Open, 2 Exit, 3 a dropped file
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("goesOn");
    QTest::addColumn<bool>("saved");
    for (int c = 0; c < 4; ++c) {
        const char *name[] = {"New", "Open", "Exit", "Drop"};
        QTest::addRow("%s yes", name[c]) << c << int(MessageBox::AnswerYes) << true << true;
        QTest::addRow("%s no", name[c]) << c << int(MessageBox::AnswerNo) << true << false;
        QTest::addRow("%s cancel", name[c]) << c << int(MessageBox::AnswerCancel) << false << false;
    }
}

void TestMainFrame::savePrompt()
{
    QFETCH(int, command);
    QFETCH(int, answer);
    QFETCH(bool, goesOn);
    QFETCH(bool, saved);
    GuiFixture rig;
    rig.BuildWindows();
    const QString mine = Write(rig.dir, "mine.zq", QByteArray());
    const QString other = Write(rig.dir, "other.zq", QByteArray());
    QVERIFY(rig.doc->OpenDocumentFile(mine));
    rig.doc->SetModifiedFlag();
    rig.answers << MessageBox::Answer(answer);
    rig.fileAnswers << other;

    bool wentOn = false;
    if (command == 0)
        wentOn = rig.doc->OnFileNew();
    else if (command == 1)
        wentOn = rig.doc->OnFileOpen();
    else if (command == 3) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(other)});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QCoreApplication::sendEvent(rig.frame, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(rig.frame, &drop);
        wentOn = rig.doc->GetTitle() == QStringLiteral("other.zq");
    } else
        wentOn = rig.frame->close();
    QCOMPARE(rig.boxes.size(), 1);
    QCOMPARE(rig.boxes.at(0).text, QStringLiteral("Save changes to mine.zq?"));
    QCOMPARE(rig.boxes.at(0).buttons, MessageBox::YesNoCancel);
    QCOMPARE(wentOn, goesOn);
    QCOMPARE(QFileInfo(mine).size(), saved ? 244 : 0);
    if (command == 0 && goesOn)
        QCOMPARE(rig.doc->GetTitle(), QStringLiteral("Untitled"));
    if (!goesOn)
        QVERIFY(rig.doc->IsModified());
}

void TestMainFrame::failedSaveKeepsTheOldFile()
{
#ifdef Q_OS_WIN
    QSKIP("Windows has no file-size limit to fill the disk with");
#else
    GuiFixture rig;
    rig.OpenPort();
    rig.BuildWindows();
    const QByteArray old = FileWith("ZQ-B40 Data Version1.00", 220, 7);
    const QString path = Write(rig.dir, "keep.zq", old);
    QVERIFY(rig.doc->OpenDocumentFile(path));
    theCamera.SetValue(Param::GainLevel, 1);
    rig.doc->SetModifiedFlag();
    // The disk takes no more than 100 bytes of a file, as if it were full.
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    const rlimit small{100, limit.rlim_max};
    signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    const bool saved = rig.doc->OnFileSave();
    setrlimit(RLIMIT_FSIZE, &limit);
    QVERIFY(!saved);
    QCOMPARE(rig.boxes.size(), 1);
    QVERIFY(rig.boxes.at(0).text.startsWith("Failed to save document."));
    QVERIFY(rig.doc->IsModified());
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), old);
#endif
}

void TestMainFrame::statusTextsAndReady()
{
    GuiFixture rig;
    rig.OpenPort();
    rig.BuildWindows();
    CControlApp app;
    StatusWatcher watcher(&rig.camera);
    rig.driver->SetPeer(&watcher);
    QVERIFY(rig.doc->SendValue(Param::GainLevel, 300) > 0);
    QCOMPARE(watcher.seen, QStringLiteral("Sending Gain Level data to camera..."));
    QVERIFY(rig.doc->IsModified());
    watcher.Reset();
    QCOMPARE(rig.doc->UploadValue(Param::BlackLevel), 0);
    QCOMPARE(watcher.seen, QStringLiteral("Uploading Black Level data from camera..."));
    QCOMPARE(rig.frame->StatusText(), QStringLiteral("Uploading Black Level data from camera..."));
    QEventLoop loop; // the event loop waits once
    QTimer::singleShot(10, &loop, &QEventLoop::quit);
    QMessageBox box(QMessageBox::Critical, QString(), QStringLiteral("ERROR"));
    box.setWindowModality(Qt::ApplicationModal);
    box.show();
    QTRY_COMPARE(QApplication::activeModalWidget(), &box);
    app.IdleUpdate(); // the box's own event loop idles
    QCOMPARE(rig.frame->StatusText(), QStringLiteral("Uploading Black Level data from camera..."));
    box.close();
    loop.exec();
    QCOMPARE(rig.frame->StatusText(), QStringLiteral("Ready"));

    // A whole-set transfer says what it waits for before its first byte
    // leaves, even to a camera that is off.
    rig.camera.Faults().silent = true;
    watcher.Reset();
    QVERIFY(rig.doc->UploadAllValues() < 0);
    QCOMPARE(watcher.progress, QStringLiteral("Reading the camera settings... (0 of 54)"));
    rig.camera.Faults().silent = false;
    watcher.Reset();
    QCOMPARE(rig.doc->SendAllValues(), 0);
    QCOMPARE(watcher.progress, QStringLiteral("Writing the camera settings... (0 of 26)"));
    watcher.Reset();
    const QString file = rig.dir.filePath("progress.zq");
    QString error;
    QCOMPARE(SettingsFile::Write(file, theCamera, &error), SettingsFile::Ok);
    rig.doc->SetModifiedFlag(false);
    QVERIFY(rig.doc->OpenDocumentFile(file));
    QCOMPARE(watcher.progress, QStringLiteral("Writing the camera settings... (0 of 26)"));
    rig.driver->SetPeer(&rig.camera);

    // A highlighted item's prompt (first line of its string) stays while
    // the program idles, until the menu closes.
    QMenu *menu = rig.frame->menuBar()->actions().at(1)->menu();
    emit menu->hovered(rig.frame->Action(CommandId::ReadFromCamera));
    QCOMPARE(rig.frame->StatusText(), QStringLiteral("Read Every Camera Data From Camera"));
    app.IdleUpdate();
    QCOMPARE(rig.frame->StatusText(), QStringLiteral("Read Every Camera Data From Camera"));
    emit menu->aboutToHide();
    app.IdleUpdate();
    QCOMPARE(rig.frame->StatusText(), QStringLiteral("Ready"));
}

void TestMainFrame::recentFiles()
{
    GuiFixture rig;
    rig.BuildWindows();
    QStringList paths;
    for (int i = 1; i <= 5; ++i) {
        paths << Write(rig.dir, QStringLiteral("f%1.zq").arg(i), QByteArray());
        QVERIFY(rig.doc->OpenDocumentFile(paths.last()));
        if (i == 4) {
            QCOMPARE(rig.doc->RecentFiles().Files(),
                     QStringList({paths[3], paths[2], paths[1], paths[0]}));
        }
    }
    const QStringList expected = {paths[4], paths[3], paths[2], paths[1]};
    QCOMPARE(rig.doc->RecentFiles().Files(), expected);
    QSettings settings;
    for (int i = 0; i < 4; ++i)
        QCOMPARE(settings.value(QStringLiteral("Recent File List/File%1").arg(i + 1)).toString(),
                 expected.at(i));
    QVERIFY(!settings.contains("Recent File List/File5"));
    RecentFileList restarted; // the next start lists all four
    restarted.Load();
    QCOMPARE(restarted.Files(), expected);
    const QStringList items = MenuTexts(rig.frame->menuBar()->actions().at(0)->menu());
    QCOMPARE(items.mid(4, 4), QStringList({"&1 f5.zq", "&2 f4.zq", "&3 f3.zq", "&4 f2.zq"}));

    // A file that went away: said once, and gone from the list.
    QFile::remove(paths[3]);
    QVERIFY(!rig.doc->OpenRecentFile(1));
    QCOMPARE(rig.boxes.size(), 1);
    QCOMPARE(rig.boxes.at(0).text, QStringLiteral("Failed to open document."));
    QCOMPARE(rig.doc->RecentFiles().Files(), QStringList({paths[4], paths[2], paths[1]}));
    QCOMPARE(rig.doc->GetTitle(), QStringLiteral("f5.zq"));
    QVERIFY(rig.doc->OpenRecentFile(1)); // opened again: first, and once
    QCOMPARE(rig.doc->RecentFiles().Files(), QStringList({paths[2], paths[4], paths[1]}));

    // The same name in another folder: both show their folders, and every
    // item its full path as a tip.
    QVERIFY(QDir(rig.dir.path()).mkdir("other"));
    const QString twin = Write(rig.dir, QStringLiteral("other/f5.zq"), QByteArray());
    QVERIFY(rig.doc->OpenDocumentFile(twin));
    QMenu *file = rig.frame->menuBar()->actions().at(0)->menu();
    QVERIFY(file->toolTipsVisible());
    QCOMPARE(MenuTexts(file).mid(4, 3),
             QStringList({"&1 " + QDir::toNativeSeparators(twin), "&2 f3.zq",
                          "&3 " + QDir::toNativeSeparators(paths[4])}));
    QCOMPARE(file->actions().at(5)->toolTip(), paths[2]);
}

void TestMainFrame::inJapanese()
{
    QVERIFY(Language::Install(QStringLiteral("ja")));
    const auto english = qScopeGuard([] { Language::Install(QStringLiteral("en")); });
    GuiFixture rig(QStringLiteral("QX7RT service access")); // every menu item
    rig.OpenPort();
    rig.BuildWindows();
    const QList<QAction *> menus = rig.frame->menuBar()->actions();
    QCOMPARE(menus.at(0)->text(), QStringLiteral("ファイル(&F)"));
    QCOMPARE(
        MenuTexts(menus.at(0)->menu()),
        QStringList({"開く(&O)...\tCtrl+O", "上書き保存(&S)\tCtrl+S", "名前を付けて保存(&A)...",
                     "-", "最近使ったファイル [off]", "-", "終了(&X)"}));
    QCOMPARE(menus.at(1)->text(), QStringLiteral("インターフェース(&I)"));
    QCOMPARE(MenuTexts(menus.at(1)->menu()),
             QStringList({"手動コマンド...", "カメラから読み出し(&R)\tCtrl+R",
                          "カメラへ書き込み(&W)\tCtrl+W", "-",
                          "シリアルポート(&L)...\tCtrl+L  [off]", "コマンドメニュー "}));
    QCOMPARE(MenuTexts(menus.at(2)->menu()),
             QStringList({"ZQ-M(V)710ALX のバージョン情報(&A)..."}));
    QCOMPARE(rig.frame->StatusText(), QStringLiteral("レディ"));
    // The keys stay the keys.
    QCOMPARE(rig.frame->Action(CommandId::CommandMenuKey)->shortcut(), QKeySequence("Ctrl+P"));

    // A box: the words translated, the title the product's name.
    QVERIFY(!rig.doc->OpenDocumentFile(
        Write(rig.dir, "x.zq", FileWith("ZQ-B40 Data Version1.00", 76))));
    QCOMPARE(rig.boxes.size(), 1);
    QCOMPARE(rig.boxes.at(0).text, QStringLiteral("予期しないファイル形式です。"));
    QCOMPARE(rig.boxes.at(0).caption, QStringLiteral(" ZQ-M(V)710ALX"));
    // Qt's own buttons answer in Japanese too.
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes"), QStringLiteral("はい(&Y)"));

    QVERIFY(Language::Install(QStringLiteral("en")));
    QCOMPARE(StringTable::Load(StringId::Ready), QStringLiteral("Ready"));
}

QTEST_MAIN(TestMainFrame)
#include "tst_mainframe.moc"
