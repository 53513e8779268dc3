// The control panel: model rules, what each control shows and sends, and
// that a control moves only when the camera accepted the write.
#include "app/cmainframe.h"
#include "camera/paramindex.h"
#include "camera/paramtable.h"
#include "camera/readoutformat.h"
#include "camera/thecamera.h"
#include "document/czqb40doc.h"
#include "panel/czqb40view.h"
#include "camera/paneltables.h"
#include "resources/panelids.h"
#include "support/guifixture.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QtTest>

namespace {
// Two characters a register, the first in the low byte.
void StoreText(int first, int count, const QByteArray &text)
{
    for (int i = 0; i < count; ++i) {
        const int lo = 2 * i < text.size() ? quint8(text[2 * i]) : 0;
        const int hi = 2 * i + 1 < text.size() ? quint8(text[2 * i + 1]) : 0;
        theCamera.SetValue(first + i, lo | hi << 8);
    }
}

struct Rig : GuiFixture
{
    Rig()
    {
        OpenPort();
        BuildWindows();
        view = qobject_cast<CZQB40View *>(frame->View());
        TakePayloads();
    }
    QAbstractButton *Button(int id) const { return qobject_cast<QAbstractButton *>(Control(id)); }
    QScrollBar *Slider(int id) const { return qobject_cast<QScrollBar *>(Control(id)); }
    QString Text(int id) const { return qobject_cast<QLabel *>(Control(id))->text(); }
    void Refresh(const QList<QPair<int, int>> &values)
    {
        for (const auto &v : values)
            theCamera.SetValue(v.first, v.second);
        emit doc->refreshViews();
    }
    CZQB40View *view = nullptr;
};
} // namespace

class TestPanel : public QObject
{
    Q_OBJECT
private slots:
    void modelRules_data();
    void modelRules();
    void readouts_data();
    void readouts();
    void cameraInformation_data();
    void cameraInformation();
    void refreshShowsStoredValues();
    void sliderActions_data();
    void sliderActions();
    void drag();
    void failedWritesLeaveControls();
    void radioClicks();
    void radioTable_data();
    void radioTable();
    void dragWritesEveryPosition();
    void enableRules();
    void scanSliders();
    void scanTiming();
    void factorySet();
    void digitsAndDetect();
    void hiddenSerialControlsAreBound();
    void keyboardReachesEveryControl();
};

void TestPanel::modelRules_data()
{
    QTest::addColumn<QByteArray>("model");
    QTest::addColumn<QByteArray>("version");
    QTest::addColumn<bool>("sortTest");
    QTest::addColumn<bool>("balance");
    QTest::addColumn<bool>("accel");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("adjust"); // parameter 21: 1 is MANUAL
    QTest::newRow("MV ALX old") << QByteArray("ZQ-MV710ALX") << QByteArray("1080") << true << true
                                << false << "ZQ-MV710ALX" << 0;
    QTest::newRow("M ALX") << QByteArray("ZQ-M710ALX") << QByteArray("1000") << true << true << true
                           << "ZQ-M710ALX" << 0;
    QTest::newRow("M CLX new") << QByteArray("ZQ-M710CLX") << QByteArray("1090") << false << true
                               << true << "ZQ-M710CLX(R1)" << 0;
    QTest::newRow("M BLX older") << QByteArray("ZQ-M710BLX") << QByteArray("1089") << false << false
                                 << true << "ZQ-M710BLX" << 0;
    QTest::newRow("MV BLX newer") << QByteArray("ZQ-MV710BLX") << QByteArray("1100") << false
                                  << true << false << "ZQ-MV710BLX(R1)" << 0;
    QTest::newRow("letter case") << QByteArray("zq-m710alx") << QByteArray("1090") << false << true
                                 << true << "zq-m710alx" << 0;
    QTest::newRow("nothing read") << QByteArray() << QByteArray() << false << false << true
                                  << "ZQ-M(V)710ALX" << 0;
    // MANUAL enables the right gain and black of a balance group the model disabled.
    QTest::newRow("BLX old, MANUAL") << QByteArray("ZQ-M710BLX") << QByteArray("1089") << false
                                     << false << true << "ZQ-M710BLX" << 1;
}

void TestPanel::modelRules()
{
    QFETCH(QByteArray, model);
    QFETCH(QByteArray, version);
    QFETCH(bool, sortTest);
    QFETCH(bool, balance);
    QFETCH(bool, accel);
    QFETCH(QString, title);
    QFETCH(int, adjust);
    Rig rig;
    StoreText(39, 8, model);
    if (!version.isEmpty()) {
        theCamera.SetValue(Param::VersionFirst, version[0] | version[1] << 8);
        theCamera.SetValue(Param::CameraInfoLast, version[2] | version[3] << 8);
    }
    rig.Refresh({{Param::UserAdjust, adjust}});
    QCOMPARE(rig.frame->windowTitle(), title);
    for (int id : {PanelId::SortGroup, PanelId::SortOff, PanelId::SortOn, PanelId::TestPatternGroup,
                   PanelId::TestPatternOff, PanelId::TestPatternH, PanelId::TestPatternV,
                   PanelId::TestPatternHv})
        QCOMPARE(rig.Control(id)->isEnabled(), sortTest);
    for (int id :
         {PanelId::BalanceGroup, PanelId::BalanceOff, PanelId::BalanceManual, PanelId::BalanceAuto,
          PanelId::WhiteSpotGroup, PanelId::WhiteSpotOff, PanelId::WhiteSpotOn, PanelId::Detect,
          PanelId::FactorySet, PanelId::FactoryGroup})
        QCOMPARE(rig.Control(id)->isEnabled(), balance);
    for (int id : {PanelId::RightGainSlider, PanelId::RightGainValue, PanelId::RightGainCaption,
                   PanelId::RightBlackSlider, PanelId::RightBlackValue, PanelId::RightBlackCaption})
        QCOMPARE(rig.Control(id)->isEnabled(), adjust == 1);
    for (int id : {PanelId::AccelGroup, PanelId::AccelOff, PanelId::AccelOn})
        QCOMPARE(rig.Control(id)->isEnabled(), accel);
    QCOMPARE(rig.Slider(PanelId::GainSlider)->maximum(), accel ? 503 : 336);
    // MANUAL enables the right gain and black controls, even in a disabled group.
    rig.Refresh({{Param::UserAdjust, 1}});
    QCOMPARE(rig.Control(PanelId::BalanceGroup)->isEnabled(), balance);
    for (int id : {PanelId::RightGainSlider, PanelId::RightGainValue, PanelId::RightGainCaption,
                   PanelId::RightBlackSlider, PanelId::RightBlackValue, PanelId::RightBlackCaption})
        QVERIFY(rig.Control(id)->isEnabled());
    QVERIFY(rig.boxes.isEmpty());
    QVERIFY(rig.TakePayloads().isEmpty()); // a refresh sends nothing
}

