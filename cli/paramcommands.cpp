// zqctl's commands on the parameters and settings files.
#include "paramcommands.h"

#include "commandoutput.h"
#include "commandtable.h"

#include "camera/cameradata.h"
#include "camera/camerainfo.h"
#include "camera/cameramodel.h"
#include "camera/factoryset.h"
#include "camera/paneltables.h"
#include "camera/paramindex.h"
#include "camera/serialnumberservice.h"
#include "camera/settingsapply.h"
#include "camera/settingsfile.h"
#include "camera/valuecheck.h"
#include "camera/valuetransfers.h"

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
    return ValueCheck::Describe(index);
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

// A device by the name it was given; a COM port and a grabber's port as
// the connection names them.
QString portName(const CommandContext &c)
{
    return c.channel.kind == ChannelSpec::Kind::Device ? c.channel.device : c.camera.ChannelName();
}

} // namespace

int ParamCommands::CheckIndex(CommandRequest &request, CommandOutput &out)
{
    if (!parseIndex(request.args.at(0), &request.index)) {
        // A code name in another case is a typing slip, not another parameter.
        const QString &typed = request.args.at(0);
        for (int i = 0; i < PARAM_COUNT; ++i) {
            if (ParamTable::CodeName(i).compare(typed, Qt::CaseInsensitive) == 0)
                return CommandTable::UsageError(
                    out, QStringLiteral("no parameter is called \"%1\": did you mean %2?")
                             .arg(typed, ParamTable::CodeName(i)));
        }
        return CommandTable::UsageError(
            out, QStringLiteral("PARAM must be an index 0 to %1 or a code name such as "
                                "GainLevel, not \"%2\" (zqctl params lists them)")
                     .arg(PARAM_COUNT - 1)
                     .arg(request.args.at(0)));
    }
    return Success;
}

int ParamCommands::CheckSet(CommandRequest &request, CommandOutput &out)
{
    if (const int status = CheckIndex(request, out))
        return status;
    if (!parseValue(request.args.at(1), &request.value))
        return CommandTable::UsageError(
            out,
            QStringLiteral("VALUE must be a 32-bit integer, not \"%1\"").arg(request.args.at(1)));
    QString why;
    switch (ValueCheck::Offline(request.index, request.value, request.force, &why)) {
    case ValueCheck::Accepted:
        break;
    case ValueCheck::Uncarried: // what the register cannot carry would reach the camera cut short
        out.Err(why + QStringLiteral("; nothing sent"));
        return Usage;
    default: // what no model's panel offers needs no camera to refuse
        out.Err(why + QStringLiteral("; nothing sent (--force sends it all the same)"));
        return Usage;
    }
    return Success;
}

int ParamCommands::ReadModel(CameraData &camera, CameraModel *model)
{
    for (int i = Param::ModelNameFirst; i < Param::SerialNumberFirst; ++i) {
        if (camera.UploadParam(i) < 0)
            return CameraFailure;
    }
    for (int i = Param::VersionFirst; i <= Param::CameraInfoLast; ++i) {
        if (camera.UploadParam(i) < 0)
            return CameraFailure;
    }
    *model = CameraModel::Of(CameraInfo::Decode(camera));
    return Success;
}

