#include "tracelog.h"

#include <QTime>

TraceLog::TraceLog(const QString &path) : m_file(path)
{
    m_file.open(QIODevice::WriteOnly | QIODevice::Append);
}

TraceLog::~TraceLog()
{
    Flush();
}

void TraceLog::Record(Direction direction, const char *bytes, int count)
{
    if (count <= 0)
        return;
    if (!m_pending.isEmpty() && direction != m_direction)
        Flush();
    if (m_pending.isEmpty()) {
        m_direction = direction;
        m_pendingTime = QTime::currentTime().toString(QStringLiteral("hh:mm:ss.zzz")).toLatin1();
    }
    m_pending.append(bytes, count);
}

void TraceLog::Note(const QByteArray &text)
{
    Flush();
    if (!m_file.isOpen())
        return;
    m_file.write(QTime::currentTime().toString(QStringLiteral("hh:mm:ss.zzz")).toLatin1() + " -- " +
                 text + '\n');
    m_file.flush();
}

void TraceLog::Flush()
{
    if (m_pending.isEmpty())
        return;
    if (m_file.isOpen()) {
        m_file.write(FormatLine(m_pendingTime, m_direction, m_pending));
        m_file.flush(); // a trace must survive the program dying right after
    }
    m_pending.clear();
}

QByteArray TraceLog::FormatLine(const QByteArray &time, Direction direction,
                                const QByteArray &bytes)
{
    QByteArray text = bytes;
    for (char &c : text) {
        if (c < 0x20 || c > 0x7E)
            c = '.';
    }
    return time + (direction == Sent ? " TX " : " RX ") + bytes.toHex(' ').toUpper() + " |" +
           text + "|\n";
}
