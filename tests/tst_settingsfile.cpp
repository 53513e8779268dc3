// The settings file and the decoding of the camera's identification texts:
// no camera traffic, only the value store.
#include "camera/camerainfo.h"
#include "camera/paramindex.h"
#include "camera/paramstore.h"
#include "camera/settingsfile.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {
QByteArray validFile(qint32 fill)
{
    QByteArray bytes("\x17"
                     "ZQ-B40 Data Version1.00");
    for (int i = 0; i < PARAM_COUNT; ++i) {
        const qint32 v = fill + i;
        bytes.append(reinterpret_cast<const char *>(&v), 4); // little-endian host
    }
    return bytes;
}
} // namespace

class TestSettingsFile : public QObject
{
    Q_OBJECT
private slots:
    void encodeLayout();
    void decodeChecksTheWholeFile();
    void readAndWriteFiles();
    void cameraNames();
    void serialNumberDigits();
    void versionText();
};

void TestSettingsFile::encodeLayout()
{
    ParamStore store;
    store.SetValue(Param::GainLevel, 600); // out of its range: kept as it is
    store.SetValue(Param::Reserved, -2);
    const QByteArray bytes = SettingsFile::Encode(store);
    QCOMPARE(bytes.size(), 244);
    QCOMPARE(bytes.left(24), QByteArray("\x17"
                                        "ZQ-B40 Data Version1.00"));
    QCOMPARE(bytes.mid(24 + 5 * 4, 4), QByteArray("\x58\x02\x00\x00", 4));
    QCOMPARE(bytes.mid(24 + 7 * 4, 4), QByteArray("\x95\x03\x00\x00", 4));
    QCOMPARE(bytes.right(4), QByteArray("\xFE\xFF\xFF\xFF", 4));
}

void TestSettingsFile::decodeChecksTheWholeFile()
{
    SettingsFile::Values values{};
    QCOMPARE(SettingsFile::Decode(validFile(100), &values), SettingsFile::Ok);
    QCOMPARE(values[0], 100);
    QCOMPARE(values[54], 154);
    QCOMPARE(SettingsFile::Decode(validFile(7) + "trailing bytes", &values), SettingsFile::Ok);
    QCOMPARE(values[54], 61);

    // Nothing is decoded from a file that fails: the values stay as they were.
    values.fill(-9);
    QCOMPARE(SettingsFile::Decode(QByteArray(), &values), SettingsFile::Empty);
    QCOMPARE(SettingsFile::Decode(validFile(0).left(100), &values), SettingsFile::TooShort);
    QCOMPARE(SettingsFile::Decode(validFile(0).left(243), &values), SettingsFile::TooShort);
    QByteArray wrongCase = validFile(0);
    wrongCase[1] = 'z';
    QCOMPARE(SettingsFile::Decode(wrongCase, &values), SettingsFile::HeaderMismatch);
    QByteArray wrongLength = validFile(0);
    wrongLength[0] = 0x16;
    QCOMPARE(SettingsFile::Decode(wrongLength, &values), SettingsFile::HeaderMismatch);
    QCOMPARE(SettingsFile::Decode("\x17ZQ-B40 Data Version2", &values),
             SettingsFile::HeaderMismatch);
    QCOMPARE(SettingsFile::Decode("\x17ZQ-B40", &values), SettingsFile::TooShort);
    for (qint32 v : values)
        QCOMPARE(v, -9);

    QCOMPARE(SettingsFile::MessageFor(SettingsFile::HeaderMismatch, "/some/dir/Line 3.zq"),
             QStringLiteral("File type mismatch.\nFile \"Line 3.zq\" does not contain data for  "
                            "ZQ-M(V)710ALX apprication."));
    QCOMPARE(SettingsFile::MessageFor(SettingsFile::TooShort, "x.zq"),
             QStringLiteral("Unexpected file format."));
}

