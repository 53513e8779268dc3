#include "settingsapply.h"

#include "cameradata.h"

SettingsApply::FileCheck SettingsApply::ReadFile(const QString &path, SettingsFile::Values *values,
                                                 QString *error)
{
    const SettingsFile::Status status = SettingsFile::Read(path, values, error);
    if (status == SettingsFile::Empty)
        *error = QStringLiteral("\"%1\" is empty: it holds no settings").arg(path);
    if (status != SettingsFile::Ok)
        return Unreadable;
    const int uncarried = SettingsFile::FirstUncarried(*values);
    if (uncarried >= 0) {
        *error = QStringLiteral("\"%1\": %2")
                     .arg(path, SettingsFile::UncarriedMessage(uncarried, (*values)[uncarried]));
        return Uncarried;
    }
    return Readable;
}

int SettingsApply::Write(CameraData &camera, const SettingsFile::Values &values,
                         QList<int> *refused, const Progress &progress)
{
    const int total = ParamTable::CountWith(PF_WRITE_ALL);
    int done = 0;
    for (int i = 0; i < PARAM_COUNT; ++i) {
        if (!(ParamTable::Row(i).flags & PF_WRITE_ALL))
            continue;
        if (camera.WriteParam(i, values[i]) < 0) {
            // The camera's NAK is its refusal of this value; anything else is the line.
            if (camera.GetErrorCode() != ERR_UNEXPECTED)
                return -camera.GetErrorCode();
            refused->append(i);
        }
        if (progress)
            progress(++done, total);
    }
    return 0;
}

int SettingsApply::Read(CameraData &camera, quint8 flags, SettingsFile::Values *actual,
                        const Progress &progress)
{
    int total = 0, done = 0;
    for (int i = 0; i < PARAM_COUNT; ++i)
        total += (ParamTable::Row(i).flags & flags) ? 1 : 0;
    for (int i = 0; i < PARAM_COUNT; ++i) {
        if (!(ParamTable::Row(i).flags & flags))
            continue;
        if (camera.ReadParam(i) < 0)
            return -camera.GetErrorCode();
        if (progress)
            progress(++done, total);
    }
    for (int i = 0; i < PARAM_COUNT; ++i)
        (*actual)[i] = camera.GetValue(i);
    return 0;
}

QList<SettingsApply::Difference> SettingsApply::Differences(const SettingsFile::Values &expected,
                                                            const SettingsFile::Values &actual,
                                                            quint8 flags, const QList<int> &refused)
{
    QList<Difference> rows;
    for (int i = 0; i < PARAM_COUNT; ++i) {
        const bool wasRefused = refused.contains(i);
        if (!(ParamTable::Row(i).flags & flags) || (expected[i] == actual[i] && !wasRefused))
            continue;
        rows.append({i, expected[i], actual[i], wasRefused});
    }
    return rows;
}
