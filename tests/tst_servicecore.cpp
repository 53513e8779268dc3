// The service dialogs' core on the simulated camera, on virtual time: row
// payloads and their checks, page rows, whole-page loops, the white-spot
// poll and address list.
#include "camera/cameradata.h"
#include "camera/registerpage.h"
#include "camera/whitespotdetection.h"
#include "sim/simcamera.h"
#include "sim/simportdriver.h"
#include "support/simrig.h"

#include <QtTest>

#include <memory>

namespace {

using Page = RegisterPage;

struct Rig : SimRig<CameraData>
{
    explicit Rig(const SimConfig &config = SimConfig()) : SimRig(115200, config) {}
    SimCamera &sim = peer;
    CameraData &cam = link;
};

QByteArrayList addresses(int count)
{
    QByteArrayList out;
    for (int i = 0; i < count; ++i)
        out << QByteArray::number(i, 16).toUpper().rightJustified(2, '0');
    return out;
}

} // namespace

class TestServiceCore : public QObject
{
    Q_OBJECT
private slots:
    void rowPayloads_data();
    void rowPayloads();
    void inputChecks_data();
    void inputChecks();
    void pageRows_data();
    void pageRows();
    void pageLoops_data();
    void pageLoops();
    void accessCodeUnlocks();
    void pollOutcomes();
    void addressList_data();
    void addressList();
};

void TestServiceCore::rowPayloads_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("area");
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("data");
    QTest::addColumn<QByteArray>("write");
    QTest::addColumn<QByteArray>("read");
    QTest::addColumn<QString>("shown"); // the register holds ABCDEF
    QTest::newRow("FPGA TG") << int(Page::Fpga) << int(Page::Tg) << "1A"
                             << "3F" << QByteArray("00FF031A3F0000") << QByteArray("00FF831A000000")
                             << "AB";
    QTest::newRow("EEPROM common")
        << int(Page::Eeprom) << int(Page::Common) << "12"
        << "1234" << QByteArray("01FF0112123400") << QByteArray("01FF8112000000") << "ABCD";
    QTest::newRow("AFE lower case")
        << int(Page::Fpga) << int(Page::Afe) << "e0"
        << "00ab" << QByteArray("00FF04E000AB00") << QByteArray("00FF84E0000000") << "ABCD";
    QTest::newRow("EEPROM DSP") << int(Page::Eeprom) << int(Page::Dsp) << "FF"
                                << "80" << QByteArray("01FF02FF800000")
                                << QByteArray("01FF82FF000000") << "AB";
    QTest::newRow("I/F") << int(Page::Fpga) << int(Page::If) << "05"
                         << "01" << QByteArray("00FF0505010000") << QByteArray("00FF8505000000")
                         << "AB";
    QTest::newRow("LR") << int(Page::Eeprom) << int(Page::Lr) << "7F"
                        << "C3" << QByteArray("01FF067FC30000") << QByteArray("01FF867F000000")
                        << "AB";
    QTest::newRow("INFO") << int(Page::Fpga) << int(Page::Info) << "7F"
                          << "BEEF" << QByteArray("00FF107FBEEF00") << QByteArray("00FF907F000000")
                          << "ABCD";
}

void TestServiceCore::rowPayloads()
{
    QFETCH(int, mode);
    QFETCH(int, area);
    QFETCH(QString, address);
    QFETCH(QString, data);
    QFETCH(QByteArray, write);
    QFETCH(QByteArray, read);
    QFETCH(QString, shown);
    Rig rig;
    const auto m = Page::Mode(mode);
    const auto a = Page::Area(area);
    rig.sim.ScriptReads(Page::AreaOf(a).writeCode, address.toInt(nullptr, 16), {"ABCDEF"});
    if (a == Page::Info) // written only after the access code
        QCOMPARE(rig.cam.SendCommand(Page::AccessCodePayload()), 0);
    QCOMPARE(Page::WriteRow(rig.cam, m, a, {address, data}).status, Page::Done);
    QString got;
    const Page::Result result = Page::ReadRow(rig.cam, m, a, address, &got);
    QCOMPARE(result.status, Page::Done);
    QCOMPARE(got, shown);
    QCOMPARE(rig.sim.Payloads().mid(a == Page::Info ? 1 : 0), (QByteArrayList{write, read}));
}

