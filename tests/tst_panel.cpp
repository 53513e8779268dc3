// The control panel: model rules, what each control shows and sends, and
// that a control moves only when the camera accepted the write.
#include "app/cmainframe.h"
#include "camera/paramtable.h"
#include "camera/readoutformat.h"
#include "camera/thecamera.h"
#include "document/czqb40doc.h"
#include "panel/czqb40view.h"
#include "panel/paneltables.h"
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
        theCamera.SetValue(51, version[0] | version[1] << 8);
        theCamera.SetValue(52, version[2] | version[3] << 8);
    }
    rig.Refresh({{21, adjust}});
    QCOMPARE(rig.frame->windowTitle(), title);
    for (int id : {1162, 1186, 1187, 1127, 1129, 1130, 1131, 1132})
        QCOMPARE(rig.Control(id)->isEnabled(), sortTest);
    for (int id : {1154, 1017, 1018, 1019, 1155, 1020, 1021, 1153, 1156, 1128})
        QCOMPARE(rig.Control(id)->isEnabled(), balance);
    for (int id : {1043, 1042, 1133, 1049, 1048, 1135})
        QCOMPARE(rig.Control(id)->isEnabled(), adjust == 1);
    for (int id : {1124, 1125, 1126})
        QCOMPARE(rig.Control(id)->isEnabled(), accel);
    QCOMPARE(rig.Slider(1024)->maximum(), accel ? 503 : 336);
    // MANUAL enables the right gain and black controls, even in a disabled group.
    rig.Refresh({{21, 1}});
    QCOMPARE(rig.Control(1154)->isEnabled(), balance);
    for (int id : {1043, 1042, 1133, 1049, 1048, 1135})
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
        {5, 0, 1025, "0.0000 dB"},       {5, 100, 1025, "3.5800 dB"},
        {5, 336, 1025, "12.0288 dB"},    {5, 503, 1025, "18.0074 dB"},
        {22, 0, 1042, "-1.1456 dB"},     {22, 32, 1042, "0.0000 dB"},
        {22, 64, 1042, "1.1456 dB"},     {23, 0, 1048, "-128/2048"},
        {23, 255, 1048, "127/2048"},     {13, 63, 1029, "63/1023"},
        {7, 0, 1047, "1/100000.00 sec"}, {7, 256, 1047, "1/10000.00 sec"},
        {7, 917, 1047, "1/16.03 sec"},   {7, 1279, 1047, "1/1.00 sec"},
        {7, 1280, 1047, "1.00 sec"},     {7, 1400, 1047, "5.22 sec"},
        {7, 1536, 1047, "10.00 sec"},    {7, 1312, 1047, "2.12 sec"},
        {7, 1440, 1047, "6.62 sec"},     {7, -1, 1047, "1/10035.28 sec"},
        {7, 1024, 1047, "1/10.00 sec"},  {18, 1, 1030, " 1 "},
        {19, 2058, 1031, " 2058 "},      {30, 176, 1036, " 176 "},
        {15, 1023, 1027, " 1023 "},      {16, 7, 1038, " 7 "},
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
    QTest::addColumn<QStringList>("texts");    // read-outs 1148 to 1151
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
        QCOMPARE(rig.Text(1148 + i), texts[i]);
    QCOMPARE(QString::fromLatin1(rig.view->m_vendorName), texts[0]);
    QCOMPARE(QString::fromLatin1(rig.view->m_version), texts[3]);
    QCOMPARE(rig.view->m_eightDigits, eightDigits ? 1 : 0);
    QCOMPARE(rig.Button(1164)->isChecked(), eightDigits);
    QCOMPARE(rig.Button(1163)->isChecked(), !eightDigits);
}

