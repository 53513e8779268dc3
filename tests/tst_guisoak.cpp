// Random user actions on the panel and the service dialogs while the camera
// misbehaves now and then: clicks, slider actions, keys, wheel, context menus,
// assistive tools. After every action: each radio group, slider and read-out
// shows what theCamera stores, START + WIDTH stays within the sensor, no action piles up boxes, the
// virtual time stays within the protocol's bounds, and nothing crashes. ZQ_SOAK_ACTIONS sets the
// length (default: a short run for the everyday suite), ZQ_SOAK_SEED replays a run.
#include "app/cmainframe.h"
#include "camera/paneltables.h"
#include "camera/paramindex.h"
#include "camera/readoutformat.h"
#include "camera/thecamera.h"
#include "document/czqb40doc.h"
#include "panel/czqb40view.h"
#include "resources/panelids.h"
#include "resources/servicedialogids.h"
#include "service/manualcommanddialog.h"
#include "sim/simportdriver.h"
#include "support/guifixture.h"
#include "ui/controllookup.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QPixmapCache>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QtTest>

namespace {
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kAddressSanitizer = true;
#else
constexpr bool kAddressSanitizer = false;
#endif
#else
constexpr bool kAddressSanitizer = false;
#endif

// One exchange lasts at most a reply that never comes (three 4 s waits and
// the handshake's), so an action may take that long for each ENQ it sent.
constexpr qint64 kExchangeBoundMs = 16200;

long ResidentKiB()
{
    QFile f("/proc/self/statm");
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    return f.readAll().split(' ').value(1).toLong() * 4;
}

class Soak
{
public:
    Soak(quint32 seed, GuiFixture *rig) : m_random(seed), m_rig(rig)
    {
        m_view = qobject_cast<CZQB40View *>(rig->frame->View());
    }

    QString Step();
    QString Press();
    QString SilentWheel();
    QString CheckInvariants(int boxesBefore, qint64 startMs, int enqsBefore, int allowedBoxes,
                            bool pressed);
    int faults = 0;

private:
    int Pick(int n) { return int(m_random.bounded(quint32(n))); }
    QWidget *Panel(int id) { return FindControl(m_view, id); }
    void InjectFault();

