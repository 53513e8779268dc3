#include "camsimprocess.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>

CamsimProcess::CamsimProcess(const QString &program, const QStringList &options)
{
    m_link = m_dir.filePath(QStringLiteral("zqcam"));
    m_log = m_dir.filePath(QStringLiteral("camera.log"));
    m_process.start(program, options + QStringList{QStringLiteral("--link"), m_link,
                                                   QStringLiteral("--log"), m_log});
    QElapsedTimer clock;
    clock.start();
    while (!m_process.canReadLine() && clock.elapsed() < 5000 &&
           m_process.state() != QProcess::NotRunning)
        m_process.waitForReadyRead(100);
    m_ready = m_process.readLine().trimmed() == "zq-camsim: ready " + m_link.toLocal8Bit();
}

CamsimProcess::~CamsimProcess()
{
    m_process.terminate();
    if (!m_process.waitForFinished(3000))
        m_process.kill();
}

QByteArrayList CamsimProcess::Log(const QByteArray &prefix) const
{
    QFile file(m_log);
    QByteArrayList lines;
    if (file.open(QIODevice::ReadOnly)) {
        for (const QByteArray &line : file.readAll().split('\n')) {
            if (line.startsWith(prefix))
                lines.append(line);
        }
    }
    return lines;
}
