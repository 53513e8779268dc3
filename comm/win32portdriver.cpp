#include "win32portdriver.h"

#include "portdiagnosis.h"

#include <windows.h>

namespace {
constexpr DWORD kQueueBytes = 4096;

HANDLE handleOf(void *h)
{
    return static_cast<HANDLE>(h);
}

DWORD clampMs(qint64 ms)
{
    // 0 and MAXDWORD mean "no time-out" and "return at once" to the driver.
    return DWORD(qBound<qint64>(1, ms, MAXDWORD - 1));
}
} // namespace

Win32PortDriver::Win32PortDriver() : m_handle(INVALID_HANDLE_VALUE)
{
    m_clock.start();
}

Win32PortDriver::~Win32PortDriver()
{
    Close();
}

QByteArray Win32PortDriver::PathFor(const QString &device)
{
    if (device.startsWith(QLatin1String("\\\\")))
        return device.toLocal8Bit();
    return QByteArrayLiteral("\\\\.\\") + device.toLocal8Bit();
}

QString Win32PortDriver::SystemText(unsigned long code)
{
    wchar_t text[512] = {};
    const DWORD length =
        ::FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                         DWORD(code), 0, text, DWORD(sizeof text / sizeof *text), nullptr);
    const QString sentence = QString::fromWCharArray(text, int(length)).trimmed();
    return sentence.isEmpty() ? QStringLiteral("system error %1").arg(code) : sentence;
}

bool Win32PortDriver::Open(const QString &device)
{
    Close();
    m_openError = 0;
    m_openReason.clear();
    if (device.isEmpty())
        return false;
    // Exclusive (no sharing) and synchronous: every wait is a comm time-out.
    const HANDLE h = ::CreateFileA(PathFor(device).constData(), GENERIC_READ | GENERIC_WRITE, 0,
                                   nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        m_openError = ::GetLastError();
        m_openReason = SystemText(m_openError);
        return false;
    }
    m_handle = h;
    m_failed = false;
    m_ownFlags = 0;
    m_pending.clear();
    m_readWaitMs = m_writeMs = -1;
    // Room for the longest reply in the driver's queue; a driver that keeps
    // its own size is no reason to refuse the port.
    ::SetupComm(h, kQueueBytes, kQueueBytes);
    if (!SetTimeouts(0, 1000)) {
        m_openError = ::GetLastError();
        m_openReason = SystemText(m_openError);
        Close();
        return false;
    }
    m_lineErrors.Reset(m_handle);
    m_lowLatency.Enter(m_handle);
    return true;
}

QString Win32PortDriver::WhyNotOpen(const QString &device)
{
    if (m_openError == 0) // not tried: no device name
        return PortDriver::WhyNotOpen(device);
    return PortDiagnosis::Explain(device, int(m_openError), m_openReason);
}

bool Win32PortDriver::IsOpen() const
{
    return m_handle != INVALID_HANDLE_VALUE;
}

void Win32PortDriver::Close()
{
    if (IsOpen()) {
        m_lowLatency.Leave(m_handle);
        ::CloseHandle(handleOf(m_handle));
        m_handle = INVALID_HANDLE_VALUE;
    }
    m_pending.clear();
    m_lineErrors.Reset(LineErrorCounter::NoHandle);
}

bool Win32PortDriver::Configure(int baud, int byteSize, int stopBits, int parity)
{
    if (!IsOpen() || baud <= 0 || byteSize < 5 || byteSize > 8 || stopBits < 0 || stopBits > 2 ||
        parity < 0 || parity > 4)
        return false;
    DCB dcb = {};
    dcb.DCBlength = sizeof dcb;
    if (!::GetCommState(handleOf(m_handle), &dcb))
        return false;
    const DCB before = dcb;
    // The numbering of stop bits and parity is the DCB's own.
    dcb.BaudRate = DWORD(baud);
    dcb.ByteSize = BYTE(byteSize);
    dcb.StopBits = BYTE(stopBits);
    dcb.Parity = BYTE(parity);
    dcb.fBinary = TRUE;
    dcb.fParity = parity != 0;
    dcb.fOutxCtsFlow = FALSE;
    dcb.fOutxDsrFlow = FALSE;
    dcb.fDtrControl = DTR_CONTROL_ENABLE;
    dcb.fRtsControl = RTS_CONTROL_ENABLE;
    dcb.fDsrSensitivity = FALSE;
    dcb.fOutX = FALSE;
    dcb.fInX = FALSE;
    dcb.fErrorChar = FALSE;
    dcb.fNull = FALSE;
    // A line error must not stall every later read until it is cleared:
    // the flags are collected by ClearCommError instead.
    dcb.fAbortOnError = FALSE;
    if (::SetCommState(handleOf(m_handle), &dcb))
        return true;
    // Modem lines: a port without them (a pseudo-terminal behind Wine, some
    // adapters) refuses the state for their sake, which is no reason to
    // refuse the port. The line settings alone, then the lines asked for.
    dcb.fDtrControl = before.fDtrControl;
    dcb.fRtsControl = before.fRtsControl;
    if (!::SetCommState(handleOf(m_handle), &dcb))
        return false;
    ::EscapeCommFunction(handleOf(m_handle), SETDTR);
    ::EscapeCommFunction(handleOf(m_handle), SETRTS);
    return true;
}

