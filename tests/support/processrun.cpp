#include "processrun.h"

#include <QElapsedTimer>
#include <QProcess>

ProcessRun ProcessRun::Of(const QString &program, const QStringList &arguments,
                          const Options &options)
{
    QProcess p;
    if (!options.workingDirectory.isEmpty())
        p.setWorkingDirectory(options.workingDirectory);
#ifdef Q_OS_UNIX
    if (options.asChild)
        p.setChildProcessModifier(options.asChild);
#endif
    QElapsedTimer clock;
    clock.start();
    p.start(program, arguments);
    ProcessRun run;
    if (!p.waitForFinished(60000)) {
        p.kill();
        p.waitForFinished();
        return run;
    }
    run.ms = clock.elapsed();
    run.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
    run.out = Lines(p.readAllStandardOutput());
    run.err = Lines(p.readAllStandardError());
    return run;
}

QByteArray ProcessRun::Lines(QByteArray output)
{
#ifdef Q_OS_WIN
    output.replace("\r\n", "\n");
#endif
    return output;
}
