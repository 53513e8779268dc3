// zqctl diff: the camera, or a second file, against a settings file.
#include "diffcommands.h"

#include "commandoutput.h"
#include "commandtable.h"

#include "camera/cameradata.h"
#include "camera/camerainfo.h"
#include "camera/paneltables.h"
#include "camera/readoutformat.h"
#include "camera/settingsapply.h"
#include "comm/errorstate.h"
#include "paramcommands.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>

namespace {

struct Side
{
    SettingsFile::Values values{};
    CameraInfo info;

    void Decode()
    {
        ParamStore store;
        SettingsFile::Apply(values, &store);
        info = CameraInfo::Decode(store);
    }

    // What the panel shows for the row beside its slider, on its button or
    // in the camera information; false where it shows no text.
    bool Readout(int index, QString *text) const
    {
        if (PanelTables::HasChoices(index)) {
            *text = PanelTables::ChoiceCaption(index, values[index]);
            return !text->isEmpty();
        }
        if (ReadoutFormat::Has(index)) {
            *text = ReadoutFormat::Text(index, values[index]).trimmed();
            return true;
        }
        QByteArray decoded;
        if (!info.TextOf(index, &decoded))
            return false;
        *text = QString::fromLatin1(decoded);
        return true;
    }
};

} // namespace

int DiffCommands::Diff(CommandContext &c)
{
    return Compare(c, false, {});
}

int DiffCommands::Apply(CommandContext &c)
{
    SettingsFile::Values values{};
    if (const int status = ParamCommands::ReadSettings(c.request.args.at(0), &values, c.out))
        return status;
    if (const int connected = c.Connect())
        return connected;
    // Row by row rather than as load does: a refused row does not end the run.
    QList<int> refused;
    if (SettingsApply::Write(c.camera, values, &refused, [&c](int done, int total) {
            c.out.Progress(QStringLiteral("Writing"), done, total);
        }) < 0) {
        c.camera.ReportError();
        return CameraFailure;
    }
    return Compare(c, true, refused);
}

int DiffCommands::Compare(CommandContext &c, bool applied, const QList<int> &refused)
{
    // The rows that opening a file sends; --all adds every row the camera
    // reads: the adjustments, the sub voltage and the camera information.
    const quint8 flags = c.request.all ? PF_WRITE_ALL | PF_READ : PF_WRITE_ALL;

    Side expected, actual;
    // Both files are checked before the port is opened.
    if (const int status =
            ParamCommands::ReadSettings(c.request.args.at(0), &expected.values, c.out, applied))
        return status;
    const bool withCamera = c.request.args.size() == 1;
    if (!withCamera) {
        if (const int status =
                ParamCommands::ReadSettings(c.request.args.at(1), &actual.values, c.out, false))
            return status;
    } else {
        if (!applied) {
            if (const int connected = c.Connect())
                return connected;
        }
        // Reads only: the camera keeps every setting it holds.
        if (SettingsApply::Read(c.camera, flags, &actual.values, [&c](int done, int total) {
                c.out.Progress(QStringLiteral("Reading"), done, total);
            }) < 0) {
            c.camera.ReportError();
            return CameraFailure;
        }
    }
    expected.Decode();
    actual.Decode();

    QJsonArray differences;
    int found = 0;
    for (const SettingsApply::Difference &difference :
         SettingsApply::Differences(expected.values, actual.values, flags, refused)) {
        const int i = difference.index;
        const bool wasRefused = difference.refused;
        ++found;
        const QString name = ParamTable::GetParamName(i);
        // After apply: what became of the file's value.
        const QString outcome = wasRefused ? QStringLiteral("refused") : QStringLiteral("changed");
        QString expectedText, actualText;
        const bool shown = expected.Readout(i, &expectedText) && actual.Readout(i, &actualText);
        if (c.request.json) {
            QJsonObject row{{QStringLiteral("index"), i},
                            {QStringLiteral("name"), name},
                            {QStringLiteral("expected"), expected.values[i]},
                            {QStringLiteral("actual"), actual.values[i]}};
            if (applied)
                row.insert(QStringLiteral("outcome"), outcome);
            if (shown) {
                row.insert(QStringLiteral("expectedText"), expectedText);
                row.insert(QStringLiteral("actualText"), actualText);
            }
            differences.append(row);
            continue;
        }
        QString line = QStringLiteral("%1\t%2\t%3\t%4")
                           .arg(i)
                           .arg(name)
                           .arg(expected.values[i])
                           .arg(actual.values[i]);
        if (applied)
            line += QLatin1Char('\t') + outcome;
        if (shown)
            line += QStringLiteral("\t%1\t%2").arg(expectedText, actualText);
        c.out.Out(line);
    }
    if (c.request.json) {
        const QJsonObject result{{QStringLiteral("file"), c.request.args.at(0)},
                                 {QStringLiteral("against"),
                                  withCamera ? QStringLiteral("camera") : c.request.args.at(1)},
                                 {QStringLiteral("rows"), c.request.all
                                                              ? QStringLiteral("all")
                                                              : QStringLiteral("writable")},
                                 {QStringLiteral("applied"), applied},
                                 {QStringLiteral("equal"), found == 0},
                                 {QStringLiteral("differences"), differences}};
        c.out.Json(result);
    }
    return found ? Differs : Success;
}
