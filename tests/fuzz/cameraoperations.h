#pragma once

// The camera operations that the channel targets run, and what must hold
// after each, whichever channel carries them.
#include "fuzzsupport.h"

#include "camera/cameradata.h"
#include "camera/paramindex.h"

#include <QByteArrayList>

#include <array>
#include <initializer_list>

namespace camerafuzz {

// What the target knows of its channel.
class Channel
{
public:
    virtual ~Channel() = default;
    virtual qint64 NowMs() = 0;
    // Every write of the program that put bytes on the line, and every byte
    // the camera gave it.
    virtual const QByteArrayList &Writes() const = 0;
    virtual const QByteArray &Said() const = 0;
    // Codes a transaction may fail with on this channel, replies aside.
    virtual bool TransportCode(int code) const = 0;
    // Whether a reply can come in at all, so a read can fail on its checks.
    virtual bool CarriesReplies() const = 0;
    // The longest a transaction with a frame of n bytes may take, in us.
    virtual qint64 SendCommandUs(qint64 n) const = 0;
    virtual qint64 SendAndReceiveUs(qint64 n) const = 0;
};

constexpr int kWhiteSpotDetect = Param::WhiteSpotDetect; // read from the FPGA, not the EEPROM
constexpr qint64 kRegisterFrame = 18; // STX, 14 digits, ETX, two checksum digits
// The clock counts whole milliseconds; this covers the rounding at each end.
constexpr qint64 kMarginMs = 2;

enum Kind
{
    ReadRow,
    ReadWhiteSpot,
    WriteRow,
    Command,
    Query,
    KindCount
};
inline const char *kindName(int kind)
{
    static const char *const names[] = {"ReadParam", "ReadParam(26)", "WriteParam", "SendCommand",
                                        "SendAndReceive"};
    return names[kind];
}

struct Operation
{
    int kind = ReadRow;
    int row = 0;
    int value = 0;
    QByteArray payload;
};

// A kind byte and its arguments: a row, a row and a value, or a payload of
// up to 31 bytes (longer than a frame may carry, at times).
inline Operation parse(FuzzReader &in)
{
    Operation op;
    op.kind = in.Byte() % KindCount;
    switch (op.kind) {
    case ReadRow:
        op.row = in.Byte() % PARAM_COUNT;
        break;
    case ReadWhiteSpot:
        op.row = kWhiteSpotDetect;
        break;
    case WriteRow:
        op.row = in.Byte() % PARAM_COUNT;
        op.value = int(in.U32());
        break;
    default:
        op.payload = in.Bytes(in.Byte() % 32);
        break;
    }
    return op;
}

using Store = std::array<int, PARAM_COUNT>;

inline Store storeOf(const CameraData &camera)
{
    Store s;
    for (int i = 0; i < PARAM_COUNT; ++i)
        s[size_t(i)] = camera.GetValue(i);
    return s;
}

inline bool isHex(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

// A ten-byte reply around these six characters that passes every check,
// somewhere in what the camera gave.
inline bool cameraSentReply(const QByteArray &said, const char *data)
{
    const QByteArray start = QByteArray(1, CameraProtocol::STX) + QByteArray(data, 6);
    for (qsizetype at = said.indexOf(start); at >= 0 && at + 10 <= said.size();
         at = said.indexOf(start, at + 1)) {
        const QByteArray frame = said.mid(at, 10);
        if (frame[7] != CameraProtocol::ETX || !isHex(frame[8]) || !isHex(frame[9]))
            continue;
        if (CameraProtocol::Checksum(frame.constData(), 8) == frame.mid(8).toUInt(nullptr, 16))
            return true;
    }
    return false;
}

// The register payload a row's read or write starts with.
inline QByteArray registerPrefix(int memory, int area, int address)
{
    char text[10];
    std::snprintf(text, sizeof text, "\x02%02XFF%02X%02X", memory, area, address);
    return QByteArray(text);
}

// The writes of one transaction fall into command attempts, each some ENQs,
// then frames, then ACKs or NAKs to replies: at most 4 of each in an
// attempt, and at most 4 attempts (1 without a reply). A new attempt starts
// with an ENQ after anything but an ENQ. Writes that put nothing on the line
// are not seen, so these are upper bounds.
inline void checkWrites(const QByteArrayList &writes, int kind, const QByteArray &payload)
{
    const bool replies = kind != WriteRow && kind != Command;
    const QByteArray frame = frameOf(payload);
    int attempts = 0, stage = 0;
    int counts[3] = {};
    for (const QByteArray &w : writes) {
        int s = 0; // 0 ENQ, 1 frame, 2 ACK or NAK
        if (w == QByteArray(1, CameraProtocol::ENQ))
            s = 0;
        else if (w.startsWith(CameraProtocol::STX))
            s = 1;
        else if (w == QByteArray(1, CameraProtocol::ACK) || w == QByteArray(1, CameraProtocol::NAK))
            s = 2;
        else
            CHECK(false, "%s wrote %s", kindName(kind), w.toHex().constData());
        if (attempts == 0 || (s == 0 && stage != 0)) {
            ++attempts;
            counts[0] = counts[1] = counts[2] = 0;
        } else {
            CHECK(s >= stage, "%s wrote %s after a later step", kindName(kind),
                  w.toHex().constData());
        }
        stage = s;
        CHECK(++counts[s] <= 4, "%s: a fifth write of one step in an attempt", kindName(kind));
        CHECK(s != 2 || replies, "%s answered a reply it does not wait for", kindName(kind));
        if (s == 1 && (kind == Command || kind == Query))
            CHECK(frame.startsWith(w), "%s wrote the frame %s for the payload %s", kindName(kind),
                  w.toHex().constData(), payload.toHex().constData());
    }
    CHECK(attempts <= (replies ? 4 : 1), "%s made %d command attempts", kindName(kind), attempts);
}

inline void run(const Operation &operation, CameraData &camera, Channel &channel)
{
    const int kind = operation.kind, row = operation.row;
    const QByteArray &payload = operation.payload;
    const char *op = kindName(kind);
    const ParamInfo &info = ParamTable::Row(row);
    const bool readable = info.flags & PF_READ;

    const Store before = storeOf(camera);
    const qsizetype writesBefore = channel.Writes().size();
    const qint64 start = channel.NowMs();
    char reply[8] = "xxxxxxx";
    int result = 0;
    qint64 boundUs = 0;
    switch (kind) {
    case ReadRow:
    case ReadWhiteSpot:
        result = camera.ReadParam(row);
        boundUs = readable ? channel.SendAndReceiveUs(kRegisterFrame) : 0;
        break;
    case WriteRow:
        result = camera.WriteParam(row, operation.value);
        boundUs = channel.SendCommandUs(kRegisterFrame);
        break;
    case Command:
        result = camera.SendCommand(payload);
        boundUs = channel.SendCommandUs(payload.size() + 4);
        break;
    default:
        result = camera.SendAndReceive(payload, reply);
        boundUs = channel.SendAndReceiveUs(payload.size() + 4);
        break;
    }
    const qint64 spentMs = channel.NowMs() - start;
    const Store after = storeOf(camera);
    const QByteArrayList writes = channel.Writes().mid(writesBefore);
    const QByteArray sent = writes.join();
    checkWrites(writes, kind, payload);

    // ZQ_FUZZ_VERBOSE=1 shows what each case did, for reading a crash input.
    static const bool verbose = std::getenv("ZQ_FUZZ_VERBOSE");
    if (verbose)
        std::fprintf(stderr, "%s row %d payload %s: %d in %lld ms, code %d\n", op, row,
                     payload.toHex().constData(), result, spentMs, camera.GetErrorCode());

    CHECK(spentMs * 1000 <= boundUs + kMarginMs * 1000, "%s took %lld ms, at most %lld ms", op,
          spentMs, boundUs / 1000);

    if (result < 0) {
        const int code = -result;
        CHECK(camera.GetErrorCode() == code, "%s gave %d but recorded %d", op, result,
              camera.GetErrorCode());
        CHECK(after == before, "%s failed with %d but changed stored values", op, result);
        const bool tooLong = payload.size() > CameraProtocol::kMaxPayload;
        bool possible = !tooLong && channel.TransportCode(code);
        if (kind == Command || kind == Query)
            possible = possible || (code == ERR_MSG_SIZE && tooLong);
        // A value wider than its register is refused before anything is sent.
        const bool carried = kind != WriteRow || ParamTable::Carries(row, operation.value);
        if (!carried)
            possible = code == ERR_MSG_SIZE;
        if (kind != WriteRow && kind != Command && code >= ERR_NO_ETX && code <= ERR_CHECKSUM)
            possible = possible || channel.CarriesReplies();
        CHECK(possible, "%s cannot fail with %d", op, result);
        if (code == ERR_MSG_SIZE)
            CHECK(spentMs == 0 && sent.isEmpty(), "a refused payload still went out");
        return;
    }

    CHECK(kind != WriteRow || ParamTable::Carries(row, operation.value),
          "row %d took %d, wider than its register", row, operation.value);
    switch (kind) {
    case ReadRow:
    case ReadWhiteSpot:
    case WriteRow: {
        CHECK(result == 0 || result == 1, "%s of row %d gave %d", op, row, result);
        const int now = after[size_t(row)];
        Store expected = before;
        expected[size_t(row)] = kind == WriteRow ? operation.value : now;
        CHECK(after == expected, "%s of row %d changed another row", op, row);
        CHECK(result == (before[size_t(row)] != now ? 1 : 0),
              "%s of row %d gave %d, stored %d before and %d after", op, row, result,
              before[size_t(row)], now);
        if (kind == WriteRow) {
            CHECK(sent.contains(registerPrefix(0x01, info.writeCode, info.address)),
                  "row %d was stored without its write going out", row);
        } else if (readable) {
            CHECK(now >= 0 && now <= 0xFFFFFF, "row %d read as %d, more than three bytes", row,
                  now);
            const int memory = row == kWhiteSpotDetect ? 0x00 : 0x01;
            CHECK(sent.contains(registerPrefix(memory, info.readCode, info.address)),
                  "row %d was stored without its read going out", row);
        } else {
            CHECK(result == 0 && sent.isEmpty(), "row %d is not readable but was read", row);
        }
        break;
    }
    case Command:
        CHECK(result == 0, "SendCommand gave %d", result);
        CHECK(after == before, "SendCommand changed stored values");
        break;
    default:
        CHECK(result == 6, "SendAndReceive gave %d", result);
        CHECK(after == before, "SendAndReceive changed stored values");
        CHECK(reply[6] == '\0', "the reply is not terminated");
        CHECK(cameraSentReply(channel.Said(), reply), "accepted a reply the camera never sent: %s",
              QByteArray(reply, 6).toHex().constData());
        break;
    }
}

// One byte for the number of operations (1..4), then each operation.
inline int parseAll(FuzzReader &in, Operation (&operations)[4])
{
    const int count = 1 + in.Byte() % 4;
    for (int i = 0; i < count; ++i)
        operations[i] = parse(in);
    return count;
}

} // namespace camerafuzz