void TestPanel::refreshShowsStoredValues()
{
    Rig rig;
    StoreText(39, 8, "ZQ-MV710ALX");
    rig.Refresh({{1, 3}, {4, 255}, {5, 400}, {10, 2}, {12, 2}, {27, 1}});
    for (int id : {1066, 1067, 1068, 1070})
        QVERIFY(!rig.Button(id)->isChecked()); // mode 3 selects none
    QVERIFY(rig.Button(1014)->isChecked());
    QVERIFY(rig.Button(1178)->isChecked() && !rig.Button(1176)->isChecked());
    QVERIFY(rig.Button(1185)->isChecked());
    QVERIFY(rig.Button(1130)->isChecked()); // H is 1, in the second row
    // Beyond the 336 of this model: the thumb at its end, the text the value's.
    QCOMPARE(rig.Slider(1024)->value(), 336);
    QCOMPARE(rig.Text(1025), QStringLiteral("14.3200 dB"));

    rig.Refresh({{4, 9}});
    QVERIFY(rig.Button(1014)->isChecked());
    rig.Refresh({{4, 20}});
    for (int id = 1005; id <= 1014; ++id)
        QVERIFY(!rig.Button(id)->isChecked());
    for (int v = 0; v <= 9; ++v) { // 9, like 255, is VARIABLE
        rig.Refresh({{4, v}});
        for (int id = 1005; id <= 1014; ++id)
            QCOMPARE(rig.Button(id)->isChecked(), id == 1005 + v);
    }
    for (int id : {1026, 1039, 1037, 1140, 1142, 1139, 1152, 1143})
        QVERIFY(rig.Control(id)->isHidden());
    QVERIFY(!rig.Control(1163)->isHidden());
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
        << 1028 << 60 << action.arg(QAbstractSlider::SliderPageStepAdd) << QByteArray()
        << QByteArrayList{"01FF01173F0000"} << 63;
    QTest::newRow("line left at 0") << 1024 << 0 << action.arg(QAbstractSlider::SliderSingleStepSub)
                                    << QByteArray() << QByteArrayList{"01FF010C000000"} << 0;
    QTest::newRow("line right") << 1024 << 300 << action.arg(QAbstractSlider::SliderSingleStepAdd)
                                << QByteArray() << QByteArrayList{"01FF010C012D00"} << 301;
    QTest::newRow("page left right gain")
        << 1043 << 5 << action.arg(QAbstractSlider::SliderPageStepSub) << QByteArray()
        << QByteArrayList{"01FF0148000000"} << 0;
    QTest::newRow("to the end") << 1024 << 10 << action.arg(QAbstractSlider::SliderToMaximum)
                                << QByteArray() << QByteArrayList() << 10;
    QTest::newRow("to the start") << 1049 << 10 << action.arg(QAbstractSlider::SliderToMinimum)
                                  << QByteArray() << QByteArrayList() << 10;
    // The keyboard on a focused slider.
    QTest::newRow("key right") << 1024 << 300 << "key:Right" << QByteArray()
                               << QByteArrayList{"01FF010C012D00"} << 301;
    QTest::newRow("key left") << 1028 << 20 << "key:Left" << QByteArray()
                              << QByteArrayList{"01FF0117130000"} << 19;
    QTest::newRow("key page down at 60")
        << 1028 << 60 << "key:PgDown" << QByteArray() << QByteArrayList{"01FF01173F0000"} << 63;
    QTest::newRow("key page up") << 1049 << 100 << "key:PgUp" << QByteArray()
                                 << QByteArrayList{"01FF014A5A0000"} << 90;
    QTest::newRow("key home writes nothing")
        << 1024 << 10 << "key:Home" << QByteArray() << QByteArrayList() << 10;
    QTest::newRow("key end writes nothing")
        << 1043 << 10 << "key:End" << QByteArray() << QByteArrayList() << 10;
    // A wheel notch is three line steps, each its own write; only the
    // focused slider takes it.
    QTest::newRow("wheel towards the operator")
        << 1024 << 300 << "wheel:-120" << QByteArray()
        << QByteArrayList{"01FF010C012D00", "01FF010C012E00", "01FF010C012F00"} << 303;
    QTest::newRow("wheel away at 1")
        << 1028 << 1 << "wheel:120" << QByteArray()
        << QByteArrayList{"01FF0117000000", "01FF0117000000", "01FF0117000000"} << 0;
    QTest::newRow("half a notch") << 1024 << 300 << "wheel:60" << QByteArray() << QByteArrayList()
                                  << 300;
    QTest::newRow("wheel passing by")
        << 1024 << 300 << "hover:-120" << QByteArray() << QByteArrayList() << 300;
    // The context menu's items ask as the arrows and the groove do.
    QTest::newRow("menu page right") << 1024 << 100 << "menu:Page right" << QByteArray()
                                     << QByteArrayList{"01FF010C006E00"} << 110;
    QTest::newRow("menu scroll left") << 1049 << 100 << "menu:Scroll left" << QByteArray()
                                      << QByteArrayList{"01FF014A630000"} << 99;
    QTest::newRow("menu left edge writes nothing")
        << 1024 << 100 << "menu:Left edge" << QByteArray() << QByteArrayList() << 100;
    // Mid-groove on GAIN (0 to 503) puts the thumb's middle there: 246.
    QTest::newRow("menu scroll here") << 1024 << 100 << "menu:Scroll here" << QByteArray()
                                      << QByteArrayList{"01FF010C00F600"} << 246;
    QTest::newRow("menu scroll here, refused")
        << 1024 << 100 << "menu:Scroll here" << QByteArray("00F600") << QByteArrayList() << 100;
    // An assistive tool setting the value: written as a drag there, clamped.
    QTest::newRow("accessible value")
        << 1024 << 100 << "access:250" << QByteArray() << QByteArrayList{"01FF010C00FA00"} << 250;
    QTest::newRow("accessible value beyond the end")
        << 1028 << 10 << "access:99" << QByteArray() << QByteArrayList{"01FF01173F0000"} << 63;
    QTest::newRow("accessible value refused")
        << 1024 << 100 << "access:250" << QByteArray("00FA00") << QByteArrayList() << 100;
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
    const int param = slider == 1024 ? 5 : slider == 1028 ? 13 : slider == 1043 ? 22 : 23;
    rig.Refresh({{param, start}, {21, 1}});
    rig.doc->SetModifiedFlag(false);
    rig.camera.RefuseWrite(0x01, ParamTable::Row(param).address, refused);
    GuiFixture::MoveSlider(rig.Slider(slider), how);
    QCOMPARE(rig.TakePayloads(), sent);
    QCOMPARE(rig.Slider(slider)->value(), shown);
    QCOMPARE(rig.Slider(slider)->sliderPosition(), shown);
    QCOMPARE(theCamera.GetValue(param), shown);
    QCOMPARE(rig.Text(PanelTables::FindSlider(slider)->readout),
             ReadoutFormat::Text(param, shown));
    QCOMPARE(rig.doc->IsModified(), shown != start);
    QCOMPARE(rig.boxes.size(), refused.isEmpty() ? 0 : 1);
}

