#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// One zqctl command on several cameras at once: a zqctl process per channel,
// all started together, so a line of cameras takes the time of its slowest
// camera. Every line a channel prints starts with the channel's name; with
// --json the channels' results are one array. The exit status is the worst
// of the channels' (WorstOf), and a summary line goes to stderr.
class ChannelRunner
{
public:
    struct Channel
    {
        QString name;
        QStringList options; // what names the channel for zqctl: --device PATH [--baud N]
    };

    // A channel as the user names it: a device, "com:N" or "cl-port:N",
    // optionally followed by its rate. False with the reason when malformed.
    static bool Parse(const QString &text, Channel *channel, QString *error);
    // One channel a line; "#" starts a comment; a line of scan's output
    // names its device and rate, the rest of it is ignored.
    static bool ReadList(const QString &path, QList<Channel> *channels, QString *error);
    // The status that speaks for all: camera failure, file, not finished,
    // usage, differs, success, from the worst down.
    static int WorstOf(const QList<int> &statuses);

    // commandLine: zqctl's arguments without any channel; comparing: diff
    // and apply, whose summary counts agreement.
    ChannelRunner(const QString &program, const QStringList &commandLine, bool json,
                  bool comparing);
    int Run(const QList<Channel> &channels);

private:
    struct Outcome
    {
        int status = 0;
        QByteArray out;
        QByteArray err;
    };
    void Print(const Channel &channel, const Outcome &outcome);
    void Summarise(const QList<int> &statuses);

    QString m_program;
    QStringList m_commandLine;
    bool m_json;
    bool m_comparing;
    QByteArray m_jsonArray; // the channels' objects, in channel order
};
