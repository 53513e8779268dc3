// zqctl's commands on the parameters and settings files.
#include "zqctl.h"

#include "camera/camerainfo.h"
#include "camera/cameramodel.h"
#include "camera/factoryset.h"
#include "camera/paneltables.h"
#include "camera/paramindex.h"
#include "camera/serialnumberservice.h"
#include "camera/settingsfile.h"
#include "camera/thecamera.h"
#include "terminalnotifier.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>

namespace {

// An index, or a code name from camera/paramindex.h.
bool parseIndex(const QString &text, int *index)
{
    bool ok = false;
    *index = text.toInt(&ok, 10);
    if (!ok)
        *index = ParamTable::IndexOfName(text);
    return *index >= 0 && *index < PARAM_COUNT;
}

bool parseValue(const QString &text, int *value)
{
    bool ok = false;
    const bool hex = text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive);
    const qint64 v = hex ? text.mid(2).toLongLong(&ok, 16) : text.toLongLong(&ok, 10);
    *value = int(v);
    return ok && v >= INT32_MIN && v <= INT32_MAX;
}

QString hex2(int value)
{
    return QString::asprintf("%02X", value);
}

QString flagText(quint8 flags)
{
    QStringList parts;
    if (flags & PF_WRITE_ALL)
        parts << QStringLiteral("W");
    if (flags & PF_READ)
        parts << QStringLiteral("R");
    return parts.isEmpty() ? QStringLiteral("-") : parts.join(QLatin1Char(','));
}

QString describe(int index)
{
    return QStringLiteral("parameter %1 \"%2\"").arg(index).arg(ParamTable::GetParamName(index));
}

// A row's value as JSON: with the caption of the panel's button that shows
// it, where one does.
QJsonObject valueObject(int index, int value)
{
    QJsonObject row{{QStringLiteral("index"), index},
                    {QStringLiteral("code"), ParamTable::CodeName(index)},
                    {QStringLiteral("name"), ParamTable::GetParamName(index)},
                    {QStringLiteral("value"), value}};
    const QString choice = PanelTables::ChoiceCaption(index, value);
    if (!choice.isEmpty())
        row.insert(QStringLiteral("choice"), choice);
    return row;
}

} // namespace

int Zqctl::CheckIndex(const QStringList &args)
{
    if (!parseIndex(args.at(0), &m_index))
        return UsageError(QStringLiteral("PARAM must be an index 0 to %1 or a code name such as "
                                         "GainLevel, not \"%2\" (zqctl params lists them)")
                              .arg(PARAM_COUNT - 1)
                              .arg(args.at(0)));
    return Success;
}

int Zqctl::CheckSet(const QStringList &args)
{
    if (const int status = CheckIndex(args))
        return status;
    if (!parseValue(args.at(1), &m_value))
        return UsageError(
            QStringLiteral("VALUE must be a 32-bit integer, not \"%1\"").arg(args.at(1)));
    const ParamInfo &row = ParamTable::Row(m_index);
    const int bytes = CameraProtocol::RegisterBytes(row.writeCode, row.lower, row.upper);
    const qint64 most = (qint64(1) << (8 * bytes)) - 1;
    // What the register cannot carry would reach the camera cut short.
    if (!ParamTable::Carries(m_index, m_value)) {
        Err(QStringLiteral("%1 does not fit the register of %2: %3 byte(s) on the wire carry 0 "
                           "to %4; nothing sent")
                .arg(m_value)
                .arg(describe(m_index))
                .arg(bytes)
                .arg(most));
        return Usage;
    }
    if (!m_force && (m_value < row.lower || m_value > row.upper)) {
        Err(QStringLiteral("%1 is outside the limits of %2: %3 to %4; nothing sent (--force "
                           "sends it all the same)")
                .arg(m_value)
                .arg(describe(m_index))
                .arg(row.lower)
                .arg(row.upper));
        return Usage;
    }
    // What no model's panel offers needs no camera to refuse.
    const QString refusal = m_force ? QString() : CameraModel::Loosest().Refusal(m_index, m_value);
    if (!refusal.isEmpty()) {
        Err(QStringLiteral("%1 refused for %2: %3; nothing sent (--force sends it all the same)")
                .arg(m_value)
                .arg(describe(m_index), refusal));
        return Usage;
    }
    return Success;
}

int Zqctl::ReadModel(CameraModel *model)
{
    for (int i = Param::ModelNameFirst; i < Param::SerialNumberFirst; ++i) {
        if (theCamera.UploadParam(i) < 0)
            return CameraFailure;
    }
    for (int i = Param::VersionFirst; i <= Param::CameraInfoLast; ++i) {
        if (theCamera.UploadParam(i) < 0)
            return CameraFailure;
    }
    *model = CameraModel::Of(CameraInfo::Decode(theCamera));
    return Success;
}

