#pragma once

#include "settingsfile.h"

#include <QList>

#include <functional>

class CameraData;

// A settings file against a camera: written row by row, so that a row the
// camera refuses is its answer for that row and the rows after it still go
// out, and compared row by row with what the camera (or another file) holds.
class SettingsApply
{
public:
    struct Difference
    {
        int index;
        qint32 expected; // the file's value
        qint32 actual;   // the camera's, or the second file's
        bool refused;    // the camera refused the file's value
    };
    using Progress = std::function<void(int done, int total)>;

    enum FileCheck
    {
        Readable,
        Unreadable, // missing, foreign, short or empty
        Uncarried,  // a value a write-all would send cut short
    };
    // Reads a settings file whole and checks every row it would send before
    // anything is; *error says why when it is not Readable.
    static FileCheck ReadFile(const QString &path, SettingsFile::Values *values, QString *error);

    // Every PF_WRITE_ALL row of the file; the rows the camera refused go to
    // *refused. Any other failure ends the run: minus its code (recorded).
    static int Write(CameraData &camera, const SettingsFile::Values &values, QList<int> *refused,
                     const Progress &progress = {});
    // Reads every row with one of the flags from the camera into *actual,
    // without writing anything; 0 or minus the code.
    static int Read(CameraData &camera, quint8 flags, SettingsFile::Values *actual,
                    const Progress &progress = {});
    // The rows with one of the flags whose values differ, and the refused ones.
    static QList<Difference> Differences(const SettingsFile::Values &expected,
                                         const SettingsFile::Values &actual, quint8 flags,
                                         const QList<int> &refused = {});
};
