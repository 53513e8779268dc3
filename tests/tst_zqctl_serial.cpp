// zqctl write-serial as a process against zq-camsim: the bytes the camera
// receives, the record file in the working directory, the exit status.
#include "support/camsimprocess.h"
#include "support/processrun.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {

using Run = ProcessRun;

const QByteArray kHeader =
    QByteArray::fromHex("93FA8E9E2C8B408EED96BC2C8356838A8341838B4E6F2E2C535542936488B32C"
                        "95578F808AB49378312C95578F808AB49378320D0A");
// Model "ZQ-M710ALX" ends in register 0D; then the serial and the adjustments.
const QByteArrayList kRecordReads = {
    "payload 01FF9008000000", "payload 01FF9009000000", "payload 01FF900A000000",
    "payload 01FF900B000000", "payload 01FF900C000000", "payload 01FF900D000000",
    "payload 01FF9010000000", "payload 01FF9011000000", "payload 01FF9012000000",
    "payload 01FF9013000000", "payload 01FF8177000000", "payload 01FF811C000000",
    "payload 01FF811D000000"};
const QByteArray kCodeRefused =
    "This camera is not written the Serial Number.\nPlease tell design engineer.\n";

} // namespace

class TestZqctlSerial : public QObject
{
    Q_OBJECT
private slots:
    void init() { QFile::remove(m_dir.filePath(QStringLiteral("ZQ-M710_AdjustData.csv"))); }
    void writesSerialAndRecord();
    void refusalsAndFailures();

private:
    Run zqctl(const CamsimProcess &sim, const QStringList &arguments);
    QByteArray record() const;
    QTemporaryDir m_dir; // the working directory of every run
};

Run TestZqctlSerial::zqctl(const CamsimProcess &sim, const QStringList &arguments)
{
    return ProcessRun::Of(QStringLiteral(ZQCTL),
                          QStringList{QStringLiteral("--device"), sim.Link()} + arguments,
                          {m_dir.path(), {}});
}

QByteArray TestZqctlSerial::record() const
{
    QFile f(m_dir.filePath(QStringLiteral("ZQ-M710_AdjustData.csv")));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(none)");
}

void TestZqctlSerial::writesSerialAndRecord()
{
    CamsimProcess sim(QStringLiteral(ZQ_CAMSIM), {"--serial", "7654321"});
    QVERIFY(sim.IsReady());
    Run run = zqctl(sim, {"write-serial", "1234567", "--digits", "7"});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.err, QByteArray());
    QCOMPARE(sim.Log("payload"), QByteArrayList({"payload 01FF01603A5C00", "payload 01FF1010313200",
                                                 "payload 01FF1011333400", "payload 01FF1012353600",
                                                 "payload 01FF1013370000"}) +
                                     kRecordReads);
    // The access code's frame, byte for byte.
    QCOMPARE(sim.Log("frame").first(), QByteArray("frame 02 30 31 46 46 30 31 36 30 33 41 35 "
                                                  "43 30 30 03 46 41"));
    const QByteArray file = record();
    QVERIFY(file.startsWith(kHeader));
    const QByteArray line = file.mid(kHeader.size());
    const QRegularExpression when(
        QStringLiteral("^\\d{4}\\.[ 1]\\d\\.[ 1-3]\\d \\d{1,2}:\\d{1,2},"));
    const QRegularExpressionMatch match = when.match(QString::fromLatin1(line));
    QVERIFY2(match.hasMatch(), line.constData());
    QCOMPARE(line.mid(match.capturedLength()), QByteArray("ZQ-M710ALX,1234567,176,0,0\r\n"));

    // Without --digits the camera's serial decides: seven digits now.
    run = zqctl(sim, {"write-serial", "12X45678"});
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(run.err, QByteArray("zqctl: Serial number cannot be written.\n"
                                 "Please input the number of 7 digits. \n"));
    QCOMPARE(sim.Log("payload").size(), 18 + 2); // read of 50, access code
    QCOMPARE(record(), file);

    QCOMPARE(zqctl(sim, {"--digits", "8", "write-serial", "12X45678"}).exitCode, 0);
    QCOMPARE(record().count(kHeader), 1);
    QVERIFY(record().endsWith(",ZQ-M710ALX,12X45678,176,0,0\r\n"));
    QCOMPARE(record().count("\r\n"), 3);
}

void TestZqctlSerial::refusalsAndFailures()
{
    {
        CamsimProcess sim(QStringLiteral(ZQ_CAMSIM), {"--refuse-write", "01:60:3A5C00"});
        QVERIFY(sim.IsReady());
        const Run run = zqctl(sim, {"write-serial", "1234567", "--digits", "7"});
        QCOMPARE(run.exitCode, 2);
        QVERIFY2(run.err.endsWith(kCodeRefused), run.err.constData());
        QCOMPARE(sim.Log("payload"), QByteArrayList());
        for (const QByteArray &frame : sim.Log("frame"))
            QVERIFY(frame.startsWith("frame 02 30 31 46 46 30 31 36 30 33 41 35 43"));
        QCOMPARE(record(), QByteArray("(none)"));
    }
    CamsimProcess sim(QStringLiteral(ZQ_CAMSIM));
    QVERIFY(sim.IsReady());
    // Bad requests send nothing.
    QCOMPARE(zqctl(sim, {"write-serial", "1234567", "--digits", "9"}).exitCode, 1);
    QCOMPARE(zqctl(sim, {"--digits", "8", "info"}).exitCode, 1);
    QCOMPARE(zqctl(sim, {"write-serial"}).exitCode, 1);
    QCOMPARE(sim.Log("frame"), QByteArrayList());

    // An office suite has the record open: the serial is written, the file
    // is left alone, and the exit says so.
    QFile f(m_dir.filePath(QStringLiteral("ZQ-M710_AdjustData.csv")));
    QVERIFY(f.open(QIODevice::WriteOnly) && f.write("kept\r\n") == 6);
    f.close();
    QFile lock(m_dir.filePath(QStringLiteral(".~lock.ZQ-M710_AdjustData.csv#")));
    QVERIFY(lock.open(QIODevice::WriteOnly));
    lock.close();
    const Run run = zqctl(sim, {"write-serial", "1234567", "--digits", "7"});
    lock.remove();
    QCOMPARE(run.exitCode, 3);
    QCOMPARE(run.err, QByteArray("zqctl: Serial Number: ./ZQ-M710_AdjustData.csv is opend. Please close "
                                 "./ZQ-M710_AdjustData.csv\n"));
    QCOMPARE(sim.Log("payload").size(), 5);
    QCOMPARE(record(), QByteArray("kept\r\n"));
}

QTEST_GUILESS_MAIN(TestZqctlSerial)
#include "tst_zqctl_serial.moc"
