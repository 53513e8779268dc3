// The service dialogs as the program opens them, on the simulated camera:
// the payloads they send, the boxes they show, and what their fields hold.
#include "app/cmainframe.h"
#include "camera/paramindex.h"
#include "camera/paramtable.h"
#include "camera/thecamera.h"
#include "document/czqb40doc.h"
#include "resources/commandids.h"
#include "resources/panelids.h"
#include "resources/servicedialogids.h"
#include "service/manualcommanddialog.h"
#include "service/registereditordialog.h"
#include "service/whitespotdialog.h"
#include "support/guifixture.h"
#include "ui/controllookup.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QtTest>

#include <functional>

namespace {
using WS = WhiteSpotId::Id;
using RE = RegisterEditorId::Id;
using MC = ManualCommandId::Id;

const int kPanelDetect = 1153; // the panel's "DETECT"
const QString kBadAddress = QStringLiteral("アドレスの入力が不正です。");
const QString kBadData = QStringLiteral("データの入力が不正です。");

struct Rig : GuiFixture
{
    explicit Rig(const SimConfig &config = SimConfig(),
                 const QString &program = QStringLiteral("zqremote"))
        : GuiFixture(program, config)
    {
        OpenPort();
        BuildWindows();
        TakePayloads();
    }
    WhiteSpotDialog *WhiteSpot()
    {
        doc->ShowWhiteSpotDialog();
        return qobject_cast<WhiteSpotDialog *>(doc->m_pWhiteSpotDialog.data());
    }
    RegisterEditorDialog *Editor()
    {
        doc->OnCommandMenu();
        return qobject_cast<RegisterEditorDialog *>(doc->m_pRegisterEditor.data());
    }
    QStringList BoxTexts() const
    {
        QStringList texts;
        for (const MessageBox::Record &box : boxes)
            texts << box.text;
        return texts;
    }
};

template <class T = QWidget> T *In(QWidget *dialog, int id)
{
    T *control = FindControlAs<T>(dialog, id);
    if (!control)
        qFatal("no control %d", id);
    return control;
}

void Click(QWidget *dialog, int id)
{
    In<QAbstractButton>(dialog, id)->click();
}

// The field shows CR LF line ends as plain line breaks.
QStringList Lines(QWidget *dialog)
{
    return In<QPlainTextEdit>(dialog, WS::AddressList)
        ->toPlainText()
        .split('\n', Qt::SkipEmptyParts);
}

QString Field(QWidget *editor, int firstId, int row)
{
    return In<QLineEdit>(editor, firstId + row)->text();
}

void SetField(QWidget *editor, int firstId, int row, const QString &text)
{
    In<QLineEdit>(editor, firstId + row)->setText(text);
}

QByteArrayList Repeat(const QByteArray &payload, int count)
{
    return QByteArrayList(count, payload);
}
} // namespace

class TestServiceDialogs : public QObject
{
    Q_OBJECT
private slots:
    void whiteSpotOpensOrFocuses();
    void detectionOutcomes_data();
    void detectionOutcomes();
    void detectionPollsOnItsTimer();
    void addressList_data();
    void addressList();
    void thresholdSlider_data();
    void thresholdSlider();
    void editorOpensOrFocuses_data();
    void editorOpensOrFocuses();
    void rowOperations_data();
    void rowOperations();
    void pagesAndSelections();
    void editorWritesAndBoxes();
    void wholePageTransfers_data();
    void wholePageTransfers();
    void manualCommand_data();
    void manualCommand();
};

