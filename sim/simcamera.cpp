#include "simcamera.h"

#include "comm/cameraprotocol.h"

#include <cstdio>

namespace {
constexpr char STX = CameraProtocol::STX;
constexpr char ETX = CameraProtocol::ETX;
constexpr char ENQ = CameraProtocol::ENQ;
constexpr char ACK = CameraProtocol::ACK;
constexpr char NAK = CameraProtocol::NAK;
constexpr char kNoise = '?';

// The host tries a reply four times before it starts the command again; a
// fifth copy would land in the middle of its next handshake.
constexpr int kMaxReplySends = 4;
// A frame that never ends is dropped rather than collected for ever.
constexpr int kMaxFrameBytes = 64;

constexpr int kFpga = 0x00;
constexpr int kEeprom = 0x01;
constexpr int kRegisterPayload = 14;
constexpr int kRead = 0x80;

constexpr int kFactorySetRegister = 0x45;
constexpr int kDetectRegister = 0x4D;
constexpr int kAccessCode = 0x3A5C;

QByteArray hex2(int value, bool lowerCase = false)
{
    char text[4];
    std::snprintf(text, sizeof text, lowerCase ? "%02x" : "%02X", value & 0xFF);
    return QByteArray(text, 2);
}

// The frame's check: 0xFF less the low byte of the sum of its bytes.
int checksum(const char *bytes, int count)
{
    unsigned sum = 0;
    for (int i = 0; i < count; ++i)
        sum += quint8(bytes[i]);
    return int(0xFF - (sum & 0xFF));
}

int hexByte(const QByteArray &text, int at)
{
    return CameraProtocol::HexToInt(text.constData() + at, 2);
}
} // namespace

SimCamera::SimCamera(const SimConfig &config) : m_config(config)
{
    SetIdentity(config.vendor, config.model, config.serial, config.version);
}

void SimCamera::SetIdentity(const QByteArray &vendor, const QByteArray &model,
                            const QByteArray &serial, const QByteArray &version)
{
    m_config.vendor = vendor;
    m_config.model = model;
    m_config.serial = serial;
    m_config.version = version;
    m_registers.SetIdentity(vendor, model, serial, version);
}

void SimCamera::ScriptReads(int area, int reg, const QByteArrayList &data)
{
    if (data.isEmpty())
        m_config.scriptedReads.remove(SimConfig::Key(area, reg));
    else
        m_config.scriptedReads.insert(SimConfig::Key(area, reg), data);
}

void SimCamera::RefuseWrite(int area, int reg, const QByteArray &data)
{
    if (data.isEmpty())
        m_config.refusedWrites.remove(SimConfig::Key(area, reg));
    else
        m_config.refusedWrites.insert(SimConfig::Key(area, reg), data);
}

QByteArray SimCamera::Receive(const QByteArray &bytes)
{
    m_received += bytes;
    if (m_config.faults.dieAfter >= 0 && m_exchanges >= m_config.faults.dieAfter)
        m_dead = true; // the limit may have been set after the exchanges were made
    QByteArray out;
    for (char byte : bytes) {
        if (Deaf(byte)) {
            m_state = State::Idle; // a half-heard frame is forgotten
            continue;
        }
        Step(byte, out);
    }
    return out;
}

bool SimCamera::Deaf(char byte)
{
    if (m_dead)
        return true;
    SimFaults &faults = m_config.faults;
    if (!FaultsStarted())
        return false;
    if (faults.silentEnqs > 0) {
        if (byte == ENQ)
            --faults.silentEnqs;
        return true;
    }
    return faults.silent;
}

void SimCamera::Step(char byte, QByteArray &out)
{
    switch (m_state) {
    case State::Idle:
    case State::AwaitReplyAck:
        if (byte == ENQ) {
            OnEnq(out);
        } else if (m_state == State::AwaitReplyAck && byte == ACK) {
            m_state = State::Idle;
        } else if (m_state == State::AwaitReplyAck && byte == NAK &&
                   m_replySends < kMaxReplySends) {
            SendReply(out);
        }
        break;
    case State::Handshaken:
        if (byte == ENQ) {
            OnEnq(out);
        } else if (byte == STX) {
            m_frame = QByteArray(1, STX);
            m_state = State::InFrame;
        }
        break;
    case State::InFrame:
        if (byte == STX) { // the host started over
            m_frame = QByteArray(1, STX);
            break;
        }
        m_frame += byte;
        if (byte == ETX)
            m_state = State::Checksum;
        else if (m_frame.size() > kMaxFrameBytes)
            m_state = State::Handshaken;
        break;
    case State::Checksum:
        m_frame += byte;
        // The payload holds no ETX, so the first one ends it: two checksum characters follow.
        if (m_frame.size() - m_frame.indexOf(ETX) == 3)
            EndFrame(out);
        break;
    }
}

void SimCamera::OnEnq(QByteArray &out)
{
    if (m_config.faults.refuseEnq > 0 && FaultsStarted()) {
        --m_config.faults.refuseEnq;
        out += NAK;
        m_state = State::Idle;
        return;
    }
    out += ACK;
    m_state = State::Handshaken;
}