void TestPanel::radioTable_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("param");
    QTest::addColumn<int>("value");
    const int rows[][3] = {
        {1066, 1, 0},  {1067, 1, 1},  {1068, 1, 2},  {1070, 1, 4},  {1119, 2, 0},  {1120, 2, 1},
        {1115, 6, 0},  {1116, 6, 1},  {1005, 4, 0},  {1006, 4, 1},  {1007, 4, 2},  {1008, 4, 3},
        {1009, 4, 4},  {1010, 4, 5},  {1011, 4, 6},  {1012, 4, 7},  {1013, 4, 8},  {1014, 4, 255},
        {1015, 17, 0}, {1016, 17, 1}, {1125, 9, 0},  {1126, 9, 1},  {1176, 10, 0}, {1177, 10, 1},
        {1178, 10, 2}, {1179, 11, 0}, {1180, 11, 1}, {1181, 12, 0}, {1182, 12, 1}, {1185, 12, 2},
        {1184, 8, 0},  {1183, 8, 1},  {1186, 14, 0}, {1187, 14, 1}, {1121, 3, 0},  {1122, 3, 1},
        {1123, 3, 2},  {1129, 27, 0}, {1130, 27, 1}, {1131, 27, 2}, {1132, 27, 3}, {1017, 21, 0},
        {1018, 21, 1}, {1019, 21, 2}, {1020, 24, 0}, {1021, 24, 1},
    };
    for (const auto &r : rows)
        QTest::addRow("%d", r[0]) << r[0] << r[1] << r[2];
}

