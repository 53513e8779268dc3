// Writing a serial number and its record, and read-and-reset: what reaches
// the camera, what lands in the record file, and what the user is told.
#include "camera/adjustrecordfile.h"
#include "camera/cameradata.h"
#include "camera/paramindex.h"
#include "camera/paramtable.h"
#include "camera/serialnumberservice.h"
#include "comm/ossupport.h"
#include "resources/apptitle.h"
#include "sim/simcamera.h"
#include "sim/simportdriver.h"
#include "support/recordingnotifier.h"
#include "support/simrig.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#ifndef Q_OS_WIN
#include <sys/resource.h>
#endif

namespace {
const QString kTitle = QString::fromLatin1(kAppTitle);
const QString kLength7 =
    QStringLiteral("Serial number cannot be written.\nPlease input the number of 7 digits. ");
const QString kLength8 =
    QStringLiteral("Serial number cannot be written.\nPlease input the number of 8 digits. ");
const QString kDecimal =
    QStringLiteral("Serial number cannot be written.\nPlease input the decimal number. ");
const QString kInUse =
    QStringLiteral("./ZQ-M710_AdjustData.csv is opend. Please close ./ZQ-M710_AdjustData.csv");
const QByteArray kAccessCode = "01FF01603A5C00";
const QByteArray kHeader =
    QByteArray::fromHex("93FA8E9E2C8B408EED96BC2C8356838A8341838B4E6F2E2C535542936488B32C"
                        "95578F808AB49378312C95578F808AB49378320D0A");
const char kFile[] = "ZQ-M710_AdjustData.csv";

// A camera of its own on a simulated line, the current directory a fresh one, and a
// clock stopped at 7 December 2026, 14:05.
struct Rig : SimLine<SimCamera>
{
    explicit Rig(const SimConfig &config = SimConfig()) : SimLine(config)
    {
        Attach(link, 9600);
        previousDir = QDir::currentPath();
        QDir::setCurrent(dir.path());
        service.SetClock([] { return QDateTime(QDate(2026, 12, 7), QTime(14, 5, 31)); });
    }
    ~Rig() { QDir::setCurrent(previousDir); }
    QByteArray File() const
    {
        QFile f(dir.filePath(kFile));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(none)");
    }
    void Put(const QByteArray &bytes) const
    {
        QFile f(dir.filePath(kFile));
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            qFatal("cannot prepare the record file");
    }
    QByteArrayList Payloads() const { return camera.Payloads(); }

    SimCamera &camera = peer;
    QTemporaryDir dir;
    QString previousDir;
    RecordingNotifier notifier;
    CameraData link;
    SerialNumberService service{link};
};

QByteArrayList reads(std::initializer_list<int> infoRegisters)
{
    QByteArrayList payloads;
    for (int reg : infoRegisters)
        payloads << "01FF90" + QByteArray::number(reg, 16).toUpper().rightJustified(2, '0') +
                        "000000";
    return payloads;
}
// The reads of one record after a model name ending in register 0x0D.
const QByteArrayList kRecordReads =
    reads({0x08, 0x09, 0x0A, 0x0B, 0x0C, 0x0D, 0x10, 0x11, 0x12, 0x13}) +
    QByteArrayList{"01FF8177000000", "01FF811C000000", "01FF811D000000"};
} // namespace

class TestSerialNumberService : public QObject
{
    Q_OBJECT
private slots:
    void entries_data();
    void entries();
    void spinSteps_data();
    void spinSteps();
    void writesSerialAndNewRecord();
    void eightDigitsAppendToExistingFile();
    void refusedAccessCodeSendsNothingElse();
    void failureAtParameter49MakesNoRecord();
    void modelAndSerialColumns();
    void fileInUseChangesNothing();
    void failedWriteCutsTheFileBack();
    void readAndReset();
};

