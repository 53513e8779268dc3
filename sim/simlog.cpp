#include "simlog.h"

#include "simcamera.h"

SimLog::SimLog(const QString &path)
{
    if (path.isEmpty())
        return;
    m_file.setFileName(path);
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text))
        qWarning("zq-camsim: cannot write the log %s", qPrintable(path));
}

void SimLog::Line(const char *tag, const QByteArray &text)
{
    m_file.write(tag);
    m_file.write(" ");
    m_file.write(text);
    m_file.write("\n");
}

void SimLog::Record(const QByteArray &received, const QByteArray &sent, const SimCamera &camera)
{
    if (!m_file.isOpen())
        return;
    if (!received.isEmpty())
        Line("rx", received.toHex(' ').toUpper());
    for (; m_frames < camera.Frames().size(); ++m_frames)
        Line("frame", camera.Frames().at(m_frames).toHex(' ').toUpper());
    for (; m_payloads < camera.Payloads().size(); ++m_payloads)
        Line("payload", camera.Payloads().at(m_payloads));
    if (!sent.isEmpty())
        Line("tx", sent.toHex(' ').toUpper());
    // A test reads the file while the camera runs.
    m_file.flush();
}
