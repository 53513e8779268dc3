// The fault scenarios of tests/faults/ against the Camera Link library. The
// library's camera answers within each write and never waits, so silence
// costs no wall time here.
#include "camera/cameradata.h"
#include "support/faultrunner.h"
#include "support/faulttransport.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

class ClTransport : public FaultTransport
{
public:
    QString Name() const override { return QStringLiteral("cl"); }
    bool Start(const QStringList &simOptions) override
    {
        m_options.clear();
        for (const QString &o : simOptions)
            m_options << (o.contains(QLatin1Char(' ')) ? QLatin1Char('"') + o + QLatin1Char('"')
                                                       : o);
        m_dir = std::make_unique<QTemporaryDir>();
        return m_dir->isValid();
    }
    int Connect(CameraData &camera) override
    {
        // The library reads its settings when the grabber port opens.
        qputenv("ZQ_CLSIM_OPTIONS", m_options.join(QLatin1Char(' ')).toLocal8Bit());
        qputenv("ZQ_CLSIM_LOG", LogPath().toLocal8Bit());
        const int result = camera.OpenLibrary(QStringLiteral(ZQ_CLSERSIM));
        qunsetenv("ZQ_CLSIM_OPTIONS");
        qunsetenv("ZQ_CLSIM_LOG");
        return result == 0 && SerialLink::IsCameraLinkOpen() ? 0 : -1;
    }
    void Revive() override {} // no switch reaches the library's camera: use --silent-enqs
    QStringList ZqctlChannel() const override
    {
        return {QStringLiteral("--cl-library"), QStringLiteral(ZQ_CLSERSIM)};
    }
    QProcessEnvironment ZqctlEnvironment() const override
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("ZQ_CLSIM_OPTIONS"), m_options.join(QLatin1Char(' ')));
        env.insert(QStringLiteral("ZQ_CLSIM_LOG"), LogPath());
        return env;
    }
    QByteArrayList Payloads() const override
    {
        QFile file(LogPath());
        QByteArrayList payloads;
        if (file.open(QIODevice::ReadOnly)) {
            for (const QByteArray &line : file.readAll().split('\n')) {
                if (line.startsWith("payload "))
                    payloads << line.mid(int(qstrlen("payload ")));
            }
        }
        return payloads;
    }
    void Stop() override { m_dir.reset(); }

private:
    QString LogPath() const { return m_dir->filePath(QStringLiteral("camera.log")); }

    QStringList m_options;
    std::unique_ptr<QTemporaryDir> m_dir;
};

} // namespace

class TestFaultsCl : public QObject
{
    Q_OBJECT
private slots:
    void scenario_data();
    void scenario();
    // The scenarios that wait out a silence, on the simulated port's clock.
    void onVirtualTime_data() { scenario_data(); }
    void onVirtualTime();
};

void TestFaultsCl::scenario_data()
{
    FaultScenario::AddTestRows(QStringLiteral(ZQ_FAULTS_DIR));
}

void TestFaultsCl::scenario()
{
    QFETCH(QString, path);
    FaultScenario s;
    QString error;
    QVERIFY2(FaultScenario::Load(path, QStringLiteral("cl"), &s, &error), qPrintable(error));
    if (!s.runs)
        QSKIP("not a scenario for the Camera Link library");
    ClTransport transport;
    FaultRunner(&transport, QStringLiteral(ZQCTL)).Run(s);
    QVERIFY(!SerialLink::IsCameraLinkOpen()); // each scenario opens its own port
}

void TestFaultsCl::onVirtualTime()
{
    QFETCH(QString, path);
    FaultScenario s;
    QString error;
    QVERIFY2(FaultScenario::Load(path, QStringLiteral("sim"), &s, &error), qPrintable(error));
    if (!s.runs)
        QSKIP("runs on its transports' own time");
    SimTransport transport;
    FaultRunner(&transport, QString()).Run(s);
}

QTEST_GUILESS_MAIN(TestFaultsCl)
#include "tst_faults_cl.moc"
