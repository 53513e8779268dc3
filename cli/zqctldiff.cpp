// zqctl diff: the camera, or a second file, against a settings file.
#include "zqctl.h"

#include "camera/camerainfo.h"
#include "camera/paneltables.h"
#include "camera/readoutformat.h"
#include "camera/settingsapply.h"
#include "camera/thecamera.h"
#include "comm/errorstate.h"
#include "terminalnotifier.h"

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

int Zqctl::Diff(const QStringList &args)
{
    return Compare(args, false, {});
}

int Zqctl::Apply(const QStringList &args)
{
    SettingsFile::Values values{};
    if (const int status = ReadSettings(args.at(0), &values))
        return status;
    if (const int connected = Connect())
        return connected;
    // Row by row rather than as load does: a refused row does not end the run.
    QList<int> refused;
    if (SettingsApply::Write(theCamera, values, &refused, [this](int done, int total) {
            m_notifier->ShowProgress(QStringLiteral("Writing"), done, total);
        }) < 0) {
        theCamera.ReportError();
        return CameraFailure;
    }
    return Compare(args, true, refused);
}

int Zqctl::Compare(const QStringList &args, bool applied, const QList<int> &refused)
{
    // The rows that opening a file sends; --all adds every row the camera
    // reads: the adjustments, the sub voltage and the camera information.
    const quint8 flags = m_all ? PF_WRITE_ALL | PF_READ : PF_WRITE_ALL;
    auto compared = [flags](int index) { return (ParamTable::Row(index).flags & flags) != 0; };

    Side expected, actual;
    // Both files are checked before the port is opened.
    if (const int status = ReadSettings(args.at(0), &expected.values))
        return status;
    const bool withCamera = args.size() == 1;
    if (!withCamera) {
        if (const int status = ReadSettings(args.at(1), &actual.values))
            return status;
    } else {
        if (!applied) {
            if (const int connected = Connect())
                return connected;
        }
        int total = 0, done = 0;
        for (int i = 0; i < PARAM_COUNT; ++i)
            total += compared(i) ? 1 : 0;
        // Reads only: the camera keeps every setting it holds.
        for (int i = 0; i < PARAM_COUNT; ++i) {
            if (!compared(i))
                continue;
            if (theCamera.UploadParam(i) < 0)
                return CameraFailure;
            m_notifier->ShowProgress(QStringLiteral("Reading"), ++done, total);
        }
        for (int i = 0; i < PARAM_COUNT; ++i)
            actual.values[i] = theCamera.GetValue(i);
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
        if (m_json) {
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
        Out(line);
    }
    if (m_json) {
        const QJsonObject result{
            {QStringLiteral("file"), args.at(0)},
            {QStringLiteral("against"), withCamera ? QStringLiteral("camera") : args.at(1)},
            {QStringLiteral("rows"), m_all ? QStringLiteral("all") : QStringLiteral("writable")},
            {QStringLiteral("applied"), applied},
            {QStringLiteral("equal"), found == 0},
            {QStringLiteral("differences"), differences}};
        OutJson(result);
    }
    return found ? Differs : Success;
}