void TestPanel::readouts_data()
{
    QTest::addColumn<int>("param");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("readout");
    QTest::addColumn<QString>("text");
    const struct
    {
        int param, value, readout;
        const char *text;
    } rows[] = {
        {Param::GainLevel, 0, PanelId::GainValue, "0.0000 dB"},
        {Param::GainLevel, 100, PanelId::GainValue, "3.5800 dB"},
        {Param::GainLevel, 336, PanelId::GainValue, "12.0288 dB"},
        {Param::GainLevel, 503, PanelId::GainValue, "18.0074 dB"},
        {Param::BalanceGain, 0, PanelId::RightGainValue, "-1.1456 dB"},
        {Param::BalanceGain, 32, PanelId::RightGainValue, "0.0000 dB"},
        {Param::BalanceGain, 64, PanelId::RightGainValue, "1.1456 dB"},
        {Param::BalanceBlack, 0, PanelId::RightBlackValue, "-128/2048"},
        {Param::BalanceBlack, 255, PanelId::RightBlackValue, "127/2048"},
        {Param::BlackLevel, 63, PanelId::BlackLevelValue, "63/1023"},
        {Param::ProgrammableShutter, 0, PanelId::VariableValue, "1/100000.00 sec"},
        {Param::ProgrammableShutter, 256, PanelId::VariableValue, "1/10000.00 sec"},
        {Param::ProgrammableShutter, 917, PanelId::VariableValue, "1/16.03 sec"},
        {Param::ProgrammableShutter, 1279, PanelId::VariableValue, "1/1.00 sec"},
        {Param::ProgrammableShutter, 1280, PanelId::VariableValue, "1.00 sec"},
        {Param::ProgrammableShutter, 1400, PanelId::VariableValue, "5.22 sec"},
        {Param::ProgrammableShutter, 1536, PanelId::VariableValue, "10.00 sec"},
        {Param::ProgrammableShutter, 1312, PanelId::VariableValue, "2.12 sec"},
        {Param::ProgrammableShutter, 1440, PanelId::VariableValue, "6.62 sec"},
        {Param::ProgrammableShutter, -1, PanelId::VariableValue, "1/10035.28 sec"},
        {Param::ProgrammableShutter, 1024, PanelId::VariableValue, "1/10.00 sec"},
        {Param::PartialScanStart, 1, PanelId::StartValue, " 1 "},
        {Param::PartialScanWidth, 2058, PanelId::WidthValue, " 2058 "},
        {Param::SubVoltage, 176, PanelId::SubVValue, " 176 "},
        {Param::AdjustGainL, 1023, PanelId::AdjustGainLValue, " 1023 "},
        {Param::AdjustGainR, 7, PanelId::AdjustGainRValue, " 7 "},
    };
    for (const auto &r : rows)
        QTest::addRow("%d=%d", r.param, r.value)
            << r.param << r.value << r.readout << QString(r.text);
}

void TestPanel::readouts()
{
    QFETCH(int, param);
    QFETCH(int, value);
    QFETCH(int, readout);
    QFETCH(QString, text);
    Rig rig;
    rig.Refresh({{param, value}});
    QCOMPARE(rig.Text(readout), text);
    // A screen reader says the value and what it is; the slider says its
    // caption and the value it stands at.
    int n = 0;
    const SliderRow *rows = PanelTables::Sliders(&n);
    const SliderRow *row =
        std::find_if(rows, rows + n, [&](const SliderRow &r) { return r.readout == readout; });
    QAccessibleInterface *shown = QAccessible::queryAccessibleInterface(rig.Control(readout));
    QCOMPARE(shown->text(QAccessible::Name), text);
    QCOMPARE(shown->text(QAccessible::Description), QString::fromLatin1(row->name));
    QAccessibleInterface *slider = QAccessible::queryAccessibleInterface(rig.Control(row->slider));
    QCOMPARE(slider->text(QAccessible::Name), QString::fromLatin1(row->name));
    QCOMPARE(slider->valueInterface()->currentValue().toInt(), rig.Slider(row->slider)->value());
    QCOMPARE(slider->text(QAccessible::Value), QString::number(rig.Slider(row->slider)->value()));
}

void TestPanel::cameraInformation_data()
{
    QTest::addColumn<QList<int>>("registers"); // parameter, value pairs
    QTest::addColumn<QStringList>(
        "texts"); // read-outs PanelId::VendorValue to PanelId::VersionValue
    QTest::addColumn<bool>("eightDigits");
    const auto serial = [](int last) {
        return QList<int>{47, 0x3231, 48, 0x3433, 49, 0x3635, 50, last};
    };
    QTest::newRow("ABC, 33 not looked at")
        << (QList<int>{31, 0x4241, 32, 0x0043, 33, 0x4544} + serial(0x0037))
        << QStringList{"ABC", "", "1234567", ""} << false;
    QTest::newRow("empty names") << (QList<int>{31, 0, 32, 0x4241, 39, 0x5A00} + serial(0x3837))
                                 << QStringList{"", "", "12345678", ""} << true;
    QTest::newRow("letter as eighth")
        << serial(0x4137) << QStringList{"", "", "1234567", ""} << false;
    QTest::newRow("version") << QList<int>{51, 0x3031, 52, 0x3332}
                             << QStringList{"", "", "", "1.0.2.3"} << false;
    QTest::newRow("zero byte in version")
        << QList<int>{51, 0x3031, 52, 0x3300} << QStringList{"", "", "", "1.0."} << false;
}

