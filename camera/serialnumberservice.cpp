#include "serialnumberservice.h"

#include "adjustrecordfile.h"
#include "cameradata.h"
#include "camerainfo.h"
#include "comm/cameracodes.h"
#include "comm/usernotifier.h"
#include "paramindex.h"
#include "resources/apptitle.h"

#include <QCoreApplication>
#include <QtGlobal>

#include <cstdlib>

namespace {
// Opens the camera's protected registers, the identification among them.
constexpr int kAccessCodeParam = Param::AccessCode;
constexpr int kSerialFirst = Param::SerialNumberFirst;
constexpr int kModelFirst = Param::ModelNameFirst;
constexpr int kModelRegisters = 8;
// The factory adjustment values: the record keeps them, a reset spares them.
constexpr int kAdjustGain1 = Param::AdjustGainL;
constexpr int kAdjustGain2 = Param::AdjustGainR;
constexpr int kSubVoltage = Param::SubVoltage;
constexpr int kLastReset = Param::SubVoltage;

const char kContext[] = "SerialNumberService";
const char kCodeRefused[] = QT_TRANSLATE_NOOP(
    "SerialNumberService",
    "This camera is not written the Serial Number.\nPlease tell design engineer.");
const char kCodeRefusedCaption[] = "ZQ-M(V)710ALX";
const char kWrongLength[] =
    QT_TRANSLATE_NOOP("SerialNumberService",
                      "Serial number cannot be written.\nPlease input the number of %1 digits. ");
const char kWrongCharacter[] = QT_TRANSLATE_NOOP(
    "SerialNumberService", "Serial number cannot be written.\nPlease input the decimal number. ");
const char kRecordCaption[] = QT_TRANSLATE_NOOP("SerialNumberService", "Serial Number");

// In the desktop program's language; zqctl installs none and stays English.
QString Text(const char *source)
{
    return QCoreApplication::translate(kContext, source);
}

void notify(const QString &text, const QString &caption, UserNotifier::Icon icon)
{
    UserNotifier::Instance().ShowMessage(text, caption, icon);
}

// The C library's reading of a number: leading blanks, a sign, digits, and
// 0 when there are none. Bounded, so that a step cannot overflow; anything
// beyond the bound is out of every range the spin button allows anyway.
qint64 readNumber(const QString &text)
{
    const QByteArray bytes = text.toLatin1();
    const long n = std::strtol(bytes.constData(), nullptr, 10);
    return qBound(-100000000L, n, 100000000L);
}
} // namespace

SerialNumberService::SerialNumberService(CameraData &camera)
    : SerialNumberService(camera, ValueTransfers::On(camera))
{
}

SerialNumberService::SerialNumberService(CameraData &camera, Transfers transfers)
    : m_camera(camera), m_transfers(std::move(transfers))
{
}

QString SerialNumberService::CheckEntry(const QString &entry, bool eightDigits)
{
    const int digits = eightDigits ? 8 : 7;
    if (entry.size() != digits)
        return Text(kWrongLength).arg(digits);
    for (int i = 0; i < entry.size(); ++i) {
        const QChar c = entry.at(i);
        const bool digit = c >= QLatin1Char('0') && c <= QLatin1Char('9');
        const bool series =
            eightDigits && i == 2 &&
            (c == QLatin1Char('X') || c == QLatin1Char('Y') || c == QLatin1Char('Z'));
        if (!digit && !series)
            return Text(kWrongCharacter);
    }
    return QString();
}

std::array<int, 4> SerialNumberService::RegisterValues(const QString &entry)
{
    const QByteArray bytes = entry.toLatin1();
    auto code = [&bytes](int i) { return i < bytes.size() ? int(quint8(bytes.at(i))) : 0; };
    std::array<int, 4> values{};
    for (int k = 0; k < 4; ++k)
        values[k] = code(2 * k) + 256 * code(2 * k + 1);
    return values;
}

