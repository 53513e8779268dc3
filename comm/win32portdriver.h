#pragma once

#include "lineerrorcounter.h"
#include "lowlatency.h"
#include "portdriver.h"

#include <QByteArray>
#include <QElapsedTimer>

// A COM port through the Win32 serial calls: CreateFileA on \\.\COMn,
// SetupComm, Get/SetCommState, SetCommTimeouts, ReadFile, WriteFile,
// PurgeComm, ClearCommError. Every wait is bounded by the comm time-outs
// and measured on this driver's clock, so a silent camera costs no CPU and
// a driver that answers late cannot stretch a deadline.
class Win32PortDriver : public PortDriver
{
public:
    Win32PortDriver();
    ~Win32PortDriver() override;

    bool Open(const QString &device) override;
    // The system's words for the failed CreateFileA, kept at the failure.
    QString WhyNotOpen(const QString &device) override;
    bool IsOpen() const override;
    void Close() override;
    bool Configure(int baud, int byteSize, int stopBits, int parity) override;
    qint64 Write(const char *data, qint64 count, qint64 timeoutMs) override;
    qint64 ReadAvailable(char *buffer, qint64 maxCount) override;
    bool WaitReadable(qint64 deadlineMs) override;
    bool Purge(quint32 purgeFlags) override;
    quint32 TakeLineErrors() override;
    qint64 NowMs() override;

    // "\\.\COM12" for "COM12": the only form that reaches ports past COM9.
    static QByteArray PathFor(const QString &device);
    // GetLastError's code as the system's sentence, without the line break.
    static QString SystemText(unsigned long code);

private:
    // Sets the comm time-outs when they differ from the last ones set:
    // readWaitMs 0 returns at once with what is queued.
    bool SetTimeouts(qint64 readWaitMs, qint64 writeMs);
    // Gathers ClearCommError's flags (they are cleared by reading them);
    // the number of bytes queued for reading, -1 when the call failed.
    qint64 QueuedBytes();
    void Fail();

    void *m_handle;
    unsigned long m_openError = 0; // GetLastError of the last failed open; 0 when not tried
    QString m_openReason;
    QByteArray m_pending; // taken by WaitReadable, handed out by the next read
    qint64 m_readWaitMs = -1;
    qint64 m_writeMs = -1;
    LineErrorCounter m_lineErrors;
    LowLatency m_lowLatency;
    quint32 m_ownFlags = 0; // flags this driver saw, kept until taken
    bool m_failed = false;  // the device stopped working while open
    QElapsedTimer m_clock;
};
