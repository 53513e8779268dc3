#include "faulttransport.h"

#include "camera/cameradata.h"
#include "sim/simoptions.h"
#include "simrig.h"

#include <QElapsedTimer>

FaultTransport::~FaultTransport() = default;

qint64 FaultTransport::NowMs(CameraData &) const
{
    static QElapsedTimer wall;
    if (!wall.isValid())
        wall.start();
    return wall.elapsed();
}

SimTransport::SimTransport() = default;
SimTransport::~SimTransport() = default;

bool SimTransport::Start(const QStringList &simOptions)
{
    SimOptions options;
    if (!options.Parse(QStringList{QStringLiteral("zq-camsim")} + simOptions))
        return false;
    m_line = std::make_unique<SimLine<SimCamera>>(options.Config());
    return true;
}

int SimTransport::Connect(CameraData &camera)
{
    m_line->Attach(camera, 0);
    return camera.OpenPort(1, 115200);
}

void SimTransport::Revive()
{
    m_line->peer.Faults().silent = false; // what SIGUSR1 does to zq-camsim
}

QByteArrayList SimTransport::Payloads() const
{
    return m_line->peer.Payloads();
}

void SimTransport::Stop()
{
    m_line.reset();
}

qint64 SimTransport::NowMs(CameraData &camera) const
{
    return camera.NowMs();
}