void TestPanel::cameraInformation()
{
    QFETCH(QList<int>, registers);
    QFETCH(QStringList, texts);
    QFETCH(bool, eightDigits);
    Rig rig;
    for (int i = 31; i <= 52; ++i)
        theCamera.SetValue(i, 0);
    QList<QPair<int, int>> values;
    for (int i = 0; i < registers.size(); i += 2)
        values.append({registers[i], registers[i + 1]});
    rig.Refresh(values);
    for (int i = 0; i < 4; ++i)
        QCOMPARE(rig.Text(PanelId::VendorValue + i), texts[i]);
    QCOMPARE(QString::fromLatin1(rig.view->m_vendorName), texts[0]);
    QCOMPARE(QString::fromLatin1(rig.view->m_version), texts[3]);
    QCOMPARE(rig.view->m_eightDigits, eightDigits ? 1 : 0);
    QCOMPARE(rig.Button(PanelId::EightDigits)->isChecked(), eightDigits);
    QCOMPARE(rig.Button(PanelId::SevenDigits)->isChecked(), !eightDigits);
}

void TestPanel::refreshShowsStoredValues()
{
    Rig rig;
    StoreText(39, 8, "ZQ-MV710ALX");
    rig.Refresh({{Param::TriggerMode, 3},
                 {Param::ShutterSpeed, 255},
                 {Param::GainLevel, 400},
                 {Param::DataBit, 2},
                 {Param::HdLval, 2},
                 {Param::TestPattern, 1}});
    for (int id : {PanelId::ModeOff, PanelId::ModeFixed, PanelId::Mode1Trig, PanelId::ModeVdCont})
        QVERIFY(!rig.Button(id)->isChecked()); // mode 3 selects none
    QVERIFY(rig.Button(PanelId::ShutterVariable)->isChecked());
    QVERIFY(rig.Button(PanelId::DataBit12)->isChecked() &&
            !rig.Button(PanelId::DataBit8)->isChecked());
    QVERIFY(rig.Button(PanelId::SyncLval2)->isChecked());
    QVERIFY(rig.Button(PanelId::TestPatternH)->isChecked()); // H is 1, in the second row
    // Beyond the 336 of this model: the thumb at its end, the text the value's.
    QCOMPARE(rig.Slider(PanelId::GainSlider)->value(), 336);
    QCOMPARE(rig.Text(PanelId::GainValue), QStringLiteral("14.3200 dB"));

    rig.Refresh({{Param::ShutterSpeed, 9}});
    QVERIFY(rig.Button(PanelId::ShutterVariable)->isChecked());
    rig.Refresh({{Param::ShutterSpeed, 20}});
    for (int id = PanelId::ShutterOff; id <= PanelId::ShutterVariable; ++id)
        QVERIFY(!rig.Button(id)->isChecked());
    for (int v = 0; v <= 9; ++v) { // 9, like 255, is VARIABLE
        rig.Refresh({{Param::ShutterSpeed, v}});
        for (int id = PanelId::ShutterOff; id <= PanelId::ShutterVariable; ++id)
            QCOMPARE(rig.Button(id)->isChecked(), id == PanelId::ShutterOff + v);
    }
    for (int id : {PanelId::AdjustGainLSlider, PanelId::AdjustGainRSlider, PanelId::SubVSlider,
                   PanelId::SerialEdit, PanelId::SerialWrite, PanelId::ReadAndReset,
                   PanelId::SerialGroup, PanelId::InfoGroup})
        QVERIFY(rig.Control(id)->isHidden());
    QVERIFY(!rig.Control(PanelId::SevenDigits)->isHidden());
}

