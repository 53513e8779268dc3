// The parameter table and the camera object: single and bulk transfers,
// what they send, what they store, and what they report.
#include "camera/cameradata.h"
#include "camera/paramindex.h"
#include "camera/thecamera.h"
#include "comm/comportmap.h"
#include "sim/simportdriver.h"
#include "support/recordingnotifier.h"
#include "support/scriptedpeer.h"
#include "support/simrig.h"

#include <QtTest>

#include <thread>
#include <utility>

namespace {
const QByteArray kAck(1, CameraProtocol::ACK);

// Answers every command; a read gets the register address as its value
// (laid out as the camera would), until it falls silent after a number of
// commands.
class CountingCamera : public SimPeer
{
public:
    QByteArray Receive(const QByteArray &bytes) override
    {
        if (silent())
            return {};
        if (bytes == QByteArray(1, CameraProtocol::ENQ))
            return kAck;
        if (!bytes.startsWith(CameraProtocol::STX))
            return {};
        const QByteArray payload = bytes.mid(1, bytes.size() - 4);
        payloads.append(payload);
        const int area = payload.mid(4, 2).toInt(nullptr, 16);
        if (!(area & 0x80))
            return kAck;
        const int address = payload.mid(6, 2).toInt(nullptr, 16);
        return kAck +
               ScriptedPeer::Reply(
                   QByteArray::number(address + valueOffset, 16).toUpper().rightJustified(2, '0') +
                   "0000");
    }
    bool silent() const { return silentAfter >= 0 && payloads.size() >= silentAfter; }

    QByteArrayList payloads;
    int silentAfter = -1;
    int valueOffset = 1;
};

struct Rig : SimRig<CameraData, CountingCamera>
{
    Rig() : SimRig(9600) {}
    CountingCamera &camera = peer;
    CameraData &data = link;
};
} // namespace

class TestCameraData : public QObject
{
    Q_OBJECT
private slots:
    void tableRows();
    void tableNames();
    void freshCameraHoldsDefaults();
    void writeParamStoresOnlyWhenAccepted();
    void readParamRowsAndMemory();
    void readAllOrderAndCount();
    void writeAllOrderAndCount();
    void readAllStopsAtFirstFailure();
    void writeAllStopsAtFirstFailure();
    void progressTexts();
    void connectFailuresAreReported();
    void twoCamerasOnTwoThreads();
};

void TestCameraData::tableRows()
{
    QCOMPARE(ParamTable::GetDefault(Param::ProgrammableShutter), 917);
    QCOMPARE(ParamTable::GetDefault(Param::PartialScanWidth), 2058);
    QCOMPARE(ParamTable::GetDefault(Param::SubVoltage), 176);
    QCOMPARE(ParamTable::GetMin(Param::PartialScanStart), 1);
    QCOMPARE(ParamTable::GetMin(Param::PartialScanWidth), 1);
    QCOMPARE(CameraProtocol::ValueWidth(ParamTable::GetMin(Param::GainLevel),
                                        ParamTable::GetMax(Param::GainLevel)),
             2);
    QCOMPARE(CameraProtocol::ValueWidth(ParamTable::GetMin(Param::ShutterSpeed),
                                        ParamTable::GetMax(Param::ShutterSpeed)),
             1);
    QCOMPARE(CameraProtocol::ValueWidth(ParamTable::GetMin(Param::AccessCode),
                                        ParamTable::GetMax(Param::AccessCode)),
             2);

    int both = 0, readOnly = 0, neither = 0;
    for (int i = 0; i < PARAM_COUNT; ++i) {
        const ParamInfo &row = ParamTable::Row(i);
        const bool w = row.flags & PF_WRITE_ALL, r = row.flags & PF_READ;
        both += w && r;
        readOnly += r && !w;
        neither += !r && !w;
        QVERIFY2(!w || r, "every row written in bulk is also read");
        if (r)
            QCOMPARE(int(row.readCode), i == 28 || i == 29 ? 0x91 : row.writeCode | 0x80);
    }
    QCOMPARE(both, 26);
    QCOMPARE(readOnly, 28);
    QCOMPARE(neither, 1);
    // Camera information: registers 00..15 of area 10, then register 60 of area 01.
    for (int i = 31; i <= 52; ++i) {
        QCOMPARE(int(ParamTable::Row(i).address), i - 31);
        QCOMPARE(int(ParamTable::Row(i).writeCode), 0x10);
    }
    QCOMPARE(int(ParamTable::Row(Param::AccessCode).address), 0x60);
    QCOMPARE(int(ParamTable::Row(Param::AccessCode).readCode), 0x81);
}