void TestPanel::radioTable()
{
    QFETCH(int, button);
    QFETCH(int, param);
    QFETCH(int, value);
    Rig rig;
    StoreText(39, 8, "ZQ-M710ALX"); // every group enabled
    // FIXED keeps shutter, source and polarity usable; the group shows nothing.
    rig.Refresh({{1, param == 1 ? 3 : 1}, {param, 99}});
    QTest::mouseClick(rig.Button(button), Qt::LeftButton);
    const QByteArray sent =
        QByteArray("01FF01") +
        QByteArray::number(ParamTable::Row(param).address, 16).rightJustified(2, '0').toUpper() +
        QByteArray::number(value, 16).rightJustified(2, '0').toUpper() + "0000";
    QCOMPARE(rig.TakePayloads(), QByteArrayList{sent});
    QCOMPARE(theCamera.GetValue(param), value);
    QVERIFY(rig.Button(button)->isChecked());
    QVERIFY(rig.boxes.isEmpty());
}

void TestPanel::dragWritesEveryPosition()
{
    Rig rig;
    rig.Refresh({{5, 100}});
    QScrollBar *gain = rig.Slider(1024);
    rig.camera.RefuseWrite(0x01, 0x0C, "006600"); // 102
    gain->setSliderDown(true);
    for (int p : {101, 102, 103})
        gain->setSliderPosition(p);
    QCOMPARE(gain->value(), 103);
    gain->setSliderDown(false); // letting go writes the end position once more
    QCOMPARE(rig.TakePayloads(),
             QByteArrayList({"01FF010C006500", "01FF010C006700", "01FF010C006700"}));
    QCOMPARE(rig.boxes.size(), 1);
    QCOMPARE(rig.Text(1025), QStringLiteral("3.6874 dB"));
}

void TestPanel::failedWritesLeaveControls()
{
    Rig rig;
    rig.Refresh({{5, 100}, {10, 1}});
    // A drag against a silent camera: each step fails, is said once, and the
    // thumb goes back to what the camera holds.
    rig.camera.Faults().silent = true;
    rig.Slider(1024)->setSliderPosition(140);
    rig.Slider(1024)->setSliderPosition(150);
    QCOMPARE(rig.boxes.size(), 2);
    QCOMPARE(rig.Slider(1024)->value(), 100);
    QCOMPARE(rig.Slider(1024)->sliderPosition(), 100);
    QCOMPARE(rig.Text(1025), QStringLiteral("3.5800 dB"));
    rig.camera.Faults().silent = false;

    // A refused write of the black level: no move, no new text.
    rig.Refresh({{13, 20}});
    rig.camera.RefuseWrite(0x01, 0x17, "150000");
    rig.Slider(1028)->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCOMPARE(rig.boxes.size(), 3);
    QCOMPARE(rig.Slider(1028)->value(), 20);
    QCOMPARE(rig.Text(1029), QStringLiteral("20/1023"));

    // A refused "12bit": one box, and the group shows the stored choice again.
    rig.camera.RefuseWrite(0x01, 0x14, "020000");
    QTest::mouseClick(rig.Button(1178), Qt::LeftButton);
    QCOMPARE(rig.boxes.size(), 4);
    QVERIFY(rig.Button(1177)->isChecked());
    QVERIFY(!rig.Button(1178)->isChecked());
    QCOMPARE(theCamera.GetValue(10), 1);
    QCOMPARE(rig.boxesUnderWaitCursor, 0);       // each box with the normal cursor
    QVERIFY(!QGuiApplication::overrideCursor()); // and none left behind
}

void TestPanel::drag()
{
    Rig rig;
    rig.Refresh({{5, 104}});
    QScrollBar *gain = rig.Slider(1024);
    // Refused at the end: the release asks again for where the thumb was let go.
    rig.camera.RefuseWrite(0x01, 0x0C, "006900");
    gain->setSliderDown(true);
    gain->setSliderPosition(105);
    gain->setSliderDown(false);
    QCOMPARE(rig.boxes.size(), 2);
    QCOMPARE(gain->value(), 104);
    QCOMPARE(rig.Text(1025), QStringLiteral("3.7232 dB"));
    // A thumb pressed and let go where it stands writes that once.
    gain->setSliderDown(true);
    gain->setSliderDown(false);
    QCOMPARE(rig.TakePayloads(), QByteArrayList{"01FF010C006800"});
}

