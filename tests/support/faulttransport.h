#pragma once

#include <QByteArrayList>
#include <QProcessEnvironment>
#include <QStringList>

#include <memory>

class CameraData;

// The way to the simulated camera in a fault scenario: zq-camsim on a
// pseudo-terminal or the Camera Link library. Each scenario starts a fresh
// camera with its own options and record.
class FaultTransport
{
public:
    virtual ~FaultTransport();

    // "pty" or "cl", as scenario keys name them.
    virtual QString Name() const = 0;
    virtual bool Start(const QStringList &simOptions) = 0;
    // Opens the channel of the camera object to the camera; 0 on success.
    virtual int Connect(CameraData &camera) = 0;
    // Ends a silence that the camera was told to keep (zq-camsim: SIGUSR1).
    virtual void Revive() = 0;
    // zqctl's channel options and environment for the same camera.
    virtual QStringList ZqctlChannel() const = 0;
    virtual QProcessEnvironment ZqctlEnvironment() const = 0;
    // Payloads the camera acknowledged, from its record.
    virtual QByteArrayList Payloads() const = 0;
    virtual void Stop() = 0;
    // The time the scenario's limits are checked against: the wall clock,
    // or the simulated port's virtual clock.
    virtual qint64 NowMs(CameraData &camera) const;
};

class SimCamera;
template <class Peer> struct SimLine;

// The simulated camera in process on the simulated port's virtual time
// ("sim"): a scenario that waits out seconds of silence costs none. For the
// faults whose handling does not depend on the transport; zqctl needs a port.
class SimTransport : public FaultTransport
{
public:
    SimTransport();
    ~SimTransport() override;
    QString Name() const override { return QStringLiteral("sim"); }
    bool Start(const QStringList &simOptions) override;
    int Connect(CameraData &camera) override;
    void Revive() override;
    QStringList ZqctlChannel() const override { return {}; }
    QProcessEnvironment ZqctlEnvironment() const override { return {}; }
    QByteArrayList Payloads() const override;
    void Stop() override;
    qint64 NowMs(CameraData &camera) const override;

private:
    std::unique_ptr<SimLine<SimCamera>> m_line;
};
