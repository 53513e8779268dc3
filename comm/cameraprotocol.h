#pragma once

#include "seriallink.h"

#include <QByteArray>

#include <array>

// The camera's command protocol over the serial channel: ENQ/ACK handshake,
// STX payload ETX checksum frames, ten-byte replies with NAK and retries,
// and the 14-digit register payload.
class CameraProtocol : public SerialLink
{
public:
    enum Control : char
    {
        STX = 0x02,
        ETX = 0x03,
        ENQ = 0x05,
        ACK = 0x06,
        NAK = 0x15
    };
    static constexpr int kMaxPayload = 22;
    static constexpr int kReplySize = 10;
    static constexpr int kReplyData = 6;

    // Retries and time-outs of every exchange.
    static constexpr int kHandshakeAttempts = 4;
    static constexpr int kFrameAttempts = 4;
    static constexpr int kCommandAttempts = 4;
    static constexpr int kReplyTries = 4;
    static constexpr int kByteTimeoutMs = 1000;  // ENQ, ACK, NAK and each frame byte
    static constexpr int kHandshakeAckMs = 1000; // ACK after ENQ
    static constexpr int kFrameAckMs = 3000;     // ACK after a frame
    static constexpr int kReplyWaitMs = 4000;    // STX of a reply
    static constexpr int kReplyByteMs = 1000;    // each further reply byte

    // Three value bytes in the order they appear in the payload.
    using WireBytes = std::array<quint8, 3>;

    // One command, acknowledged by ACK alone. 0 or minus a code.
    int SendCommand(const QByteArray &payload);
    // One command and its reply: 6 with the six data characters and a
    // terminating zero in reply (at least 7 bytes), or minus a code.
    int SendAndReceive(const QByteArray &payload, char *reply);
    int WaitAck(int timeoutMs);

    int WriteRegister(int memory, int fixed, int area, int address, int lower, int upper,
                      int value);
    int ReadRegister(int memory, int fixed, int area, int address, int lower, int upper,
                     int *value);

    int CheckReply(const char *bytes, int count);

    // True once after a camera acknowledged a frame on a port that a
    // transfer had to open again: what is stored may not be what it holds.
    bool TakeAnsweredAfterReopen();

    // Low byte of the complemented byte sum.
    static quint8 Checksum(const char *bytes, int count);
    static QByteArray BuildFrame(const QByteArray &payload);
    static QByteArray BuildPayload(int memory, int fixed, int area, int address,
                                   const WireBytes &value);
    // Bytes of a register of area 01/81: 1, 2 or 3, from its limits.
    static int ValueWidth(int lower, int upper);
    // Bytes a register carries on the wire: ValueWidth in area 01, three elsewhere.
    static int RegisterBytes(int area, int lower, int upper);
    // Whether the value reaches the register whole; a wider one would arrive
    // as its low bytes, another value altogether.
    static bool Carries(int area, int lower, int upper, int value);
    static WireBytes ToWireOrder(int area, int lower, int upper, int value);
    static int FromWireOrder(int area, int lower, int upper, const WireBytes &pairs);
    // Digits are their value; any other character counts as its upper-case
    // code minus 55 (A..F = 10..15). Callers check the digits first.
    static int HexToInt(const char *text, int digits);
    static bool IsHexDigits(const char *text, int count);

private:
    // The result of a transaction that failed: the code recorded last, and
    // never a success even when no step recorded one.
    int Failed();
    // Waits up to the reply wait for STX. 0 when it came, else minus a code.
    int WaitForStx();

    class ExchangeScope;
    int m_exchangeDepth = 0; // SendAndReceive runs SendCommand inside it
    bool m_answeredAfterReopen = false;
};