bool Win32PortDriver::SetTimeouts(qint64 readWaitMs, qint64 writeMs)
{
    if (readWaitMs == m_readWaitMs && writeMs == m_writeMs)
        return true;
    COMMTIMEOUTS t = {};
    if (readWaitMs <= 0) {
        t.ReadIntervalTimeout = MAXDWORD; // what is queued, at once
    } else {
        t.ReadTotalTimeoutConstant = clampMs(readWaitMs); // one byte, or the time is up
    }
    t.WriteTotalTimeoutConstant = clampMs(writeMs);
    if (!::SetCommTimeouts(handleOf(m_handle), &t)) {
        m_readWaitMs = m_writeMs = -1;
        return false;
    }
    m_readWaitMs = readWaitMs;
    m_writeMs = writeMs;
    return true;
}

qint64 Win32PortDriver::QueuedBytes()
{
    DWORD errors = 0;
    COMSTAT status = {};
    if (!::ClearCommError(handleOf(m_handle), &errors, &status))
        return -1;
    m_ownFlags |= quint32(errors);
    return qint64(status.cbInQue);
}

void Win32PortDriver::Fail()
{
    m_failed = true;
    m_ownFlags |= CE_IOE;
}

qint64 Win32PortDriver::Write(const char *data, qint64 count, qint64 timeoutMs)
{
    if (!IsOpen() || m_failed) {
        m_ownFlags |= CE_IOE;
        return -1;
    }
    if (!SetTimeouts(m_readWaitMs, timeoutMs)) {
        Fail();
        return -1;
    }
    DWORD written = 0;
    if (!::WriteFile(handleOf(m_handle), data, DWORD(count), &written, nullptr)) {
        if (::GetLastError() != ERROR_OPERATION_ABORTED) {
            Fail();
            return -1;
        }
        QueuedBytes(); // a line error stopped it; its flags say which
    }
    // What did not leave in time is not sent later.
    if (qint64(written) < count)
        ::PurgeComm(handleOf(m_handle), PURGE_TXABORT | PURGE_TXCLEAR);
    return qint64(written);
}

qint64 Win32PortDriver::ReadAvailable(char *buffer, qint64 maxCount)
{
    if (!IsOpen() || m_failed) {
        m_ownFlags |= CE_IOE;
        return -1;
    }
    qint64 got = qMin<qint64>(maxCount, m_pending.size());
    memcpy(buffer, m_pending.constData(), size_t(got));
    m_pending.remove(0, int(got));
    if (got == maxCount)
        return got;
    if (!SetTimeouts(0, qMax<qint64>(m_writeMs, 1))) {
        Fail();
        return got > 0 ? got : -1;
    }
    DWORD read = 0;
    if (!::ReadFile(handleOf(m_handle), buffer + got, DWORD(maxCount - got), &read, nullptr)) {
        if (::GetLastError() != ERROR_OPERATION_ABORTED) {
            Fail();
            return got > 0 ? got : -1;
        }
        QueuedBytes();
    }
    return got + qint64(read);
}

bool Win32PortDriver::WaitReadable(qint64 deadlineMs)
{
    if (!IsOpen() || m_failed || !m_pending.isEmpty())
        return true; // a failure is reported by the next read at once
    const qint64 queued = QueuedBytes();
    if (queued != 0) {
        if (queued < 0)
            Fail();
        return true;
    }
    // A driver may come back before its time-out; only this clock decides.
    for (;;) {
        const qint64 remaining = deadlineMs - NowMs() + 1; // wake just past the deadline
        if (remaining <= 0)
            return false;
        if (!SetTimeouts(remaining, qMax<qint64>(m_writeMs, 1))) {
            Fail();
            return true;
        }
        char byte = 0;
        DWORD read = 0;
        if (!::ReadFile(handleOf(m_handle), &byte, 1, &read, nullptr)) {
            if (::GetLastError() != ERROR_OPERATION_ABORTED) {
                Fail();
                return true;
            }
            QueuedBytes();
        }
        if (read == 1) {
            m_pending.append(byte);
            return true;
        }
    }
}

bool Win32PortDriver::Purge(quint32 purgeFlags)
{
    if (!IsOpen())
        return false;
    // Bytes a write has handed to the system are on their way: discarding
    // them would drop the ACK closing the previous reply, which the camera
    // waits for. Write returns only when nothing is left on this side.
    const quint32 input = purgeFlags & (PURGE_RXABORT | PURGE_RXCLEAR);
    if (input == 0)
        return true;
    m_pending.clear();
    return ::PurgeComm(handleOf(m_handle), DWORD(input)) != 0;
}

quint32 Win32PortDriver::TakeLineErrors()
{
    quint32 flags = m_ownFlags;
    if (IsOpen())
        flags |= m_lineErrors.Take(m_handle);
    // A dead device keeps reporting itself; other flags are cleared by reading them.
    m_ownFlags = m_failed ? quint32(CE_IOE) : 0u;
    return flags;
}

qint64 Win32PortDriver::NowMs()
{
    return m_clock.elapsed();
}