void TestServiceCore::inputChecks_data()
{
    QTest::addColumn<int>("area");
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("data");
    QTest::addColumn<int>("write");
    QTest::addColumn<int>("read");
    const int done = Page::Done, badAddress = Page::BadAddress, badData = Page::BadData;
    QTest::newRow("8-bit, 1 digit") << int(Page::Tg) << "10"
                                    << "1" << badData << done;
    QTest::newRow("8-bit, 3 digits") << int(Page::Dsp) << "10"
                                     << "123" << badData << done;
    QTest::newRow("16-bit, 2 digits") << int(Page::Common) << "10"
                                      << "12" << badData << done;
    QTest::newRow("not hex") << int(Page::Afe) << "10"
                             << "12G4" << badData << done;
    QTest::newRow("full-width digits") << int(Page::Tg) << "10"
                                       << "１２" << badData << done;
    QTest::newRow("empty row") << int(Page::Common) << ""
                               << "" << badAddress << badAddress;
    QTest::newRow("3-digit address") << int(Page::Tg) << "100"
                                     << "12" << badAddress << badAddress;
    QTest::newRow("both wrong") << int(Page::Tg) << "G"
                                << "1" << badAddress << badAddress;
    QTest::newRow("blank in address") << int(Page::Lr) << " 1"
                                      << "12" << badAddress << badAddress;
}

void TestServiceCore::inputChecks()
{
    QFETCH(int, area);
    QFETCH(QString, address);
    QFETCH(QString, data);
    QFETCH(int, write);
    QFETCH(int, read);
    Rig rig;
    QString got = "kept";
    QCOMPARE(int(Page::WriteRow(rig.cam, Page::Fpga, Page::Area(area), {address, data}).status),
             write);
    if (read != Page::Done) {
        QCOMPARE(int(Page::ReadRow(rig.cam, Page::Fpga, Page::Area(area), address, &got).status),
                 read);
        QCOMPARE(got, QString("kept"));
        QVERIFY(rig.sim.ReceivedBytes().isEmpty());
    }
    QCOMPARE(rig.sim.Payloads().size(), 0);
}

void TestServiceCore::pageRows_data()
{
    QTest::addColumn<int>("area");
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("filled");
    QTest::addColumn<QString>("placeholder");
    QTest::newRow("TG 00-1F") << int(Page::Tg) << 0 << 32 << "00";
    QTest::newRow("common 40-5F") << int(Page::Common) << 2 << 32 << "0000";
    QTest::newRow("common 60-7F") << int(Page::Common) << 3 << 31 << "0000";
    QTest::newRow("common 80-9F") << int(Page::Common) << 4 << 0 << "";
    QTest::newRow("INFO 60-7F") << int(Page::Info) << 3 << 32 << "0000";
    QTest::newRow("INFO 80-9F") << int(Page::Info) << 4 << 0 << "";
    QTest::newRow("AFE E0-FF") << int(Page::Afe) << 7 << 32 << "0000";
    QTest::newRow("LR E0-FF") << int(Page::Lr) << 7 << 32 << "00";
}

void TestServiceCore::pageRows()
{
    QFETCH(int, area);
    QFETCH(int, page);
    QFETCH(int, filled);
    QFETCH(QString, placeholder);
    const QList<Page::Row> rows = Page::PageRows(Page::Area(area), page);
    QCOMPARE(rows.size(), Page::kRows);
    for (int k = 0; k < Page::kRows; ++k) {
        const bool listed = k < filled;
        const QString address =
            QString::number(page * 32 + k, 16).toUpper().rightJustified(2, QLatin1Char('0'));
        QCOMPARE(rows[k].address, listed ? address : QString());
        QCOMPARE(rows[k].data, listed ? placeholder : QString());
    }
}