void TestSerialNumberService::entries_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<bool>("eight");
    QTest::addColumn<QString>("refusal");
    QTest::newRow("7 digits") << "1234567" << false << QString();
    QTest::newRow("series letter") << "12X45678" << true << QString();
    QTest::newRow("Z series") << "00Z00000" << true << QString();
    QTest::newRow("lower-case letter") << "12x45678" << true << kDecimal;
    QTest::newRow("letter second") << "1X345678" << true << kDecimal;
    QTest::newRow("letter with 7") << "12X4567" << false << kDecimal;
    QTest::newRow("other digits") << QString::fromUtf8("123456\u0667") << false << kDecimal;
    QTest::newRow("8 for 7") << "12345678" << false << kLength7;
    QTest::newRow("7 for 8") << "1234567" << true << kLength8;
    QTest::newRow("empty") << "" << false << kLength7;
}

void TestSerialNumberService::entries()
{
    QFETCH(QString, entry);
    QFETCH(bool, eight);
    QFETCH(QString, refusal);
    QCOMPARE(SerialNumberService::CheckEntry(entry, eight), refusal);
}

void TestSerialNumberService::spinSteps_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("eight");
    QTest::addColumn<int>("delta");
    QTest::addColumn<QString>("result");
    QTest::newRow("up past the top") << "9999999" << false << 1 << "0000000";
    QTest::newRow("down at zero") << "0000000" << false << -1 << "0000000";
    QTest::newRow("up") << "0000041" << false << 1 << "0000042";
    QTest::newRow("up to the top") << "9999998" << false << 1 << "9999999";
    QTest::newRow("blanks and sign") << "  +41x" << false << 1 << "0000042";
    QTest::newRow("no digits") << "abc" << false << 1 << "0000001";
    QTest::newRow("negative") << "-5" << false << 1 << "0000000";
    QTest::newRow("huge") << "99999999999999999999" << false << 1 << "0000000";
    QTest::newRow("series up") << "12X00041" << true << 1 << "12X00042";
    QTest::newRow("series to the top") << "12X99998" << true << 1 << "12X99999";
    QTest::newRow("series wraps") << "12X99999" << true << 1 << "12X00000";
    QTest::newRow("series at zero") << "12X00000" << true << -1 << "12X00000";
    QTest::newRow("series short") << "12X" << true << 1 << "12X00013"; // "12X" read as 12
}

void TestSerialNumberService::spinSteps()
{
    QFETCH(QString, text);
    QFETCH(bool, eight);
    QFETCH(int, delta);
    QFETCH(QString, result);
    QCOMPARE(SerialNumberService::Step(text, eight, delta), result);
}

void TestSerialNumberService::writesSerialAndNewRecord()
{
    Rig rig;
    QByteArray model;
    QCOMPARE(rig.service.WriteSerial(QStringLiteral("1234567"), false, &model),
             SerialNumberService::Written);
    // 3231 3433 3635 0037, each low byte first in area 10.
    QCOMPARE(rig.Payloads(), QByteArrayList({kAccessCode, "01FF1010313200", "01FF1011333400",
                                             "01FF1012353600", "01FF1013370000"}) +
                                 kRecordReads);
    QCOMPARE(model, QByteArray("ZQ-M710ALX"));
    QCOMPARE(rig.File(), kHeader + "2026.12. 7 14:5,ZQ-M710ALX,1234567,176,0,0\r\n");
    QVERIFY(rig.notifier.messages.isEmpty());
}