void TestServiceDialogs::whiteSpotOpensOrFocuses()
{
    Rig rig;
    rig.camera.Registers().Set(0x01, 0x4C, "070000");
    rig.camera.Registers().Set(0x01, 0x4B, "010000");
    QVERIFY(!rig.doc->IsModified());
    WhiteSpotDialog *first = rig.WhiteSpot();
    QVERIFY(rig.doc->IsModified()); // the threshold read changed 20 to 7
    QVERIFY(first && first->isVisible());
    QCOMPARE(rig.TakePayloads(), (QByteArrayList{"01FF814C000000", "01FF814B000000"}));
    QCOMPARE(In<QLabel>(first, WS::Threshold)->text(), QString(" 7\n"));
    QCOMPARE(In<QScrollBar>(first, WS::ThresholdSlider)->value(), 7);
    QVERIFY(In<QAbstractButton>(first, WS::CorrectionOn)->isChecked());
    QVERIFY(!In<QAbstractButton>(first, WS::CorrectionOff)->isChecked());
    QVERIFY(In<QWidget>(first, WS::CorrectionOn)->isHidden());
    QVERIFY(QFontInfo(In<QWidget>(first, WS::AddressList)->font()).fixedPitch());

    QCOMPARE(rig.WhiteSpot(), first); // visible: only brought forward
    QVERIFY(rig.TakePayloads().isEmpty());
    Click(first, WS::Close);
    QVERIFY(!first->isVisible());
    QPointer<WhiteSpotDialog> old(first);
    rig.doc->OnReadFromCamera(); // the camera's model enables the panel's "DETECT"
    QVERIFY(rig.Control(kPanelDetect)->isEnabled());
    rig.TakePayloads();
    qobject_cast<QAbstractButton *>(rig.Control(kPanelDetect))->click();
    QWidget *fresh = rig.doc->m_pWhiteSpotDialog.data();
    QVERIFY(!old && fresh);
    QCOMPARE(rig.TakePayloads(), (QByteArrayList{"01FF814C000000", "01FF814B000000"}));
    QVERIFY(rig.boxes.isEmpty());
}

void TestServiceDialogs::detectionOutcomes_data()
{
    QTest::addColumn<int>("outcome");
    QTest::addColumn<int>("fault"); // 1: silent after the start; 2: the start refused
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<int>("polls");
    QTest::addColumn<int>("lines");
    QTest::newRow("1, 1, 0") << 0 << 0 << QStringList{"Detect is finished."} << 3 << 3;
    QTest::newRow("too many") << 2 << 0 << QStringList{"Number of detect is over."} << 3 << 0;
    QTest::newRow("error") << 3 << 0 << QStringList{"Detect error"} << 3 << 0;
    const QString timeout = QStringLiteral("ERROR - ") + ErrorState::MessageOf(ERR_TIMEOUT);
    QTest::newRow("dead camera: three boxes, then it stops")
        << 0 << 1 << QStringList{timeout, timeout, timeout} << 3 << 0;
    // The stored status says finished: a poll would list the old table.
    QTest::newRow("refused start: one box, no poll, no list")
        << 0 << 2 << QStringList{"ERROR - " + ErrorState::MessageOf(ERR_UNEXPECTED)} << 0 << 0;
}

void TestServiceDialogs::detectionOutcomes()
{
    QFETCH(int, outcome);
    QFETCH(int, fault);
    QFETCH(QStringList, boxes);
    QFETCH(int, polls);
    QFETCH(int, lines);
    SimConfig config;
    config.detectBusyPolls = 2;
    config.detectOutcome = outcome;
    Rig rig(config);
    WhiteSpotDialog *dialog = rig.WhiteSpot();
    rig.TakePayloads();
    const bool dies = fault == 1;
    if (dies)
        rig.camera.Faults().dieAfter = rig.camera.Exchanges() + 1;
    if (fault == 2) {
        rig.camera.RefuseWrite(0x01, 0x4D, "010000");
        rig.camera.Registers().FillAddressTable({{1, 2}});
    }

    Click(dialog, WS::Detect);
    QCOMPARE(dialog->IsPolling(), polls > 0);
    int ticks = 0;
    for (; dialog->IsPolling() && ticks < 10; ++ticks)
        dialog->PollDetection();
    QCOMPARE(ticks, polls);
    QCOMPARE(rig.BoxTexts(), boxes);
    QCOMPARE(rig.boxesUnderWaitCursor, 0);
    QByteArrayList expected;
    if (fault != 2)
        expected << "01FF014D010000";
    if (!dies)
        expected += Repeat("00FF814D000000", polls);
    // The list: x and y of each entry, then the end mark's x.
    for (int reg = 0; outcome == 0 && fault == 0 && reg <= 2 * lines; ++reg)
        expected << WhiteSpotDetection::AddressPayload(reg % 2, reg / 2);
    QCOMPARE(rig.TakePayloads(), expected);
    QCOMPARE(Lines(dialog).size(), lines);
    if (fault == 2) { // DETECT starts once the camera takes it
        rig.camera.RefuseWrite(0x01, 0x4D, QByteArray());
        Click(dialog, WS::Detect);
        QVERIFY(dialog->IsPolling());
    }
}

