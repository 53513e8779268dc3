// A camera that answers anything, with line trouble of its choosing, on a
// simulated COM port at 9600 baud on virtual time. Every operation must end
// within the protocol's time, with a result it can have, and must change the
// stored values only when the camera accepted a write or answered a read.
//
// Input: the operations (see camerafuzz::parseAll), then the camera's side,
// one record per write of the program (see FuzzCamera).
#include "cameraoperations.h"

#include "sim/simpeer.h"
#include "sim/simportdriver.h"

#include <memory>

namespace {

const quint32 kLineFlags[] = {
    PortDriver::CE_RXOVER, PortDriver::CE_OVERRUN, PortDriver::CE_RXPARITY, PortDriver::CE_FRAME,
    PortDriver::CE_BREAK,  PortDriver::CE_TXFULL,  PortDriver::CE_PTO,      PortDriver::CE_IOE,
    PortDriver::CE_DNS,    PortDriver::CE_OOP,     PortDriver::CE_MODE,
};

// Answers each write of the program from the input. A record is a byte whose
// low 5 bits are the answer's length and whose top 3 bits choose what else
// happens: 0-2 nothing, 3 the answer arrives late, 4 a line error, 5 the
// program's next write stops short, 6 the answer comes in two parts with a
// pause, 7 the line dies after it.
class FuzzCamera : public SimPeer
{
public:
    FuzzCamera(FuzzReader &in) : m_in(in) {}
    void Attach(SimPortDriver *port) { m_port = port; }
    // Every byte the camera sent, in the order the program can read them.
    const QByteArrayList &Writes() const { return m_writes; }
    const QByteArray &Said() const { return m_said; }

    QByteArray Receive(const QByteArray &bytes) override
    {
        m_writes.append(bytes);
        if (m_in.AtEnd())
            return {}; // a camera with nothing more to say is silent
        const uint8_t record = m_in.Byte();
        const int action = record >> 5;
        const int arg = action >= 3 && action <= 6 ? m_in.Byte() : 0;
        const QByteArray answer = m_in.Bytes(record & 0x1F);
        m_said += answer;
        switch (action) {
        case 3:
            m_port->InjectIncoming(answer, m_port->NowMs() + arg * 64);
            return {};
        case 4:
            m_port->InjectLineErrors(kLineFlags[arg % 11]);
            return answer;
        case 5:
            m_port->SetShortWrite(arg % 32);
            return answer;
        case 6: {
            const int half = int(answer.size()) / 2;
            m_port->InjectIncoming(answer.left(half), m_port->NowMs());
            m_port->InjectIncoming(answer.mid(half), m_port->NowMs() + arg * 16);
            return {};
        }
        case 7:
            m_port->SetDead(true);
            return answer;
        default:
            return answer;
        }
    }

private:
    FuzzReader &m_in;
    SimPortDriver *m_port = nullptr;
    QByteArrayList m_writes;
    QByteArray m_said;
};

// Time bounds in microseconds of virtual time. A byte takes 1041 us on the
// line at 9600 baud. A read of n bytes at t ms a byte gives up one clock tick
// (1 ms) after its deadline of n*t ms. A write of n bytes at t ms a byte
// takes n byte times, or, when it stops short, the bytes it sent plus the
// driver's whole time-out of n*t ms.
constexpr qint64 kByteUs = 10'000'000 / 9600;
constexpr qint64 readUs(qint64 n, qint64 t)
{
    return (n * t + 1) * 1000;
}
constexpr qint64 writeUs(qint64 n, qint64 t)
{
    return qMax(n * kByteUs, (n - 1) * kByteUs + n * t * 1000);
}

// SendCommand of a frame of n bytes: at most 4 handshake attempts (ENQ, then
// its ACK within 1000 ms, or a short ENQ write and no wait) and 4 frame
// attempts (the frame, then its ACK within 3000 ms, or a short frame and no
// wait).
constexpr qint64 sendCommandUs(qint64 n)
{
    const qint64 handshake = qMax(writeUs(1, 1000), kByteUs + readUs(1, 1000));
    const qint64 frame = qMax(writeUs(n, 1000), n * kByteUs + readUs(1, 3000));
    return 4 * handshake + 4 * frame;
}

// SendAndReceive: at most 4 command attempts, each a SendCommand and then at
// most 4 reply tries of an STX wait (4000 ms, however much noise or line
// trouble comes), the other 9 bytes (1000 ms each) and the NAK or ACK. An
// attempt that breaks off early costs no more than a try.
constexpr qint64 sendAndReceiveUs(qint64 n)
{
    const qint64 replyTry = readUs(1, 4000) + readUs(9, 1000) + writeUs(1, 1000);
    return 4 * (sendCommandUs(n) + 4 * replyTry);
}

class ComChannel : public camerafuzz::Channel
{
public:
    ComChannel(SimPortDriver &port, const FuzzCamera &camera) : m_port(port), m_camera(camera) {}
    qint64 NowMs() override { return m_port.NowMs(); }
    const QByteArrayList &Writes() const override { return m_camera.Writes(); }
    const QByteArray &Said() const override { return m_camera.Said(); }
    // Silence, a line error (a dead line is an I/O error), a wrong byte for ACK.
    bool TransportCode(int code) const override
    {
        return code == ERR_TIMEOUT || (code >= ERR_BREAK && code <= ERR_OOP) ||
               code == ERR_UNEXPECTED;
    }
    bool CarriesReplies() const override { return true; }
    qint64 SendCommandUs(qint64 n) const override { return sendCommandUs(n); }
    qint64 SendAndReceiveUs(qint64 n) const override { return sendAndReceiveUs(n); }

private:
    SimPortDriver &m_port;
    const FuzzCamera &m_camera;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzReader in(data, size);
    camerafuzz::Operation operations[4];
    const int count = camerafuzz::parseAll(in, operations);

    FuzzCamera peer(in);
    auto driver = std::make_unique<SimPortDriver>(&peer);
    SimPortDriver &port = *driver;
    peer.Attach(&port);
    CameraData camera;
    camera.SetPortDriver(std::move(driver));
    CHECK(camera.OpenPort(1, 9600) == 0, "simulated port did not open");

    ComChannel channel(port, peer);
    for (int i = 0; i < count; ++i)
        camerafuzz::run(operations[i], camera, channel);
    return 0;
}