void TestPanel::sliderActions_data()
{
    QTest::addColumn<int>("slider");
    QTest::addColumn<int>("start");
    QTest::addColumn<QString>("how");        // as GuiFixture::MoveSlider takes it
    QTest::addColumn<QByteArray>("refused"); // value bytes the camera refuses
    QTest::addColumn<QByteArrayList>("sent");
    QTest::addColumn<int>("shown");
    const QString action = QStringLiteral("action:%1");
    QTest::newRow("page right at 60")
        << int(PanelId::BlackLevelSlider) << 60 << action.arg(QAbstractSlider::SliderPageStepAdd)
        << QByteArray() << QByteArrayList{"01FF01173F0000"} << 63;
    QTest::newRow("line left at 0")
        << int(PanelId::GainSlider) << 0 << action.arg(QAbstractSlider::SliderSingleStepSub)
        << QByteArray() << QByteArrayList{"01FF010C000000"} << 0;
    QTest::newRow("line right") << int(PanelId::GainSlider) << 300
                                << action.arg(QAbstractSlider::SliderSingleStepAdd) << QByteArray()
                                << QByteArrayList{"01FF010C012D00"} << 301;
    QTest::newRow("page left right gain")
        << int(PanelId::RightGainSlider) << 5 << action.arg(QAbstractSlider::SliderPageStepSub)
        << QByteArray() << QByteArrayList{"01FF0148000000"} << 0;
    QTest::newRow("to the end") << int(PanelId::GainSlider) << 10
                                << action.arg(QAbstractSlider::SliderToMaximum) << QByteArray()
                                << QByteArrayList() << 10;
    QTest::newRow("to the start") << int(PanelId::RightBlackSlider) << 10
                                  << action.arg(QAbstractSlider::SliderToMinimum) << QByteArray()
                                  << QByteArrayList() << 10;
    // The keyboard on a focused slider.
    QTest::newRow("key right") << int(PanelId::GainSlider) << 300 << "key:Right" << QByteArray()
                               << QByteArrayList{"01FF010C012D00"} << 301;
    QTest::newRow("key left") << int(PanelId::BlackLevelSlider) << 20 << "key:Left" << QByteArray()
                              << QByteArrayList{"01FF0117130000"} << 19;
    QTest::newRow("key page down at 60") << int(PanelId::BlackLevelSlider) << 60 << "key:PgDown"
                                         << QByteArray() << QByteArrayList{"01FF01173F0000"} << 63;
    QTest::newRow("key page up") << int(PanelId::RightBlackSlider) << 100 << "key:PgUp"
                                 << QByteArray() << QByteArrayList{"01FF014A5A0000"} << 90;
    QTest::newRow("key home writes nothing")
        << int(PanelId::GainSlider) << 10 << "key:Home" << QByteArray() << QByteArrayList() << 10;
    QTest::newRow("key end writes nothing") << int(PanelId::RightGainSlider) << 10 << "key:End"
                                            << QByteArray() << QByteArrayList() << 10;
    // A wheel notch is three line steps, each its own write; only the
    // focused slider takes it.
    QTest::newRow("wheel towards the operator")
        << int(PanelId::GainSlider) << 300 << "wheel:-120" << QByteArray()
        << QByteArrayList{"01FF010C012D00", "01FF010C012E00", "01FF010C012F00"} << 303;
    QTest::newRow("wheel away at 1")
        << int(PanelId::BlackLevelSlider) << 1 << "wheel:120" << QByteArray()
        << QByteArrayList{"01FF0117000000", "01FF0117000000", "01FF0117000000"} << 0;
    QTest::newRow("half a notch") << int(PanelId::GainSlider) << 300 << "wheel:60" << QByteArray()
                                  << QByteArrayList() << 300;
    QTest::newRow("wheel passing by") << int(PanelId::GainSlider) << 300 << "hover:-120"
                                      << QByteArray() << QByteArrayList() << 300;
    // The context menu's items ask as the arrows and the groove do.
    QTest::newRow("menu page right") << int(PanelId::GainSlider) << 100 << "menu:Page right"
                                     << QByteArray() << QByteArrayList{"01FF010C006E00"} << 110;
    QTest::newRow("menu scroll left") << int(PanelId::RightBlackSlider) << 100 << "menu:Scroll left"
                                      << QByteArray() << QByteArrayList{"01FF014A630000"} << 99;
    QTest::newRow("menu left edge writes nothing")
        << int(PanelId::GainSlider) << 100 << "menu:Left edge" << QByteArray() << QByteArrayList()
        << 100;
    // Mid-groove on GAIN (0 to 503) puts the thumb's middle there: 246.
    QTest::newRow("menu scroll here") << int(PanelId::GainSlider) << 100 << "menu:Scroll here"
                                      << QByteArray() << QByteArrayList{"01FF010C00F600"} << 246;
    QTest::newRow("menu scroll here, refused")
        << int(PanelId::GainSlider) << 100 << "menu:Scroll here" << QByteArray("00F600")
        << QByteArrayList() << 100;
    // An assistive tool setting the value: written as a drag there, clamped.
    QTest::newRow("accessible value") << int(PanelId::GainSlider) << 100 << "access:250"
                                      << QByteArray() << QByteArrayList{"01FF010C00FA00"} << 250;
    QTest::newRow("accessible value beyond the end")
        << int(PanelId::BlackLevelSlider) << 10 << "access:99" << QByteArray()
        << QByteArrayList{"01FF01173F0000"} << 63;
    QTest::newRow("accessible value refused") << int(PanelId::GainSlider) << 100 << "access:250"
                                              << QByteArray("00FA00") << QByteArrayList() << 100;
}

void TestPanel::sliderActions()
{
    QFETCH(int, slider);
    QFETCH(int, start);
    QFETCH(QString, how);
    QFETCH(QByteArray, refused);
    QFETCH(QByteArrayList, sent);
    QFETCH(int, shown);
    Rig rig;
    StoreText(39, 8, "ZQ-M710ALX");
    const int param = PanelTables::FindSlider(slider)->param;
    rig.Refresh({{param, start}, {Param::UserAdjust, 1}});
    rig.doc->SetModifiedFlag(false);
    // The slider's register, as the camera knows it.
    const QHash<int, int> registers = {
        {Param::GainLevel, 0x0C},           {Param::AdjustGainL, 0x1C},
        {Param::AdjustGainR, 0x1D},         {Param::BlackLevel, 0x17},
        {Param::ProgrammableShutter, 0x11}, {Param::PartialScanStart, 0x1F},
        {Param::PartialScanWidth, 0x20},    {Param::SubVoltage, 0x77},
        {Param::BalanceGain, 0x48},         {Param::BalanceBlack, 0x4A}};
    QVERIFY(registers.contains(param));
    rig.camera.RefuseWrite(0x01, registers.value(param), refused);
    GuiFixture::MoveSlider(rig.Slider(slider), how);
    QCOMPARE(rig.TakePayloads(), sent);
    QCOMPARE(rig.Slider(slider)->value(), shown);
    QCOMPARE(rig.Slider(slider)->sliderPosition(), shown);
    QCOMPARE(theCamera.GetValue(param), shown);
    QCOMPARE(rig.Text(PanelTables::FindSlider(slider)->readout), ReadoutFormat::Text(param, shown));
    QCOMPARE(rig.doc->IsModified(), shown != start);
    QCOMPARE(rig.boxes.size(), refused.isEmpty() ? 0 : 1);
}