void TestServiceDialogs::detectionPollsOnItsTimer()
{
    // The same 1, 1, 0 from the camera's script, paced by the dialog's timer
    // and still followed once the dialog is closed.
    Rig rig;
    WhiteSpotDialog *dialog = rig.WhiteSpot();
    rig.camera.ScriptReads(0x01, 0x4D, {"010000", "010000", "000000"});
    rig.camera.Registers().FillAddressTable({{12, 345}});
    rig.TakePayloads();
    QElapsedTimer clock;
    clock.start();
    Click(dialog, WS::Detect);
    Click(dialog, WS::Close);
    QTRY_VERIFY_WITH_TIMEOUT(!dialog->IsPolling(), 3000);
    QVERIFY2(clock.elapsed() >= 3 * 200 - 20, "three polls 200 ms apart"); // time to act between
    QCOMPARE(rig.BoxTexts(), QStringList{"Detect is finished."});
    QCOMPARE(rig.TakePayloads().count("00FF814D000000"), 3);
    QCOMPARE(Lines(dialog), QStringList{"No. 1: x =   12,  y =  345"});
}

void TestServiceDialogs::addressList_data()
{
    QTest::addColumn<int>("spots"); // -1: no detection ran
    QTest::addColumn<int>("silentAfter");
    QTest::addColumn<int>("lines");
    QTest::addColumn<int>("boxes");
    QTest::newRow("before any detection") << -1 << -1 << 0 << 0;
    QTest::newRow("64 entries") << 64 << -1 << 64 << 0;
    QTest::newRow("failure at entry 5") << 64 << 10 << 5 << 1;
}

void TestServiceDialogs::addressList()
{
    QFETCH(int, spots);
    QFETCH(int, silentAfter);
    QFETCH(int, lines);
    QFETCH(int, boxes);
    Rig rig;
    WhiteSpotDialog *dialog = rig.WhiteSpot();
    QList<SimSpot> found;
    for (int i = 0; i < spots; ++i)
        found.append({i == 9 ? 12 : i, i == 9 ? 345 : 1000 + i});
    if (spots >= 0)
        rig.camera.Registers().FillAddressTable(found);
    if (silentAfter >= 0) {
        rig.camera.Faults().silent = true;
        rig.camera.Faults().faultsAfter = rig.camera.Exchanges() + silentAfter;
    }
    In<QPlainTextEdit>(dialog, WS::AddressList)->setPlainText("old");
    Click(dialog, WS::Read);
    const QStringList shown = Lines(dialog);
    QCOMPARE(shown.size(), lines);
    QCOMPARE(rig.boxes.size(), boxes);
    if (lines > 9)
        QCOMPARE(shown[9], QString("No.10: x =   12,  y =  345"));
    QVERIFY(!rig.TakePayloads().contains("00FF9180000000")); // no 65th entry
}

void TestServiceDialogs::thresholdSlider_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<QString>("how"); // as GuiFixture::MoveSlider takes it
    QTest::addColumn<bool>("refused");
    QTest::addColumn<QByteArrayList>("payloads");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("readout");
    const QString action = QStringLiteral("action:%1");
    QTest::newRow("page right at 250")
        << 250 << action.arg(QAbstractSlider::SliderPageStepAdd) << false
        << QByteArrayList{"01FF014CFF0000"} << 255 << " 255 ";
    QTest::newRow("line left") << 8 << action.arg(QAbstractSlider::SliderSingleStepSub) << false
                               << QByteArrayList{"01FF014C070000"} << 7 << " 7 ";
    QTest::newRow("page left at 3") << 3 << action.arg(QAbstractSlider::SliderPageStepSub) << false
                                    << QByteArrayList{"01FF014C000000"} << 0 << " 0 ";
    QTest::newRow("to the end writes nothing")
        << 250 << action.arg(QAbstractSlider::SliderToMaximum) << false << QByteArrayList{} << 250
        << "250\n";
    QTest::newRow("refused write: the slider stays")
        << 250 << action.arg(QAbstractSlider::SliderPageStepAdd) << true << QByteArrayList{} << 250
        << "250\n";
    QTest::newRow("key right") << 8 << "key:Right" << false << QByteArrayList{"01FF014C090000"} << 9
                               << " 9 ";
    QTest::newRow("key end writes nothing")
        << 8 << "key:End" << false << QByteArrayList{} << 8 << " 8\n";
    QTest::newRow("wheel notch") << 8 << "wheel:120" << false
                                 << QByteArrayList{"01FF014C070000", "01FF014C060000",
                                                   "01FF014C050000"}
                                 << 5 << " 5 ";
    QTest::newRow("menu page left")
        << 30 << "menu:Page left" << false << QByteArrayList{"01FF014C140000"} << 20 << " 20 ";
    QTest::newRow("accessible value")
        << 30 << "access:200" << false << QByteArrayList{"01FF014CC80000"} << 200 << " 200 ";
    QTest::newRow("accessible value refused")
        << 30 << "access:255" << true << QByteArrayList{} << 30 << "30\n";
}

