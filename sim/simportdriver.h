#pragma once

#include "comm/portdriver.h"

#include <QByteArray>
#include <QList>

class SimPeer;

// A COM port whose far end is a SimPeer, on virtual time: waiting costs no
// wall time, so a camera's 16-second silence is tested in microseconds.
// Bytes move at the configured baud rate (10 bits a byte); the peer answers
// after a fixed latency.
class SimPortDriver : public PortDriver
{
public:
    explicit SimPortDriver(SimPeer *peer);

    bool Open(const QString &device) override;
    bool IsOpen() const override { return m_open; }
    void Close() override { m_open = false; }
    bool Configure(int baud, int byteSize, int stopBits, int parity) override;
    qint64 Write(const char *data, qint64 count, qint64 timeoutMs) override;
    qint64 ReadAvailable(char *buffer, qint64 maxCount) override;
    bool WaitReadable(qint64 deadlineMs) override;
    bool Purge(quint32 purgeFlags) override;
    quint32 TakeLineErrors() override;
    qint64 NowMs() override { return m_nowUs / 1000; }
    void Pause(qint64 ms) override { m_nowUs += qMax<qint64>(ms, 0) * 1000; }

    // Test controls.
    void SetPeer(SimPeer *peer) { m_peer = peer; }
    // Opening fails, for the reason given ("DEVICE: reason" is what WhyNotOpen says).
    void SetOpenFails(bool fails,
                      const QString &reason = QStringLiteral("No such file or directory"))
    {
        m_openFails = fails;
        m_openFailure = reason;
    }
    QString WhyNotOpen(const QString &device) override
    {
        return device + QStringLiteral(": ") + m_openFailure;
    }
    // The line goes dead: every later read and write fails at once (I/O error),
    // and the device will not open until it is alive again.
    void SetDead(bool dead) { m_dead = dead; }
    // Writes stop after this many bytes of the next write (then time out).
    void SetShortWrite(qint64 bytes) { m_shortWrite = bytes; }
    // Flags reported by the next TakeLineErrors, as if the line had them.
    void InjectLineErrors(quint32 flags) { m_lineErrors |= flags; }
    // Bytes that arrive at the given virtual time, whatever the peer says.
    void InjectIncoming(const QByteArray &bytes, qint64 atMs);
    void AdvanceMs(qint64 ms) { m_nowUs += ms * 1000; }

    QString Device() const { return m_device; }
    int Baud() const { return m_baud; }
    const QByteArray &Sent() const { return m_sent; }
    void ClearSent() { m_sent.clear(); }
    int PurgeCount() const { return m_purges; }
    int OpenCount() const { return m_opens; }
    int WaitCount() const { return m_waits; }

private:
    struct Pending
    {
        qint64 atUs;
        char byte;
    };
    qint64 ByteTimeUs() const;
    void Queue(const QByteArray &bytes, qint64 fromUs);

    SimPeer *m_peer = nullptr;
    QList<Pending> m_incoming;
    QByteArray m_sent;
    QString m_device;
    QString m_openFailure;
    qint64 m_nowUs = 1000000; // not zero, so deadlines near the start are ordinary
    const qint64 m_latencyUs = 200;
    qint64 m_shortWrite = -1;
    quint32 m_lineErrors = 0;
    int m_baud = 9600;
    int m_purges = 0;
    int m_opens = 0;
    int m_waits = 0;
    bool m_open = false;
    bool m_openFails = false;
    bool m_dead = false;
};
