#include "cameraprotocol.h"

#include <cctype>
#include <cstdio>
#include <cstring>

namespace {
bool isAreaOne(int area)
{
    const int code = area & 0xFF;
    return code == 0x01 || code == 0x81;
}
} // namespace

quint8 CameraProtocol::Checksum(const char *bytes, int count)
{
    unsigned sum = 0;
    for (int i = 0; i < count; ++i)
        sum += quint8(bytes[i]);
    return quint8(0xFF - (sum & 0xFF));
}

QByteArray CameraProtocol::BuildFrame(const QByteArray &payload)
{
    QByteArray frame;
    frame.reserve(payload.size() + 4);
    frame.append(STX).append(payload).append(ETX);
    frame.append(QByteArray::number(Checksum(frame.constData(), int(frame.size())), 16)
                     .toUpper()
                     .rightJustified(2, '0'));
    return frame;
}

QByteArray CameraProtocol::BuildPayload(int memory, int fixed, int area, int address,
                                        const WireBytes &value)
{
    char text[16];
    std::snprintf(text, sizeof text, "%02X%02X%02X%02X%02X%02X%02X", memory & 0xFF, fixed & 0xFF,
                  area & 0xFF, address & 0xFF, value[0], value[1], value[2]);
    return QByteArray(text, 14);
}

int CameraProtocol::ValueWidth(int lower, int upper)
{
    if ((lower & 0xFF0000) || (upper & 0xFF0000))
        return 3;
    if ((lower & 0xFF00) || (upper & 0xFF00))
        return 2;
    return 1;
}

int CameraProtocol::RegisterBytes(int area, int lower, int upper)
{
    return isAreaOne(area) ? ValueWidth(lower, upper) : 3;
}

bool CameraProtocol::Carries(int area, int lower, int upper, int value)
{
    return value >= 0 && qint64(value) < (qint64(1) << (8 * RegisterBytes(area, lower, upper)));
}

CameraProtocol::WireBytes CameraProtocol::ToWireOrder(int area, int lower, int upper, int value)
{
    const auto b0 = quint8(value), b1 = quint8(value >> 8), b2 = quint8(value >> 16);
    if (!isAreaOne(area))
        return {b0, b1, b2}; // least significant first
    switch (ValueWidth(lower, upper)) {
    case 3:
        return {b2, b1, b0};
    case 2:
        return {b1, b0, 0};
    default:
        return {b0, 0, 0};
    }
}

int CameraProtocol::FromWireOrder(int area, int lower, int upper, const WireBytes &pairs)
{
    const int raw = pairs[0] | (pairs[1] << 8) | (pairs[2] << 16);
    if (!isAreaOne(area))
        return raw;
    switch (ValueWidth(lower, upper)) {
    case 3:
        return (pairs[0] << 16) | (pairs[1] << 8) | pairs[2];
    case 2:
        return (pairs[0] << 8) | pairs[1];
    default:
        return raw;
    }
}

int CameraProtocol::HexToInt(const char *text, int digits)
{
    int value = 0;
    for (int i = 0; i < digits; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        const int digit = std::isdigit(c) ? c - '0' : std::toupper(c) - 55;
        value = value * 16 + digit;
    }
    return value;
}

bool CameraProtocol::IsHexDigits(const char *text, int count)
{
    for (int i = 0; i < count; ++i) {
        if (!std::isxdigit(static_cast<unsigned char>(text[i])))
            return false;
    }
    return true;
}

// When the outermost exchange returns, every byte of it is in the trace
// file, so a trace tells what happened even if the program is killed next.
class CameraProtocol::ExchangeScope
{
public:
    explicit ExchangeScope(CameraProtocol *protocol) : m_protocol(protocol)
    {
        ++m_protocol->m_exchangeDepth;
    }
    ~ExchangeScope()
    {
        if (--m_protocol->m_exchangeDepth == 0)
            m_protocol->FlushTrace();
    }
    ExchangeScope(const ExchangeScope &) = delete;
    ExchangeScope &operator=(const ExchangeScope &) = delete;

private:
    CameraProtocol *m_protocol;
};

int CameraProtocol::Failed()
{
    const int result = SetError(ERR_KEEP);
    return result < 0 ? result : SetError(ERR_TIMEOUT);
}

int CameraProtocol::WaitAck(int timeoutMs)
{
    char byte = 0;
    const int result = Read(&byte, 1, timeoutMs);
    if (result < 0)
        return SetError(ERR_KEEP);
    if (byte != ACK)
        return SetError(ERR_UNEXPECTED);
    return 0;
}