void TestServiceDialogs::thresholdSlider()
{
    QFETCH(int, start);
    QFETCH(QString, how);
    QFETCH(bool, refused);
    QFETCH(QByteArrayList, payloads);
    QFETCH(int, position);
    QFETCH(QString, readout);
    Rig rig;
    rig.camera.Registers().Set(0x01, 0x4C,
                               QByteArray::number(start, 16).rightJustified(2, '0') + "0000");
    rig.camera.RefuseWrite(0x01, 0x4C, refused ? "FF0000" : "");
    WhiteSpotDialog *dialog = rig.WhiteSpot();
    rig.TakePayloads();
    auto *slider = In<QScrollBar>(dialog, WS::ThresholdSlider);
    GuiFixture::MoveSlider(slider, how);
    QCOMPARE(rig.TakePayloads(), payloads);
    QCOMPARE(slider->value(), position);
    QCOMPARE(slider->sliderPosition(), position);
    QCOMPARE(In<QLabel>(dialog, WS::Threshold)->text(), readout);
    QCOMPARE(rig.boxes.size(), refused ? 1 : 0);
}

void TestServiceDialogs::editorOpensOrFocuses_data()
{
    QTest::addColumn<QString>("program"); // decides whether the menu offers "Command Menu "
    QTest::newRow("Ctrl+P only") << "zqremote";
    QTest::newRow("menu item too") << "QX7RT service access";
}

void TestServiceDialogs::editorOpensOrFocuses()
{
    QFETCH(QString, program);
    Rig rig(SimConfig(), program);
    rig.frame->show();
    rig.frame->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(rig.frame));
    QTest::keyClick(rig.frame, Qt::Key_P, Qt::ControlModifier);
    auto *first = qobject_cast<RegisterEditorDialog *>(rig.doc->m_pRegisterEditor.data());
    QVERIFY(first && first->isVisible());
    QCOMPARE(first->windowTitle(), QString("Command Menu"));
    QCOMPARE(rig.TakePayloads(), QByteArrayList{"00FF01603A5C00"});
    QCOMPARE(first->Mode(), RegisterPage::Fpga);
    QCOMPARE(first->Area(), RegisterPage::Tg);
    QCOMPARE(Field(first, RE::AddressFirst, 31), QString("1F"));
    QCOMPARE(Field(first, RE::DataFirst, 0), QString("00"));
    // As drawn and without scroll bars; made smaller, it scrolls.
    auto *scroller = first->findChild<QScrollArea *>();
    QVERIFY(scroller && first->size() == scroller->widget()->size());
    QTRY_VERIFY(!scroller->verticalScrollBar()->isVisible());
    first->resize(first->width() / 2, first->height() / 2);
    QTRY_VERIFY(scroller->verticalScrollBar()->isVisible());
    first->resize(first->maximumSize());

    Click(first, RE::Eeprom);
    Click(first, RE::AreaAfe);
    // A second command while it is visible only brings it forward.
    QAction *menuItem = rig.frame->Action(CommandId::CommandMenu);
    QCOMPARE(menuItem != nullptr, rig.frame->IsDeveloperMode());
    (menuItem ? menuItem : rig.frame->Action(CommandId::CommandMenuKey))->trigger();
    QCOMPARE(rig.doc->m_pRegisterEditor.data(), first);
    QVERIFY(rig.TakePayloads().isEmpty());
    QTest::keyClick(first, Qt::Key_Escape);
    QVERIFY(!first->isVisible());
    QPointer<RegisterEditorDialog> old(first);
    RegisterEditorDialog *fresh = rig.Editor();
    QVERIFY(!old && fresh);
    QCOMPARE(rig.TakePayloads(), QByteArrayList{"00FF01603A5C00"});
    QCOMPARE(fresh->Mode(), RegisterPage::Fpga);
    QCOMPARE(fresh->Area(), RegisterPage::Tg);

    // A camera that does not answer: reported once, and the editor opens.
    Click(fresh, RE::AreaCommon);
    QTest::keyClick(In<QLineEdit>(fresh, RE::DataFirst), Qt::Key_Return);
    QVERIFY(!fresh->isVisible());
    rig.camera.Faults().silent = true;
    QVERIFY(rig.Editor());
    QCOMPARE(rig.boxes.size(), 1);
    QCOMPARE(Field(rig.doc->m_pRegisterEditor, RE::AddressFirst, 0), QString("00"));
}

