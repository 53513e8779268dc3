#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

class SimCamera;

// A text record of what the camera got and said, so a test on the far side
// of a pseudo-terminal or a library can check the exact bytes. One line each:
//   rx 05                      bytes as they arrived
//   tx 06                      bytes the camera sent
//   frame 02 30 31 ... 30 33   every complete frame, good or bad
//   payload 01FF010C012C00     every payload the camera acknowledged
class SimLog
{
public:
    // An empty path keeps no record.
    explicit SimLog(const QString &path);

    // Appends one exchange of bytes and whatever new frames and payloads the
    // camera saw on the way.
    void Record(const QByteArray &received, const QByteArray &sent, const SimCamera &camera);

private:
    void Line(const char *tag, const QByteArray &text);

    QFile m_file;
    int m_frames = 0;
    int m_payloads = 0;
};
