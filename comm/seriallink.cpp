#include "seriallink.h"

#include "cameralinklibrary.h"
#include "cameralinkportdriver.h"
#include "comportdriver.h"
#include "comportmap.h"
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
    {PortDriver::CE_MODE, ERR_MODE},         {PortDriver::CE_BREAK, ERR_BREAK},
    {PortDriver::CE_FRAME, ERR_FRAME},       {PortDriver::CE_IOE, ERR_IO},
    {PortDriver::CE_OVERRUN, ERR_OVERRUN},   {PortDriver::CE_RXOVER, ERR_RXOVER},
    {PortDriver::CE_RXPARITY, ERR_PARITY},   {PortDriver::CE_TXFULL, ERR_TXFULL},
    {PortDriver::CE_DNS, ERR_DNS},           {PortDriver::CE_PTO, ERR_PTO},
    {PortDriver::CE_OOP, ERR_OOP},
};

constexpr int kQueueSize = 4096;

} // namespace

SerialLink::SerialLink()
    : m_comDriver(NewComPortDriver()), m_driver(m_comDriver.get())
{
}

SerialLink::~SerialLink()
{
    Close();
}

void SerialLink::SetPortDriver(std::unique_ptr<PortDriver> driver)
{
    const bool inUse = m_driver == m_comDriver.get();
    if (m_comDriver->IsOpen())
        m_comDriver->Close();
    m_comDriver = std::move(driver);
    if (inUse) {
        m_driver = m_comDriver.get();
        m_lost = false;
        m_reopened = false;
    }
}

void SerialLink::SetGrabberDriver(std::unique_ptr<CameraLinkPortDriver> driver)
{
    if (m_driver == m_grabber.get()) {
        Close();
        m_driver = m_comDriver.get();
    }
    m_grabber = std::move(driver);
}

bool SerialLink::IsPortOpen() const
{
    return m_driver == m_comDriver.get() && m_driver->IsOpen();
}

bool SerialLink::IsChannelOpen() const
{
    return m_driver->IsOpen();
}

QString SerialLink::ChannelName() const
{
    if (m_driver == m_comDriver.get())
        return QStringLiteral("COM%1 (%2)").arg(m_portNumber).arg(m_line.device);
    const QString id = m_grabber->PortIdentifier();
    return QStringLiteral("%1, port %2%3")
        .arg(m_line.device)
        .arg(m_grabber->PortIndex())
        .arg(id.isEmpty() ? QString() : QStringLiteral(" \"%1\"").arg(id));
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
    m_driver = m_comDriver.get();
    m_portNumber = portNumber;
    return OpenLine(ComPortMap::DeviceFor(portNumber), baudRate, byteSize, stopBits, parity);
}

int SerialLink::OpenDevice(const QString &device, int baudRate)
{
    Close();
    m_portNumber = 0;
    return OpenLine(device, baudRate, 8, 0, 0);
}

int SerialLink::OpenLine(const QString &device, int baudRate, int byteSize, int stopBits,
                         int parity)
{
    m_baudRate = baudRate;
    m_line = {device, byteSize, stopBits, parity};
    if (!m_driver->Open(m_line.device)) {
        // Held by another program or not plugged in yet: the next transfer
        // tries again, as for a device that went away. COM0 names no port,
        // and a device opened by name (a search) is not waited for.
        m_lost = m_portNumber > 0;
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

int SerialLink::OpenLibrary(const QString &path, int portIndex, int baudRate)
{
    Close();
    m_portNumber = 0; // a grabber's port has no COM number
    m_baudRate = baudRate;
    m_line = {path, 8, 0, 0};
    if (!m_grabber)
        m_grabber = std::make_unique<CameraLinkPortDriver>();
    m_grabber->SetPortIndex(quint32(qMax(portIndex, 0)));
    m_driver = m_grabber.get();
    if (!m_grabber->Load(path))
        return SetError(ERR_PORT_OPEN);
    const bool opened = m_driver->Open(path);
    Note();
    m_opened = opened;
    if (!opened) {
        // Reported here and only here; later transfers fail with "not opened".
        QString text = QCoreApplication::translate("SerialLink", "Board Open Error");
        const QString why = CameraLinkLibrary::ErrorText(m_grabber->LastStatus());
        if (!why.isEmpty())
            text += QLatin1Char('\n') + why;
        UserNotifier::Instance().ShowMessage(
            text, QCoreApplication::translate("SerialLink", "Error"), UserNotifier::Stop);
        return 0;
    }
    // Not left open at a rate other than the one asked for.
    const bool configured = m_driver->Configure(baudRate, 8, 0, 0);
    Note();
    if (!configured) {
        m_driver->Close();
        return SetError(ERR_PORT_OPEN);
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

bool SerialLink::WaitsToReopen() const
{
    return m_lost || (m_portNumber > 0 && m_driver->IsOpen() && m_driver->HasGone());
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
    return 0;
}

int SerialLink::Write(const char *bytes, int count, int timeoutMsPerByte)
{
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
    Note();
    if (written >= 0) {
        // A write that did not complete fails with a code of its own, or the
        // transaction would end on whatever was recorded before.
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
    if (count <= 0)
        return SetError(ERR_SIZE);
    if (!EnsureOpen())
        return SetError(m_lost ? LostCode() : ERR_PORT_NOT_OPEN);

    // A grabber library may come back early with fewer bytes, whatever
    // time-out it was given: it is asked again for the rest until the
    // channel's own deadline, and never given more time than is left.
    const qint64 deadline = m_driver->NowMs() + qint64(count) * timeoutMsPerByte;
    int received = 0;
    bool failed = false;
    for (;;) {
        const qint64 left =
            qBound(qint64(0), deadline - m_driver->NowMs(), qint64(timeoutMsPerByte));
        const qint64 got = m_driver->ReadWaiting(buffer + received, count - received, left);
        if (got < 0) {
            Note();
            failed = true; // the device failed; waiting longer cannot help
            break;
        }
        Trace(TraceLog::Received, buffer + received, got);
        Note();
        received += int(got);
        if (received == count)
            return count;
        if (m_driver->NowMs() >= deadline)
            break;
        m_driver->WaitReadable(deadline);
    }
    m_driver->Purge(PortDriver::PURGE_RXCLEAR);
    const int result = SetError(MapCommErrors(m_driver->TakeLineErrors()));
    if (failed)
        LoseDevice();
    return result;
}

void SerialLink::Note()
{
    const QByteArray note = m_driver->TakeNote();
    if (m_trace && !note.isEmpty())
        m_trace->Note(note);
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
    const bool purged = m_driver->Purge(purgeFlags);
    Note();
    return purged ? 0 : SetError(ERR_PURGE);
}