void TestSettingsFile::readAndWriteFiles()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("a.zq");
    ParamStore store;
    store.SetValue(Param::BlackLevel, 42);
    QString error;
    QCOMPARE(SettingsFile::Write(path, store, &error), SettingsFile::Ok);
    SettingsFile::Values values{};
    QCOMPARE(SettingsFile::Read(path, &values, &error), SettingsFile::Ok);
    ParamStore copy;
    SettingsFile::Apply(values, &copy);
    for (int i = 0; i < PARAM_COUNT; ++i)
        QCOMPARE(copy.GetValue(i), store.GetValue(i));

    QCOMPARE(SettingsFile::Read(dir.filePath("missing.zq"), &values, &error),
             SettingsFile::ReadFailed);
    QVERIFY(error.contains("missing.zq"));
    QCOMPARE(SettingsFile::Write(dir.filePath("no/dir/b.zq"), store, &error),
             SettingsFile::WriteFailed);
    // A directory where the file should be: refused, and left as it is.
    QVERIFY(QDir(dir.path()).mkdir("c.zq"));
    QCOMPARE(SettingsFile::Write(dir.filePath("c.zq"), store, &error), SettingsFile::WriteFailed);
    QVERIFY(QFileInfo(dir.filePath("c.zq")).isDir());
}

void TestSettingsFile::cameraNames()
{
    ParamStore store;
    store.SetValue(Param::CameraInfoFirst, 0x4241);
    store.SetValue(Param::VendorNameFirst + 1,
                   0x0043); // below 256: its one character ends the name
    store.SetValue(Param::VendorNameFirst + 2, 0x4545);
    QCOMPARE(CameraInfo::Decode(store).vendorName, QByteArray("ABC"));
    store.SetValue(Param::CameraInfoFirst, 0);
    QCOMPARE(CameraInfo::Decode(store).vendorName, QByteArray());
    // Sixteen characters fill all eight registers.
    for (int i = 39; i <= 46; ++i)
        store.SetValue(i, 0x4241);
    QCOMPARE(CameraInfo::Decode(store).modelName, QByteArray("ABABABABABABABAB"));
    store.SetValue(Param::ModelNameFirst + 1,
                   0x10041); // high byte zero: that pair gives one character
    QCOMPARE(CameraInfo::Decode(store).modelName, QByteArray("ABAABABABABABAB"));
}

void TestSettingsFile::serialNumberDigits()
{
    ParamStore store;
    store.SetValue(Param::SerialNumberFirst, 0x3231);
    store.SetValue(Param::SerialNumberFirst + 1, 0x3433);
    store.SetValue(Param::SerialNumberFirst + 2, 0x3635);
    store.SetValue(Param::SerialNumberLast, 0x0037);
    CameraInfo info = CameraInfo::Decode(store);
    QCOMPARE(info.serialNumber, QByteArray("1234567"));
    QVERIFY(!info.eightDigits);
    store.SetValue(Param::SerialNumberLast, 0x3837);
    info = CameraInfo::Decode(store);
    QCOMPARE(info.serialNumber, QByteArray("12345678"));
    QVERIFY(info.eightDigits);
    store.SetValue(Param::SerialNumberLast, 0x4137); // a letter is no eighth digit
    info = CameraInfo::Decode(store);
    QCOMPARE(info.serialNumber, QByteArray("1234567"));
    QVERIFY(!info.eightDigits);
    store.SetValue(Param::SerialNumberFirst + 1,
                   0x0033); // zero second byte: one character from that pair
    store.SetValue(Param::SerialNumberFirst + 2, 0x3600); // zero first byte: nothing from that pair
    QCOMPARE(CameraInfo::Decode(store).serialNumber, QByteArray("1237"));
}

void TestSettingsFile::versionText()
{
    ParamStore store;
    store.SetValue(Param::VersionFirst, 0x3031);
    store.SetValue(Param::CameraInfoLast, 0x3332);
    QCOMPARE(CameraInfo::Decode(store).version, QByteArray("1.0.2.3"));
    store.SetValue(Param::CameraInfoLast, 0x3300); // a zero byte ends the text
    QCOMPARE(CameraInfo::Decode(store).version, QByteArray("1.0."));
}

QTEST_GUILESS_MAIN(TestSettingsFile)
#include "tst_settingsfile.moc"
