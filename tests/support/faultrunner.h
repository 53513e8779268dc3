#pragma once

#include "faultscenario.h"

class CameraData;
class FaultTransport;
class RecordingNotifier;

// Runs one scenario over a transport and checks what it promises: the
// result code, the reports, the time taken, which rows changed, the next
// exchange, and for zqctl the exit status, stderr and the settings file.
// Failures go through QTest, so call it from a test function.
class FaultRunner
{
public:
    FaultRunner(FaultTransport *transport, const QString &zqctlPath);

    void Run(const FaultScenario &scenario);

private:
    void RunInProcess(const FaultScenario &s);
    void RunZqctl(const FaultScenario &s);
    void CheckReadRows(const FaultScenario &s, const CameraData &camera);
    void CheckWrittenRows(const FaultScenario &s);
    void CheckNext(const FaultScenario &s, CameraData &camera, RecordingNotifier &notifier);

    FaultTransport *m_transport;
    QString m_zqctl;
};