void TestPanel::radioClicks()
{
    Rig rig;
    StoreText(39, 8, "ZQ-M710ALX");
    rig.Refresh({{1, 4}});
    rig.doc->SetModifiedFlag(false);
    QTest::mouseClick(rig.Button(1070), Qt::LeftButton); // already VD CONT
    QCOMPARE(rig.TakePayloads(), QByteArrayList{"01FF0104040000"});
    QVERIFY(!rig.doc->IsModified());
    QTest::mouseClick(rig.Button(1014), Qt::LeftButton);
    QCOMPARE(rig.TakePayloads(), QByteArrayList{"01FF0108FF0000"});
    QVERIFY(rig.Control(1046)->isEnabled());
    QVERIFY(rig.doc->IsModified());
    QVERIFY(rig.boxes.isEmpty());
}

void TestPanel::enableRules()
{
    Rig rig;
    StoreText(39, 8, "ZQ-M710ALX");
    rig.Refresh({{1, 2}, {4, 255}, {17, 0}, {21, 2}});
    for (int id : {1005, 1014, 1046, 1047, 1107, 1108})
        QVERIFY(!rig.Control(id)->isEnabled());          // 1TRIG
    QTest::mouseClick(rig.Button(1066), Qt::LeftButton); // OFF
    for (int id : {1005, 1014, 1046, 1108})
        QVERIFY(rig.Control(id)->isEnabled());
    for (int id : {1109, 1115, 1116, 1110, 1119, 1120})
        QVERIFY(!rig.Control(id)->isEnabled());
    for (int id : {1112, 1113, 1030, 1031})
        QVERIFY(!rig.Control(id)->isEnabled());
    for (int id : {1043, 1042, 1133, 1049})
        QVERIFY(!rig.Control(id)->isEnabled()); // AUTO
    QTest::mouseClick(rig.Button(1016), Qt::LeftButton);
    QTest::mouseClick(rig.Button(1018), Qt::LeftButton);
    for (int id : {1112, 1113, 1030, 1031, 1043, 1042, 1133, 1049, 1048, 1135})
        QVERIFY(rig.Control(id)->isEnabled());
}