void TestPanel::radioTable_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("param");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("reg");
    // The register each group writes, as the camera knows it.
    const int rows[][4] = {
        {PanelId::ModeOff, Param::TriggerMode, 0, 0x04},
        {PanelId::ModeFixed, Param::TriggerMode, 1, 0x04},
        {PanelId::Mode1Trig, Param::TriggerMode, 2, 0x04},
        {PanelId::ModeVdCont, Param::TriggerMode, 4, 0x04},
        {PanelId::SourceCc1, Param::TriggerSource, 0, 0x05},
        {PanelId::Source12pin, Param::TriggerSource, 1, 0x05},
        {PanelId::PolarityPosi, Param::TriggerPolarity, 0, 0x0F},
        {PanelId::PolarityNega, Param::TriggerPolarity, 1, 0x0F},
        {PanelId::ShutterOff, Param::ShutterSpeed, 0, 0x08},
        {PanelId::Shutter16, Param::ShutterSpeed, 1, 0x08},
        {PanelId::Shutter60, Param::ShutterSpeed, 2, 0x08},
        {PanelId::Shutter100, Param::ShutterSpeed, 3, 0x08},
        {PanelId::Shutter250, Param::ShutterSpeed, 4, 0x08},
        {PanelId::Shutter1000, Param::ShutterSpeed, 5, 0x08},
        {PanelId::Shutter2000, Param::ShutterSpeed, 6, 0x08},
        {PanelId::Shutter10000, Param::ShutterSpeed, 7, 0x08},
        {PanelId::Shutter50000, Param::ShutterSpeed, 8, 0x08},
        {PanelId::ShutterVariable, Param::ShutterSpeed, 255, 0x08},
        {PanelId::PartialOff, Param::PartialScan, 0, 0x1E},
        {PanelId::PartialOn, Param::PartialScan, 1, 0x1E},
        {PanelId::AccelOff, Param::Accel2x, 0, 0x13},
        {PanelId::AccelOn, Param::Accel2x, 1, 0x13},
        {PanelId::DataBit8, Param::DataBit, 0, 0x14},
        {PanelId::DataBit10, Param::DataBit, 1, 0x14},
        {PanelId::DataBit12, Param::DataBit, 2, 0x14},
        {PanelId::SyncVd, Param::VdFval, 0, 0x15},
        {PanelId::SyncFval, Param::VdFval, 1, 0x15},
        {PanelId::SyncHd, Param::HdLval, 0, 0x16},
        {PanelId::SyncLval, Param::HdLval, 1, 0x16},
        {PanelId::SyncLval2, Param::HdLval, 2, 0x16},
        {PanelId::ConfigBase, Param::Configuration, 0, 0x12},
        {PanelId::ConfigMedium, Param::Configuration, 1, 0x12},
        {PanelId::SortOff, Param::Sort, 0, 0x18},
        {PanelId::SortOn, Param::Sort, 1, 0x18},
        {PanelId::PinOutOff, Param::OutputFlashVd, 0, 0x06},
        {PanelId::PinOutFlash, Param::OutputFlashVd, 1, 0x06},
        {PanelId::PinOutVd, Param::OutputFlashVd, 2, 0x06},
        {PanelId::TestPatternOff, Param::TestPattern, 0, 0x50},
        {PanelId::TestPatternH, Param::TestPattern, 1, 0x50},
        {PanelId::TestPatternV, Param::TestPattern, 2, 0x50},
        {PanelId::TestPatternHv, Param::TestPattern, 3, 0x50},
        {PanelId::BalanceOff, Param::UserAdjust, 0, 0x46},
        {PanelId::BalanceManual, Param::UserAdjust, 1, 0x46},
        {PanelId::BalanceAuto, Param::UserAdjust, 2, 0x46},
        {PanelId::WhiteSpotOff, Param::WhiteSpotCorrection, 0, 0x4B},
        {PanelId::WhiteSpotOn, Param::WhiteSpotCorrection, 1, 0x4B},
    };
    for (const auto &r : rows)
        QTest::addRow("%d", r[0]) << r[0] << r[1] << r[2] << r[3];
}

void TestPanel::radioTable()
{
    QFETCH(int, button);
    QFETCH(int, param);
    QFETCH(int, value);
    QFETCH(int, reg);
    Rig rig;
    StoreText(39, 8, "ZQ-M710ALX"); // every group enabled
    // FIXED keeps shutter, source and polarity usable; the group shows nothing.
    rig.Refresh({{Param::TriggerMode, param == 1 ? 3 : 1}, {param, 99}});
    QTest::mouseClick(rig.Button(button), Qt::LeftButton);
    const QByteArray sent =
        QByteArray("01FF01") +
        QByteArray::number(reg, 16).rightJustified(2, '0').toUpper() +
        QByteArray::number(value, 16).rightJustified(2, '0').toUpper() + "0000";
    QCOMPARE(rig.TakePayloads(), QByteArrayList{sent});
    QCOMPARE(theCamera.GetValue(param), value);
    QVERIFY(rig.Button(button)->isChecked());
    QVERIFY(rig.boxes.isEmpty());
}

void TestPanel::dragWritesEveryPosition()
{
    Rig rig;
    rig.Refresh({{Param::GainLevel, 100}});
    QScrollBar *gain = rig.Slider(PanelId::GainSlider);
    rig.camera.RefuseWrite(0x01, 0x0C, "006600"); // 102
    gain->setSliderDown(true);
    for (int p : {101, 102, 103})
        gain->setSliderPosition(p);
    QCOMPARE(gain->value(), 103);
    gain->setSliderDown(false); // letting go writes the end position once more
    QCOMPARE(rig.TakePayloads(),
             QByteArrayList({"01FF010C006500", "01FF010C006700", "01FF010C006700"}));
    QCOMPARE(rig.boxes.size(), 1);
    QCOMPARE(rig.Text(PanelId::GainValue), QStringLiteral("3.6874 dB"));
}

