// The fault scenarios of tests/faults/ against zq-camsim on a pseudo-terminal.
#include "camera/cameradata.h"
#include "comm/comportmap.h"
#include "support/camsimprocess.h"
#include "support/faultrunner.h"
#include "support/faulttransport.h"

#include <QFileInfo>
#include <QtTest>

#include <csignal>
#include <memory>

namespace {

class PtyTransport : public FaultTransport
{
public:
    QString Name() const override { return QStringLiteral("pty"); }
    bool Start(const QStringList &simOptions) override
    {
        m_sim = std::make_unique<CamsimProcess>(QStringLiteral(ZQ_CAMSIM), simOptions);
        return m_sim->IsReady();
    }
    int Connect(CameraData &camera) override
    {
        ComPortMap::SetOverride(1, m_sim->Link());
        return camera.OpenPort(1, 115200);
    }
    void Revive() override { ::kill(pid_t(m_sim->Process().processId()), SIGUSR1); }
    QStringList ZqctlChannel() const override
    {
        return {QStringLiteral("--device"), m_sim->Link(), QStringLiteral("--baud"),
                QStringLiteral("115200")};
    }
    QProcessEnvironment ZqctlEnvironment() const override
    {
        return QProcessEnvironment::systemEnvironment();
    }
    QByteArrayList Payloads() const override
    {
        QByteArrayList payloads;
        for (const QByteArray &line : m_sim->Log("payload"))
            payloads << line.mid(int(qstrlen("payload ")));
        return payloads;
    }
    void Stop() override
    {
        ComPortMap::ClearOverrides();
        m_sim.reset();
    }

private:
    std::unique_ptr<CamsimProcess> m_sim;
};

} // namespace

class TestFaultsPty : public QObject
{
    Q_OBJECT
private slots:
    void scenario_data();
    void scenario();
};

void TestFaultsPty::scenario_data()
{
    FaultScenario::AddTestRows(QStringLiteral(ZQ_FAULTS_DIR));
}

void TestFaultsPty::scenario()
{
    QFETCH(QString, path);
    FaultScenario s;
    QString error;
    QVERIFY2(FaultScenario::Load(path, QStringLiteral("pty"), &s, &error), qPrintable(error));
    if (!s.runs)
        QSKIP("not a scenario for zq-camsim");
    PtyTransport transport;
    FaultRunner(&transport, QStringLiteral(ZQCTL)).Run(s);
}

QTEST_GUILESS_MAIN(TestFaultsPty)
#include "tst_faults_pty.moc"