void TestPanel::scanSliders()
{
    Rig rig;
    rig.Refresh({{17, 1}, {18, 500}, {19, 1500}});
    rig.Slider(1112)->setSliderPosition(1200); // START dragged
    QCOMPARE(rig.TakePayloads(), QByteArrayList({"01FF0120035B00", "01FF011F04B000"}));
    QCOMPARE(rig.Text(1031), QStringLiteral(" 859 "));
    QCOMPARE(rig.Text(1030), QStringLiteral(" 1200 "));

    rig.Refresh({{18, 500}, {19, 1500}});
    rig.Slider(1112)->setSliderPosition(559);
    QCOMPARE(rig.TakePayloads(), QByteArrayList({"01FF011F022F00"}));

    rig.Refresh({{18, 1}, {19, 2050}});
    rig.Slider(1113)->triggerAction(QAbstractSlider::SliderPageStepAdd);
    rig.Slider(1112)->triggerAction(QAbstractSlider::SliderSingleStepSub);
    QCOMPARE(rig.TakePayloads(), QByteArrayList({"01FF0120080A00", "01FF011F000100"}));

    // Every other way of moving a scan slider keeps the sum: the WIDTH's
    // context menu at mid-groove, then START moved from the keyboard.
    rig.Refresh({{18, 1500}, {19, 500}});
    GuiFixture::MoveSlider(rig.Slider(1113), "menu:Scroll here");
    const int width = theCamera.GetValue(19);
    QVERIFY(width > 900 && width < 1100);
    QCOMPARE(theCamera.GetValue(18), 2059 - width);
    QCOMPARE(rig.TakePayloads().size(), 2);
    GuiFixture::MoveSlider(rig.Slider(1112), "key:Down");
    GuiFixture::MoveSlider(rig.Slider(1112), "access:1200");
    auto hex = [](int v) { return QByteArray::number(v, 16).rightJustified(4, '0').toUpper(); };
    QCOMPARE(rig.TakePayloads(), QByteArrayList({"01FF0120" + hex(width - 1) + "00",
                                                 "01FF011F" + hex(2060 - width) + "00",
                                                 "01FF0120035B00", "01FF011F04B000"}));
    QCOMPARE(rig.Slider(1113)->value(), 859);
    QCOMPARE(rig.Slider(1112)->value(), 1200);

    // The other slider cannot make room: the moved one is not written, so
    // the camera never holds 1200 + 1500.
    rig.Refresh({{18, 500}, {19, 1500}});
    rig.camera.RefuseWrite(0x01, 0x20, "035B00");
    rig.Slider(1112)->setSliderPosition(1200);
    QCOMPARE(rig.TakePayloads(), QByteArrayList());
    QCOMPARE(rig.Slider(1113)->value(), 1500);
    QCOMPARE(rig.Slider(1112)->value(), 500);
    QCOMPARE(theCamera.GetValue(18), 500);
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
        rig.Refresh({{9, r.accel}, {17, r.partial}, {18, r.start}, {19, r.width}});
        for (int i = 0; i < 4; ++i)
            QCOMPARE(rig.Text(1032 + i), QString(r.texts[i]));
    }
}

void TestPanel::factorySet()
{
    {
        Rig rig;
        StoreText(39, 8, "ZQ-M710ALX");
        rig.Refresh({{5, 200}}); // shown, but the camera's reset sets the default
        rig.camera.ScriptReads(0x01, 0x45, {"010000", "010000", "000000"});
        QTest::mouseClick(rig.Button(1156), Qt::LeftButton);
        const QByteArrayList sent = rig.TakePayloads();
        QCOMPARE(sent.size(), 1 + 3 + ParamTable::CountWith(PF_READ));
        QCOMPARE(sent.mid(0, 4), QByteArrayList({"01FF0145010000", "01FF8145000000",
                                                 "01FF8145000000", "01FF8145000000"}));
        QVERIFY(rig.doc->IsModified());
        QCOMPARE(rig.Slider(1024)->value(), 0); // refreshed
        QCOMPARE(rig.Text(1025), QStringLiteral("0.0000 dB"));
    }
    {
        Rig rig;
        StoreText(39, 8, "ZQ-M710ALX");
        rig.Refresh({});
        rig.camera.ScriptReads(0x01, 0x45, {"010000"}); // never clears
        QTest::mouseClick(rig.Button(1156), Qt::LeftButton);
        QCOMPARE(rig.TakePayloads().size(), 1 + 50);
        QVERIFY(rig.boxes.isEmpty());
    }
    {
        // Only the poll changes a stored value (the write finds 1 already,
        // the read-all fails at once): that alone marks the document.
        Rig rig;
        StoreText(39, 8, "ZQ-M710ALX");
        rig.Refresh({{20, 1}});
        QVERIFY(!rig.doc->IsModified());
        rig.camera.ScriptReads(0x01, 0x45, {"000000"});
        rig.camera.Faults().silent = true;
        rig.camera.Faults().faultsAfter = rig.camera.Exchanges() + 2;
        QTest::mouseClick(rig.Button(1156), Qt::LeftButton);
        QCOMPARE(rig.TakePayloads().size(), 2);
        QCOMPARE(rig.boxes.size(), 1);
        QCOMPARE(theCamera.GetValue(20), 0);
        QVERIFY(rig.doc->IsModified());
    }
}