void TestServiceCore::pageLoops_data()
{
    QTest::addColumn<int>("area");
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("badDataRow");  // -1: rows as listed
    QTest::addColumn<int>("silentAfter"); // exchanges before the camera falls silent; -1 never
    QTest::addColumn<int>("stopRow");
    QTest::addColumn<int>("status");
    QTest::newRow("TG, all rows") << int(Page::Tg) << 0 << -1 << -1 << -1 << int(Page::Done);
    QTest::newRow("common 60-7F, empty row 31")
        << int(Page::Common) << 3 << -1 << -1 << 31 << int(Page::BadAddress);
    QTest::newRow("INFO 80-9F, nothing sent")
        << int(Page::Info) << 4 << -1 << -1 << 0 << int(Page::BadAddress);
    QTest::newRow("DSP, bad data in row 5")
        << int(Page::Dsp) << 1 << 5 << -1 << 5 << int(Page::BadData);
    QTest::newRow("AFE, camera dies at row 10")
        << int(Page::Afe) << 7 << -1 << 10 << 10 << int(Page::Failed);
}

void TestServiceCore::pageLoops()
{
    QFETCH(int, area);
    QFETCH(int, page);
    QFETCH(int, badDataRow);
    QFETCH(int, silentAfter);
    QFETCH(int, stopRow);
    QFETCH(int, status);
    const auto a = Page::Area(area);
    QList<Page::Row> rows = Page::PageRows(a, page);
    if (badDataRow >= 0)
        rows[badDataRow].data = "123";
    const int sent = stopRow < 0 ? Page::kRows : stopRow;
    const int base = page * 32;
    // Placeholders and reads alike: the value field is all zero.
    auto payloads = [&](int code) {
        QByteArrayList out;
        for (int k = 0; k < sent; ++k)
            out << QByteArray("00FF") +
                       QByteArray::number(code, 16).toUpper().rightJustified(2, '0') +
                       QByteArray::number(base + k, 16).toUpper().rightJustified(2, '0') + "000000";
        return out;
    };

    for (bool reading : {false, true}) {
        Rig rig;
        if (silentAfter >= 0) {
            rig.sim.Faults().silent = true;
            rig.sim.Faults().faultsAfter = silentAfter;
        }
        for (int k = 0; k < Page::kRows; ++k)
            rig.sim.Registers().Set(Page::AreaOf(a).writeCode, base + k, "C0FFEE");
        QList<int> shown;
        const Page::Result result =
            reading ? Page::ReadPage(
                          rig.cam, Page::Fpga, a, rows,
                          [&](int row, const QString &data) {
                              QCOMPARE(data, QString("C0FFEE").left(Page::AreaOf(a).dataDigits));
                              shown << row;
                          })
                    : Page::WritePage(rig.cam, Page::Fpga, a, rows);
        if (reading && status == Page::BadData) {
            // A read looks at the address only.
            QCOMPARE(result.status, Page::Done);
            continue;
        }
        QCOMPARE(int(result.status), status);
        QCOMPARE(result.row, stopRow);
        QCOMPARE(result.code, status == Page::Failed ? -ERR_TIMEOUT : 0);
        const int code = Page::AreaOf(a).writeCode | (reading ? 0x80 : 0);
        QCOMPARE(rig.sim.Payloads(), payloads(code));
        if (reading)
            QCOMPARE(shown.size(), sent);
    }
}

void TestServiceCore::accessCodeUnlocks()
{
    Rig rig;
    QCOMPARE(Page::AccessCodePayload(), QByteArray("00FF01603A5C00"));
    QCOMPARE(rig.cam.SendCommand(Page::AccessCodePayload()), 0);
    QVERIFY(rig.sim.IsUnlocked());
}

