#pragma once

#include "commandcontext.h"
#include "commandtable.h"

#include <QList>
#include <QString>
#include <QStringList>

class CommandOutput;

// The camera from the command line: the command line parsed once, then the
// command's unit run on the camera of each channel named, each on a
// connection of its own.
class Zqctl
{
public:
    // Runs the command line (arguments without the program name) and
    // returns the process's exit status.
    int Run(const QStringList &arguments);

    // Opens the context's channel and says why when it would not.
    static int Connect(CommandContext &c);

private:
    int Dispatch(const QStringList &arguments, CommandOutput &out);
    int Parse(const QStringList &arguments, QString *command, CommandOutput &out);
    // The command on one camera, its lines into out.
    int RunOn(const CommandTable::Row &row, const NamedChannel &channel, CommandOutput &out) const;
    int RunOnChannels(const CommandTable::Row &row, CommandOutput &out) const;

    CommandRequest m_request;
    unsigned m_given = 0;           // the command options given
    QList<NamedChannel> m_channels; // each --device, --com and --cl-port in turn, then --devices
    bool m_several = false;
    QString m_devicesFile;
    QString m_tracePath;
};