int Zqctl::Params(const QStringList &)
{
    if (m_json) {
        QJsonArray rows;
        for (int i = 0; i < PARAM_COUNT; ++i) {
            const ParamInfo &row = ParamTable::Row(i);
            rows.append(QJsonObject{{QStringLiteral("index"), i},
                                    {QStringLiteral("code"), ParamTable::CodeName(i)},
                                    {QStringLiteral("name"), ParamTable::GetParamName(i)},
                                    {QStringLiteral("writeAll"), bool(row.flags & PF_WRITE_ALL)},
                                    {QStringLiteral("read"), bool(row.flags & PF_READ)},
                                    {QStringLiteral("readCode"), hex2(row.readCode)},
                                    {QStringLiteral("writeCode"), hex2(row.writeCode)},
                                    {QStringLiteral("register"), hex2(row.address)},
                                    {QStringLiteral("default"), row.defaultValue},
                                    {QStringLiteral("min"), row.lower},
                                    {QStringLiteral("max"), row.upper}});
        }
        OutJson(rows);
        return Success;
    }
    // The code name last: scripts that read the columns before it keep working.
    Out(QStringLiteral("index\tname\tflags\tread\twrite\tregister\tdefault\tmin\tmax\tcode"));
    for (int i = 0; i < PARAM_COUNT; ++i) {
        const ParamInfo &row = ParamTable::Row(i);
        Out(QStringLiteral("%1\t%2\t%3\t%4\t%5\t%6\t%7\t%8\t%9\t%10")
                .arg(i)
                .arg(ParamTable::GetParamName(i), flagText(row.flags), hex2(row.readCode),
                     hex2(row.writeCode), hex2(row.address))
                .arg(row.defaultValue)
                .arg(row.lower)
                .arg(row.upper)
                .arg(ParamTable::CodeName(i)));
    }
    return Success;
}

int Zqctl::ReadAll(const QStringList &)
{
    theCamera.SetBulkProgress([this](int done, int total) {
        m_notifier->ShowProgress(QStringLiteral("Reading"), done, total);
    });
    if (theCamera.UploadAll() < 0)
        return CameraFailure;
    return PrintValues();
}

int Zqctl::PrintValues()
{
    if (m_json) {
        QJsonArray rows;
        for (int i = 0; i < PARAM_COUNT; ++i)
            rows.append(valueObject(i, theCamera.GetValue(i)));
        OutJson(rows);
        return Success;
    }
    for (int i = 0; i < PARAM_COUNT; ++i) {
        const int value = theCamera.GetValue(i);
        const QString choice = PanelTables::ChoiceCaption(i, value);
        Out(QStringLiteral("%1\t%2\t%3").arg(i).arg(ParamTable::GetParamName(i)).arg(value) +
            (choice.isEmpty() ? QString() : QLatin1Char('\t') + choice));
    }
    return Success;
}

int Zqctl::Get(const QStringList &)
{
    if (!(ParamTable::Row(m_index).flags & PF_READ)) {
        Err(QStringLiteral("%1 cannot be read from the camera").arg(describe(m_index)));
        return Usage;
    }
    if (theCamera.UploadParam(m_index) < 0)
        return CameraFailure;
    if (m_json)
        OutJson(valueObject(m_index, theCamera.GetValue(m_index)));
    else
        Out(QString::number(theCamera.GetValue(m_index)));
    return Success;
}

int Zqctl::Set(const QStringList &)
{
    // Only a value some model refuses costs the reads of the model.
    if (!m_force && !CameraModel::Strictest().Refusal(m_index, m_value).isEmpty()) {
        CameraModel model;
        if (const int status = ReadModel(&model))
            return status;
        const QString refusal = model.Refusal(m_index, m_value);
        if (!refusal.isEmpty()) {
            Err(QStringLiteral("%1 refused for %2 on %3: %4; nothing sent (--force sends it all "
                               "the same)")
                    .arg(m_value)
                    .arg(describe(m_index), model.title, refusal));
            return Usage;
        }
    }
    return theCamera.SendParam(m_index, m_value) < 0 ? CameraFailure : Success;
}