void TestServiceCore::pollOutcomes()
{
    using W = WhiteSpotDetection;
    W poll;
    // Status as stored after each read; a failed read leaves it as it was.
    QCOMPARE(poll.OnPoll(1, 1), W::Detecting);
    QCOMPARE(poll.OnPoll(0, 1), W::Detecting);
    QCOMPARE(poll.OnPoll(1, 0), W::Finished);
    QCOMPARE(poll.OnPoll(1, 2), W::TooMany);
    QCOMPARE(poll.OnPoll(0, 3), W::DetectError);
    QCOMPARE(poll.OnPoll(1, 255), W::DetectError);
    // Three failed reads in a row end it; a good one in between counts again.
    QCOMPARE(poll.OnPoll(-5, 1), W::Detecting);
    QCOMPARE(poll.OnPoll(-5, 1), W::Detecting);
    QCOMPARE(poll.OnPoll(0, 1), W::Detecting);
    QCOMPARE(poll.OnPoll(-5, 1), W::Detecting);
    QCOMPARE(poll.OnPoll(-5, 1), W::Detecting);
    QCOMPARE(poll.OnPoll(-5, 1), W::GaveUp);
    poll.Start();
    QCOMPARE(poll.FailedPolls(), 0);
    // After a failed start the stored status decides at once.
    QCOMPARE(poll.OnPoll(-5, 0), W::Finished);
}

void TestServiceCore::addressList_data()
{
    QTest::addColumn<int>("spots");       // -1: no detection ran
    QTest::addColumn<int>("silentAfter"); // -1 never
    QTest::addColumn<int>("badX");        // entry whose x reply is no number; -1 none
    QTest::addColumn<int>("listed");
    QTest::addColumn<int>("reads");
    QTest::addColumn<int>("result");
    QTest::newRow("before any detection") << -1 << -1 << -1 << 0 << 1 << 0;
    QTest::newRow("none found") << 0 << -1 << -1 << 0 << 1 << 0;
    QTest::newRow("ten") << 10 << -1 << -1 << 10 << 21 << 0;
    QTest::newRow("64, no 65th read") << 64 << -1 << -1 << 64 << 128 << 0;
    QTest::newRow("fails at entry 5") << 20 << 10 << -1 << 5 << 10 << -ERR_TIMEOUT;
    QTest::newRow("fails at a y") << 20 << 7 << -1 << 3 << 7 << -ERR_TIMEOUT;
    // Good replies follow: no y is read for it and nothing after it is listed.
    QTest::newRow("failed x at entry 3") << 20 << -1 << 3 << 3 << 7 << -ERR_BAD_CHAR;
}

void TestServiceCore::addressList()
{
    QFETCH(int, spots);
    QFETCH(int, silentAfter);
    QFETCH(int, badX);
    QFETCH(int, listed);
    QFETCH(int, reads);
    QFETCH(int, result);
    Rig rig;
    if (badX >= 0)
        rig.sim.ScriptReads(0x11, 2 * badX, {"ZZZZ00"});
    QList<SimSpot> found;
    for (int i = 0; i < spots; ++i)
        found.append({i == 9 ? 12 : 100 + i, i == 9 ? 345 : 2000 - i});
    if (spots >= 0)
        rig.sim.Registers().FillAddressTable(found);
    if (silentAfter >= 0) {
        rig.sim.Faults().silent = true;
        rig.sim.Faults().faultsAfter = silentAfter;
    }

    const WhiteSpotDetection::Listing listing = WhiteSpotDetection::ListAddresses(rig.cam);
    QCOMPARE(listing.result, result);
    QCOMPARE(listing.spots.size(), listed);
    QCOMPARE(rig.sim.Exchanges(), reads);
    QByteArrayList expected;
    for (int k = 0; k < reads; ++k)
        expected << "00FF91" + addresses(128)[k % 128] + "000000";
    QCOMPARE(rig.sim.Payloads().mid(0, reads), expected);
    const QString text = WhiteSpotDetection::Format(listing.spots);
    QCOMPARE(text.count(QStringLiteral("\r\n")), listed);
    QVERIFY(!text.contains(QLatin1Char('-')));
    if (listed >= 10)
        QCOMPARE(text.split(QStringLiteral("\r\n"))[9], QString("No.10: x =   12,  y =  345"));
    if (listed >= 1)
        QVERIFY(text.startsWith(QStringLiteral("No. 1: x =  100,  y = 2000\r\n")));
}

QTEST_GUILESS_MAIN(TestServiceCore)
#include "tst_servicecore.moc"