void TestServiceDialogs::rowOperations_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("area");
    QTest::addColumn<QString>("address"); // typed over row 3's
    QTest::addColumn<QString>("data");
    QTest::addColumn<int>("button"); // W or R of row 3
    QTest::addColumn<QByteArrayList>("payloads");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QStringList>("boxes");
    const int w = RE::WriteFirst + 3, r = RE::ReadFirst + 3;
    QTest::newRow("FPGA TG write")
        << int(RE::Fpga) << int(RE::AreaTg) << "1a"
        << "3f" << w << QByteArrayList{"00FF031A3F0000"} << "3F" << QStringList();
    QTest::newRow("EEPROM common read")
        << int(RE::Eeprom) << int(RE::AreaCommon) << "12"
        << "" << r << QByteArrayList{"01FF8112000000"} << "ABCD" << QStringList();
    QTest::newRow("DSP read shows 2")
        << int(RE::Fpga) << int(RE::AreaDsp) << "20"
        << "" << r << QByteArrayList{"00FF8220000000"} << "AB" << QStringList();
    QTest::newRow("AFE 00ab") << int(RE::Eeprom) << int(RE::AreaAfe) << "03"
                              << "00ab" << w << QByteArrayList{"01FF040300AB00"} << "00AB"
                              << QStringList();
    QTest::newRow("7F typed in the common area")
        << int(RE::Fpga) << int(RE::AreaCommon) << "7F"
        << "1234" << w << QByteArrayList{"00FF017F123400"} << "1234" << QStringList();
    QTest::newRow("8-bit, 1 character")
        << int(RE::Fpga) << int(RE::AreaLr) << "03"
        << "1" << w << QByteArrayList() << "1" << QStringList{kBadData};
    QTest::newRow("8-bit, 3 characters")
        << int(RE::Fpga) << int(RE::AreaIf) << "03"
        << "123" << w << QByteArrayList() << "123" << QStringList{kBadData};
    QTest::newRow("16-bit, 2 characters")
        << int(RE::Fpga) << int(RE::AreaInfo) << "03"
        << "12" << w << QByteArrayList() << "12" << QStringList{kBadData};
    QTest::newRow("both wrong: the address")
        << int(RE::Fpga) << int(RE::AreaTg) << "3"
        << "1" << w << QByteArrayList() << "1" << QStringList{kBadAddress};
    QTest::newRow("read of an empty address")
        << int(RE::Fpga) << int(RE::AreaTg) << ""
        << "77" << r << QByteArrayList() << "77" << QStringList{kBadAddress};
}

void TestServiceDialogs::rowOperations()
{
    QFETCH(int, mode);
    QFETCH(int, area);
    QFETCH(QString, address);
    QFETCH(QString, data);
    QFETCH(int, button);
    QFETCH(QByteArrayList, payloads);
    QFETCH(QString, shown);
    QFETCH(QStringList, boxes);
    Rig rig;
    rig.camera.Registers().Set(0x01, 0x12, "ABCDEF");
    rig.camera.Registers().Set(0x02, 0x20, "ABCDEF");
    RegisterEditorDialog *editor = rig.Editor();
    rig.TakePayloads();
    Click(editor, area);
    Click(editor, mode);
    auto *addressField = In<QLineEdit>(editor, RE::AddressFirst + 3);
    auto *dataField = In<QLineEdit>(editor, RE::DataFirst + 3);
    addressField->clear();
    dataField->clear();
    QTest::keyClicks(addressField, address); // typed, so the field forces upper case
    QTest::keyClicks(dataField, data);
    Click(editor, button);
    QCOMPARE(rig.TakePayloads(), payloads);
    QCOMPARE(dataField->text(), shown);
    QCOMPARE(rig.BoxTexts(), boxes);
    for (const MessageBox::Record &box : rig.boxes)
        QCOMPARE(box.icon, MessageBox::NoIcon);
}