int Zqctl::Info(const QStringList &)
{
    for (int i = Param::CameraInfoFirst; i <= Param::CameraInfoLast; ++i) {
        if (theCamera.UploadParam(i) < 0)
            return CameraFailure;
    }
    const CameraInfo info = CameraInfo::Decode(theCamera);
    const CameraModel model = CameraModel::Of(info);
    if (m_json) {
        OutJson(
            QJsonObject{{QStringLiteral("vendor"), QString::fromLatin1(info.vendorName)},
                        {QStringLiteral("model"), QString::fromLatin1(info.modelName)},
                        {QStringLiteral("serial"), QString::fromLatin1(info.serialNumber)},
                        {QStringLiteral("serialDigits"), info.eightDigits ? 8 : 7},
                        {QStringLiteral("version"), QString::fromLatin1(info.version)},
                        {QStringLiteral("port"), theCamera.ChannelName()},
                        {QStringLiteral("allows"),
                         QJsonObject{{QStringLiteral("title"), model.title},
                                     {QStringLiteral("gainMax"), model.gainMax},
                                     {QStringLiteral("accel2x"), model.accel},
                                     {QStringLiteral("sortAndTestPattern"), model.sortAndTest},
                                     {QStringLiteral("balanceAndWhiteSpots"), model.balance}}}});
        return Success;
    }
    auto yesNo = [](bool yes) { return yes ? QStringLiteral("yes") : QStringLiteral("no"); };
    Out(QStringLiteral("Vendor:  %1").arg(QString::fromLatin1(info.vendorName)));
    Out(QStringLiteral("Model:   %1").arg(QString::fromLatin1(info.modelName)));
    Out(QStringLiteral("Serial:  %1 (%2 digits)")
            .arg(QString::fromLatin1(info.serialNumber))
            .arg(info.eightDigits ? 8 : 7));
    Out(QStringLiteral("Version: %1").arg(QString::fromLatin1(info.version)));
    Out(QStringLiteral("Title:   %1").arg(model.title));
    Out(QStringLiteral("Gain:    0 to %1").arg(model.gainMax));
    Out(QStringLiteral("2xACCEL: %1").arg(yesNo(model.accel)));
    Out(QStringLiteral("Sort and test pattern: %1").arg(yesNo(model.sortAndTest)));
    Out(QStringLiteral("Balance adjust, white spots and factory SET: %1")
            .arg(yesNo(model.balance)));
    Out(QStringLiteral("Port:    %1").arg(theCamera.ChannelName()));
    return Success;
}

int Zqctl::Save(const QStringList &args)
{
    theCamera.SetBulkProgress([this](int done, int total) {
        m_notifier->ShowProgress(QStringLiteral("Reading"), done, total);
    });
    // Nothing is written unless every value came from the camera.
    if (theCamera.UploadAll() < 0)
        return CameraFailure;
    QString error;
    if (SettingsFile::Write(args.at(0), theCamera, &error) != SettingsFile::Ok) {
        Err(error);
        return FileFailure;
    }
    return Success;
}

int Zqctl::ReadSettings(const QString &path, SettingsFile::Values *values)
{
    QString error;
    const SettingsFile::Status status = SettingsFile::Read(path, values, &error);
    if (status == SettingsFile::Empty)
        error = QStringLiteral("\"%1\" is empty: it holds no settings").arg(path);
    if (status != SettingsFile::Ok) {
        Err(error);
        return FileFailure;
    }
    const int uncarried = SettingsFile::FirstUncarried(*values);
    if (uncarried >= 0) {
        Err(QStringLiteral("\"%1\": %2")
                .arg(path, SettingsFile::UncarriedMessage(uncarried, (*values)[uncarried])));
        return Usage;
    }
    return Success;
}

int Zqctl::Load(const QStringList &args)
{
    SettingsFile::Values values{};
    // The file is checked before the port is opened.
    if (const int status = ReadSettings(args.at(0), &values))
        return status;
    if (const int connected = Connect())
        return connected;
    SettingsFile::Apply(values, &theCamera);
    theCamera.SetBulkProgress([this](int done, int total) {
        m_notifier->ShowProgress(QStringLiteral("Writing"), done, total);
    });
    const bool sent = theCamera.SendAll() >= 0;
    if (m_json) {
        OutJson(QJsonObject{{QStringLiteral("file"), args.at(0)},
                            {QStringLiteral("written"), sent},
                            {QStringLiteral("rows"), ParamTable::CountWith(PF_WRITE_ALL)}});
    }
    return sent ? Success : CameraFailure;
}

int Zqctl::FactorySetCommand(const QStringList &)
{
    const FactorySet::Result result = FactorySet::Run(FactorySet::On(theCamera));
    switch (result.outcome) {
    case FactorySet::Finished:
        return PrintValues();
    case FactorySet::StillSetting:
        Err(QStringLiteral("the camera still reports Factory Set after %1 reads: it has not "
                           "finished, and nothing was read back")
                .arg(result.reads));
        return NotFinished;
    default: // reported by the step that failed
        return CameraFailure;
    }
}

int Zqctl::WriteSerial(const QStringList &args)
{
    bool eightDigits = m_serialDigits == 8;
    if (!m_serialDigits) {
        // The panel's choice after start-up: the camera's own serial number.
        if (theCamera.UploadParam(Param::SerialNumberLast) < 0)
            return CameraFailure;
        eightDigits = CameraInfo::Decode(theCamera).eightDigits;
    }
    // The number itself is checked as WRITE checks it: after the access code.
    switch (SerialNumberService(theCamera).WriteSerial(args.at(0), eightDigits)) {
    case SerialNumberService::Written:
        return Success;
    case SerialNumberService::EntryRefused:
        return Usage;
    case SerialNumberService::RecordFailed:
        return FileFailure;
    default:
        return CameraFailure;
    }
}
