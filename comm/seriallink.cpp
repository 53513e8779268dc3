#include "seriallink.h"

#include "cameralinklibrary.h"
#include "comportmap.h"
#include "qserialportdriver.h"
#include "tracelog.h"
#include "usernotifier.h"

#include <QCoreApplication>

namespace {

// Checked in this order, which is not the order of the flag values.
struct FlagCode
{
    quint32 flag;
    int code;
};
const FlagCode kFlagCodes[] = {
    {PortDriver::CE_MODE, ERR_MODE},       {PortDriver::CE_BREAK, ERR_BREAK},
    {PortDriver::CE_FRAME, ERR_FRAME},     {PortDriver::CE_IOE, ERR_IO},
    {PortDriver::CE_OVERRUN, ERR_OVERRUN}, {PortDriver::CE_RXOVER, ERR_RXOVER},
    {PortDriver::CE_RXPARITY, ERR_PARITY}, {PortDriver::CE_TXFULL, ERR_TXFULL},
    {PortDriver::CE_DNS, ERR_DNS},         {PortDriver::CE_PTO, ERR_PTO},
    {PortDriver::CE_OOP, ERR_OOP},
};

constexpr int kQueueSize = 4096;
// Between calls of a Camera Link library that came back short.
constexpr qint64 kCameraLinkRestMs = 1;

} // namespace

SerialLink::SerialLink() : m_driver(std::make_unique<QSerialPortDriver>()) {}

SerialLink::~SerialLink()
{
    Close();
}

void SerialLink::SetPortDriver(std::unique_ptr<PortDriver> driver)
{
    if (m_driver && m_driver->IsOpen())
        m_driver->Close();
    m_driver = std::move(driver);
    m_lost = false;
    m_reopened = false;
}

bool SerialLink::IsPortOpen() const
{
    return m_driver->IsOpen();
}

QString SerialLink::WhyPortWouldNotOpen()
{
    return m_driver->WhyNotOpen(m_line.device);
}

bool SerialLink::IsCameraLinkOpen()
{
    return CameraLinkLibrary::IsOpen();
}

int SerialLink::MapCommErrors(quint32 lineErrors)
{
    for (const FlagCode &fc : kFlagCodes) {
        if (lineErrors & fc.flag)
            return fc.code;
    }
    return ERR_TIMEOUT;
}

void SerialLink::Trace(int direction, const char *bytes, qint64 count)
{
    if (m_trace)
        m_trace->Record(TraceLog::Direction(direction), bytes, int(count));
}

int SerialLink::OpenPort(int portNumber, int baudRate)
{
    return OpenPort(portNumber, baudRate, 8, 0, 0);
}

int SerialLink::OpenPort(int portNumber, int baudRate, int byteSize, int stopBits, int parity)
{
    Close();
    // Compared unsigned, so negative numbers are refused too.
    if (static_cast<unsigned>(portNumber) > unsigned(ComPortMap::kPortCount))
        return SetError(ERR_PORT_NUMBER);
    m_portNumber = portNumber;
    m_baudRate = baudRate;
    m_line = {ComPortMap::DeviceFor(portNumber), byteSize, stopBits, parity};

    if (!m_driver->Open(m_line.device)) {
        // Held by another program or not plugged in yet: the next transfer
        // tries again, as for a device that went away. COM0 names no port.
        m_lost = portNumber > 0;
        return SetError(ERR_PORT_OPEN);
    }
    m_opened = true;
    m_driver->SetQueueSizes(kQueueSize, kQueueSize);
    if (m_driver->Configure(baudRate, byteSize, stopBits, parity))
        return 0;
    // The port stays open with the settings it had. The driver's own flag
    // names the reason; without one the refusal itself is it, not a time-out.
    const int code = MapCommErrors(m_driver->TakeLineErrors());
    return SetError(code == ERR_TIMEOUT ? ERR_LINE_SETTING : code);
}

int SerialLink::OpenLibrary(const QString &path)
{
    m_portNumber = 0; // a grabber's port has no COM number
    if (!CameraLinkLibrary::Load(path))
        return SetError(ERR_PORT_OPEN);
    if (CameraLinkLibrary::Init(0, this) != 0) {
        // Reported here and only here; later transfers fail with "not opened".
        UserNotifier::Instance().ShowMessage(
            QCoreApplication::translate("SerialLink", "Board Open Error"),
            QCoreApplication::translate("SerialLink", "Error"), UserNotifier::Stop);
    }
    return 0;
}

int SerialLink::LostCode() const
{
    // A port that never opened is still "not opened", not an I/O failure.
    return m_opened ? ERR_IO : ERR_PORT_NOT_OPEN;
}

bool SerialLink::TakeReopened()
{
    const bool reopened = m_reopened;
    m_reopened = false;
    return reopened;
}

void SerialLink::LoseDevice()
{
    m_driver->Close();
    m_lost = true;
}

