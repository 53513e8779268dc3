// A frame grabber's Camera Link serial library that says anything: counts
// smaller, equal or larger than asked, any bytes, any return codes, an init
// that fails or hands back no port. It keeps to the buffer it was given (a
// library that writes past it is beyond saving) and to its time-out, and
// runs on the virtual clock of a closed simulated COM port, which is the
// channel's clock. The operations must hold as on a COM port.
//
// Input: one byte for init and for what the library does once the input is
// used up, the operations (see camerafuzz::parseAll), then one record per
// read or write call (see FakeLibrary).
#include "cameraoperations.h"

#include "comm/cameralinklibrary.h"
#include "comm/cameralinkportdriver.h"
#include "sim/simportdriver.h"
#include "support/recordingnotifier.h"

#include <memory>

namespace {

// Far more calls than any operation makes while its clock runs: the channel
// is not ending its waits.
constexpr int kCallLimit = 200000;

// The library's state: process-wide, as a real library's is.
struct FakeLibrary
{
    FuzzReader *in = nullptr;
    SimPortDriver *clock = nullptr;
    int port = 0; // its address is the serial reference
    int initMode = 0;
    bool noisyWhenDone = false;
    int noiseMs = 1;
    int calls = 0;
    int opens = 0;
    int closes = 0;
    QByteArrayList writes;
    QByteArray said;
};
FakeLibrary lib;

int32_t fakeInit(uint32_t serialIndex, void **serialRefPtr)
{
    CHECK(serialIndex == 0, "init of serial port %u", serialIndex);
    switch (lib.initMode) {
    case 0:
        *serialRefPtr = &lib.port;
        ++lib.opens;
        return 0;
    case 1: // claims success but gives no port
        return 0;
    case 2: // fails, and leaves a reference behind anyway
        *serialRefPtr = &lib.port;
        return -7;
    default:
        return -1;
    }
}

void countCall(void *serialRef, uint32_t *bufferSize)
{
    CHECK(serialRef == &lib.port, "called with a reference the library never gave");
    CHECK(*bufferSize > 0, "called for %u bytes", *bufferSize);
    CHECK(++lib.calls < kCallLimit, "%d library calls in one case: a wait does not end", lib.calls);
}

// The count the library reports for a call of `asked` bytes: mode 0 the
// truth, 1 fewer, 2 more, 3 absurdly many.
uint32_t reportedSize(uint8_t record, uint32_t asked)
{
    const uint8_t n = lib.in->Byte();
    switch (record & 3) {
    case 0:
        return asked;
    case 1:
        return n % asked;
    case 2:
        return asked + 1 + n;
    default:
        return 0xFFFFFFFFu - n;
    }
}

// Time the call takes: the top bits of its record, as a share of its time-out.
void spend(uint8_t record, uint32_t timeoutMs)
{
    lib.clock->AdvanceMs(qint64(timeoutMs) * (record >> 2) / 63);
}

// A record: one byte (size mode, time taken, return code), the size byte,
// then, for a read, the bytes it delivers.
int32_t fakeRead(void *serialRef, char *buffer, uint32_t *bufferSize, uint32_t timeoutMs)
{
    countCall(serialRef, bufferSize);
    const uint32_t asked = *bufferSize;
    if (lib.in->AtEnd()) {
        if (!lib.noisyWhenDone) { // silent: the whole time-out, nothing read
            lib.clock->AdvanceMs(timeoutMs);
            *bufferSize = 0;
            return -2;
        }
        // Endless ACKs: never STX, so only the clock can end a reply wait.
        lib.clock->AdvanceMs(qMin<qint64>(lib.noiseMs, timeoutMs));
        std::fill(buffer, buffer + asked, CameraProtocol::ACK);
        lib.said.append(buffer, int(asked));
        return 0;
    }
    const uint8_t record = lib.in->Byte();
    *bufferSize = reportedSize(record, asked);
    // It fills as much of the buffer as it says it did, never more than the
    // buffer holds; the rest of the buffer keeps what it had.
    const uint32_t filled = qMin(asked, *bufferSize);
    const QByteArray bytes = lib.in->Bytes(filled).leftJustified(int(filled), '\0');
    std::copy(bytes.begin(), bytes.end(), buffer);
    lib.said += bytes;
    spend(record, timeoutMs);
    return int32_t(record) - 128;
}

int32_t fakeWrite(void *serialRef, char *buffer, uint32_t *bufferSize, uint32_t timeoutMs)
{
    countCall(serialRef, bufferSize);
    const uint32_t asked = *bufferSize;
    lib.writes.append(QByteArray(buffer, int(asked))); // reads all of it: a short buffer is caught
    if (lib.in->AtEnd())
        return 0; // all written, at once
    const uint8_t record = lib.in->Byte();
    *bufferSize = reportedSize(record, asked);
    spend(record, timeoutMs);
    return int32_t(record) - 128;
}

void fakeClose(void *serialRef)
{
    CHECK(serialRef == &lib.port, "closed a reference the library never gave");
    ++lib.closes;
}

// Time bounds in microseconds. Each library call takes at most the time-out
// it is given: 1000 ms for ENQ, a frame, ACK and NAK (per call, not per
// byte), 1000 ms for the ACK to ENQ, 3000 ms for the ACK to a frame; the STX
// wait passes what is left of its 4000 ms, and a read that came back short
// is asked again until count times its time-out: 9000 ms for the 9 bytes
// after STX.
constexpr qint64 kCommandUs = (4 * (1000 + 1000) + 4 * (1000 + 3000)) * 1000;
constexpr qint64 kReplyTryUs = (4000 + 9000 + 1000) * 1000;

// The fake library as the grabber's, on the fuzzer's virtual clock.
class FakeLibraryDriver : public CameraLinkPortDriver
{
public:
    bool Load(const QString &) override
    {
        CameraLinkLibrary::EntryPoints entry;
        entry.init = fakeInit;
        entry.read = fakeRead;
        entry.write = fakeWrite;
        entry.close = fakeClose;
        CHECK(CameraLinkLibrary::Install(entry), "a complete set of functions was refused");
        return true;
    }
    qint64 NowMs() override { return lib.clock->NowMs(); }
    void Pause(qint64 ms) override { lib.clock->AdvanceMs(ms); }
};

class LibraryChannel : public camerafuzz::Channel
{
public:
    explicit LibraryChannel(bool open) : m_open(open) {}
    qint64 NowMs() override { return lib.clock->NowMs(); }
    const QByteArrayList &Writes() const override { return lib.writes; }
    const QByteArray &Said() const override { return lib.said; }
    // Open: a short transfer counts as a time-out, and a wrong byte for ACK.
    // Not open: the COM path, where no port is open.
    bool TransportCode(int code) const override
    {
        return m_open ? code == ERR_TIMEOUT || code == ERR_UNEXPECTED : code == ERR_PORT_NOT_OPEN;
    }
    bool CarriesReplies() const override { return m_open; }
    qint64 SendCommandUs(qint64) const override { return m_open ? kCommandUs : 0; }
    qint64 SendAndReceiveUs(qint64) const override
    {
        return m_open ? 4 * (kCommandUs + 4 * kReplyTryUs) : 0;
    }

private:
    bool m_open;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzReader in(data, size);
    const uint8_t setup = in.Byte();
    camerafuzz::Operation operations[4];
    const int count = camerafuzz::parseAll(in, operations);