void TestServiceDialogs::editorWritesAndBoxes()
{
    Rig rig;
    WhiteSpotDialog *spots = rig.WhiteSpot();
    RegisterEditorDialog *editor = rig.Editor();
    Click(editor, RE::Eeprom);
    Click(editor, RE::AreaCommon);
    SetField(editor, RE::AddressFirst, 3, "0C");
    SetField(editor, RE::DataFirst, 3, "0100");
    // The write fails; inside its box neither a poll, the panel nor another
    // dialog reaches the camera, and nothing of it is done later.
    rig.camera.Faults().silent = true;
    QList<int> inside;
    MessageBox::SetRecorder([&](const MessageBox::Record &) {
        rig.camera.Faults().silent = false;
        spots->PollDetection();
        inside << rig.doc->SendValue(Param::GainLevel, 5);
        Click(spots, WS::Read);
        Click(editor, RE::ReadFirst + 3);
        inside << rig.TakePayloads().size();
        return MessageBox::AnswerOk;
    });
    rig.TakePayloads();
    Click(editor, RE::WriteFirst + 3);
    QCOMPARE(inside, (QList<int>{CZQB40Doc::kRefused, 0}));
    QVERIFY(rig.TakePayloads().isEmpty());

    // Written, then closed: the panel shows the gain the camera now holds.
    Click(editor, RE::WriteFirst + 3);
    QCOMPARE(rig.TakePayloads(), QByteArrayList{"01FF010C010000"});
    editor->close();
    QCOMPARE(theCamera.GetValue(Param::GainLevel), 0x100);
    QCOMPARE(qobject_cast<QScrollBar *>(rig.Control(PanelId::GainSlider))->value(), 0x100);
}

void TestServiceDialogs::pagesAndSelections()
{
    Rig rig;
    RegisterEditorDialog *editor = rig.Editor();
    const struct
    {
        int area, page;
        QString row30, row31, data31;
    } pages[] = {
        {RE::AreaCommon, 3, "7E", "", ""},    {RE::AreaCommon, 4, "", "", ""},
        {RE::AreaInfo, 4, "", "", ""},        {RE::AreaInfo, 3, "7E", "7F", "0000"},
        {RE::AreaAfe, 7, "FE", "FF", "0000"}, {RE::AreaDsp, 7, "FE", "FF", "00"},
    };
    for (const auto &p : pages) {
        Click(editor, p.area);
        Click(editor, RE::PageFirst + p.page);
        QCOMPARE(Field(editor, RE::AddressFirst, 30), p.row30);
        QCOMPARE(Field(editor, RE::AddressFirst, 31), p.row31);
        QCOMPARE(Field(editor, RE::DataFirst, 31), p.data31);
    }
    // The selected page again discards edits; a mode change keeps them.
    SetField(editor, RE::DataFirst, 0, "BEEF");
    Click(editor, RE::Eeprom);
    QCOMPARE(Field(editor, RE::DataFirst, 0), QString("BEEF"));
    Click(editor, RE::PageFirst + 7);
    QCOMPARE(Field(editor, RE::DataFirst, 0), QString("00"));
    QVERIFY(rig.TakePayloads().size() == 1 && rig.boxes.isEmpty()); // the access code only
}

