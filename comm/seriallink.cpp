#include "seriallink.h"

#include "cameralinklibrary.h"
#include "cameralinkportdriver.h"
#include "comportdriver.h"
#include "comportmap.h"
#include "tracelog.h"


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

} // namespace

SerialLink::SerialLink() : m_driver(MakeDriver(m_channel)) {}

SerialLink::~SerialLink()
{
    Close();
}

std::unique_ptr<PortDriver> SerialLink::MakeDriver(const ChannelSpec &channel)
{
    if (channel.IsCameraLink())
        return std::make_unique<CameraLinkPortDriver>(quint32(qMax(channel.clPort, 0)));
    return NewComPortDriver();
}

void SerialLink::SetPortDriver(std::unique_ptr<PortDriver> driver, bool grabber)
{
    Close();
    m_driverForGrabber = driver ? grabber : m_channel.IsCameraLink();
    m_driver = driver ? std::move(driver) : MakeDriver(m_channel);
    m_lost = false;
    m_reopened = false;
}

void SerialLink::UseDriverFor(const ChannelSpec &channel)
{
    m_channel = channel;
    if (m_driverForGrabber == channel.IsCameraLink())
        return;
    m_driver = MakeDriver(channel);
    m_driverForGrabber = channel.IsCameraLink();
}

bool SerialLink::IsPortOpen() const
{
    return !m_driverForGrabber && m_driver->IsOpen();
}

bool SerialLink::IsChannelOpen() const
{
    return m_driver->IsOpen();
}

QString SerialLink::ChannelName() const
{
    if (!m_channel.IsCameraLink())
        return QStringLiteral("COM%1 (%2)").arg(m_portNumber).arg(m_line.device);
    const QString id = m_driver->PortIdentifier();
    return QStringLiteral("%1, port %2%3")
        .arg(m_line.device)
        .arg(m_channel.clPort)
        .arg(id.isEmpty() ? QString() : QStringLiteral(" \"%1\"").arg(id));
}

bool SerialLink::BoardRefused(QString *libraryText) const
{
    if (libraryText)
        *libraryText = m_boardText;
    return m_boardRefused;
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

int SerialLink::Open(const ChannelSpec &channel)
{
    switch (channel.kind) {
    case ChannelSpec::Kind::ComPort:
        return OpenPort(channel.comNumber, channel.baudRate);
    case ChannelSpec::Kind::Device:
        return OpenDevice(channel.device, channel.baudRate);
    case ChannelSpec::Kind::CameraLink:
        return OpenLibrary(channel.library, channel.clPort, channel.baudRate);
    }
    return SetError(ERR_PORT_NUMBER);
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
    UseDriverFor(ChannelSpec::Com(portNumber, baudRate));
    m_portNumber = portNumber;
    return OpenLine(ComPortMap::DeviceFor(portNumber), baudRate, byteSize, stopBits, parity);
}

int SerialLink::OpenDevice(const QString &device, int baudRate)
{
    Close();
    UseDriverFor(ChannelSpec::ForDevice(device, baudRate));
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
        return SetError(ERR_PORT_OPEN, m_driver->WhyNotOpen(m_line.device));
    }
    m_opened = true;
    if (m_driver->Configure(baudRate, byteSize, stopBits, parity))
        return 0;
    // The port stays open with the settings it had. The driver's own flag
    // names the reason; without one the refusal itself is it, not a time-out.
    const int code = MapCommErrors(m_driver->TakeLineErrors());
    return SetError(code == ERR_TIMEOUT ? ERR_LINE_SETTING : code,
                    m_driver->WhyNotOpen(m_line.device));
}

int SerialLink::OpenLibrary(const QString &path, int portIndex, int baudRate)
{
    Close();
    UseDriverFor(ChannelSpec::ForLibrary(path, qMax(portIndex, 0), baudRate));
    m_portNumber = 0; // a grabber's port has no COM number
    m_baudRate = baudRate;
    m_line = {path, 8, 0, 0};
    if (auto *grabber = dynamic_cast<CameraLinkPortDriver *>(m_driver.get()))
        grabber->SetPortIndex(quint32(m_channel.clPort));
    const bool opened = m_driver->Open(path);
    Note();
    m_opened = opened;
    if (!opened) {
        // A library that loaded but whose grabber refused the port has its
        // own words for it; later transfers fail with "not opened".
        if (CameraLinkLibrary::IsLoaded()) {
            if (auto *grabber = dynamic_cast<CameraLinkPortDriver *>(m_driver.get());
                grabber && grabber->LastStatus() != 0) {
                m_boardRefused = true;
                m_boardText = CameraLinkLibrary::ErrorText(grabber->LastStatus());
            }
        }
        return SetError(ERR_PORT_OPEN, m_driver->WhyNotOpen(path));
    }
    // Not left open at a rate other than the one asked for.
    const bool configured = m_driver->Configure(baudRate, 8, 0, 0);
    Note();
    if (!configured) {
        const QString why = m_driver->WhyNotOpen(path);
        m_driver->Close();
        return SetError(ERR_PORT_OPEN, why);
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
    m_boardRefused = false;
    m_boardText.clear();
    m_lost = false;
    m_opened = false;
    m_reopened = false;
    if (m_driver->IsOpen()) {
        m_driver->Purge(PortDriver::PURGE_TXCLEAR | PortDriver::PURGE_RXCLEAR);
        m_driver->Close();
    }
    return 0;
}

int SerialLink::Failed(int code)
{
    return SetError(code, m_note);
}

void SerialLink::Forget()
{
    Close();
    m_portNumber = 0;
    m_baudRate = 0;
    m_line = LineSettings();
}

int SerialLink::Write(const char *bytes, int count, int timeoutMsPerByte)
{
    if (count <= 0)
        return SetError(ERR_SIZE);
    if (!EnsureOpen())
        return SetError(m_lost ? LostCode() : ERR_PORT_NOT_OPEN); // the device is still gone

    m_note.clear();
    const qint64 written = m_driver->Write(bytes, count, qint64(timeoutMsPerByte) * count);
    if (written > 0)
        Trace(TraceLog::Sent, bytes, written);
    Note();
    if (written >= 0) {
        // A write that did not complete fails with a code of its own, or the
        // transaction would end on whatever was recorded before.
        if (written < count)
            Failed(ERR_TIMEOUT); // the driver gave up: the write timed out
        return int(written);
    }
    m_driver->Purge(PortDriver::PURGE_TXCLEAR);
    const int result = Failed(MapCommErrors(m_driver->TakeLineErrors()));
    LoseDevice();
    return result;
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
    const int result = Failed(MapCommErrors(m_driver->TakeLineErrors()));
    if (failed)
        LoseDevice();
    return result;
}

void SerialLink::Note()
{
    const QByteArray note = m_driver->TakeNote();
    if (note.isEmpty())
        return;
    m_note = QString::fromLocal8Bit(note);
    if (m_trace)
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
