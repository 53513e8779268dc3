#pragma once

#include "commandcontext.h"

#include <QList>
#include <QString>

#include <functional>

class CommandOutput;

// One zqctl command on several cameras at once: a thread per camera, each on
// a connection of its own, all started together, so a line of cameras takes
// the time of its slowest camera. The ports of a Camera Link library are
// run one after another. Every line a channel prints starts with the
// channel's name, each channel's lines together and in the order given;
// with --json the channels' results are one array. The exit status is the
// worst of the channels' (WorstOf), and a summary line goes to stderr.
class ChannelRunner
{
public:
    // A channel as the user names it: a device, "com:N" or "cl-port:N",
    // optionally followed by its rate. False with the reason when malformed.
    static bool Parse(const QString &text, NamedChannel *channel, QString *error);
    // One channel a line; "#" starts a comment; a line of scan's output
    // names its device and rate, the rest of it is ignored.
    static bool ReadList(const QString &path, QList<NamedChannel> *channels, QString *error);
    // The status that speaks for all: camera failure, file, not finished,
    // usage, differs, success, from the worst down.
    static int WorstOf(const QList<int> &statuses);
    // A device as the user typed it: a path relative to the current
    // directory; a bare name (ttyUSB0) is left for the port to find in /dev.
    static QString DevicePath(const QString &typed);

    // The command on one camera, its lines kept in the output it is given.
    using RunOne = std::function<int(const NamedChannel &channel, CommandOutput &out)>;

    // comparing: diff and apply, whose summary counts agreement.
    ChannelRunner(CommandOutput &out, bool json, bool comparing);
    int Run(const QList<NamedChannel> &channels, const RunOne &run);

private:
    void Print(const NamedChannel &channel, int status, const CommandOutput &kept);
    void Summarise(const QList<int> &statuses);

    CommandOutput &m_out;
    bool m_json;
    bool m_comparing;
    QByteArray m_jsonArray; // the channels' objects, in channel order
};