void TestCameraData::tableNames()
{
    const QStringList expected = {"HD Reset",
                                  "Trigger Mode",
                                  "Trigger Source",
                                  "Output Flash out/VD",
                                  "Shutter Speed",
                                  "Gain Level",
                                  "Trigger Polarity",
                                  "Programable Shutter",
                                  "Configration",
                                  "2xAccel ON/OFF ",
                                  "Data Bit",
                                  "VD/FVAL",
                                  "HD/LVAL",
                                  "Black Level",
                                  "Sort OFF/ON",
                                  "Adjust Gain",
                                  "Adjust Gain",
                                  "Partial Scan ON/OFF",
                                  "Partial Scan Start",
                                  "Partial Scan Width",
                                  "Factory Set",
                                  "User Adjust ON/OFF",
                                  "Gain Level",
                                  "Black Level",
                                  "White Spot Correction ON/OFF",
                                  "White Spot Detect Threshlevel",
                                  "White Spot Detect",
                                  "Test Patarn",
                                  "White Spot Address X",
                                  "White Spot Address Y",
                                  "Sub Voltage"};
    for (int i = 0; i < expected.size(); ++i)
        QCOMPARE(ParamTable::GetParamName(i), expected.at(i));
    for (int i = 31; i <= 53; ++i)
        QCOMPARE(ParamTable::GetParamName(i), QStringLiteral("Camera Information"));
    QCOMPARE(ParamTable::GetParamName(Param::Reserved), QStringLiteral("(Reserved)"));
}

void TestCameraData::freshCameraHoldsDefaults()
{
    for (int i = 0; i < PARAM_COUNT; ++i)
        QCOMPARE(theCamera.GetValue(i), ParamTable::GetDefault(i));
    QCOMPARE(theCamera.GetErrorCode(), 0);
    QVERIFY(!theCamera.IsPortOpen());
    QVERIFY(!SerialLink::IsCameraLinkOpen());
}

void TestCameraData::writeParamStoresOnlyWhenAccepted()
{
    Rig rig;
    QCOMPARE(rig.data.WriteParam(Param::GainLevel, 300), 1);
    QCOMPARE(rig.camera.payloads.last(), QByteArray("01FF010C012C00"));
    QCOMPARE(rig.data.WriteParam(Param::GainLevel, 300), 0); // sent again, value unchanged
    QCOMPARE(rig.camera.payloads.size(), 2);
    // Any row may be written singly, limits and flags notwithstanding.
    QCOMPARE(rig.data.WriteParam(Param::Reserved, 7), 1);
    QCOMPARE(rig.camera.payloads.last(), QByteArray("01FF000007"
                                                    "0000"));
    QCOMPARE(rig.data.WriteParam(Param::WhiteSpotDetect, 1), 1);
    QVERIFY(rig.camera.payloads.last().startsWith("01FF014D"));

    rig.camera.silentAfter = 0;
    QCOMPARE(rig.data.WriteParam(Param::GainLevel, 400), -ERR_TIMEOUT);
    QCOMPARE(rig.data.GetValue(Param::GainLevel), 300);
}

void TestCameraData::readParamRowsAndMemory()
{
    Rig rig;
    QCOMPARE(rig.data.ReadParam(Param::Reserved), 0);
    QCOMPARE(rig.data.ReadParam(Param::Reserved), 0);
    QVERIFY(rig.driver->Sent().isEmpty());

    QCOMPARE(rig.data.ReadParam(Param::WhiteSpotDetect), 1);
    QCOMPARE(rig.camera.payloads.last(), QByteArray("00FF814D000000"));
    QCOMPARE(rig.data.GetValue(Param::WhiteSpotDetect), 0x4E);
    QCOMPARE(rig.data.ReadParam(Param::WhiteSpotDetect), 0); // same value again
    QCOMPARE(rig.data.ReadParam(Param::WhiteSpotThreshold), 1);
    QCOMPARE(rig.camera.payloads.last(), QByteArray("01FF814C000000"));
    // Area 10 values come least significant first: "0E0000" is 0x0E.
    QCOMPARE(rig.data.ReadParam(Param::ModelNameFirst + 5), 1);
    QCOMPARE(rig.camera.payloads.last(), QByteArray("01FF900D000000"));
    QCOMPARE(rig.data.GetValue(Param::ModelNameFirst + 5), 0x0E);

    rig.camera.silentAfter = rig.camera.payloads.size();
    QCOMPARE(rig.data.ReadParam(Param::WhiteSpotThreshold), -ERR_TIMEOUT);
    QCOMPARE(rig.data.GetValue(Param::WhiteSpotThreshold), 0x4D);
}

