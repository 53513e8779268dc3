// Reply frames from a camera that may say anything. CheckReply is held
// against its five checks written out again here; ReadRegister is run over a
// simulated line whose reply carries fuzz data, and its value against a
// decoding of our own.
#include "fuzzsupport.h"

#include "comm/cameraprotocol.h"
#include "sim/simportdriver.h"
#include "support/scriptedpeer.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

namespace {
const QByteArray kAck(1, CameraProtocol::ACK);

bool isHex(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    return (c | 0x20) - 'a' + 10;
}

// The reply checks, the first failure deciding: count, STX, ETX, checksum
// characters, checksum.
int expectedCheck(const char *b, int count)
{
    if (count != 10)
        return -21;
    if (b[0] != 0x02)
        return -22;
    if (b[7] != 0x03)
        return -23;
    if (!isHex(b[8]) || !isHex(b[9]))
        return -24;
    unsigned sum = 0;
    for (int i = 0; i < 8; ++i)
        sum += uint8_t(b[i]);
    if (uint8_t(~sum) != hexValue(b[8]) * 16 + hexValue(b[9]))
        return -25;
    return 0;
}

// The three data pairs least significant first, then for area 01/81 swapped
// back by the register's width (1 byte: no swap).
int expectedValue(const char *d, int area, int lower, int upper)
{
    int p[3];
    for (int i = 0; i < 3; ++i)
        p[i] = hexValue(d[2 * i]) * 16 + hexValue(d[2 * i + 1]);
    const int code = area & 0xFF;
    const int limits = lower | upper;
    if (code == 0x01 || code == 0x81) {
        if (limits & 0xFF0000)
            return p[0] << 16 | p[1] << 8 | p[2];
        if (limits & 0xFF00)
            return p[0] << 8 | p[1];
    }
    return p[0] | p[1] << 8 | p[2] << 16;
}

int widthMask(int area, int lower, int upper)
{
    const int code = area & 0xFF;
    const int limits = lower | upper;
    if ((code == 0x01 || code == 0x81) && !(limits & 0xFF0000))
        return (limits & 0xFF00) ? 0xFFFF : 0xFF;
    return 0xFFFFFF;
}

void fuzzCheckReply(FuzzReader &in)
{
    const int count = in.Byte() % 21;
    // Exactly count bytes on the heap: a look past them is caught.
    const QByteArray given = in.Bytes(size_t(count));
    std::vector<char> bytes(given.begin(), given.end());
    bytes.resize(size_t(count));
    CameraProtocol protocol;
    protocol.SetError(ERR_FRAME); // a code from before must survive a good reply
    const int result = protocol.CheckReply(bytes.data(), count);
    const int expected = expectedCheck(bytes.data(), count);
    CHECK(result == expected, "CheckReply of %d bytes gives %d, expected %d", count, result,
          expected);
    const int code = result < 0 ? -result : ERR_FRAME;
    CHECK(protocol.GetErrorCode() == code, "recorded code %d after result %d",
          protocol.GetErrorCode(), result);
}

void fuzzReadRegister(FuzzReader &in)
{
    const uint8_t flags = in.Byte();
    const int memory = in.Byte();
    const int area = in.Byte() | (flags & 0x80 ? 0x100 : 0); // high bits must not matter
    const int address = in.Byte();
    const int lower = int(in.U32());
    const int upper = int(in.U32());
    QByteArray data = in.Bytes(6).leftJustified(6, '0');
    QByteArray reply = ScriptedPeer::Reply(data, flags & 0x01);
    if (flags & 0x02) { // checksum characters of the input's choosing
        reply[8] = char(in.Byte());
        reply[9] = char(in.Byte());
    }
    const int check = expectedCheck(reply.constData(), 10);

    // Each command attempt: ENQ is acknowledged, the frame gets ACK and the
    // reply, and every NAK the same reply again.
    QByteArrayList answers;
    for (int attempt = 0; attempt < 4; ++attempt)
        answers << kAck << kAck + reply << reply << reply << reply << QByteArray();
    ScriptedPeer peer(answers);
    auto driver = std::make_unique<SimPortDriver>(&peer);
    SimPortDriver *port = driver.get();
    CameraProtocol protocol;
    protocol.SetPortDriver(std::move(driver));
    CHECK(protocol.OpenPort(1, 9600) == 0, "simulated port did not open");

    int value = 0x7EADBEEF;
    const int result = protocol.ReadRegister(memory, 0x1FF, area, address, lower, upper, &value);
    int expected = check;
    if (expected == 0 && !std::all_of(data.begin(), data.end(), isHex))
        expected = -24;
    CHECK(result == expected, "ReadRegister gives %d, expected %d (area %02X, data %s)", result,
          expected, area, data.toHex().constData());
    CHECK(result == 0 || protocol.GetErrorCode() == -result, "recorded code %d after %d",
          protocol.GetErrorCode(), result);
    if (result == 0) {
        const int want = expectedValue(data.constData(), area, lower, upper);
        CHECK(value == want, "value %06X, expected %06X", value, want);
    } else {
        CHECK(value == 0, "value %d after a failure", value);
    }

    // What went out: ENQ, then the frame of memory, FF, area, address, 000000.
    char payload[15];
    std::snprintf(payload, sizeof payload, "%02X%02X%02X%02X000000", memory & 0xFF, 0xFF,
                  area & 0xFF, address & 0xFF);
    const QByteArray frame = frameOf(payload);
    const QByteArray sent = port->Sent();
    CHECK(sent.startsWith(QByteArray(1, CameraProtocol::ENQ) + frame), "sent %s",
          sent.toHex().constData());

    // Laying a value out and reading it back keeps the bytes the width holds.
    const int any = int(in.U32());
    const auto wire = CameraProtocol::ToWireOrder(area, lower, upper, any);
    const int back = CameraProtocol::FromWireOrder(area, lower, upper, wire);
    const int mask = widthMask(area, lower, upper);
    CHECK(back == (any & mask), "round trip of %08X gives %08X (mask %06X)", any, back, mask);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzReader in(data, size);
    fuzzCheckReply(in);
    fuzzReadRegister(in);
    return 0;
}
