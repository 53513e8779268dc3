// The control panel: model rules, what each control shows and sends, and
// that a control moves only when the camera accepted the write.
#include "app/cmainframe.h"
#include "camera/thecamera.h"
#include "document/czqb40doc.h"
#include "panel/czqb40view.h"
#include "support/guifixture.h"

#include <QAbstractButton>
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
    void refreshShowsStoredValues();
    void sliderActions_data();
    void sliderActions();
    void failedWritesLeaveControls();
    void radioClicks();
    void enableRules();
    void scanSliders();
    void scanTiming();
    void factorySet();
    void digitsAndDetect();
    void hiddenSerialControlsAreBound();
};

void TestPanel::modelRules_data()
{
    QTest::addColumn<QByteArray>("model");
    QTest::addColumn<QByteArray>("version");
    QTest::addColumn<bool>("sortTest");
    QTest::addColumn<bool>("balance");
    QTest::addColumn<bool>("accel");
    QTest::addColumn<QString>("title");
    QTest::newRow("MV ALX old") << QByteArray("ZQ-MV710ALX") << QByteArray("1080") << true << true
                                << false << "ZQ-MV710ALX";
    QTest::newRow("M ALX") << QByteArray("ZQ-M710ALX") << QByteArray("1000") << true << true << true
                           << "ZQ-M710ALX";
    QTest::newRow("M CLX new") << QByteArray("ZQ-M710CLX") << QByteArray("1090") << false << true
                               << true << "ZQ-M710CLX(R1)";
    QTest::newRow("M BLX older") << QByteArray("ZQ-M710BLX") << QByteArray("1089") << false << false
                                 << true << "ZQ-M710BLX";
    QTest::newRow("MV BLX newer") << QByteArray("ZQ-MV710BLX") << QByteArray("1100") << false
                                  << true << false << "ZQ-MV710BLX(R1)";
    QTest::newRow("letter case") << QByteArray("zq-m710alx") << QByteArray("1090") << false << true
                                 << true << "zq-m710alx";
    QTest::newRow("nothing read") << QByteArray() << QByteArray() << false << false << true
                                  << "ZQ-M(V)710ALX";
}

void TestPanel::modelRules()
{
    QFETCH(QByteArray, model);
    QFETCH(QByteArray, version);
    QFETCH(bool, sortTest);
    QFETCH(bool, balance);
    QFETCH(bool, accel);
    QFETCH(QString, title);
    Rig rig;
    StoreText(39, 8, model);
    if (!version.isEmpty()) {
        theCamera.SetValue(51, version[0] | version[1] << 8);
        theCamera.SetValue(52, version[2] | version[3] << 8);
    }
    rig.Refresh({{21, 0}}); // balance OFF, so the enable rules leave the group alone
    QCOMPARE(rig.frame->windowTitle(), title);
    for (int id : {1162, 1186, 1187, 1127, 1129, 1130, 1131, 1132})
        QCOMPARE(rig.Control(id)->isEnabled(), sortTest);
    for (int id : {1154, 1017, 1018, 1019, 1155, 1020, 1021, 1153, 1156, 1128})
        QCOMPARE(rig.Control(id)->isEnabled(), balance);
    for (int id : {1124, 1125, 1126})
        QCOMPARE(rig.Control(id)->isEnabled(), accel);
    QCOMPARE(rig.Slider(1024)->maximum(), accel ? 503 : 336);
    QVERIFY(rig.boxes.isEmpty());
    QVERIFY(rig.TakePayloads().isEmpty()); // a refresh sends nothing
}

void TestPanel::readouts_data()
{
    QTest::addColumn<int>("slider");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("text");
    const struct
    {
        int slider, value;
        const char *text;
    } rows[] = {
        {1024, 0, "0.0000 dB"},          {1024, 100, "3.5800 dB"},
        {1024, 336, "12.0288 dB"},       {1024, 503, "18.0074 dB"},
        {1043, 0, "-1.1456 dB"},         {1043, 32, "0.0000 dB"},
        {1043, 64, "1.1456 dB"},         {1049, 0, "-128/2048"},
        {1049, 255, "127/2048"},         {1028, 63, "63/1023"},
        {1046, 0, "1/100000.00 sec"},    {1046, 256, "1/10000.00 sec"},
        {1046, 917, "1/16.03 sec"},      {1046, 1279, "1/1.00 sec"},
        {1046, 1280, "1.00 sec"},        {1046, 1400, "5.22 sec"},
        {1046, 1536, "10.00 sec"},       {1112, 1, " 1 "},
        {1037, 176, " 176 "},
    };
    for (const auto &r : rows)
        QTest::addRow("%d=%d", r.slider, r.value) << r.slider << r.value << QString(r.text);
}

void TestPanel::readouts()
{
    QFETCH(int, slider);
    QFETCH(int, value);
    QFETCH(QString, text);
    QCOMPARE(CZQB40View::FormatReadout(slider, value), text);
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
    rig.Refresh({{4, 3}});
    QVERIFY(rig.Button(1008)->isChecked());
    for (int id : {1026, 1039, 1037, 1140, 1142, 1139, 1152, 1143})
        QVERIFY(rig.Control(id)->isHidden());
    QVERIFY(!rig.Control(1163)->isHidden());
}