void TestCameraData::readAllOrderAndCount()
{
    Rig rig;
    QCOMPARE(rig.data.ReadAll(), 1);
    QCOMPARE(rig.camera.payloads.size(), 54);
    for (int index = 0; index < 54; ++index) { // rows 0..53 in order; 54 is not readable
        const QByteArray &p = rig.camera.payloads.at(index);
        QCOMPARE(p, CameraProtocol::BuildPayload(index == 26 ? 0 : 1, 0xFF,
                                                 ParamTable::Row(index).readCode,
                                                 ParamTable::Row(index).address, {0, 0, 0}));
        QCOMPARE(p.startsWith("00"), index == 26);
    }
    QCOMPARE(rig.data.GetValue(Param::Reserved), 0);
}

void TestCameraData::writeAllOrderAndCount()
{
    Rig rig;
    rig.data.SetValue(Param::GainLevel, 300);
    QCOMPARE(rig.data.WriteAll(), 0);
    QCOMPARE(rig.camera.payloads.size(), 26);
    QList<int> sentRows;
    for (const QByteArray &p : rig.camera.payloads) {
        QVERIFY(p.startsWith("01FF01"));
        const int address = p.mid(6, 2).toInt(nullptr, 16);
        for (int i = 0; i < PARAM_COUNT; ++i) {
            if (ParamTable::Row(i).address == address && ParamTable::Row(i).writeCode == 1 &&
                (ParamTable::Row(i).flags & PF_WRITE_ALL))
                sentRows.append(i);
        }
    }
    QList<int> expected;
    for (int i = 0; i <= 27; ++i) {
        if (i != 15 && i != 16)
            expected.append(i);
    }
    QCOMPARE(sentRows, expected);
    QVERIFY(rig.camera.payloads.contains("01FF010C012C00"));
}

void TestCameraData::readAllStopsAtFirstFailure()
{
    RecordingNotifier notifier;
    Rig rig;
    rig.camera.silentAfter = 10; // answers rows 0..9, then nothing
    const qint64 start = rig.data.NowMs();
    QCOMPARE(rig.data.UploadAll(), -ERR_TIMEOUT);
    QVERIFY(rig.data.NowMs() - start < 6000); // one 4 s handshake, not one per row
    for (int i = 0; i < 10; ++i) {
        const ParamInfo &row = ParamTable::Row(i);
        QCOMPARE(rig.data.GetValue(i),
                 CameraProtocol::FromWireOrder(row.readCode, row.lower, row.upper,
                                               {quint8(row.address + 1), 0, 0}));
    }
    for (int i = 10; i < PARAM_COUNT; ++i)
        QCOMPARE(rig.data.GetValue(i), ParamTable::GetDefault(i));
    QCOMPARE(notifier.messages.size(), 1);
    QCOMPARE(notifier.messages.first().text,
             QStringLiteral("ERROR - Communication time out detected.\nCheck the connection."));
    QCOMPARE(notifier.messages.first().caption, QStringLiteral(" ZQ-M(V)710ALX"));
    QCOMPARE(notifier.messages.first().icon, UserNotifier::Stop);
}

void TestCameraData::writeAllStopsAtFirstFailure()
{
    RecordingNotifier notifier;
    Rig rig;
    rig.camera.silentAfter = 3;
    QCOMPARE(rig.data.SendAll(), -ERR_TIMEOUT);
    QCOMPARE(rig.camera.payloads.size(), 3);
    QCOMPARE(notifier.messages.size(), 1);
    // Success reports nothing.
    rig.camera.silentAfter = -1;
    QCOMPARE(rig.data.SendAll(), 0);
    QCOMPARE(notifier.messages.size(), 1);
}