void TestPanel::digitsAndDetect()
{
    Rig rig;
    StoreText(39, 8, "ZQ-M710ALX");
    StoreText(47, 4, "1234567");
    theCamera.SetValue(50, 0x3837);
    rig.Refresh({});
    QVERIFY(rig.Button(1164)->isChecked());
    QCOMPARE(rig.view->m_eightDigits, 1);
    QCOMPARE(rig.view->m_serialNumber, QByteArray("12345678"));
    QTest::mouseClick(rig.Button(1163), Qt::LeftButton);
    QCOMPARE(rig.view->m_eightDigits, 0);
    theCamera.SetValue(50, 0x4137);
    rig.Refresh({});
    QVERIFY(rig.Button(1163)->isChecked());
    QVERIFY(rig.TakePayloads().isEmpty());

    QVERIFY(rig.view->PanelTimer()->isActive());
    QCOMPARE(rig.view->PanelTimer()->interval(), 100);
    QTest::mouseClick(rig.Button(1153), Qt::LeftButton); // DETECT
    QVERIFY(rig.doc->m_pWhiteSpotDialog && rig.doc->m_pWhiteSpotDialog->isVisible());
}

void TestPanel::hiddenSerialControlsAreBound()
{
    Rig rig;
    QDir::setCurrent(rig.dir.path()); // the record file goes here
    StoreText(47, 4, "1234567");
    rig.Refresh({});
    auto *edit = qobject_cast<QLineEdit *>(rig.Control(1140));
    auto *spin = rig.Slider(1141);
    edit->setText("1234567");
    spin->triggerAction(QAbstractSlider::SliderSingleStepSub); // up
    QCOMPARE(edit->text(), QStringLiteral("1234568"));
    rig.Button(1142)->click(); // WRITE, though nobody can see it
    const QByteArrayList sent = rig.TakePayloads();
    QVERIFY(sent.size() >= 5);
    QCOMPARE(sent.first(), QByteArray("01FF01603A5C00"));
    for (int i = 0; i < 4; ++i) // parameters 47 to 50
        QCOMPARE(sent.at(1 + i).left(8), QByteArray("01FF101") + char('0' + i));
    QVERIFY(QFile::exists(rig.dir.filePath("ZQ-M710_AdjustData.csv")));
    rig.TakePayloads();
    rig.Button(1139)->click(); // READ & RESET: 28 writes, then the read-all
    QCOMPARE(rig.TakePayloads().size(), 28 + ParamTable::CountWith(PF_READ));
}

void TestPanel::keyboardReachesEveryControl()
{
    Rig rig;
    StoreText(39, 8, "ZQ-M710ALX"); // every group enabled
    rig.Refresh({{1, 1}, {4, 255}, {17, 1}, {21, 1}, {27, 2}, {11, 0}, {12, 0}, {24, 0}});
    // Tab follows the layout, one stop per radio group (its chosen button),
    // every slider a stop.
    GuiFixture::Focus(rig.Control(1067));
    const QList<int> stops = {1119, 1115, 1014, 1046, 1016, 1112, 1113, 1156,
                              1125, 1176, 1179, 1181, 1184, 1186, 1121, 1131,
                              1024, 1028, 1018, 1043, 1049, 1020, 1153, 1163};
    QList<int> reached;
    for (int i = 0; i < stops.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        reached << QApplication::focusWidget()->objectName().toInt();
    }
    QCOMPARE(reached, stops);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), rig.Control(1153));

    // The arrows move inside a group and choose as a click does.
    GuiFixture::Focus(rig.Control(1067));
    QTest::keyClick(rig.Control(1067), Qt::Key_Down);
    QCOMPARE(QApplication::focusWidget(), rig.Control(1068));
    QCOMPARE(rig.TakePayloads(), QByteArrayList{"01FF0104020000"});
    QVERIFY(!rig.Control(1014)->isEnabled()); // 1TRIG
    // After a refresh the group's stop is its chosen button.
    rig.Refresh({{12, 2}});
    GuiFixture::Focus(rig.Control(1179));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), rig.Control(1185));
    // The focused slider shows it; its keys write.
    GuiFixture::Focus(rig.Control(1024));
    QVERIFY(rig.Control(1024)->hasFocus());
    QCOMPARE(rig.Control(1024)->focusPolicy(), Qt::StrongFocus);
}

QTEST_MAIN(TestPanel)
#include "tst_panel.moc"