int CameraProtocol::SendCommand(const QByteArray &payload)
{
    const ExchangeScope exchange(this);
    if (payload.size() > kMaxPayload)
        return SetError(ERR_MSG_SIZE);
    // The late reply of an earlier exchange must not pass for this one's.
    // A purge that fails does not stop the transaction.
    Purge(PortDriver::PURGE_TXCLEAR | PortDriver::PURGE_RXCLEAR);
    const QByteArray frame = BuildFrame(payload);

    const char enq = ENQ;
    bool acknowledged = false;
    for (int attempt = 0; attempt < kHandshakeAttempts && !acknowledged; ++attempt) {
        if (Write(&enq, 1, kByteTimeoutMs) != 1)
            continue;
        acknowledged = WaitAck(kHandshakeAckMs) == 0;
    }
    if (!acknowledged)
        return Failed();

    for (int attempt = 0; attempt < kFrameAttempts; ++attempt) {
        if (Write(frame.constData(), int(frame.size()), kByteTimeoutMs) < frame.size())
            continue;
        if (WaitAck(kFrameAckMs) == 0) {
            if (TakeReopened())
                m_answeredAfterReopen = true;
            return 0;
        }
    }
    return Failed();
}

int CameraProtocol::WaitForStx()
{
    // Noise and line errors may not keep the wait alive past its time.
    const qint64 deadline = NowMs() + kReplyWaitMs;
    bool lineError = false;
    for (;;) {
        const qint64 remaining = deadline - NowMs();
        if (remaining <= 0)
            return lineError ? SetError(ERR_KEEP) : SetError(ERR_TIMEOUT);
        char byte = 0;
        const int result = Read(&byte, 1, int(remaining));
        if (result < 0) {
            const int code = GetErrorCode();
            // A dead device fails at once; it will not recover within the wait.
            if (code == ERR_TIMEOUT || code == ERR_IO)
                return result;
            lineError = true;
            continue;
        }
        if (byte == STX)
            return 0;
        lineError = false; // noise: dropped, and the wait goes on
    }
}

int CameraProtocol::SendAndReceive(const QByteArray &payload, char *reply)
{
    const ExchangeScope exchange(this);
    const char nak = NAK;
    const char ack = ACK;
    for (int attempt = 0; attempt < kCommandAttempts; ++attempt) {
        if (SendCommand(payload) < 0)
            return SetError(ERR_KEEP);

        for (int tries = 0; tries < kReplyTries;) {
            char frame[kReplySize] = {};
            if (WaitForStx() < 0)
                break;
            frame[0] = STX;
            if (Read(frame + 1, kReplySize - 1, kReplyByteMs) < 0)
                break;
            if (CheckReply(frame, kReplySize) < 0) {
                Write(&nak, 1, kByteTimeoutMs);
                ++tries;
                continue;
            }
            if (Write(&ack, 1, kByteTimeoutMs) < 0) {
                ++tries;
                continue;
            }
            std::memcpy(reply, frame + 1, kReplyData);
            reply[kReplyData] = '\0';
            return kReplyData;
        }
    }
    return Failed();
}

int CameraProtocol::CheckReply(const char *bytes, int count)
{
    if (count != kReplySize)
        return SetError(ERR_REPLY_SIZE);
    if (bytes[0] != STX)
        return SetError(ERR_NO_STX);
    if (bytes[7] != ETX)
        return SetError(ERR_NO_ETX);
    if (!IsHexDigits(bytes + 8, 2))
        return SetError(ERR_BAD_CHAR);
    if (Checksum(bytes, 8) != HexToInt(bytes + 8, 2))
        return SetError(ERR_CHECKSUM);
    return 0;
}

int CameraProtocol::WriteRegister(int memory, int fixed, int area, int address, int lower,
                                  int upper, int value)
{
    // Refused before the handshake: nothing reaches the camera cut short.
    if (!Carries(area, lower, upper, value))
        return SetError(ERR_MSG_SIZE);
    return SendCommand(
        BuildPayload(memory, fixed, area, address, ToWireOrder(area, lower, upper, value)));
}

int CameraProtocol::ReadRegister(int memory, int fixed, int area, int address, int lower, int upper,
                                 int *value)
{
    *value = 0;
    char reply[kReplyData + 1] = {};
    const int result = SendAndReceive(BuildPayload(memory, fixed, area, address, {0, 0, 0}), reply);
    if (result < 0)
        return SetError(ERR_KEEP);
    if (result != kReplyData)
        return SetError(ERR_REPLY_SIZE);
    if (!IsHexDigits(reply, kReplyData))
        return SetError(ERR_BAD_CHAR);
    const WireBytes pairs = {quint8(HexToInt(reply, 2)), quint8(HexToInt(reply + 2, 2)),
                             quint8(HexToInt(reply + 4, 2))};
    *value = FromWireOrder(area, lower, upper, pairs);
    return 0;
}

bool CameraProtocol::TakeAnsweredAfterReopen()
{
    const bool answered = m_answeredAfterReopen;
    m_answeredAfterReopen = false;
    return answered;
}
