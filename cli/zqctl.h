#pragma once

#include <QString>
#include <QStringList>

#include <memory>

class TerminalNotifier;
class TraceLog;

// The camera from the command line: the same channel, protocol and
// parameter code as the desktop program, one command per run.
class Zqctl
{
public:
    enum Exit { Success = 0, Usage = 1, CameraFailure = 2, FileFailure = 3 };

    Zqctl();
    ~Zqctl();

    // Runs the command line (arguments without the program name) and
    // returns the process's exit status.
    int Run(const QStringList &arguments);

    static QString HelpText();

private:
    int Connect();
    int Dispatch(const QString &command, const QStringList &args, bool json);
    int ReadAll(bool json);
    int Get(const QStringList &args);
    int Set(const QStringList &args);
    int Info();
    int Save(const QString &path);
    int Load(const QString &path);
    int Send(const QString &payload, bool withReply);
    int WriteSerial(const QString &number);
    int UsageError(const QString &message);

    QString m_device;
    QString m_library;
    int m_comNumber = 1;
    int m_baudRate = 9600;
    int m_serialDigits = 0; // write-serial --digits; 0 follows the camera
    std::unique_ptr<TerminalNotifier> m_notifier;
    std::unique_ptr<TraceLog> m_trace;
};