void TestPanel::sliderActions_data()
{
    QTest::addColumn<int>("slider");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("action");
    QTest::addColumn<QByteArray>("sent"); // empty: nothing sent
    QTest::addColumn<int>("shown");
    QTest::newRow("page right at 60") << 1028 << 60 << int(QAbstractSlider::SliderPageStepAdd)
                                      << QByteArray("01FF01173F0000") << 63;
    QTest::newRow("line left at 0") << 1024 << 0 << int(QAbstractSlider::SliderSingleStepSub)
                                    << QByteArray("01FF010C000000") << 0;
    QTest::newRow("line right") << 1024 << 300 << int(QAbstractSlider::SliderSingleStepAdd)
                                << QByteArray("01FF010C012D00") << 301;
    QTest::newRow("page left right gain") << 1043 << 5 << int(QAbstractSlider::SliderPageStepSub)
                                          << QByteArray("01FF0148000000") << 0;
    QTest::newRow("to the end") << 1024 << 10 << int(QAbstractSlider::SliderToMaximum)
                                << QByteArray() << 10;
    QTest::newRow("to the start") << 1049 << 10 << int(QAbstractSlider::SliderToMinimum)
                                  << QByteArray() << 10;
}

void TestPanel::sliderActions()
{
    QFETCH(int, slider);
    QFETCH(int, start);
    QFETCH(int, action);
    QFETCH(QByteArray, sent);
    QFETCH(int, shown);
    Rig rig;
    StoreText(39, 8, "ZQ-M710ALX");
    const int param = slider == 1024 ? 5 : slider == 1028 ? 13 : slider == 1043 ? 22 : 23;
    rig.Refresh({{param, start}, {21, 1}});
    rig.doc->SetModifiedFlag(false);
    rig.Slider(slider)->triggerAction(QAbstractSlider::SliderAction(action));
    const QByteArrayList payloads = rig.TakePayloads();
    QCOMPARE(payloads, sent.isEmpty() ? QByteArrayList() : QByteArrayList{sent});
    QCOMPARE(rig.Slider(slider)->value(), shown);
    QCOMPARE(theCamera.GetValue(param), shown);
    QCOMPARE(rig.doc->IsModified(), shown != start);
    QVERIFY(rig.boxes.isEmpty());
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

    // A refused "12bit": one box, and the group shows the stored choice again.
    rig.camera.RefuseWrite(0x01, 0x14, "020000");
    QTest::mouseClick(rig.Button(1178), Qt::LeftButton);
    QCOMPARE(rig.boxes.size(), 3);
    QVERIFY(rig.Button(1177)->isChecked());
    QVERIFY(!rig.Button(1178)->isChecked());
    QCOMPARE(theCamera.GetValue(10), 1);
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
    QTest::mouseClick(rig.Button(1132), Qt::LeftButton); // HV
    QTest::mouseClick(rig.Button(1183), Qt::LeftButton); // MEDIUM
    QCOMPARE(rig.TakePayloads(), QByteArrayList({"01FF0150030000", "01FF0112010000"}));
    QVERIFY(rig.doc->IsModified());
    QVERIFY(rig.boxes.isEmpty());
}

void TestPanel::enableRules()
{
    Rig rig;
    StoreText(39, 8, "ZQ-M710ALX");
    rig.Refresh({{1, 2}, {4, 255}, {17, 0}, {21, 2}});
    for (int id : {1005, 1014, 1046, 1047, 1107, 1108})
        QVERIFY(!rig.Control(id)->isEnabled()); // 1TRIG
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

    // The other slider fails: the moved one is still written.
    rig.Refresh({{18, 500}, {19, 1500}});
    rig.camera.RefuseWrite(0x01, 0x20, "035B00");
    rig.Slider(1112)->setSliderPosition(1200);
    QCOMPARE(rig.TakePayloads(), QByteArrayList({"01FF011F04B000"}));
    QCOMPARE(rig.Slider(1113)->value(), 1500);
    QCOMPARE(rig.Slider(1112)->value(), 1200);
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
        rig.Refresh({});
        rig.camera.ScriptReads(0x01, 0x45, {"010000", "010000", "000000"});
        QTest::mouseClick(rig.Button(1156), Qt::LeftButton);
        const QByteArrayList sent = rig.TakePayloads();
        QCOMPARE(sent.size(), 1 + 3 + 54);
        QCOMPARE(sent.mid(0, 4), QByteArrayList({"01FF0145010000", "01FF8145000000",
                                                  "01FF8145000000", "01FF8145000000"}));
        QVERIFY(rig.doc->IsModified());
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
    QCOMPARE(rig.TakePayloads().size(), 28 + 54);
}

QTEST_MAIN(TestPanel)
#include "tst_panel.moc"
