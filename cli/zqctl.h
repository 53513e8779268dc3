#pragma once

#include "camera/registerpage.h"
#include "camera/settingsfile.h"
#include "channelrunner.h"

#include <QString>
#include <QStringList>

#include <memory>

class ReplyWatch;
class TerminalNotifier;
class TraceLog;

// The camera from the command line: the same channel, protocol and
// parameter code as the desktop program, and the same service-dialog logic,
// one command per run.
class Zqctl
{
public:
    enum Exit
    {
        Success = 0,
        Usage = 1, // bad usage, or a value or entry refused before sending
        CameraFailure = 2,
        FileFailure = 3,
        NotFinished = 4, // the camera did not finish: detection or factory set
        Differs = 5      // diff found settings that are not the file's
    };

    Zqctl();
    ~Zqctl();

    // Runs the command line (arguments without the program name) and
    // returns the process's exit status.
    int Run(const QStringList &arguments);

    // The --help text, made from the command and option tables.
    static QString HelpText();

    // A line on stdout; a "zqctl: " line on stderr.
    static void Out(const QString &line);
    static void Err(const QString &line);

private:
    // Options that go with some commands only.
    enum Option : unsigned
    {
        OptJson = 1 << 0,
        OptDigits = 1 << 1,
        OptEeprom = 1 << 2,
        OptDetect = 1 << 3,
        OptThreshold = 1 << 4,
        OptTimeLimit = 1 << 5,
        OptForce = 1 << 6,
        OptAll = 1 << 7,
    };
    static constexpr unsigned kLastOption = OptAll;
    using Step = int (Zqctl::*)(const QStringList &args);
    struct Command
    {
        const char *name;
        const char *arguments; // as the usage shows them
        int minArgs;
        int maxArgs;
        unsigned options;
        bool offline; // needs no camera, or opens the port itself
        Step check;   // checks the arguments before the port is opened; may be null
        Step run;
        const char *section; // the heading the help lists it under
        const char *help;    // what it does, then an example, one line each
    };
    static const Command kCommands[];
    static const int kCommandCount;
    static const Command *FindCommand(const QString &name);
    // "--digits 7|8"
    static QString OptionUsage(Option option);
    // "set PARAM VALUE [--force]"
    static QString UsageLine(const Command &command);

    int Connect();
    int Dispatch(const QString &command, const QStringList &args, unsigned given);
    // Several channels: the command runs on each at once (channelrunner.cpp).
    bool SeveralChannels() const;
    int RunOnChannels(const Command &command, const QStringList &args);
    int UsageError(const QString &message);

    // Parameters and settings (zqctlparams.cpp).
    // What the connected camera's model allows (reads its name and version).
    int ReadModel(class CameraModel *model);
    int CheckIndex(const QStringList &args);
    int CheckSet(const QStringList &args);
    int Params(const QStringList &args);
    int ReadAll(const QStringList &args);
    int PrintValues();
    int Get(const QStringList &args);
    int Set(const QStringList &args);
    int Info(const QStringList &args);
    int Save(const QStringList &args);
    int Load(const QStringList &args);
    // Reads a settings file as load checks it; 0, or the exit status after
    // saying why it was refused.
    int ReadSettings(const QString &path, SettingsFile::Values *values);
    int FactorySetCommand(const QStringList &args);
    int WriteSerial(const QStringList &args);

    // Comparing settings with a file (zqctldiff.cpp).
    int Diff(const QStringList &args);
    // Load, read back, compare: the rows the camera refused or changed.
    int Apply(const QStringList &args);
    // diff's comparison; after apply, also of the rows the camera refused.
    int Compare(const QStringList &args, bool applied, const QList<int> &refused);

    // Looking for cameras (zqctlscan.cpp).
    int Scan(const QStringList &args);

    // The computer's serial ports (zqctlports.cpp).
    int Ports(const QStringList &args);

    // Raw commands and the service dialogs' work (zqctlservice.cpp).
    int CheckPayload(const QStringList &args);
    int Send(const QStringList &args);
    int Query(const QStringList &args);
    int CheckRegRow(const QStringList &args);
    int CheckRegRead(const QStringList &args);
    int CheckRegDump(const QStringList &args);
    int RegWrite(const QStringList &args);
    int RegRead(const QStringList &args);
    int RegDump(const QStringList &args);
    int RegUnlock(const QStringList &args);
    int WhiteSpots(const QStringList &args);
    // Runs a detection; *outcome the camera's outcome text when it gave one.
    int Detect(QString *outcome);
    int RegRefused(const QString &detail);
    // A JSON document on stdout.
    static void OutJson(const class QJsonValue &value);

    QStringList m_arguments;                  // as given, for the runs on several channels
    QList<ChannelRunner::Channel> m_channels; // each --device and --com in turn
    QString m_devicesFile;
    // The Camera Link libraries where the standard keeps them (zqctlcllibraries.cpp).
    int ClLibraries(const QStringList &args);

    QString m_device;
    QString m_library;
    int m_comNumber = 1;
    int m_baudRate = 9600;
    bool m_baudGiven = false; // a grabber's port keeps its library's rate without --baud
    int m_clPort = -1;        // -1: not given, the first port
    int m_serialDigits = 0; // write-serial --digits; 0 follows the camera
    bool m_json = false;
    bool m_force = false;
    bool m_all = false; // diff --all: the read-only rows too
    bool m_detect = false;
    int m_threshold = -1;       // white-spots --threshold; -1 leaves it
    int m_timeLimitMs = 120000; // white-spots --time-limit; 0 waits for ever
    RegisterPage::Mode m_mode = RegisterPage::Fpga;
    // What the checks made of the arguments, for the command to use.
    int m_index = 0;
    int m_value = 0;
    QString m_payload;
    RegisterPage::Area m_area = RegisterPage::Tg;
    int m_page = 0;
    RegisterPage::Row m_row;
    std::unique_ptr<TerminalNotifier> m_notifier;
    std::unique_ptr<TraceLog> m_trace;
    ReplyWatch *m_watch = nullptr; // owned by theCamera's channel
};