void TestServiceDialogs::wholePageTransfers_data()
{
    QTest::addColumn<int>("area");
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("badRow");      // data field made invalid; -1 none
    QTest::addColumn<int>("silentAfter"); // exchanges before the camera falls silent; -1 never
    QTest::addColumn<int>("before");      // 1: "読み出し" first; 2: every data field typed
    QTest::addColumn<int>("unread");      // rows the write's question counts; 0 no question
    QTest::addColumn<bool>("goAhead");    // the answer to it
    QTest::addColumn<int>("transferred");
    QTest::addColumn<QString>("box"); // "" none, "error" a communication failure
    QTest::newRow("TG read, all rows")
        << int(RE::AreaTg) << 0 << int(RE::ReadPage) << -1 << -1 << 0 << 0 << true << 32 << "";
    QTest::newRow("common 60-7F write stops at row 31")
        << int(RE::AreaCommon) << 3 << int(RE::WritePage) << -1 << -1 << 0 << 31 << true << 31
        << kBadAddress;
    QTest::newRow("common 60-7F read stops at row 31")
        << int(RE::AreaCommon) << 3 << int(RE::ReadPage) << -1 << -1 << 0 << 0 << true << 31
        << kBadAddress;
    QTest::newRow("INFO 80-9F sends nothing, asks nothing")
        << int(RE::AreaInfo) << 4 << int(RE::WritePage) << -1 << -1 << 0 << 0 << true << 0
        << kBadAddress;
    QTest::newRow("write, invalid row 5") << int(RE::AreaDsp) << 2 << int(RE::WritePage) << 5 << -1
                                          << 0 << 32 << true << 5 << kBadData;
    QTest::newRow("read fails at row 10") << int(RE::AreaAfe) << 7 << int(RE::ReadPage) << -1 << 10
                                          << 0 << 0 << true << 10 << "error";
    QTest::newRow("fresh page, No sends nothing")
        << int(RE::AreaTg) << 0 << int(RE::WritePage) << -1 << -1 << 0 << 32 << false << 0 << "";
    QTest::newRow("after a read-out: no question")
        << int(RE::AreaAfe) << 1 << int(RE::WritePage) << -1 << -1 << 1 << 0 << true << 32 << "";
    QTest::newRow("every row typed: no question")
        << int(RE::AreaLr) << 5 << int(RE::WritePage) << -1 << -1 << 2 << 0 << true << 32 << "";
}

void TestServiceDialogs::wholePageTransfers()
{
    QFETCH(int, area);
    QFETCH(int, page);
    QFETCH(int, button);
    QFETCH(int, badRow);
    QFETCH(int, silentAfter);
    QFETCH(int, before);
    QFETCH(int, unread);
    QFETCH(bool, goAhead);
    QFETCH(int, transferred);
    QFETCH(QString, box);
    Rig rig;
    RegisterEditorDialog *editor = rig.Editor();
    Click(editor, RE::Eeprom);
    Click(editor, area);
    Click(editor, RE::PageFirst + page);
    const RegisterPage::Area a = editor->Area();
    const int code = RegisterPage::AreaOf(a).writeCode;
    const int digits = RegisterPage::AreaOf(a).dataDigits;
    for (int k = 0; k < 32; ++k)
        rig.camera.Registers().Set(code, page * 32 + k, "c0ffee"); // shown in upper case
    if (before == 1)
        Click(editor, RE::ReadPage);
    for (int k = 0; before == 2 && k < 32; ++k) {
        In<QLineEdit>(editor, RE::DataFirst + k)->selectAll();
        QTest::keyClicks(In<QLineEdit>(editor, RE::DataFirst + k), QString("ab"));
    }
    if (badRow >= 0)
        SetField(editor, RE::DataFirst, badRow, "XY");
    if (silentAfter >= 0) {
        rig.camera.Faults().silent = true;
        rig.camera.Faults().faultsAfter = rig.camera.Exchanges() + silentAfter;
    }
    rig.TakePayloads();
    rig.answers << (goAhead ? MessageBox::AnswerYes : MessageBox::AnswerNo);
    Click(editor, button);

    if (unread > 0) { // the question first, naming where the page would go
        QVERIFY(!rig.boxes.isEmpty());
        const MessageBox::Record question = rig.boxes.takeFirst();
        QCOMPARE(question.buttons, MessageBox::YesNo);
        for (const QString &named :
             {QString::number(unread) + " of the rows", QString("EEPROM"),
              QString::fromUtf8(RegisterPage::AreaOf(a).caption), RegisterPage::PageCaption(page)})
            QVERIFY2(question.text.contains(named), qPrintable(question.text));
    }
    const bool reading = button == RE::ReadPage;
    QByteArrayList expected;
    for (int k = 0; k < transferred; ++k)
        expected << RegisterPage::ModePrefix(RegisterPage::Eeprom) +
                        QByteArray::number(code | (reading ? 0x80 : 0), 16)
                            .toUpper()
                            .rightJustified(2, '0') +
                        Field(editor, RE::AddressFirst, k).toLatin1() +
                        (reading
                             ? QByteArray("000000")
                             : Field(editor, RE::DataFirst, k).toLatin1().leftJustified(6, '0'));
    QCOMPARE(rig.TakePayloads(), expected);
    QCOMPARE(rig.boxes.size(), box.isEmpty() ? 0 : 1);
    if (!box.isEmpty() && box != "error")
        QCOMPARE(rig.boxes[0].text, box);
    if (box == "error")
        QCOMPARE(rig.boxes[0].icon, MessageBox::Stop);
    const QString placeholder(digits, QLatin1Char('0'));
    const QString read = QString("C0FFEE").left(digits);
    for (int k = 0; reading && k < 32; ++k) {
        const QString untouched = Field(editor, RE::AddressFirst, k).isEmpty() ? "" : placeholder;
        QCOMPARE(Field(editor, RE::DataFirst, k), k < transferred ? read : untouched);
    }
    if (before == 2)
        QVERIFY(expected.last().endsWith("AB0000")); // typed, shown and sent upper case
    // Closed: the panel is read again after anything was written, and only then.
    editor->close();
    const bool wrote = !reading && transferred > 0;
    QCOMPARE(rig.TakePayloads().size(), wrote ? ParamTable::CountWith(PF_READ) : 0);
}