void TestPanel::failedWritesLeaveControls()
{
    Rig rig;
    rig.Refresh({{Param::GainLevel, 100}, {Param::DataBit, 1}});
    // A drag against a silent camera: each step fails, is said once, and the
    // thumb goes back to what the camera holds.
    rig.camera.Faults().silent = true;
    rig.Slider(PanelId::GainSlider)->setSliderPosition(140);
    rig.Slider(PanelId::GainSlider)->setSliderPosition(150);
    QCOMPARE(rig.boxes.size(), 2);
    QCOMPARE(rig.Slider(PanelId::GainSlider)->value(), 100);
    QCOMPARE(rig.Slider(PanelId::GainSlider)->sliderPosition(), 100);
    QCOMPARE(rig.Text(PanelId::GainValue), QStringLiteral("3.5800 dB"));

    // A click in the track whose release the box took: one box, and no
    // step of the scroll bar's repeat once the camera answers again.
    QScrollBar *gain = rig.Slider(PanelId::GainSlider);
    QTest::mousePress(gain, Qt::LeftButton, {}, QPoint(gain->width() * 3 / 4, gain->height() / 2));
    rig.camera.Faults().silent = false;
    rig.TakePayloads();
    QTest::qWait(700); // past the repeat's first delay
    QCOMPARE(rig.TakePayloads(), QByteArrayList());
    QCOMPARE(rig.boxes.size(), 3);
    rig.boxes.removeLast();

    // A refused write of the black level: no move, no new text.
    rig.Refresh({{Param::BlackLevel, 20}});
    rig.camera.RefuseWrite(0x01, 0x17, "150000");
    rig.Slider(PanelId::BlackLevelSlider)->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCOMPARE(rig.boxes.size(), 3);
    QCOMPARE(rig.Slider(PanelId::BlackLevelSlider)->value(), 20);
    QCOMPARE(rig.Text(PanelId::BlackLevelValue), QStringLiteral("20/1023"));

    // A refused "12bit": one box, and the group shows the stored choice again.
    rig.camera.RefuseWrite(0x01, 0x14, "020000");
    QTest::mouseClick(rig.Button(PanelId::DataBit12), Qt::LeftButton);
    QCOMPARE(rig.boxes.size(), 4);
    QVERIFY(rig.Button(PanelId::DataBit10)->isChecked());
    QVERIFY(!rig.Button(PanelId::DataBit12)->isChecked());
    QCOMPARE(theCamera.GetValue(Param::DataBit), 1);
    QCOMPARE(rig.boxesUnderWaitCursor, 0);       // each box with the normal cursor
    QVERIFY(!QGuiApplication::overrideCursor()); // and none left behind
}

void TestPanel::drag()
{
    Rig rig;
    rig.Refresh({{Param::GainLevel, 104}});
    QScrollBar *gain = rig.Slider(PanelId::GainSlider);
    // Refused at the end: the release asks again for where the thumb was let go.
    rig.camera.RefuseWrite(0x01, 0x0C, "006900");
    gain->setSliderDown(true);
    gain->setSliderPosition(105);
    gain->setSliderDown(false);
    QCOMPARE(rig.boxes.size(), 2);
    QCOMPARE(gain->value(), 104);
    QCOMPARE(rig.Text(PanelId::GainValue), QStringLiteral("3.7232 dB"));
    // A thumb pressed and let go where it stands writes that once.
    gain->setSliderDown(true);
    gain->setSliderDown(false);
    QCOMPARE(rig.TakePayloads(), QByteArrayList{"01FF010C006800"});
}

void TestPanel::radioClicks()
{
    Rig rig;
    StoreText(39, 8, "ZQ-M710ALX");
    rig.Refresh({{Param::TriggerMode, 4}});
    rig.doc->SetModifiedFlag(false);
    QTest::mouseClick(rig.Button(PanelId::ModeVdCont), Qt::LeftButton); // already VD CONT
    QCOMPARE(rig.TakePayloads(), QByteArrayList{"01FF0104040000"});
    QVERIFY(!rig.doc->IsModified());
    QTest::mouseClick(rig.Button(PanelId::ShutterVariable), Qt::LeftButton);
    QCOMPARE(rig.TakePayloads(), QByteArrayList{"01FF0108FF0000"});
    QVERIFY(rig.Control(PanelId::VariableSlider)->isEnabled());
    QVERIFY(rig.doc->IsModified());
    QVERIFY(rig.boxes.isEmpty());
}

void TestPanel::enableRules()
{
    Rig rig;
    StoreText(39, 8, "ZQ-M710ALX");
    rig.Refresh({{Param::TriggerMode, 2},
                 {Param::ShutterSpeed, 255},
                 {Param::PartialScan, 0},
                 {Param::UserAdjust, 2}});
    for (int id : {PanelId::ShutterOff, PanelId::ShutterVariable, PanelId::VariableSlider,
                   PanelId::VariableValue, PanelId::VariableCaption, PanelId::ShutterGroup})
        QVERIFY(!rig.Control(id)->isEnabled());                      // 1TRIG
    QTest::mouseClick(rig.Button(PanelId::ModeOff), Qt::LeftButton); // OFF
    for (int id : {PanelId::ShutterOff, PanelId::ShutterVariable, PanelId::VariableSlider,
                   PanelId::ShutterGroup})
        QVERIFY(rig.Control(id)->isEnabled());
    for (int id : {PanelId::PolarityGroup, PanelId::PolarityPosi, PanelId::PolarityNega,
                   PanelId::SourceGroup, PanelId::SourceCc1, PanelId::Source12pin})
        QVERIFY(!rig.Control(id)->isEnabled());
    for (int id :
         {PanelId::StartSlider, PanelId::WidthSlider, PanelId::StartValue, PanelId::WidthValue})
        QVERIFY(!rig.Control(id)->isEnabled());
    for (int id : {PanelId::RightGainSlider, PanelId::RightGainValue, PanelId::RightGainCaption,
                   PanelId::RightBlackSlider})
        QVERIFY(!rig.Control(id)->isEnabled()); // AUTO
    QTest::mouseClick(rig.Button(PanelId::PartialOn), Qt::LeftButton);
    QTest::mouseClick(rig.Button(PanelId::BalanceManual), Qt::LeftButton);
    for (int id :
         {PanelId::StartSlider, PanelId::WidthSlider, PanelId::StartValue, PanelId::WidthValue,
          PanelId::RightGainSlider, PanelId::RightGainValue, PanelId::RightGainCaption,
          PanelId::RightBlackSlider, PanelId::RightBlackValue, PanelId::RightBlackCaption})
        QVERIFY(rig.Control(id)->isEnabled());
}

