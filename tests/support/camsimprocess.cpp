#include "camsimprocess.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>

CamsimProcess::CamsimProcess(const QString &program, const QStringList &options)
    : m_program(program)
{
    m_link = m_dir.filePath(QStringLiteral("zqcam"));
    m_log = m_dir.filePath(QStringLiteral("camera.log"));
    m_arguments =
        options + QStringList{QStringLiteral("--link"), m_link, QStringLiteral("--log"), m_log};
    Start();
}

CamsimProcess::~CamsimProcess()
{
    Stop();
}

bool CamsimProcess::Start()
{
    m_process.start(m_program, m_arguments);
    QElapsedTimer clock;
    clock.start();
    while (!m_process.canReadLine() && clock.elapsed() < 5000 &&
           m_process.state() != QProcess::NotRunning)
        m_process.waitForReadyRead(100);
    m_ready = m_process.readLine().trimmed() == "zq-camsim: ready " + m_link.toLocal8Bit();
    return m_ready;
}

void CamsimProcess::Stop()
{
    m_process.terminate();
    if (!m_process.waitForFinished(3000))
        m_process.kill();
    m_process.waitForFinished(3000);
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