bool SerialLink::EnsureOpen()
{
    if (m_driver->IsOpen())
        return true;
    if (!m_lost)
        return false;
    if (!m_driver->Open(m_line.device))
        return false;
    m_driver->SetQueueSizes(kQueueSize, kQueueSize);
    if (!m_driver->Configure(m_baudRate, m_line.byteSize, m_line.stopBits, m_line.parity)) {
        m_driver->Close();
        return false;
    }
    m_lost = false;
    m_reopened = true;
    return true;
}

int SerialLink::Close()
{
    m_lost = false;
    m_opened = false;
    m_reopened = false;
    if (m_driver->IsOpen()) {
        m_driver->Purge(PortDriver::PURGE_TXCLEAR | PortDriver::PURGE_RXCLEAR);
        m_driver->Close();
    }
    // The grabber connection is process-wide: another channel object (a
    // temporary, a helper) ending must not take it from the one that opened it.
    if (CameraLinkLibrary::IsOwnedBy(this))
        CameraLinkLibrary::Close();
    return 0;
}

int SerialLink::Write(const char *bytes, int count, int timeoutMsPerByte)
{
    if (CameraLinkLibrary::IsOpen()) {
        if (count <= 0)
            return 0;
        const quint32 written =
            CameraLinkLibrary::Write(bytes, quint32(count), quint32(timeoutMsPerByte));
        Trace(TraceLog::Sent, bytes, qMin<qint64>(written, count));
        if (written >= quint32(count))
            return count;
        // A write that did not complete must fail with a code of its own,
        // or the transaction would end on whatever was recorded before.
        SetError(ERR_TIMEOUT);
        return int(written);
    }
    if (count <= 0)
        return SetError(ERR_SIZE);
    if (!EnsureOpen()) {
        if (!m_lost)
            return SetError(ERR_PORT_NOT_OPEN);
        SetError(LostCode()); // the device is still gone
        return 0;
    }

    const qint64 written = m_driver->Write(bytes, count, qint64(timeoutMsPerByte) * count);
    if (written > 0)
        Trace(TraceLog::Sent, bytes, written);
    if (written >= 0) {
        if (written < count)
            SetError(ERR_TIMEOUT); // the driver gave up: the write timed out
        return int(written);
    }
    m_driver->Purge(PortDriver::PURGE_TXCLEAR);
    SetError(MapCommErrors(m_driver->TakeLineErrors()));
    LoseDevice();
    return 0;
}

int SerialLink::Read(char *buffer, int count, int timeoutMsPerByte)
{
    if (CameraLinkLibrary::IsOpen()) {
        if (count <= 0)
            return SetError(ERR_SIZE);
        return ReadCameraLink(buffer, count, timeoutMsPerByte);
    }
    if (count <= 0)
        return SetError(ERR_SIZE);
    if (!EnsureOpen())
        return SetError(m_lost ? LostCode() : ERR_PORT_NOT_OPEN);

    const qint64 deadline = m_driver->NowMs() + qint64(count) * timeoutMsPerByte;
    int received = 0;
    bool failed = false;
    while (m_driver->NowMs() <= deadline) {
        const qint64 got = m_driver->ReadAvailable(buffer + received, count - received);
        if (got < 0) {
            failed = true; // the device failed; waiting longer cannot help
            break;
        }
        Trace(TraceLog::Received, buffer + received, got);
        received += int(got);
        if (received == count)
            return count;
        m_driver->WaitReadable(deadline);
    }
    m_driver->Purge(PortDriver::PURGE_RXCLEAR);
    const int result = SetError(MapCommErrors(m_driver->TakeLineErrors()));
    if (failed)
        LoseDevice();
    return result;
}

int SerialLink::ReadCameraLink(char *buffer, int count, int timeoutMsPerByte)
{
    // Some libraries come back early with fewer bytes, whatever time-out they
    // were given: ask again for the rest, resting a little between calls, until
    // the channel's own deadline, and never give one more time than is left.
    const qint64 deadline = NowMs() + qint64(count) * timeoutMsPerByte;
    int received = 0;
    for (;;) {
        const qint64 left = deadline - NowMs();
        const auto asked = quint32(count - received);
        const quint32 got = CameraLinkLibrary::Read(
            buffer + received, asked, quint32(qBound<qint64>(0, left, qint64(timeoutMsPerByte))));
        // A library that claims more than it was asked for is not trusted.
        if (got > asked)
            return SetError(ERR_TIMEOUT);
        Trace(TraceLog::Received, buffer + received, got);
        received += int(got);
        if (received == count)
            return count;
        if (NowMs() >= deadline)
            return SetError(ERR_TIMEOUT);
        m_driver->Pause(qMin<qint64>(kCameraLinkRestMs, deadline - NowMs()));
    }
}

void SerialLink::FlushTrace()
{
    if (m_trace)
        m_trace->Flush();
}

int SerialLink::Purge(quint32 purgeFlags)
{
    if (!EnsureOpen())
        return SetError(m_lost ? LostCode() : ERR_PORT_NOT_OPEN);
    if (!m_driver->Purge(purgeFlags))
        return SetError(ERR_PURGE);
    return 0;
}