void TestPanel::scanSliders()
{
    Rig rig;
    rig.Refresh(
        {{Param::PartialScan, 1}, {Param::PartialScanStart, 500}, {Param::PartialScanWidth, 1500}});
    rig.Slider(PanelId::StartSlider)->setSliderPosition(1200); // START dragged
    QCOMPARE(rig.TakePayloads(), QByteArrayList({"01FF0120035B00", "01FF011F04B000"}));
    QCOMPARE(rig.Text(PanelId::WidthValue), QStringLiteral(" 859 "));
    QCOMPARE(rig.Text(PanelId::StartValue), QStringLiteral(" 1200 "));

    rig.Refresh({{Param::PartialScanStart, 500}, {Param::PartialScanWidth, 1500}});
    rig.Slider(PanelId::StartSlider)->setSliderPosition(559);
    QCOMPARE(rig.TakePayloads(), QByteArrayList({"01FF011F022F00"}));

    rig.Refresh({{Param::PartialScanStart, 1}, {Param::PartialScanWidth, 2050}});
    rig.Slider(PanelId::WidthSlider)->triggerAction(QAbstractSlider::SliderPageStepAdd);
    rig.Slider(PanelId::StartSlider)->triggerAction(QAbstractSlider::SliderSingleStepSub);
    QCOMPARE(rig.TakePayloads(), QByteArrayList({"01FF0120080A00", "01FF011F000100"}));

    // Every other way of moving a scan slider keeps the sum: the WIDTH's
    // context menu at mid-groove, then START moved from the keyboard.
    rig.Refresh({{Param::PartialScanStart, 1500}, {Param::PartialScanWidth, 500}});
    GuiFixture::MoveSlider(rig.Slider(PanelId::WidthSlider), "menu:Scroll here");
    const int width = theCamera.GetValue(Param::PartialScanWidth);
    QVERIFY(width > 900 && width < 1100);
    QCOMPARE(theCamera.GetValue(Param::PartialScanStart), 2059 - width);
    QCOMPARE(rig.TakePayloads().size(), 2);
    GuiFixture::MoveSlider(rig.Slider(PanelId::StartSlider), "key:Down");
    GuiFixture::MoveSlider(rig.Slider(PanelId::StartSlider), "access:1200");
    auto hex = [](int v) { return QByteArray::number(v, 16).rightJustified(4, '0').toUpper(); };
    QCOMPARE(rig.TakePayloads(), QByteArrayList({"01FF0120" + hex(width - 1) + "00",
                                                 "01FF011F" + hex(2060 - width) + "00",
                                                 "01FF0120035B00", "01FF011F04B000"}));
    QCOMPARE(rig.Slider(PanelId::WidthSlider)->value(), 859);
    QCOMPARE(rig.Slider(PanelId::StartSlider)->value(), 1200);

    // The other slider cannot make room: the moved one is not written, so
    // the camera never holds 1200 + 1500.
    rig.Refresh({{Param::PartialScanStart, 500}, {Param::PartialScanWidth, 1500}});
    rig.camera.RefuseWrite(0x01, 0x20, "035B00");
    rig.Slider(PanelId::StartSlider)->setSliderPosition(1200);
    QCOMPARE(rig.TakePayloads(), QByteArrayList());
    QCOMPARE(rig.Slider(PanelId::WidthSlider)->value(), 1500);
    QCOMPARE(rig.Slider(PanelId::StartSlider)->value(), 500);
    QCOMPARE(theCamera.GetValue(Param::PartialScanStart), 500);
    QCOMPARE(rig.boxes.size(), 1);
}

void TestPanel::scanTiming()
{
    Rig rig;
    const struct
    {
        int accel, partial, start, width;
        const char *texts[4];
    } rows[] = {
        {0, 0, 700, 900, {" 11 ", " 2058 ", " 10 ", " 2079 "}},
        {0, 1, 1, 2058, {" 11 ", " 2058 ", " 5 ", " 2074 "}},
        {1, 0, 700, 900, {" 6 ", " 1029 ", " 5 ", " 1040 "}},
        {1, 1, 100, 1000, {" 31 ", " 500 ", " 243 ", " 774 "}},
    };
    for (const auto &r : rows) {
        rig.Refresh({{Param::Accel2x, r.accel},
                     {Param::PartialScan, r.partial},
                     {Param::PartialScanStart, r.start},
                     {Param::PartialScanWidth, r.width}});
        for (int i = 0; i < 4; ++i)
            QCOMPARE(rig.Text(PanelId::BporchValue + i), QString(r.texts[i]));
    }
}

void TestPanel::factorySet()
{
    {
        Rig rig;
        StoreText(39, 8, "ZQ-M710ALX");
        rig.Refresh({{Param::GainLevel, 200}}); // shown, but the camera's reset sets the default
        rig.camera.ScriptReads(0x01, 0x45, {"010000", "010000", "000000"});
        QTest::mouseClick(rig.Button(PanelId::FactorySet), Qt::LeftButton);
        const QByteArrayList sent = rig.TakePayloads();
        QCOMPARE(sent.size(), 1 + 3 + ParamTable::CountWith(PF_READ));
        QCOMPARE(sent.mid(0, 4), QByteArrayList({"01FF0145010000", "01FF8145000000",
                                                 "01FF8145000000", "01FF8145000000"}));
        QVERIFY(rig.doc->IsModified());
        QCOMPARE(rig.Slider(PanelId::GainSlider)->value(), 0); // refreshed
        QCOMPARE(rig.Text(PanelId::GainValue), QStringLiteral("0.0000 dB"));
    }
    {
        Rig rig;
        StoreText(39, 8, "ZQ-M710ALX");
        rig.Refresh({});
        rig.camera.ScriptReads(0x01, 0x45, {"010000"}); // never clears
        QTest::mouseClick(rig.Button(PanelId::FactorySet), Qt::LeftButton);
        QCOMPARE(rig.TakePayloads().size(), 1 + 50);
        QCOMPARE(rig.boxes.size(), 1); // the question only
        QCOMPARE(rig.boxes.at(0).buttons, MessageBox::YesNo);
        rig.answers << MessageBox::AnswerNo; // nothing is sent
        QTest::mouseClick(rig.Button(PanelId::FactorySet), Qt::LeftButton);
        QVERIFY(rig.TakePayloads().isEmpty());
    }
    {
        // Only the poll changes a stored value (the write finds 1 already,
        // the read-all fails at once): that alone marks the document.
        Rig rig;
        StoreText(39, 8, "ZQ-M710ALX");
        rig.Refresh({{Param::FactorySet, 1}});
        QVERIFY(!rig.doc->IsModified());
        rig.camera.ScriptReads(0x01, 0x45, {"000000"});
        rig.camera.Faults().silent = true;
        rig.camera.Faults().faultsAfter = rig.camera.Exchanges() + 2;
        QTest::mouseClick(rig.Button(PanelId::FactorySet), Qt::LeftButton);
        QCOMPARE(rig.TakePayloads().size(), 2);
        QCOMPARE(rig.boxes.size(), 2); // the question, the failure
        QCOMPARE(theCamera.GetValue(Param::FactorySet), 0);
        QVERIFY(rig.doc->IsModified());
    }
}

