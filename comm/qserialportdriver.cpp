#include "qserialportdriver.h"

#include "portcatalog.h"
#include "portdiagnosis.h"

#include <QSerialPort>

QSerialPortDriver::QSerialPortDriver()
{
    m_clock.start();
}

QSerialPortDriver::~QSerialPortDriver()
{
    Close();
}

bool QSerialPortDriver::Open(const QString &device)
{
    Close();
    m_openReason.clear();
    if (device.isEmpty())
        return false;
    m_port = std::make_unique<QSerialPort>();
    m_port->setPortName(device);
    if (!m_port->open(QIODevice::ReadWrite)) {
        m_openError = m_port->error();
        m_openReason = m_port->errorString();
        m_port.reset();
        return false;
    }
    m_failed = false;
    m_ownFlags = 0;
    m_lineErrors.Reset(m_port->handle());
    m_lowLatency.Enter(m_port->handle());
    m_latencyMs = PortCatalog().LatencyMs(device);
    return true;
}

QString QSerialPortDriver::WhyNotOpen(const QString &device)
{
    if (m_openReason.isEmpty()) // not tried: no device name
        return PortDriver::WhyNotOpen(device);
    return PortDiagnosis::Explain(device, m_openError, m_openReason);
}

bool QSerialPortDriver::IsOpen() const
{
    return m_port && m_port->isOpen();
}

void QSerialPortDriver::Close()
{
    if (m_port) {
        m_lowLatency.Leave(m_port->handle());
        m_port->close();
        m_port.reset();
    }
    m_lineErrors.Reset(LineErrorCounter::NoHandle);
}

bool QSerialPortDriver::Configure(int baud, int byteSize, int stopBits, int parity)
{
    if (!IsOpen())
        return false;
    static const QSerialPort::StopBits kStopBits[] = {
        QSerialPort::OneStop, QSerialPort::OneAndHalfStop, QSerialPort::TwoStop};
    static const QSerialPort::Parity kParity[] = {QSerialPort::NoParity, QSerialPort::OddParity,
                                                  QSerialPort::EvenParity, QSerialPort::MarkParity,
                                                  QSerialPort::SpaceParity};
    if (byteSize < 5 || byteSize > 8 || stopBits < 0 || stopBits > 2 || parity < 0 || parity > 4)
        return false;
    const bool ok = m_port->setBaudRate(baud) &&
                    m_port->setDataBits(static_cast<QSerialPort::DataBits>(byteSize)) &&
                    m_port->setParity(kParity[parity]) &&
                    m_port->setStopBits(kStopBits[stopBits]) &&
                    m_port->setFlowControl(QSerialPort::NoFlowControl);
    // Modem lines: a pseudo-terminal or an adapter without them refuses the
    // call, which is no reason to refuse the port.
    m_port->setDataTerminalReady(true);
    m_port->setRequestToSend(true);
    m_port->clearError();
    return ok;
}

bool QSerialPortDriver::CheckPortError()
{
    switch (m_port->error()) {
    case QSerialPort::NoError:
        return false;
    case QSerialPort::TimeoutError:
        m_port->clearError();
        return false;
    default:
        m_port->clearError();
        m_failed = true;
        m_ownFlags |= CE_IOE;
        return true;
    }
}

qint64 QSerialPortDriver::Write(const char *data, qint64 count, qint64 timeoutMs)
{
    if (!IsOpen() || m_failed) {
        m_ownFlags |= CE_IOE;
        return -1;
    }
    const qint64 deadline = NowMs() + timeoutMs;
    if (m_port->write(data, count) != count || CheckPortError())
        return -1;
    while (m_port->bytesToWrite() > 0) {
        const qint64 remaining = deadline - NowMs();
        if (remaining <= 0)
            break;
        if (!m_port->waitForBytesWritten(int(qMin<qint64>(remaining, 1 << 30))) && CheckPortError())
            return -1;
    }
    const qint64 pending = m_port->bytesToWrite();
    if (pending > 0)
        m_port->clear(QSerialPort::Output); // what did not leave in time is not sent later
    return count - pending;
}

qint64 QSerialPortDriver::ReadAvailable(char *buffer, qint64 maxCount)
{
    if (!IsOpen() || m_failed) {
        m_ownFlags |= CE_IOE;
        return -1;
    }
    if (m_port->bytesAvailable() == 0) {
        // Pull what the OS has queued without waiting.
        m_port->waitForReadyRead(0);
        if (CheckPortError())
            return -1;
    }
    const qint64 got = m_port->read(buffer, maxCount);
    if (got < 0) {
        m_failed = true;
        m_ownFlags |= CE_IOE;
    }
    return got;
}

bool QSerialPortDriver::WaitReadable(qint64 deadlineMs)
{
    if (!IsOpen() || m_failed)
        return true; // let the next read report the failure at once
    if (m_port->bytesAvailable() > 0)
        return true;
    // Wake up just past the deadline so the caller sees it has passed.
    const qint64 remaining = deadlineMs - NowMs() + 1;
    if (remaining <= 0)
        return false;
    const bool ready = m_port->waitForReadyRead(int(qMin<qint64>(remaining, 1 << 30)));
    if (CheckPortError())
        return true;
    return ready;
}

bool QSerialPortDriver::Purge(quint32 purgeFlags)
{
    if (!IsOpen())
        return false;
    bool ok = true;
    if (purgeFlags & (PURGE_RXCLEAR | PURGE_RXABORT))
        ok = m_port->clear(QSerialPort::Input) && ok;
    // Bytes a write has handed to the OS are on their way: discarding them
    // would drop the ACK that closed the previous reply, which the camera
    // waits for. Only what never left our own buffer is thrown away (after
    // Write nothing is left there).
    if ((purgeFlags & (PURGE_TXCLEAR | PURGE_TXABORT)) && m_port->bytesToWrite() > 0)
        ok = m_port->clear(QSerialPort::Output) && ok;
    if (!ok)
        m_port->clearError();
    return ok;
}

quint32 QSerialPortDriver::TakeLineErrors()
{
    quint32 flags = m_ownFlags;
    if (IsOpen())
        flags |= m_lineErrors.Take(m_port->handle());
    // A dead device keeps reporting itself; other flags are cleared by reading them.
    m_ownFlags = m_failed ? quint32(CE_IOE) : 0u;
    return flags;
}

qint64 QSerialPortDriver::NowMs()
{
    return m_clock.elapsed();
}