    QRandomGenerator m_random;
    GuiFixture *m_rig;
    CZQB40View *m_view;
    int m_files = 0;
    int m_silentLeft = 0;     // actions the camera stays silent for
    bool m_backInBox = false; // the camera answers again once an error box is up

public:
    int writesAtFailure = -1; // writes acknowledged when the action's first error box opened
};

int Writes(const QByteArrayList &sent)
{
    return int(std::count_if(sent.begin(), sent.end(), [](const QByteArray &p) {
        return p.mid(4, 2).toInt(nullptr, 16) < 0x80;
    }));
}

void Soak::InjectFault()
{
    SimFaults f;
    // Often in the middle of a transfer rather than at its start.
    f.faultsAfter = m_rig->camera.Exchanges() + Pick(40);
    switch (Pick(5)) {
    case 0:
        f.silent = true;
        break;
    case 1:
        f.noise = 3;
        break;
    case 2:
        f.badChecksum = 1 + Pick(3);
        break;
    case 3:
        f.refuseWrites = true;
        break;
    default:
        f.refuseEnq = 3;
        break;
    }
    m_rig->camera.SetFaults(f);
    ++faults;
}

QString Soak::Press()
{
    // A click in a track whose release the scroll bar never sees (a box
    // took it), often while the camera is silent.
    int n = 0;
    const SliderRow row = PanelTables::Sliders(&n)[Pick(n)];
    auto *s = qobject_cast<QScrollBar *>(Panel(row.slider));
    if (!s->isEnabled() || s->isHidden())
        return QStringLiteral("press %1 (off)").arg(row.slider);
    m_rig->camera.Faults().silent = Pick(2) == 0;
    const bool across = s->orientation() == Qt::Horizontal;
    const int along = 1 + Pick((across ? s->width() : s->height()) - 2);
    QTest::mousePress(s, Qt::LeftButton, {},
                      across ? QPoint(along, s->height() / 2) : QPoint(s->width() / 2, along));
    QTest::mouseRelease(m_rig->frame, Qt::LeftButton);
    m_rig->camera.Faults().silent = false;
    return QStringLiteral("press %1 at %2").arg(row.slider).arg(along);
}

QString Soak::SilentWheel()
{
    // A wheel notch on a silent camera, which often answers again while its
    // first error box is up.
    int n = 0;
    const SliderRow row = PanelTables::Sliders(&n)[Pick(n)];
    auto *s = qobject_cast<QScrollBar *>(Panel(row.slider));
    if (!s->isEnabled() || s->isHidden())
        return QStringLiteral("slider %1 (off)").arg(row.slider);
    m_rig->camera.Faults().silent = true;
    m_backInBox = Pick(2);
    GuiFixture::Focus(s);
    const QString how = QStringLiteral("wheel:%1").arg(Pick(2) ? 120 : -120);
    GuiFixture::MoveSlider(s, how);
    return QStringLiteral("slider %1 %2 on a silent camera").arg(row.slider).arg(how);
}

QString Soak::Step()
{
    // About one exchange in a hundred goes wrong: a fault stays for one
    // action; now and then the camera stays silent for a few actions.
    m_rig->camera.SetFaults(SimFaults());
    if (m_silentLeft == 0 && Pick(400) == 0)
        m_silentLeft = 2 + Pick(4);
    writesAtFailure = -1;
    m_backInBox = false;
    m_rig->onBox = [this](const MessageBox::Record &box) {
        if (box.icon == MessageBox::Stop && writesAtFailure < 0)
            writesAtFailure = Writes(m_rig->camera.Payloads());
        if (m_backInBox)
            m_rig->camera.Faults().silent = false;
    };
    if (m_silentLeft > 0) {
        --m_silentLeft;
        m_rig->camera.Faults().silent = true;
    } else if (Pick(100) < 3) {
        InjectFault();
    }
    if (Pick(200) == 0)
        return Press();
    if (Pick(100) == 0)
        return SilentWheel();
    const int kind = Pick(100);
    if (kind < 40) {
        int n = 0;
        const RadioChoice *radios = PanelTables::Radios(&n);
        const RadioChoice c = Pick(3) ? radios[Pick(n)] : PanelTables::Shutter(&n)[Pick(10)];
        auto *b = qobject_cast<QAbstractButton *>(Panel(c.button));
        if (b->isEnabled())
            QTest::mouseClick(b, Qt::LeftButton);
        return QStringLiteral("click %1").arg(c.button);
    }
    if (kind < 75) {
        int n = 0;
        const SliderRow row = PanelTables::Sliders(&n)[Pick(n)];
        auto *s = qobject_cast<QScrollBar *>(Panel(row.slider));
        if (!s->isEnabled() || s->isHidden())
            return QStringLiteral("slider %1 (off)").arg(row.slider);
        const int position = s->minimum() + Pick(s->maximum() - s->minimum() + 1);
        QString how;
        switch (Pick(6)) {
        case 0: {
            const int action = 1 + Pick(8); // every QAbstractSlider action
            if (action == QAbstractSlider::SliderMove)
                s->setSliderPosition(position);
            else
                s->triggerAction(QAbstractSlider::SliderAction(action));
            return QStringLiteral("slider %1 action %2").arg(row.slider).arg(action);
        }
        case 1: {
            static const char *const keys[] = {"Left", "Right",  "Up",   "Down",
                                               "PgUp", "PgDown", "Home", "End"};
            how = QStringLiteral("key:") + QLatin1String(keys[Pick(8)]);
            break;
        }
        case 2:
            how = QStringLiteral("%1:%2")
                      .arg(Pick(4) ? "wheel" : "hover")
                      .arg((Pick(2) ? 1 : -1) * (Pick(3) + 1) * 60);
            break;
        case 3: {
            static const char *const horizontal[] = {"Scroll here", "Left edge",  "Right edge",
                                                     "Page left",   "Page right", "Scroll left",
                                                     "Scroll right"};
            static const char *const vertical[] = {
                "Scroll here", "Top", "Bottom", "Page up", "Page down", "Scroll up", "Scroll down"};
            const bool across = s->orientation() == Qt::Horizontal;
            how =
                QStringLiteral("menu:") + QLatin1String((across ? horizontal : vertical)[Pick(7)]);
            break;
        }
        default:
            how = QStringLiteral("access:%1").arg(position + Pick(21) - 10);
            break;
        }
        GuiFixture::MoveSlider(s, how);
        return QStringLiteral("slider %1 %2").arg(row.slider).arg(how);
    }
    if (kind < 78) {
        // The keyboard inside a radio group: the arrows move and choose.
        int n = 0;
        const RadioChoice c = PanelTables::Radios(&n)[Pick(n)];
        QWidget *b = Panel(c.button);
        if (!b->isEnabled())
            return QStringLiteral("keys in %1 (off)").arg(c.button);
        static const Qt::Key arrows[] = {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down};
        const Qt::Key key = arrows[Pick(4)];
        GuiFixture::Focus(b);
        QTest::keyClick(b, key);
        return QStringLiteral("keys in %1: %2").arg(c.button).arg(int(key));
    }
    if (kind < 81) {
        m_rig->doc->OnReadFromCamera();
        return QStringLiteral("read from camera");
    }
    if (kind < 83) {
        m_rig->doc->OnWriteToCamera();
        return QStringLiteral("write to camera");
    }
    if (kind < 86) {
        if (Panel(PanelId::FactorySet)->isEnabled())
            QTest::mouseClick(Panel(PanelId::FactorySet), Qt::LeftButton);
        return QStringLiteral("factory set");
    }
    if (kind < 89) {
        const QString path = m_rig->dir.filePath(QStringLiteral("s%1.zq").arg(Pick(3)));
        m_rig->answers << MessageBox::AnswerNo; // a modified document: do not save
        m_rig->fileAnswers << path;
        if (Pick(2) || !QFile::exists(path)) {
            m_rig->doc->OnFileSaveAs();
            return QStringLiteral("save %1").arg(path);
        }
        m_rig->doc->OnFileOpen();
        return QStringLiteral("open %1").arg(path);
    }
    if (kind < 95) {
        m_rig->doc->OnCommandMenu();
        // Opening is an action of its own: a failed access code is reported,
        // and the editor opens all the same for the click that follows.
        writesAtFailure = -1;
        QDialog *editor = m_rig->doc->m_pRegisterEditor;
        const int k = Pick(32);
        const int id = Pick(10) == 0
                           ? (Pick(2) ? RegisterEditorId::ReadPage : RegisterEditorId::WritePage)
                       : Pick(2) == 0 ? RegisterEditorId::WriteFirst + k
                                      : RegisterEditorId::ReadFirst + k;
        if (auto *data = FindControlAs<QLineEdit>(editor, RegisterEditorId::DataFirst + k))
            data->setText(QString::number(Pick(256), 16));
        if (auto *b = FindControlAs<QAbstractButton>(editor, id))
            b->click();
        if (Pick(20) == 0)
            editor->close();
        return QStringLiteral("register editor %1").arg(id);
    }
    if (kind < 98) {
        if (Panel(PanelId::Detect)->isEnabled())
            QTest::mouseClick(Panel(PanelId::Detect), Qt::LeftButton); // DETECT opens the dialog
        if (QDialog *spots = m_rig->doc->m_pWhiteSpotDialog)
            if (auto *b = FindControlAs<QAbstractButton>(spots, WhiteSpotId::Detect))
                b->click();
        return QStringLiteral("white spots");
    }
    ManualCommandDialog manual(m_rig->frame);
    FindControlAs<QLineEdit>(&manual, ManualCommandId::Transmission)
        ->setText(Pick(2) ? QStringLiteral("01ff810c000000") : QStringLiteral("01FF0117200000"));
    FindControlAs<QAbstractButton>(&manual, Pick(2) ? ManualCommandId::Send : ManualCommandId::Read)
        ->click();
    m_rig->doc->OnReadFromCamera(); // what closing it does
    return QStringLiteral("manual command");
}

QString Soak::CheckInvariants(int boxesBefore, qint64 startMs, int enqsBefore, int allowedBoxes,
                              bool pressed)
{
    int n = 0;
    const RadioChoice *radios = PanelTables::Radios(&n);
    for (int i = 0; i < n; ++i) {
        const bool on = qobject_cast<QAbstractButton *>(Panel(radios[i].button))->isChecked();
        if (on != (theCamera.GetValue(radios[i].param) == radios[i].value))
            return QStringLiteral("button %1 shows %2").arg(radios[i].button).arg(on);
    }
    const SliderRow *rows = PanelTables::Sliders(&n);
    for (int i = 0; i < n; ++i) {
        auto *s = qobject_cast<QScrollBar *>(Panel(rows[i].slider));
        const int stored = qBound(s->minimum(), theCamera.GetValue(rows[i].param), s->maximum());
        if (s->value() != stored || s->sliderPosition() != stored)
            return QStringLiteral("slider %1 at %2, camera holds %3")
                .arg(rows[i].slider)
                .arg(s->value())
                .arg(stored);
        const QString text = qobject_cast<QLabel *>(Panel(rows[i].readout))->text();
        if (text != ReadoutFormat::Text(rows[i].param, theCamera.GetValue(rows[i].param)))
            return QStringLiteral("read-out %1 shows %2").arg(rows[i].readout).arg(text);
    }
    if (theCamera.GetValue(Param::PartialScanStart) + theCamera.GetValue(Param::PartialScanWidth) >
        2059)
        return QStringLiteral("START %1 + WIDTH %2 above the sensor")
            .arg(theCamera.GetValue(Param::PartialScanStart))
            .arg(theCamera.GetValue(Param::PartialScanWidth));
    const int boxes = m_rig->boxes.size() - boxesBefore;
    if (boxes > allowedBoxes)
        return QStringLiteral("%1 boxes for one action").arg(boxes);
    if (m_rig->mostBoxesOpen > 1)
        return QStringLiteral("a box opened inside another");
    // Nothing writes once the action is over (no timer, no repeat), nor
    // once the action has failed: the rest of it is dropped.
    const QByteArrayList &sent = m_rig->camera.Payloads();
    const int writes = Writes(sent);
    if (writesAtFailure >= 0 && writes != writesAtFailure)
        return QStringLiteral("%1 writes after the action's error box")
            .arg(writes - writesAtFailure);
    if (pressed)
        QTest::qWait(550); // past a scroll bar's first repeat
    QCoreApplication::processEvents();
    if (Writes(sent) != writes)
        return QStringLiteral("a write after the action");
    const int enqs = m_rig->camera.ReceivedBytes().count(char(0x05)) - enqsBefore;
    const qint64 took = m_rig->driver->NowMs() - startMs;
    if (took > kExchangeBoundMs * (enqs + 1))
        return QStringLiteral("%1 ms for %2 ENQs").arg(took).arg(enqs);
    return QString();
}
} // namespace