void TestSerialNumberService::eightDigitsAppendToExistingFile()
{
    Rig rig;
    QCOMPARE(rig.link.WriteParam(Param::AdjustGainL, 300) +
                 rig.link.WriteParam(Param::AdjustGainR, 301),
             2);
    const int before = rig.Payloads().size();
    rig.Put(kHeader + "old\r\n");
    QCOMPARE(rig.service.WriteSerial(QStringLiteral("12X45678"), true),
             SerialNumberService::Written);
    QCOMPARE(rig.Payloads().mid(before, 5),
             QByteArrayList({kAccessCode, "01FF1010313200", "01FF1011583400", "01FF1012353600",
                             "01FF1013373800"}));
    QCOMPARE(rig.File(), kHeader + "old\r\n2026.12. 7 14:5,ZQ-M710ALX,12X45678,176,300,301\r\n");

    // A file without a header gets none: only an empty one does.
    rig.Put("x");
    QCOMPARE(rig.service.AppendAdjustRecord(true), true);
    QCOMPARE(rig.File(), "x2026.12. 7 14:5,ZQ-M710ALX,12X45678,176,300,301\r\n");
    rig.Put("");
    QCOMPARE(rig.service.AppendAdjustRecord(true), true);
    QCOMPARE(rig.File(), kHeader + "2026.12. 7 14:5,ZQ-M710ALX,12X45678,176,300,301\r\n");
}

void TestSerialNumberService::refusedAccessCodeSendsNothingElse()
{
    Rig rig;
    rig.camera.Faults().refuseWrites = true;
    QCOMPARE(rig.service.WriteSerial(QStringLiteral("1234567"), false),
             SerialNumberService::CodeRefused);
    for (const QByteArray &frame : rig.camera.Frames())
        QCOMPARE(frame.mid(1, 14), kAccessCode);
    QCOMPARE(rig.notifier.messages.size(), 2); // the error, then why it matters
    QCOMPARE(rig.notifier.messages[0].icon, UserNotifier::Stop);
    QCOMPARE(rig.notifier.messages[1].text,
             QStringLiteral(
                 "This camera is not written the Serial Number.\nPlease tell design engineer."));
    QCOMPARE(rig.notifier.messages[1].caption, QStringLiteral("ZQ-M(V)710ALX"));
    QCOMPARE(rig.notifier.messages[1].icon, UserNotifier::NoIcon);
    QCOMPARE(rig.File(), QByteArray("(none)"));

    // A refused entry: the access code went out, and nothing after it.
    rig.camera.Faults().refuseWrites = false;
    rig.notifier.messages.clear();
    QCOMPARE(rig.service.WriteSerial(QStringLiteral("12X4567"), false),
             SerialNumberService::EntryRefused);
    QCOMPARE(rig.Payloads(), QByteArrayList{kAccessCode});
    QCOMPARE(rig.notifier.messages.size(), 1);
    QCOMPARE(rig.notifier.messages[0].text, kDecimal);
    QCOMPARE(rig.notifier.messages[0].caption, kTitle);
    QCOMPARE(rig.notifier.messages[0].icon, UserNotifier::Warning);
}

void TestSerialNumberService::failureAtParameter49MakesNoRecord()
{
    Rig rig;
    rig.camera.Faults().refuseWrites = true;
    rig.camera.Faults().faultsAfter = 3; // code, 47, 48
    QCOMPARE(rig.service.WriteSerial(QStringLiteral("1234567"), false),
             SerialNumberService::CameraFailed);
    QCOMPARE(rig.Payloads().size(), 3);
    QCOMPARE(rig.notifier.messages.size(), 1);
    QCOMPARE(rig.File(), QByteArray("(none)"));
}

void TestSerialNumberService::modelAndSerialColumns()
{
    SimConfig config;
    config.model = "ABCDEFGHIJKLMNOP";
    config.serial = "12345678";
    Rig rig(config);
    QVERIFY(rig.service.AppendAdjustRecord(false)); // seven digits chosen
    QVERIFY(rig.service.AppendAdjustRecord(true));
    const QByteArray line = "2026.12. 7 14:5,ABCDEFGHIJKLMNOP,";
    QCOMPARE(rig.File(), kHeader + line + "1234567,176,0,0\r\n" + line + "12345678,176,0,0\r\n");
    QCOMPARE(rig.Payloads().mid(0, 8), reads({8, 9, 10, 11, 12, 13, 14, 15}));

    // A model register of 0 ends the name there.
    rig.camera.Registers().Set(0x10, 0x08, "000000");
    rig.Put("");
    QByteArray model = "old";
    const int before = rig.Payloads().size();
    QVERIFY(rig.service.AppendAdjustRecord(true, &model));
    QCOMPARE(model, QByteArray());
    QCOMPARE(rig.Payloads().mid(before, 2), reads({0x08, 0x10}));
    QCOMPARE(rig.File(), kHeader + "2026.12. 7 14:5,,12345678,176,0,0\r\n");
}

