#pragma once

#include <QByteArrayList>
#include <QProcessEnvironment>
#include <QStringList>

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
};
