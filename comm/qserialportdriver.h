#pragma once

#include "lineerrorcounter.h"
#include "lowlatency.h"
#include "portdriver.h"

#include <QElapsedTimer>

#include <memory>

class QSerialPort;

// A real COM port through QSerialPort. Reads wait in waitForReadyRead until
// data or the deadline, so a silent camera costs no CPU.
class QSerialPortDriver : public PortDriver
{
public:
    QSerialPortDriver();
    ~QSerialPortDriver() override;

    bool Open(const QString &device) override;
    // From what Qt said at the failed open itself.
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

    // The adapter's latency timer as read after opening, low-latency mode
    // asked for; -1 where the port has none.
    int LatencyTimerMs() const { return m_latencyMs; }

private:
    // Notes a failure the port reported; true when the device is gone.
    bool CheckPortError();

    std::unique_ptr<QSerialPort> m_port;
    int m_openError = 0; // QSerialPort::SerialPortError of the last failed open
    QString m_openReason;
    LineErrorCounter m_lineErrors;
    LowLatency m_lowLatency;
    int m_latencyMs = -1;
    quint32 m_ownFlags = 0; // failures seen by this driver, as line-error flags
    bool m_failed = false;  // the device stopped working while open
    QElapsedTimer m_clock;
};
