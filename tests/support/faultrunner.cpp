#include "faultrunner.h"
#include "camera/paramindex.h"

#include "camera/cameradata.h"
#include "camera/settingsfile.h"
#include "faulttransport.h"
#include "processrun.h"
#include "recordingnotifier.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// No register holds more than 24 bits, so a read never leaves this behind.
constexpr int kUnread = -1;
// A later exchange on a dead line must not wait for anything.
constexpr qint64 kAtOnceMs = 500;

QString expectedReport(int code)
{
    return QStringLiteral("ERROR - ") + ErrorState::MessageOf(code);
}

QByteArray writePrefix(int row)
{
    const ParamInfo &info = ParamTable::Row(row);
    return QString::asprintf("01FF%02X%02X", info.writeCode, info.address).toLatin1();
}

QString timing(qint64 ms, const FaultScenario &s)
{
    return QStringLiteral("%1 ms, expected %2..%3").arg(ms).arg(s.minMs).arg(s.maxMs);
}

} // namespace

FaultRunner::FaultRunner(FaultTransport *transport, const QString &zqctlPath)
    : m_transport(transport), m_zqctl(zqctlPath)
{
}

void FaultRunner::Run(const FaultScenario &s)
{
    QVERIFY2(m_transport->Start(s.simOptions), "the simulated camera did not start");
    if (s.op == FaultScenario::Op::Zqctl)
        RunZqctl(s);
    else
        RunInProcess(s);
    m_transport->Stop();
}

void FaultRunner::RunInProcess(const FaultScenario &s)
{
    RecordingNotifier notifier;
    CameraData camera;
    QCOMPARE(m_transport->Connect(camera), 0);
    for (int i = 0; i < PARAM_COUNT; ++i)
        camera.SetValue(i, s.op == FaultScenario::Op::UploadAll ||
                                   s.op == FaultScenario::Op::UploadParam
                               ? kUnread
                               : ParamTable::GetDefault(i));

    const qint64 start = m_transport->NowMs(camera);
    int result = 0;
    switch (s.op) {
    case FaultScenario::Op::UploadAll:
        result = camera.UploadAll();
        break;
    case FaultScenario::Op::SendAll:
        result = camera.SendAll();
        break;
    case FaultScenario::Op::UploadParam:
        result = camera.UploadParam(s.index);
        break;
    case FaultScenario::Op::SendParam:
        result = camera.SendParam(s.index, s.value);
        break;
    case FaultScenario::Op::Zqctl:
        break;
    }
    const qint64 ms = m_transport->NowMs(camera) - start;
    qInfo("%s over %s: result %d, code %d, %d reports, %lld ms", QTest::currentDataTag(),
          qPrintable(m_transport->Name()), result, camera.GetErrorCode(),
          int(notifier.messages.size()), ms);

    if (s.code == 0) {
        QVERIFY2(result >= 0, qPrintable(QString::number(result)));
    } else {
        QCOMPARE(result, -s.code);
        QCOMPARE(camera.GetErrorCode(), s.code);
    }
    QCOMPARE(notifier.messages.size(), s.reports);
    for (const RecordingNotifier::Message &m : notifier.messages)
        QCOMPARE(m.text, expectedReport(s.code));
    QVERIFY2(ms >= s.minMs && ms <= s.maxMs, qPrintable(timing(ms, s)));

    if (s.op == FaultScenario::Op::UploadAll || s.op == FaultScenario::Op::UploadParam)
        CheckReadRows(s, camera);
    else
        CheckWrittenRows(s);
    if (QTest::currentTestFailed())
        return;
    CheckNext(s, camera, notifier);
}

void FaultRunner::CheckReadRows(const FaultScenario &s, const CameraData &camera)
{
    for (int row : s.updated)
        QVERIFY2(camera.GetValue(row) != kUnread, qPrintable(QStringLiteral("row %1").arg(row)));
    for (int row : s.kept)
        QVERIFY2(camera.GetValue(row) == kUnread, qPrintable(QStringLiteral("row %1").arg(row)));
}