void TestCameraData::progressTexts()
{
    {
        RecordingNotifier notifier;
        Rig rig;
        QCOMPARE(rig.data.SendParam(Param::GainLevel, 12), 1);
        QCOMPARE(rig.data.UploadParam(Param::Accel2x), 1);
        QCOMPARE(notifier.statusTexts,
                 QStringList({"Sending Gain Level data to camera...",
                              "Uploading 2xAccel ON/OFF  data from camera..."}));
        QVERIFY(notifier.messages.isEmpty());
    }
    // Without a main window (start-up) there is nothing to show it in.
    RecordingNotifier noWindow(false);
    Rig rig;
    QCOMPARE(rig.data.SendParam(Param::GainLevel, 12), 1);
    QVERIFY(noWindow.statusTexts.isEmpty());
}

void TestCameraData::connectFailuresAreReported()
{
    RecordingNotifier notifier;
    CameraData data;
    QCOMPARE(data.ConnectPort(11, 9600), -ERR_PORT_NUMBER);
    QCOMPARE(data.ConnectLibrary(QStringLiteral("/nonexistent/libnothing.so")), -ERR_PORT_OPEN);
    QCOMPARE(notifier.messages.size(), 2);
    // The library is named, with the loader's reason.
    QCOMPARE(notifier.messages.at(1).text, "ERROR - Can not open communciation port.\n"
                                           "/nonexistent/libnothing.so: no such file");
    // Without a channel every exchange fails with its own code, reported once.
    QCOMPARE(data.SendParam(Param::GainLevel, 1), -ERR_PORT_NOT_OPEN);
    QCOMPARE(notifier.messages.size(), 3);
    QCOMPARE(data.GetValue(Param::GainLevel), 0);

    // A COM port's reason, as its driver gives it, reaches the box and stays
    // recorded; Connect itself shows nothing.
    Rig rig;
    rig.driver->SetOpenFails(true, QStringLiteral("Device or resource busy"));
    QCOMPARE(rig.data.Connect(ChannelSpec::ForDevice(QStringLiteral("/dev/ttyUSB7"))),
             -ERR_PORT_OPEN);
    QCOMPARE(notifier.messages.size(), 3);
    QCOMPARE(rig.data.GetErrorReason(), "/dev/ttyUSB7: Device or resource busy");
    QCOMPARE(rig.data.ConnectPort(0, 9600), -ERR_PORT_OPEN);
    QCOMPARE(notifier.messages.at(3).text, "ERROR - Can not open communciation port.\n" +
                                               ComPortMap::DeviceFor(0) +
                                               ": Device or resource busy");
}

void TestCameraData::twoCamerasOnTwoThreads()
{
    // Each connection its own line, values and error, used at the same time.
    Rig left;
    Rig right;
    right.camera.valueOffset = 2;
    int failures[2] = {};
    auto work = [](Rig *rig, int gain, int *failed) {
        for (int round = 0; round < 20; ++round) {
            if (rig->data.WriteParam(Param::GainLevel, gain) < 0 ||
                rig->data.ReadParam(Param::WhiteSpotThreshold) < 0)
                ++*failed;
        }
    };
    std::thread a(work, &left, 300, &failures[0]);
    std::thread b(work, &right, 5, &failures[1]);
    a.join();
    b.join();
    QCOMPARE(failures[0], 0);
    QCOMPARE(failures[1], 0);
    for (const auto &[rig, write] : {std::pair{&left, QByteArray("01FF010C012C00")},
                                     std::pair{&right, QByteArray("01FF010C000500")}}) {
        QCOMPARE(rig->camera.payloads.size(), 40);
        for (int i = 0; i < 40; i += 2) {
            QCOMPARE(rig->camera.payloads.at(i), write);
            QCOMPARE(rig->camera.payloads.at(i + 1), QByteArray("01FF814C000000"));
        }
    }
    QCOMPARE(left.data.GetValue(Param::WhiteSpotThreshold), 0x4D);
    QCOMPARE(right.data.GetValue(Param::WhiteSpotThreshold), 0x4E);
    QCOMPARE(left.data.GetValue(Param::GainLevel), 300);
    QCOMPARE(right.data.GetValue(Param::GainLevel), 5);
}

QTEST_GUILESS_MAIN(TestCameraData)
#include "tst_cameradata.moc"