void TestPanel::digitsAndDetect()
{
    Rig rig;
    StoreText(39, 8, "ZQ-M710ALX");
    StoreText(47, 4, "1234567");
    theCamera.SetValue(Param::SerialNumberLast, 0x3837);
    rig.Refresh({});
    QVERIFY(rig.Button(PanelId::EightDigits)->isChecked());
    QCOMPARE(rig.view->m_eightDigits, 1);
    QCOMPARE(rig.view->m_serialNumber, QByteArray("12345678"));
    QTest::mouseClick(rig.Button(PanelId::SevenDigits), Qt::LeftButton);
    QCOMPARE(rig.view->m_eightDigits, 0);
    theCamera.SetValue(Param::SerialNumberLast, 0x4137);
    rig.Refresh({});
    QVERIFY(rig.Button(PanelId::SevenDigits)->isChecked());
    QVERIFY(rig.TakePayloads().isEmpty());

    QTest::mouseClick(rig.Button(PanelId::Detect), Qt::LeftButton); // DETECT
    QVERIFY(rig.doc->m_pWhiteSpotDialog && rig.doc->m_pWhiteSpotDialog->isVisible());
}

void TestPanel::hiddenSerialControlsAreBound()
{
    Rig rig;
    QDir::setCurrent(rig.dir.path()); // the record file goes here
    StoreText(47, 4, "1234567");
    rig.Refresh({});
    auto *edit = qobject_cast<QLineEdit *>(rig.Control(PanelId::SerialEdit));
    auto *spin = rig.Slider(PanelId::SerialSpin);
    edit->setText("1234567");
    spin->triggerAction(QAbstractSlider::SliderSingleStepSub); // up
    QCOMPARE(edit->text(), QStringLiteral("1234568"));
    rig.Button(PanelId::SerialWrite)->click(); // WRITE, though nobody can see it
    const QByteArrayList sent = rig.TakePayloads();
    QVERIFY(sent.size() >= 5);
    QCOMPARE(sent.first(), QByteArray("01FF01603A5C00"));
    for (int i = 0; i < 4; ++i) // parameters 47 to 50
        QCOMPARE(sent.at(1 + i).left(8), QByteArray("01FF101") + char('0' + i));
    QVERIFY(QFile::exists(rig.dir.filePath("ZQ-M710_AdjustData.csv")));
    rig.TakePayloads();
    rig.Button(PanelId::ReadAndReset)->click(); // READ & RESET: 28 writes, then the read-all
    QCOMPARE(rig.TakePayloads().size(), 28 + ParamTable::CountWith(PF_READ));
}

void TestPanel::keyboardReachesEveryControl()
{
    Rig rig;
    StoreText(39, 8, "ZQ-M710ALX"); // every group enabled
    rig.Refresh({{Param::TriggerMode, 1},
                 {Param::ShutterSpeed, 255},
                 {Param::PartialScan, 1},
                 {Param::UserAdjust, 1},
                 {Param::TestPattern, 2},
                 {Param::VdFval, 0},
                 {Param::HdLval, 0},
                 {Param::WhiteSpotCorrection, 0}});
    // Tab follows the layout, one stop per radio group (its chosen button),
    // every slider a stop.
    GuiFixture::Focus(rig.Control(PanelId::ModeFixed));
    const QList<int> stops = {
        PanelId::SourceCc1,      PanelId::PolarityPosi,    PanelId::ShutterVariable,
        PanelId::VariableSlider, PanelId::PartialOn,       PanelId::StartSlider,
        PanelId::WidthSlider,    PanelId::FactorySet,      PanelId::AccelOff,
        PanelId::DataBit8,       PanelId::SyncVd,          PanelId::SyncHd,
        PanelId::ConfigBase,     PanelId::SortOff,         PanelId::PinOutOff,
        PanelId::TestPatternV,   PanelId::GainSlider,      PanelId::BlackLevelSlider,
        PanelId::BalanceManual,  PanelId::RightGainSlider, PanelId::RightBlackSlider,
        PanelId::WhiteSpotOff,   PanelId::Detect,          PanelId::SevenDigits};
    QList<int> reached;
    for (int i = 0; i < stops.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        reached << QApplication::focusWidget()->objectName().toInt();
    }
    QCOMPARE(reached, stops);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), rig.Control(PanelId::Detect));

    // The arrows move inside a group and choose as a click does.
    GuiFixture::Focus(rig.Control(PanelId::ModeFixed));
    QTest::keyClick(rig.Control(PanelId::ModeFixed), Qt::Key_Down);
    QCOMPARE(QApplication::focusWidget(), rig.Control(PanelId::Mode1Trig));
    QCOMPARE(rig.TakePayloads(), QByteArrayList{"01FF0104020000"});
    QVERIFY(!rig.Control(PanelId::ShutterVariable)->isEnabled()); // 1TRIG
    // After a refresh the group's stop is its chosen button.
    rig.Refresh({{Param::HdLval, 2}});
    GuiFixture::Focus(rig.Control(PanelId::SyncVd));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), rig.Control(PanelId::SyncLval2));
    // The focused slider shows it; its keys write.
    GuiFixture::Focus(rig.Control(PanelId::GainSlider));
    QVERIFY(rig.Control(PanelId::GainSlider)->hasFocus());
    QCOMPARE(rig.Control(PanelId::GainSlider)->focusPolicy(), Qt::StrongFocus);
}

QTEST_MAIN(TestPanel)
#include "tst_panel.moc"