void FaultRunner::CheckWrittenRows(const FaultScenario &s)
{
    const QByteArrayList payloads = m_transport->Payloads();
    const auto written = [&](int row) {
        for (const QByteArray &p : payloads) {
            if (p.startsWith(writePrefix(row)))
                return true;
        }
        return false;
    };
    for (int row : s.updated)
        QVERIFY2(written(row), qPrintable(QStringLiteral("row %1 not written").arg(row)));
    for (int row : s.kept)
        QVERIFY2(!written(row), qPrintable(QStringLiteral("row %1 written").arg(row)));
}

void FaultRunner::CheckNext(const FaultScenario &s, CameraData &camera, RecordingNotifier &notifier)
{
    if (s.revive)
        m_transport->Revive();
    const int reports = int(notifier.messages.size());
    qint64 start = 0;
    switch (s.next) {
    case FaultScenario::Next::Unchecked:
        break;
    case FaultScenario::Next::Works:
        // Nothing of the failed exchange may linger: a write and a read go through.
        QCOMPARE(camera.SendParam(Param::GainLevel, 300), 1);
        camera.SetValue(Param::GainLevel, 0);
        QCOMPARE(camera.UploadParam(Param::GainLevel), 1);
        QCOMPARE(camera.GetValue(Param::GainLevel), 300);
        QCOMPARE(notifier.messages.size(), reports);
        break;
    case FaultScenario::Next::FailsAtOnce:
        for (int round = 0; round < 3; ++round) {
            start = m_transport->NowMs(camera);
            QVERIFY(camera.UploadParam(Param::ProgrammableShutter) < 0);
            QVERIFY(camera.SendParam(Param::GainLevel, 1) < 0);
            const qint64 ms = m_transport->NowMs(camera) - start;
            QVERIFY2(ms < kAtOnceMs, qPrintable(QString::number(ms)));
        }
        QCOMPARE(notifier.messages.size(), reports + 6);
        break;
    }
}

void FaultRunner::RunZqctl(const FaultScenario &s)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("line3.zq"));
    {
        CameraData values; // a file whose values differ from the camera's
        values.SetValue(Param::GainLevel, 300);
        values.SetValue(Param::BlackLevel, 42);
        QString error;
        QCOMPARE(SettingsFile::Write(path, values, &error), SettingsFile::Ok);
    }
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();

    QStringList arguments = m_transport->ZqctlChannel();
    for (const QString &a : s.zqctlArgs)
        arguments << QString(a).replace(QLatin1String("{file}"), path);
    QProcess zqctl;
    zqctl.setProcessEnvironment(m_transport->ZqctlEnvironment());
    QElapsedTimer clock;
    clock.start();
    zqctl.start(m_zqctl, arguments);
    QVERIFY(zqctl.waitForFinished(60000));
    const qint64 ms = clock.elapsed();
    const QByteArray err = ProcessRun::Lines(zqctl.readAllStandardError());
    qInfo("%s over %s: exit %d, %lld ms, stderr \"%s\"", QTest::currentDataTag(),
          qPrintable(m_transport->Name()), zqctl.exitCode(), ms, err.simplified().constData());

    QCOMPARE(zqctl.exitStatus(), QProcess::NormalExit);
    QCOMPARE(zqctl.exitCode(), s.exitCode);
    QByteArray expected;
    for (int i = 0; i < s.reports; ++i)
        expected += "zqctl: " + expectedReport(s.code).toLocal8Bit() + '\n';
    QCOMPARE(err, expected);
    if (!s.stdoutText.isEmpty())
        QCOMPARE(QString::fromLocal8Bit(ProcessRun::Lines(zqctl.readAllStandardOutput())).trimmed(),
                 s.stdoutText);
    QVERIFY2(ms >= s.minMs && ms <= s.maxMs, qPrintable(timing(ms, s)));
    if (s.fileUntouched) {
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), before);
    }
    CheckWrittenRows(s);
}