void TestSerialNumberService::fileInUseChangesNothing()
{
    Rig rig;
    rig.Put("kept\r\n");
    const auto refused = [&rig] {
        rig.notifier.messages.clear();
        const int before = rig.Payloads().size();
        const bool appended = rig.service.AppendAdjustRecord(false);
        return !appended && rig.Payloads().size() == before && rig.File() == "kept\r\n" &&
               rig.notifier.messages.size() == 1 && rig.notifier.messages[0].text == kInUse &&
               rig.notifier.messages[0].caption == QStringLiteral("Serial Number") &&
               rig.notifier.messages[0].icon == UserNotifier::NoIcon;
    };
    {
        QFile holder(rig.dir.filePath(kFile));
        QVERIFY(holder.open(QIODevice::ReadOnly));
        QVERIFY(OsSupport::LockExclusive(holder));
        QVERIFY(refused());
    }
    const QString officeLock = rig.dir.filePath(QStringLiteral(".~lock.%1#").arg(kFile));
    QFile(officeLock).open(QIODevice::WriteOnly);
    QVERIFY(refused());
    QFile::remove(officeLock);
    QVERIFY(rig.service.AppendAdjustRecord(false));
}

void TestSerialNumberService::failedWriteCutsTheFileBack()
{
#ifdef Q_OS_WIN
    QSKIP("Windows has no file-size limit to fill the disk with");
#else
    Rig rig;
    const QByteArray old = kHeader + QByteArray(40, 'o') + "\r\n";
    rig.Put(old);
    // The disk fills 10 bytes into the line.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = old.size() + 10;
    setrlimit(RLIMIT_FSIZE, &small);
    const bool appended = rig.service.AppendAdjustRecord(false);
    setrlimit(RLIMIT_FSIZE, &saved);
    QVERIFY(!appended);
    QCOMPARE(rig.File(), old);
    QCOMPARE(rig.notifier.messages.size(), 1);
    QVERIFY(rig.notifier.messages[0].text.startsWith(
        QStringLiteral("./ZQ-M710_AdjustData.csv could not be written: ")));
    QCOMPARE(rig.notifier.messages[0].caption, QStringLiteral("Serial Number"));
#endif
}

void TestSerialNumberService::readAndReset()
{
    Rig rig;
    QCOMPARE(rig.link.WriteParam(Param::GainLevel, 300) +
                 rig.link.WriteParam(Param::AdjustGainL, 300),
             2);
    QCOMPARE(rig.service.ReadAndReset(), 1);
    QByteArrayList writes;
    for (const QByteArray &p : rig.Payloads().mid(2, 28))
        writes << p.mid(6, 2);
    QCOMPARE(writes.join(' '), QByteArray("02 04 05 06 08 0C 0F 11 12 13 14 15 16 17 18 1E 1F "
                                          "20 45 46 48 4A 4B 4C 4D 50 00 01"));
    QCOMPARE(rig.Payloads().size(), 2 + 28 + ParamTable::CountWith(PF_READ));
    QCOMPARE(rig.link.GetValue(Param::GainLevel), 0);
    QCOMPARE(rig.link.GetValue(Param::AdjustGainL), 300); // a factory adjustment stays
    QVERIFY(rig.notifier.messages.isEmpty());

    // Silence: every write reports its failure, and the read-all one more.
    rig.camera.Faults().silent = true;
    QVERIFY(rig.service.ReadAndReset() < 0);
    QCOMPARE(rig.notifier.messages.size(), 28 + 1);
}

QTEST_GUILESS_MAIN(TestSerialNumberService)
#include "tst_serialnumberservice.moc"
