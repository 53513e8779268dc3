#pragma once

#include "simconfig.h"
#include "simpeer.h"
#include "simregisters.h"

#include <QByteArrayList>

// The camera's serial side, byte by byte: ENQ/ACK handshake, command frames
// with their checksum, register reads and writes with ten-byte replies, the
// access code, white-spot detection, factory set and injectable faults.
// Bytes may come in any split; the state lives between calls.
class SimCamera : public SimPeer
{
public:
    explicit SimCamera(const SimConfig &config = SimConfig());

    QByteArray Receive(const QByteArray &bytes) override;

    SimFaults &Faults() { return m_config.faults; }
    void SetFaults(const SimFaults &faults) { m_config.faults = faults; }
    const SimConfig &Config() const { return m_config; }
    void SetIdentity(const QByteArray &vendor, const QByteArray &model, const QByteArray &serial,
                     const QByteArray &version);
    // Successive reads of that register (any memory) return these data
    // fields in turn, the last one repeating; an empty list ends the script.
    void ScriptReads(int area, int reg, const QByteArrayList &data);
    // Only the write of that register with exactly that data field is
    // answered with NAK; empty data stops refusing.
    void RefuseWrite(int area, int reg, const QByteArray &data);
    // True once the line died after the configured number of exchanges.
    bool IsDead() const { return m_dead; }

    // Inspection.
    const QByteArray &ReceivedBytes() const { return m_received; }
    // Every complete frame that came in, good or bad, STX to checksum.
    const QByteArrayList &Frames() const { return m_frames; }
    // Payloads of the frames the camera acknowledged.
    const QByteArrayList &Payloads() const { return m_payloads; }
    int Exchanges() const { return m_exchanges; }
    SimRegisters &Registers() { return m_registers; }
    // Drops the records above, so a long run keeps its memory flat. Not for
    // a camera whose SimLog still records.
    void ClearRecords();
    bool IsUnlocked() const { return m_unlocked; }

private:
    enum class State
    {
        Idle,
        Handshaken,
        InFrame,
        Checksum,
        AwaitReplyAck
    };

    void Step(char byte, QByteArray &out);
    void OnEnq(QByteArray &out);
    void EndFrame(QByteArray &out);
    void Execute(const QByteArray &payload, QByteArray &out);
    bool Write(int area, int reg, const QByteArray &data);
    QByteArray Read(int memory, int area, int reg);
    void SendReply(QByteArray &out);
    void ExchangeDone();
    bool FaultsStarted() const { return m_exchanges >= m_config.faults.faultsAfter; }
    // True when the camera ignores this byte.
    bool Deaf(char byte);

    SimConfig m_config;
    SimRegisters m_registers;
    State m_state = State::Idle;
    QByteArray m_frame;
    QByteArray m_replyData;
    int m_replySends = 0;
    bool m_unlocked = false;
    int m_detectPollsLeft = 0;
    bool m_detecting = false;
    int m_factoryReadsLeft = 0;
    int m_exchanges = 0;
    bool m_dead = false;

    QByteArray m_received;
    QByteArrayList m_frames;
    QByteArrayList m_payloads;
};
