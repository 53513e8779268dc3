#include "settingsfile.h"

#include "paramstore.h"
#include "resources/apptitle.h"
#include "resources/stringids.h"
#include "resources/stringtable.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QtEndian>

QByteArray SettingsFile::Encode(const ParamStore &store)
{
    QByteArray bytes;
    bytes.reserve(kSize);
    bytes.append(char(kHeaderLength)).append(kHeader, kHeaderLength);
    for (int i = 0; i < PARAM_COUNT; ++i) {
        char le[4];
        qToLittleEndian<qint32>(store.GetValue(i), le);
        bytes.append(le, 4);
    }
    return bytes;
}

SettingsFile::Status SettingsFile::Decode(const QByteArray &bytes, Values *values)
{
    if (bytes.isEmpty())
        return Empty;
    // The header is compared byte for byte, case included; a short file
    // whose start differs is foreign, not truncated.
    const QByteArray expected = QByteArray(1, char(kHeaderLength)) + kHeader;
    if (!expected.startsWith(bytes.left(expected.size())))
        return HeaderMismatch;
    if (bytes.size() < kSize)
        return TooShort;
    const char *p = bytes.constData() + 1 + kHeaderLength;
    for (int i = 0; i < PARAM_COUNT; ++i)
        (*values)[i] = qFromLittleEndian<qint32>(p + 4 * i);
    return Ok; // bytes past the last value are ignored
}

void SettingsFile::Apply(const Values &values, ParamStore *store, bool keepIdentity)
{
    for (int i = 0; i < PARAM_COUNT; ++i) {
        if (!(keepIdentity && ParamTable::IsIdentity(i)))
            store->SetValue(i, values[i]);
    }
}

int SettingsFile::FirstUncarried(const Values &values)
{
    for (int i = 0; i < PARAM_COUNT; ++i) {
        if ((ParamTable::Row(i).flags & PF_WRITE_ALL) && !ParamTable::Carries(i, values[i]))
            return i;
    }
    return -1;
}

QString SettingsFile::UncarriedMessage(int index, qint32 value)
{
    // A register carries no sign: a negative value is wrong in another way.
    const char *text =
        value < 0 ? QT_TRANSLATE_NOOP("SettingsFile",
                                      "Row %1 \"%2\" holds %3, a negative value, which no "
                                      "register takes. Nothing was sent to the camera.")
                  : QT_TRANSLATE_NOOP("SettingsFile",
                                      "Row %1 \"%2\" holds %3, more than its register carries. "
                                      "Nothing was sent to the camera.");
    return QCoreApplication::translate("SettingsFile", text)
        .arg(index)
        .arg(ParamTable::GetParamName(index))
        .arg(value);
}

SettingsFile::Status SettingsFile::Read(const QString &path, Values *values, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QCoreApplication::translate("SettingsFile", "Cannot open \"%1\": %2")
                     .arg(path, file.errorString());
        return ReadFailed;
    }
    // Only the first bytes matter; a huge file is not read whole.
    const QByteArray bytes = file.read(kSize);
    if (file.error() != QFileDevice::NoError) {
        *error = QCoreApplication::translate("SettingsFile", "Cannot read \"%1\": %2")
                     .arg(path, file.errorString());
        return ReadFailed;
    }
    const Status status = Decode(bytes, values);
    *error = MessageFor(status, path);
    return status;
}

SettingsFile::Status SettingsFile::Write(const QString &path, const ParamStore &store,
                                         QString *error)
{
    QSaveFile file(path);
    const QByteArray bytes = Encode(store);
    // Unbuffered, so a disk that takes only part of the bytes says so here;
    // through the buffer the short write went unnoticed and a truncated
    // file replaced the old one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) ||
        file.write(bytes) != bytes.size() || !file.commit()) {
        *error = QCoreApplication::translate("SettingsFile", "Cannot write \"%1\": %2")
                     .arg(path, file.errorString());
        return WriteFailed;
    }
    error->clear();
    return Ok;
}

QString SettingsFile::MessageFor(Status status, const QString &path)
{
    switch (status) {
    case HeaderMismatch:
        return StringTable::Load(StringId::FileTypeMismatch)
            .arg(QFileInfo(path).fileName(), QString::fromLatin1(kAppTitle));
    case TooShort:
        return StringTable::Load(StringId::UnexpectedFileFormat);
    default:
        return QString();
    }
}