void TestServiceDialogs::manualCommand_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("button");
    QTest::addColumn<bool>("again");   // the same button a second time, the camera silent
    QTest::addColumn<int>("closeKey"); // 0: the Exit button
    QTest::addColumn<QByteArrayList>("payloads");
    QTest::addColumn<QString>("reply");
    QTest::addColumn<QStringList>("boxes");
    const QString tooLong = "ERROR - " + ErrorState::MessageOf(ERR_MSG_SIZE);
    const QString timeout = "ERROR - " + ErrorState::MessageOf(ERR_TIMEOUT);
    QTest::newRow("22 characters")
        << "0123456789ABCDEF012345" << int(MC::Send) << false << 0
        << QByteArrayList{"0123456789ABCDEF012345"} << "" << QStringList();
    QTest::newRow("23 characters")
        << "0123456789ABCDEF0123456" << int(MC::Send) << false << int(Qt::Key_Escape)
        << QByteArrayList() << "" << QStringList{tooLong};
    QTest::newRow("empty") << "" << int(MC::Send) << false << 0 << QByteArrayList{""} << ""
                           << QStringList();
    QTest::newRow("lower case, read")
        << "01ff810c000000" << int(MC::Read) << false << int(Qt::Key_Escape)
        << QByteArrayList{"01FF810C000000"} << "ABCDEF" << QStringList();
    QTest::newRow("second read fails")
        << "01FF810C000000" << int(MC::Read) << true << int(Qt::Key_Return)
        << QByteArrayList{"01FF810C000000"} << "" << QStringList{timeout};
}

void TestServiceDialogs::manualCommand()
{
    QFETCH(QString, typed);
    QFETCH(int, button);
    QFETCH(bool, again);
    QFETCH(int, closeKey);
    QFETCH(QByteArrayList, payloads);
    QFETCH(QString, reply);
    QFETCH(QStringList, boxes);
    Rig rig;
    rig.camera.Registers().Set(0x01, 0x0C, "abcdef");
    QByteArrayList sent;
    QString shown;
    bool ran = false;
    QTimer::singleShot(0, [&] {
        auto *dialog = qobject_cast<ManualCommandDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        ran = true;
        QTest::keyClicks(In<QLineEdit>(dialog, MC::Transmission), typed);
        QCOMPARE(In<QLineEdit>(dialog, MC::Transmission)->text(), typed.toUpper());
        Click(dialog, button);
        if (again) {
            rig.camera.Faults().silent = true;
            Click(dialog, button);
            rig.camera.Faults().silent = false;
        }
        sent = rig.TakePayloads();
        shown = In<QLineEdit>(dialog, MC::Received)->text();
        if (closeKey)
            QTest::keyClick(In<QLineEdit>(dialog, MC::Transmission), Qt::Key(closeKey));
        else
            Click(dialog, MC::Exit);
    });
    rig.doc->OnManualCommand();
    QVERIFY(ran);
    QCOMPARE(sent, payloads);
    QCOMPARE(shown, reply);
    QCOMPARE(rig.BoxTexts(), boxes);
    // Closed whichever way: every parameter is read back.
    const QByteArrayList readBack = rig.TakePayloads();
    QVERIFY(readBack.size() > 40);
    QCOMPARE(readBack.first(), QByteArray("01FF8102000000"));
}

QTEST_MAIN(TestServiceDialogs)
#include "tst_servicedialogs.moc"