class TestGuiSoak : public QObject
{
    Q_OBJECT
private slots:
    void randomActions();
};

void TestGuiSoak::randomActions()
{
    // The offscreen platform says at every raised dialog that it cannot.
    static QtMessageHandler previous = nullptr;
    previous = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext &context, const QString &text) {
            if (!text.contains(QLatin1String("does not support")))
                previous(type, context, text);
        });
    const int actions = qEnvironmentVariableIsSet("ZQ_SOAK_ACTIONS")
                            ? qEnvironmentVariableIntValue("ZQ_SOAK_ACTIONS")
                            : 2000;
    const quint32 seed = qEnvironmentVariableIsSet("ZQ_SOAK_SEED")
                             ? quint32(qEnvironmentVariableIntValue("ZQ_SOAK_SEED"))
                             : 20261208u;
    GuiFixture rig;
    rig.eventsInBoxes = true;
    rig.camera.SetIdentity("Vantorix", "ZQ-M710ALX", "1234567", "1.0.9.0");
    rig.OpenPort();
    rig.BuildWindows();
    rig.doc->OnReadFromCamera();
    // Shown and active, as keys and the wheel need it. The style then fills
    // the pixmap cache as it paints, up to its limit of 10 MiB over a few
    // thousand actions: a small limit keeps that bounded cache from looking
    // like growth.
    QPixmapCache::setCacheLimit(512);
    GuiFixture::Focus(rig.Control(PanelId::GainSlider));
    Soak soak(seed, &rig);
    QStringList done;
    long before = 0;
    for (int i = 0; i < actions; ++i) {
        if (i == actions / 5)
            before = ResidentKiB(); // after the windows and caches settled
        const int boxes = rig.boxes.size();
        const qint64 start = rig.driver->NowMs();
        const int enqs = rig.camera.ReceivedBytes().count(char(0x05));
        const QString action = soak.Step();
        done << action;
        // A detection's reads may each fail; a slider's action, however many
        // writes it takes, stops at its first failure.
        const int allowed = !action.startsWith("slider") ? 3 : 1;
        const QString broken =
            soak.CheckInvariants(boxes, start, enqs, allowed, action.startsWith("press"));
        if (!broken.isEmpty()) {
            qWarning("seed %u, action %d: %s\n%s", seed, i, qPrintable(broken),
                     qPrintable(done.mid(qMax(0, done.size() - 30)).join('\n')));
            QFAIL(qPrintable(broken));
        }
        if (i % 500 == 499)
            rig.camera.ClearRecords(); // keeps the sim's own records from growing
        rig.answers.clear();
        rig.fileAnswers.clear();
    }
    const long after = ResidentKiB();
    qInfo("seed %u: %d actions, %d faults injected, %lld boxes; memory %ld KiB after the warm-up, "
          "%ld KiB at the end",
          seed, actions, soak.faults, qlonglong(rig.boxes.size()), before, after);
    // Only the long run judges memory, and not under AddressSanitizer, whose
    // quarantine keeps freed memory on purpose.
    if (actions > 5000 && !kAddressSanitizer)
        QVERIFY2(after - before < 8192, "memory grew by more than 8 MiB");
}

QTEST_MAIN(TestGuiSoak)
#include "tst_guisoak.moc"
