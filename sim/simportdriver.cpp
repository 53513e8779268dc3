#include "simportdriver.h"

#include "simpeer.h"

SimPortDriver::SimPortDriver(SimPeer *peer) : m_peer(peer) {}

bool SimPortDriver::Open(const QString &device)
{
    m_device = device;
    // A dead line is a device that has gone away: it cannot be opened either.
    if (m_openFails || m_dead)
        return false;
    ++m_opens;
    m_open = true;
    return true;
}

bool SimPortDriver::Configure(int baud, int byteSize, int stopBits, int parity)
{
    if (!m_open || baud <= 0 || byteSize != 8 || stopBits != 0 || parity != 0)
        return false;
    m_baud = baud;
    return true;
}

qint64 SimPortDriver::ByteTimeUs() const
{
    return 10'000'000 / m_baud; // start bit, 8 data bits, stop bit
}

void SimPortDriver::Queue(const QByteArray &bytes, qint64 fromUs)
{
    qint64 at = fromUs;
    if (!m_incoming.isEmpty())
        at = qMax(at, m_incoming.last().atUs);
    for (char c : bytes) {
        at += ByteTimeUs();
        m_incoming.append({at, c});
    }
}

void SimPortDriver::InjectIncoming(const QByteArray &bytes, qint64 atMs)
{
    Queue(bytes, atMs * 1000);
}

qint64 SimPortDriver::Write(const char *data, qint64 count, qint64 timeoutMs)
{
    if (!m_open || m_dead) {
        m_lineErrors |= CE_IOE;
        return -1;
    }
    qint64 n = count;
    if (m_shortWrite >= 0) {
        n = qMin(count, m_shortWrite);
        m_shortWrite = -1;
    }
    const QByteArray bytes(data, int(n));
    m_sent += bytes;
    m_nowUs += n * ByteTimeUs();
    if (n < count)
        m_nowUs += timeoutMs * 1000; // the driver waited its time-out for the rest
    if (m_peer && n > 0)
        Queue(m_peer->Receive(bytes), m_nowUs + m_latencyUs);
    return n;
}

qint64 SimPortDriver::ReadAvailable(char *buffer, qint64 maxCount)
{
    if (!m_open || m_dead) {
        m_lineErrors |= CE_IOE;
        return -1;
    }
    qint64 n = 0;
    while (n < maxCount && !m_incoming.isEmpty() && m_incoming.first().atUs <= m_nowUs)
        buffer[n++] = m_incoming.takeFirst().byte;
    return n;
}

bool SimPortDriver::WaitReadable(qint64 deadlineMs)
{
    ++m_waits;
    if (!m_open || m_dead)
        return true;
    const qint64 deadlineUs = (deadlineMs + 1) * 1000; // just past the deadline
    if (!m_incoming.isEmpty() && m_incoming.first().atUs < deadlineUs) {
        m_nowUs = qMax(m_nowUs, m_incoming.first().atUs);
        return true;
    }
    m_nowUs = qMax(m_nowUs, deadlineUs);
    return false;
}

bool SimPortDriver::Purge(quint32 purgeFlags)
{
    if (!m_open)
        return false;
    ++m_purges;
    if (purgeFlags & (PURGE_RXCLEAR | PURGE_RXABORT)) {
        // Only what has already arrived is discarded; bytes still on the line come in later.
        while (!m_incoming.isEmpty() && m_incoming.first().atUs <= m_nowUs)
            m_incoming.removeFirst();
    }
    return true;
}

quint32 SimPortDriver::TakeLineErrors()
{
    const quint32 flags = m_lineErrors;
    m_lineErrors = m_dead ? quint32(CE_IOE) : 0;
    return flags;
}