    lib = FakeLibrary();
    lib.in = &in;
    lib.initMode = setup & 3;
    lib.noisyWhenDone = setup & 4;
    lib.noiseMs = 1 + (setup >> 3);
    {
        RecordingNotifier notifier; // "Board Open Error" is recorded, not printed
        CameraData camera;
        SimPortDriver clock(nullptr); // never opened: its clock only
        lib.clock = &clock;
        camera.SetPortDriver(std::make_unique<FakeLibraryDriver>(), true);
        CHECK(camera.OpenLibrary(QStringLiteral("fake")) == 0, "the open failed");
        const bool open = lib.initMode == 0;
        CHECK(camera.IsCameraLinkOpen() == open, "open is %d after init mode %d",
              camera.IsCameraLinkOpen(), lib.initMode);
        CHECK(notifier.messages.size() == (open ? 0 : 1), "%d boxes after init mode %d",
              int(notifier.messages.size()), lib.initMode);

        LibraryChannel channel(open);
        for (int i = 0; i < count; ++i)
            camerafuzz::run(operations[i], camera, channel);
    }
    CHECK(!CameraLinkLibrary::IsOpen(), "the connection outlived its camera");
    // A port given up on is closed, then opened again for the next operation.
    CHECK(lib.closes == lib.opens, "opened %d times, closed %d times", lib.opens, lib.closes);
    CameraLinkLibrary::Install(CameraLinkLibrary::EntryPoints());
    return 0;
}
