#include "adjustrecordfile.h"

#include "comm/ossupport.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <cstdio>

namespace {
// "日時,機種名,シリアルNo.,SUB電圧,標準感度1,標準感度2" in Shift-JIS.
const char kHeaderHex[] = "93FA8E9E2C8B408EED96BC2C8356838A8341838B4E6F2E2C535542936488B32C"
                          "95578F808AB49378312C95578F808AB4937832";
const char kCrLf[] = "\r\n";
} // namespace

QByteArray AdjustRecordFile::Header()
{
    return QByteArray::fromHex(kHeaderHex) + kCrLf;
}

QByteArray AdjustRecordFile::Line(const Record &record)
{
    const QDate d = record.when.date();
    const QTime t = record.when.time();
    char when[64];
    std::snprintf(when, sizeof when, "%4d.%2d.%2d %d:%d,", d.year(), d.month(), d.day(), t.hour(),
                  t.minute());
    QByteArray line(when);
    line += record.modelName + ',' + record.serialNumber + ',';
    line += QByteArray::number(record.subVoltage) + ',';
    line += QByteArray::number(record.adjustGain1) + ',';
    line += QByteArray::number(record.adjustGain2) + kCrLf;
    return line;
}

AdjustRecordFile::AdjustRecordFile(const QString &path) : m_path(path), m_file(path) {}

AdjustRecordFile::~AdjustRecordFile()
{
    Close();
}

QString AdjustRecordFile::OfficeLockPath() const
{
    const QFileInfo info(m_path);
    return info.path() + QStringLiteral("/.~lock.") + info.fileName() + QLatin1Char('#');
}

bool AdjustRecordFile::Open()
{
    // Checked before the file is made, so a refusal leaves nothing behind.
    if (QFileInfo::exists(OfficeLockPath()))
        return false;
    // Unbuffered: a write reaches the system at once, so its result is the
    // write's own and nothing is left to fail later at close.
    if (!m_file.open(QIODevice::ReadWrite | QIODevice::Unbuffered))
        return false;
    if (!Lock()) {
        m_file.close();
        return false;
    }
    return true;
}

bool AdjustRecordFile::Lock()
{
    return OsSupport::LockExclusive(m_file);
}

bool AdjustRecordFile::Append(const QByteArray &line, QString *error)
{
    const qint64 before = m_file.size();
    const QByteArray bytes = before == 0 ? Header() + line : line;
    // A short write goes on with the rest; the call that cannot write any
    // more is the one that says why.
    qint64 done = 0;
    if (m_file.seek(before)) {
        while (done < bytes.size()) {
            const qint64 n = m_file.write(bytes.constData() + done, bytes.size() - done);
            if (n <= 0)
                break;
            done += n;
        }
    }
    if (done == bytes.size() && m_file.flush() && m_file.size() == before + bytes.size())
        return true;

    *error = m_file.errorString();
    // A partial line would run into the next record: take it back out.
    if (!m_file.resize(before))
        *error +=
            QCoreApplication::translate("AdjustRecordFile", "; the file could not be cut back: ") +
            m_file.errorString();
    return false;
}

void AdjustRecordFile::Close()
{
    m_file.close(); // releases the lock with the handle
}

QString AdjustRecordFile::InUseMessage() const
{
    const QString name = m_path.mid(m_path.lastIndexOf(QLatin1Char('\\')) + 1);
    return QCoreApplication::translate("AdjustRecordFile", "%1 is opend. Please close %1")
        .arg(name);
}

QString AdjustRecordFile::WriteFailedMessage(const QString &reason) const
{
    return QCoreApplication::translate("AdjustRecordFile",
                                       "%1 could not be written: %2.\nThe record was not made.")
        .arg(m_path, reason);
}
