#include "faulttransport.h"

#include "camera/cameradata.h"
#include "sim/simcamera.h"
#include "sim/simoptions.h"
#include "sim/simportdriver.h"

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
    m_camera = std::make_unique<SimCamera>(options.Config());
    return true;
}

int SimTransport::Connect(CameraData &camera)
{
    camera.SetPortDriver(std::make_unique<SimPortDriver>(m_camera.get()));
    return camera.OpenPort(1, 115200);
}

void SimTransport::Revive()
{
    m_camera->Faults().silent = false; // what SIGUSR1 does to zq-camsim
}

QByteArrayList SimTransport::Payloads() const
{
    return m_camera->Payloads();
}

void SimTransport::Stop()
{
    m_camera.reset();
}

qint64 SimTransport::NowMs(CameraData &camera) const
{
    return camera.NowMs();
}
