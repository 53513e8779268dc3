#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// A record of every byte crossing the serial channel, for seeing what a
// camera really said. One line per change of direction:
//   14:20:01.123 TX 05 |.|
//   14:20:01.125 RX 06 |.|
//   14:20:02.130 -- clSerialRead -10004 (time-out)
// with the time of the line's first byte, the bytes in hex and as text
// (anything unprintable as a dot). Lines are appended to the file.
class TraceLog
{
public:
    enum Direction { Sent, Received };

    explicit TraceLog(const QString &path);
    ~TraceLog();

    bool IsOpen() const { return m_file.isOpen(); }
    QString ErrorString() const { return m_file.errorString(); }

    void Record(Direction direction, const char *bytes, int count);
    // A line of its own after the bytes so far: "14:20:01.130 -- text".
    void Note(const QByteArray &text);
    // Writes out the line being gathered.
    void Flush();

    static QByteArray FormatLine(const QByteArray &time, Direction direction,
                                 const QByteArray &bytes);

private:
    QFile m_file;
    QByteArray m_pending;
    QByteArray m_pendingTime;
    Direction m_direction = Sent;
};