void SimCamera::EndFrame(QByteArray &out)
{
    m_frames.append(m_frame);
    const int etx = int(m_frame.size()) - 3;
    const QByteArray payload = m_frame.mid(1, etx - 1);
    const QByteArray expected = hex2(checksum(m_frame.constData(), etx + 1));
    // Still handshaken: after a NAK the host sends the frame again without ENQ.
    m_state = State::Handshaken;
    if (payload.size() > CameraProtocol::kMaxPayload || m_frame.right(2) != expected) {
        out += NAK;
        return;
    }
    Execute(payload, out);
}

void SimCamera::Execute(const QByteArray &payload, QByteArray &out)
{
    const bool isRegister = payload.size() == kRegisterPayload &&
                            CameraProtocol::IsHexDigits(payload.constData(), kRegisterPayload) &&
                            (hexByte(payload, 0) == kFpga || hexByte(payload, 0) == kEeprom) &&
                            hexByte(payload, 2) == 0xFF;
    if (!isRegister) {
        m_payloads.append(payload);
        out += ACK;
        m_state = State::Idle;
        ExchangeDone();
        return;
    }
    const int memory = hexByte(payload, 0);
    const int areaCode = hexByte(payload, 4);
    const int reg = hexByte(payload, 6);
    const int area = areaCode & ~kRead;

    if (!(areaCode & kRead)) {
        const QByteArray data = payload.right(6);
        const auto refused = m_config.refusedWrites.constFind(SimConfig::Key(area, reg));
        if ((m_config.faults.refuseWrites && FaultsStarted()) ||
            (refused != m_config.refusedWrites.cend() && *refused == data) ||
            !Write(area, reg, data)) {
            out += NAK;
            return;
        }
        m_payloads.append(payload);
        out += ACK;
        m_state = State::Idle;
        ExchangeDone();
        return;
    }

    m_payloads.append(payload);
    out += ACK;
    if (m_config.faults.noReply && FaultsStarted()) {
        m_state = State::Idle;
        return;
    }
    m_replyData = Read(memory, area, reg);
    m_replySends = 0;
    m_state = State::AwaitReplyAck;
    SendReply(out);
    // A read counts once its reply is out: the host's closing ACK may never
    // arrive, since the host clears its output queue when it starts the next
    // command, and on a pseudo-terminal that can take the ACK with it.
    ExchangeDone();
}

bool SimCamera::Write(int area, int reg, const QByteArray &data)
{
    if (area == SimRegisters::kInfoArea && !m_unlocked)
        return false; // identification is written only after the access code
    m_registers.Set(area, reg, data);
    if (area != SimRegisters::kControlArea)
        return true;

    const int first = hexByte(data, 0);
    switch (reg) {
    case SimRegisters::kAccessCodeRegister:
        m_unlocked = ((first << 8) | hexByte(data, 2)) == kAccessCode;
        break;
    case kDetectRegister:
        m_detecting = first == 1;
        m_detectPollsLeft = m_config.detectBusyPolls;
        break;
    case kFactorySetRegister:
        if (first == 1) {
            m_registers.LoadDefaults();
            m_registers.Set(area, reg, data); // busy until read a few times
            m_factoryReadsLeft = m_config.factoryBusyReads;
        }
        break;
    default:
        break;
    }
    return true;
}

QByteArray SimCamera::Read(int memory, int area, int reg)
{
    const auto script = m_config.scriptedReads.find(SimConfig::Key(area, reg));
    if (script != m_config.scriptedReads.end()) {
        QByteArrayList &data = *script;
        return data.size() > 1 ? data.takeFirst() : data.first();
    }
    if (area == SimRegisters::kControlArea) {
        // Detection runs in the FPGA: only its status register counts the polls.
        if (reg == kDetectRegister && memory == kFpga && m_detecting) {
            if (m_detectPollsLeft > 0) {
                --m_detectPollsLeft;
                return "010000";
            }
            m_detecting = false;
            const QByteArray outcome = hex2(m_config.detectOutcome) + "0000";
            m_registers.Set(area, reg, outcome);
            if (m_config.detectOutcome == 0)
                m_registers.FillAddressTable(m_config.spots);
            return outcome;
        }
        if (reg == kFactorySetRegister && m_factoryReadsLeft > 0) {
            if (--m_factoryReadsLeft == 0)
                m_registers.Set(area, reg, "000000");
            return "010000";
        }
    }
    return m_registers.Get(area, reg);
}

void SimCamera::SendReply(QByteArray &out)
{
    SimFaults &faults = m_config.faults;
    const bool started = FaultsStarted();
    ++m_replySends;
    if (started)
        out += QByteArray(faults.noise, kNoise);
    QByteArray frame;
    frame.append(STX).append(m_replyData).append(ETX);
    int sum = checksum(frame.constData(), int(frame.size()));
    if (started && (faults.badChecksumAlways || faults.badChecksum > 0)) {
        if (faults.badChecksum > 0)
            --faults.badChecksum;
        sum ^= 0x5A;
    }
    out += frame + hex2(sum, started && faults.lowerCase);
}

void SimCamera::ClearRecords()
{
    m_received.clear();
    m_frames.clear();
    m_payloads.clear();
}

void SimCamera::ExchangeDone()
{
    ++m_exchanges;
    if (m_config.faults.dieAfter >= 0 && m_exchanges >= m_config.faults.dieAfter)
        m_dead = true;
}