QString SerialNumberService::Step(const QString &entry, bool eightDigits, int delta)
{
    const int step = delta > 0 ? 1 : -1;
    if (!eightDigits) {
        const qint64 n = readNumber(entry) + step;
        if (n < 0 || n > 9999999)
            return QStringLiteral("0000000");
        return QString::asprintf("%07d", int(n));
    }
    // The series letters stay; the running number is the last five.
    const QString prefix = entry.left(3);
    const qint64 n = readNumber(entry.right(5)) + step;
    if (n < 0 || n > 99999)
        return prefix + QStringLiteral("00000");
    return prefix + QString::asprintf("%05d", int(n));
}

SerialNumberService::Result SerialNumberService::WriteSerial(const QString &entry, bool eightDigits,
                                                             QByteArray *modelName)
{
    // The code goes out before the entry is looked at.
    if (m_transfers.send(kAccessCodeParam, CameraCode::kAccessCode) < 0) {
        notify(Text(kCodeRefused), QString::fromLatin1(kCodeRefusedCaption), UserNotifier::NoIcon);
        return CodeRefused;
    }
    const QString refusal = CheckEntry(entry, eightDigits);
    if (!refusal.isEmpty()) {
        notify(refusal, QString::fromLatin1(kAppTitle), UserNotifier::Warning);
        return EntryRefused;
    }
    const std::array<int, 4> values = RegisterValues(entry);
    for (int k = 0; k < 4; ++k) {
        // A failure leaves the serial partly written; it is not recorded.
        if (m_transfers.send(kSerialFirst + k, values[k]) < 0)
            return CameraFailed;
    }
    return AppendAdjustRecord(eightDigits, modelName) ? Written : RecordFailed;
}

int SerialNumberService::ReadValue(int index)
{
    // A failed read has shown its error; the line carries the value before.
    m_transfers.upload(index);
    return m_camera.GetValue(index);
}

QByteArray SerialNumberService::ReadModelName()
{
    int count = 0;
    while (count < kModelRegisters) {
        const int value = ReadValue(kModelFirst + count++);
        if (CameraInfo::EndsName(value))
            break; // the registers after it are not read
    }
    return CameraInfo::DecodeName(m_camera, kModelFirst, count);
}

QByteArray SerialNumberService::ReadSerialNumber(bool eightDigits)
{
    for (int i = kSerialFirst; i < kSerialFirst + 4; ++i)
        m_transfers.upload(i);
    // The operator's digit choice decides, not what the camera holds.
    return CameraInfo::DecodeSerial(m_camera, eightDigits);
}

bool SerialNumberService::AppendAdjustRecord(bool eightDigits, QByteArray *modelName)
{
    AdjustRecordFile file;
    if (!file.Open()) {
        notify(file.InUseMessage(), Text(kRecordCaption), UserNotifier::NoIcon);
        return false;
    }
    AdjustRecordFile::Record record;
    record.when = m_clock ? m_clock() : QDateTime::currentDateTime();
    record.modelName = ReadModelName();
    if (modelName)
        *modelName = record.modelName;
    record.serialNumber = ReadSerialNumber(eightDigits);
    record.subVoltage = ReadValue(kSubVoltage);
    record.adjustGain1 = ReadValue(kAdjustGain1);
    record.adjustGain2 = ReadValue(kAdjustGain2);

    QString error;
    if (!file.Append(AdjustRecordFile::Line(record), &error)) {
        notify(file.WriteFailedMessage(error), Text(kRecordCaption), UserNotifier::Warning);
        return false;
    }
    return true;
}

int SerialNumberService::ReadAndReset()
{
    // Failures are reported by each write; the rest still get their default.
    for (int i = 0; i <= kLastReset; ++i) {
        if (i == kAdjustGain1 || i == kAdjustGain2 || i == kSubVoltage)
            continue;
        m_transfers.send(i, ParamTable::GetDefault(i));
    }
    return m_transfers.uploadAll();
}
