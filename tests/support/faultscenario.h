#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// One fault-injection scenario of tests/faults/, read for one transport
// ("pty" for zq-camsim, "cl" for the Camera Link library). The file is
// "key: value" lines and "#" comments; a key ending in ".pty" or ".cl"
// holds for that transport only and wins over the plain key. The keys are
// described in tests/faults/README.
struct FaultScenario
{
    enum class Op
    {
        UploadAll,
        SendAll,
        UploadParam,
        SendParam,
        Zqctl
    };
    enum class Next
    {
        Unchecked,
        Works,
        FailsAtOnce
    };

    // False with *error set when the file is malformed; a scenario for
    // other transports only loads with runs == false.
    // The scenario files of a folder, by name.
    static QStringList Files(const QString &folder);
    // One QTest data row ("path") per scenario file of the folder.
    static void AddTestRows(const QString &folder);
    static bool Load(const QString &path, const QString &transport, FaultScenario *scenario,
                     QString *error);

    bool runs = true;
    QString description;
    QStringList simOptions;
    Op op = Op::UploadAll;
    int index = 0;
    int value = 0;
    QStringList zqctlArgs; // "{file}" stands for a settings file made by the test
    int code = 0;          // 0: the operation succeeds
    int reports = 0;
    int minMs = 0;
    int maxMs = 0;
    QList<int> updated;
    QList<int> kept;
    bool revive = false;
    Next next = Next::Unchecked;
    int exitCode = 0;
    bool fileUntouched = false;
    QString stdoutText; // zqctl's whole output, when given
};