int ParamCommands::Params(CommandContext &c)
{
    if (c.request.json) {
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
        c.out.Json(rows);
        return Success;
    }
    // The code name last: scripts that read the columns before it keep working.
    c.out.Out(QStringLiteral("index\tname\tflags\tread\twrite\tregister\tdefault\tmin\tmax\tcode"));
    for (int i = 0; i < PARAM_COUNT; ++i) {
        const ParamInfo &row = ParamTable::Row(i);
        c.out.Out(QStringLiteral("%1\t%2\t%3\t%4\t%5\t%6\t%7\t%8\t%9\t%10")
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

int ParamCommands::ReadAll(CommandContext &c)
{
    c.camera.SetBulkProgress(
        [&c](int done, int total) { c.out.Progress(QStringLiteral("Reading"), done, total); });
    if (c.camera.UploadAll() < 0)
        return CameraFailure;
    return PrintValues(c);
}

int ParamCommands::PrintValues(CommandContext &c)
{
    if (c.request.json) {
        QJsonArray rows;
        for (int i = 0; i < PARAM_COUNT; ++i)
            rows.append(valueObject(i, c.camera.GetValue(i)));
        c.out.Json(rows);
        return Success;
    }
    for (int i = 0; i < PARAM_COUNT; ++i) {
        const int value = c.camera.GetValue(i);
        const QString choice = PanelTables::ChoiceCaption(i, value);
        c.out.Out(QStringLiteral("%1\t%2\t%3").arg(i).arg(ParamTable::GetParamName(i)).arg(value) +
                  (choice.isEmpty() ? QString() : QLatin1Char('\t') + choice));
    }
    return Success;
}

int ParamCommands::Get(CommandContext &c)
{
    if (!(ParamTable::Row(c.request.index).flags & PF_READ)) {
        c.out.Err(
            QStringLiteral("%1 cannot be read from the camera").arg(describe(c.request.index)));
        return Usage;
    }
    if (c.camera.UploadParam(c.request.index) < 0)
        return CameraFailure;
    if (c.request.json)
        c.out.Json(valueObject(c.request.index, c.camera.GetValue(c.request.index)));
    else
        c.out.Out(QString::number(c.camera.GetValue(c.request.index)));
    return Success;
}

int ParamCommands::Set(CommandContext &c)
{
    // Only a value some model refuses costs the reads of the model.
    if (!c.request.force && ValueCheck::DependsOnModel(c.request.index, c.request.value)) {
        CameraModel model;
        if (const int status = ReadModel(c.camera, &model))
            return status;
        QString why;
        if (ValueCheck::ForModel(model, c.request.index, c.request.value, &why) !=
            ValueCheck::Accepted) {
            c.out.Err(why + QStringLiteral("; nothing sent (--force sends it all the same)"));
            return Usage;
        }
    }
    return c.camera.SendParam(c.request.index, c.request.value) < 0 ? CameraFailure : Success;
}

int ParamCommands::Info(CommandContext &c)
{
    for (int i = Param::CameraInfoFirst; i <= Param::CameraInfoLast; ++i) {
        if (c.camera.UploadParam(i) < 0)
            return CameraFailure;
    }
    const CameraInfo info = CameraInfo::Decode(c.camera);
    const CameraModel model = CameraModel::Of(info);
    if (c.request.json) {
        c.out.Json(
            QJsonObject{{QStringLiteral("vendor"), QString::fromLatin1(info.vendorName)},
                        {QStringLiteral("model"), QString::fromLatin1(info.modelName)},
                        {QStringLiteral("serial"), QString::fromLatin1(info.serialNumber)},
                        {QStringLiteral("serialDigits"), info.eightDigits ? 8 : 7},
                        {QStringLiteral("version"), QString::fromLatin1(info.version)},
                        {QStringLiteral("port"), portName(c)},
                        {QStringLiteral("allows"),
                         QJsonObject{{QStringLiteral("title"), model.title},
                                     {QStringLiteral("gainMax"), model.gainMax},
                                     {QStringLiteral("accel2x"), model.accel},
                                     {QStringLiteral("sortAndTestPattern"), model.sortAndTest},
                                     {QStringLiteral("balanceAndWhiteSpots"), model.balance}}}});
        return Success;
    }
    auto yesNo = [](bool yes) { return yes ? QStringLiteral("yes") : QStringLiteral("no"); };
    c.out.Out(QStringLiteral("Vendor:  %1").arg(QString::fromLatin1(info.vendorName)));
    c.out.Out(QStringLiteral("Model:   %1").arg(QString::fromLatin1(info.modelName)));
    c.out.Out(QStringLiteral("Serial:  %1 (%2 digits)")
                  .arg(QString::fromLatin1(info.serialNumber))
                  .arg(info.eightDigits ? 8 : 7));
    c.out.Out(QStringLiteral("Version: %1").arg(QString::fromLatin1(info.version)));
    c.out.Out(QStringLiteral("Title:   %1").arg(model.title));
    c.out.Out(QStringLiteral("Gain:    0 to %1").arg(model.gainMax));
    c.out.Out(QStringLiteral("2xACCEL: %1").arg(yesNo(model.accel)));
    c.out.Out(QStringLiteral("Sort and test pattern: %1").arg(yesNo(model.sortAndTest)));
    c.out.Out(QStringLiteral("Balance adjust, white spots and factory SET: %1")
                  .arg(yesNo(model.balance)));
    c.out.Out(QStringLiteral("Port:    %1").arg(portName(c)));
    return Success;
}

int ParamCommands::Save(CommandContext &c)
{
    c.camera.SetBulkProgress(
        [&c](int done, int total) { c.out.Progress(QStringLiteral("Reading"), done, total); });
    // Nothing is written unless every value came from the camera.
    if (c.camera.UploadAll() < 0)
        return CameraFailure;
    QString error;
    if (SettingsFile::Write(c.request.args.at(0), c.camera, &error) != SettingsFile::Ok) {
        c.out.Err(error);
        return FileFailure;
    }
    return Success;
}

int ParamCommands::ReadSettings(const QString &path, SettingsFile::Values *values,
                                CommandOutput &out, bool sending)
{
    QString error;
    switch (SettingsApply::ReadFile(path, values, &error)) {
    case SettingsApply::Readable:
        break;
    case SettingsApply::Unreadable:
        out.Err(error);
        return FileFailure;
    default:
        // diff never sends: say what it did not do.
        if (!sending)
            error.replace(QLatin1String("Nothing was sent to the camera."),
                          QLatin1String("Nothing was compared."));
        out.Err(error);
        return Usage;
    }
    return Success;
}

int ParamCommands::Load(CommandContext &c)
{
    SettingsFile::Values values{};
    // The file is checked before the port is opened.
    if (const int status = ReadSettings(c.request.args.at(0), &values, c.out))
        return status;
    if (const int connected = c.Connect())
        return connected;
    SettingsFile::Apply(values, &c.camera);
    c.camera.SetBulkProgress(
        [&c](int done, int total) { c.out.Progress(QStringLiteral("Writing"), done, total); });
    const bool sent = c.camera.SendAll() >= 0;
    if (c.request.json) {
        c.out.Json(QJsonObject{{QStringLiteral("file"), c.request.args.at(0)},
                               {QStringLiteral("written"), sent},
                               {QStringLiteral("rows"), ParamTable::CountWith(PF_WRITE_ALL)}});
    }
    return sent ? Success : CameraFailure;
}

int ParamCommands::FactorySet(CommandContext &c)
{
    const ::FactorySet::Result result = ::FactorySet::Run(::FactorySet::On(c.camera));
    switch (result.outcome) {
    case ::FactorySet::Finished:
        return PrintValues(c);
    case ::FactorySet::StillSetting:
        c.out.Err(QStringLiteral("the camera still reports Factory Set after %1 reads: it has not "
                                 "finished, and nothing was read back")
                      .arg(result.reads));
        return NotFinished;
    default: // reported by the step that failed
        return CameraFailure;
    }
}

int ParamCommands::WriteSerial(CommandContext &c)
{
    bool eightDigits = c.request.serialDigits == 8;
    if (!c.request.serialDigits) {
        // The panel's choice after start-up: the camera's own serial number.
        if (c.camera.UploadParam(Param::SerialNumberLast) < 0)
            return CameraFailure;
        eightDigits = CameraInfo::Decode(c.camera).eightDigits;
    }
    // The number itself is checked as WRITE checks it: after the access code.
    switch (SerialNumberService(c.camera)
                .WriteSerial(c.request.args.at(0), eightDigits)) {
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
