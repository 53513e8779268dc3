#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

// One run of a program of ours (zqctl) to its end: exit status, both
// outputs and the time it took. exitCode is -1 when it did not end within
// the minute, -2 when it crashed.
struct ProcessRun
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
    qint64 ms = 0;

    struct Options
    {
        QString workingDirectory;
        std::function<void()> asChild; // run in the child before exec
    };
    static ProcessRun Of(const QString &program, const QStringList &arguments,
                         const Options &options);
    static ProcessRun Of(const QString &program, const QStringList &arguments)
    {
        return Of(program, arguments, Options());
    }
    // A program's output with the system's line ends as "\n": Windows'
    // console programs end their lines with "\r\n".
    static QByteArray Lines(QByteArray output);
};
