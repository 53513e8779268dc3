#include "replywatch.h"

#include "comm/cameraprotocol.h"

ReplyWatch::ReplyWatch(std::unique_ptr<PortDriver> port, std::function<void()> resent)
    : m_port(std::move(port)), m_resent(std::move(resent))
{
}

void ReplyWatch::Arm()
{
    m_armed = true;
    m_frameSent = false;
}

bool ReplyWatch::Open(const QString &device)
{
    return m_port->Open(device);
}

QString ReplyWatch::WhyNotOpen(const QString &device)
{
    return m_port->WhyNotOpen(device);
}

bool ReplyWatch::IsOpen() const
{
    return m_port->IsOpen();
}

void ReplyWatch::Close()
{
    m_port->Close();
}

bool ReplyWatch::Configure(int baud, int byteSize, int stopBits, int parity)
{
    return m_port->Configure(baud, byteSize, stopBits, parity);
}

qint64 ReplyWatch::Write(const char *data, qint64 count, qint64 timeoutMs)
{
    if (m_armed && count > 0) {
        if (data[0] == CameraProtocol::STX) {
            m_frameSent = true;
        } else if (data[0] == CameraProtocol::ENQ && m_frameSent) {
            // A new handshake after a frame: the command starts over.
            m_armed = false;
            m_resent();
        }
    }
    return m_port->Write(data, count, timeoutMs);
}

qint64 ReplyWatch::ReadAvailable(char *buffer, qint64 maxCount)
{
    return m_port->ReadAvailable(buffer, maxCount);
}

bool ReplyWatch::WaitReadable(qint64 deadlineMs)
{
    return m_port->WaitReadable(deadlineMs);
}

bool ReplyWatch::Purge(quint32 purgeFlags)
{
    return m_port->Purge(purgeFlags);
}

quint32 ReplyWatch::TakeLineErrors()
{
    return m_port->TakeLineErrors();
}

qint64 ReplyWatch::NowMs()
{
    return m_port->NowMs();
}
