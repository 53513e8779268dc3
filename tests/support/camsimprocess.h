#pragma once

#include <QByteArrayList>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

// zq-camsim as a child process serving a pseudo-terminal, linked from a
// temporary directory, with its record of what it received.
class CamsimProcess
{
public:
    explicit CamsimProcess(const QString &program, const QStringList &options = {});
    ~CamsimProcess();

    bool IsReady() const { return m_ready; }
    QString Link() const { return m_link; }
    QString LogPath() const { return m_log; }
    QProcess &Process() { return m_process; }
    // Ends the camera, and starts it again on the same link: a camera
    // switched off and on, or a converter unplugged and plugged in.
    void Stop();
    bool Start();
    // Lines of the record that start with the prefix; each line starts with
    // its tag: "rx", "tx", "frame" or "payload".
    QByteArrayList Log(const QByteArray &prefix) const;

private:
    QTemporaryDir m_dir;
    QString m_program;
    QStringList m_arguments;
    QString m_link;
    QString m_log;
    QProcess m_process;
    bool m_ready = false;
};
