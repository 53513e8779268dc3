// Long runs with random faults: no crash, the right code for every injected
// fault, and no memory growth. Seeded, so a failure can be replayed
// (ZQ_SOAK_SEED picks another seed).
#include "camera/cameradata.h"
#include "comm/comportmap.h"
#include "sim/simcamera.h"
#include "sim/simportdriver.h"
#include "support/camsimprocess.h"

#include <QElapsedTimer>
#include <QFile>
#include <QMap>
#include <QtTest>

#include <memory>
#include <random>
#include <unistd.h>

namespace {

constexpr int kWarmUp = 1000;
constexpr int kExchanges = 10000;
constexpr int kPtyExchanges = 10000;
constexpr int kFaultPerMille = 10;
// A leak of one small block (32 bytes) per exchange would add 312 KiB over
// the run; after the warm-up, the heap's own churn stays within a few pages.
constexpr qint64 kMaxGrowthBytes = 256 * 1024;

enum Fault
{
    NoFault,
    Silence,         // one exchange unanswered: 5
    ShortSilence,    // one to three ENQs unheard: retried, success
    Noise,           // bytes before the reply: skipped, success
    BadChecksums,    // every reply of a read bad: 25 for a read
    FewBadChecksums, // one to three bad replies: retried, success
    RefusedWrite,    // 20 for a write
    RefusedEnq,      // four ENQs refused: 20
    NoReply,         // 5 for a read
    FaultKinds
};
const char *const kFaultNames[FaultKinds] = {"none",          "silence",       "short silence",
                                             "noise",         "bad checksums", "few bad checksums",
                                             "refused write", "refused ENQ",   "no reply"};

// The code an exchange must end with under the fault; 0 for success.
int expectedCode(Fault fault, bool read)
{
    switch (fault) {
    case Silence:
        return ERR_TIMEOUT;
    case BadChecksums:
        return read ? ERR_CHECKSUM : 0;
    case RefusedWrite:
        return read ? 0 : ERR_UNEXPECTED;
    case RefusedEnq:
        return ERR_UNEXPECTED;
    case NoReply:
        return read ? ERR_TIMEOUT : 0;
    default:
        return 0;
    }
}

SimFaults faultsFor(Fault fault, std::mt19937 &rng)
{
    SimFaults f;
    const auto upTo = [&](int n) { return std::uniform_int_distribution<int>(1, n)(rng); };
    switch (fault) {
    case Silence:
        f.silent = true;
        break;
    case ShortSilence:
        f.silentEnqs = upTo(3);
        break;
    case Noise:
        f.noise = upTo(40);
        break;
    case BadChecksums:
        f.badChecksumAlways = true;
        break;
    case FewBadChecksums:
        f.badChecksum = upTo(3);
        break;
    case RefusedWrite:
        f.refuseWrites = true;
        break;
    case RefusedEnq:
        f.refuseEnq = 4;
        break;
    case NoReply:
        f.noReply = true;
        break;
    default:
        break;
    }
    return f;
}

qint64 residentBytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return -1;
    return statm.readAll().split(' ').value(1).toLongLong() * ::sysconf(_SC_PAGESIZE);
}

quint32 seed()
{
    bool ok = false;
    const quint32 s = qEnvironmentVariable("ZQ_SOAK_SEED").toUInt(&ok);
    return ok ? s : 20261208u;
}

// Rows a soak may write: control settings only. Factory set and detection
// start would change other rows behind the test's back.
QList<int> writableRows()
{
    QList<int> rows;
    for (int i = 0; i < PARAM_COUNT; ++i) {
        const ParamInfo &row = ParamTable::Row(i);
        if ((row.flags & PF_WRITE_ALL) && row.address != 0x45 && row.address != 0x4D)
            rows << i;
    }
    return rows;
}

QList<int> readableRows()
{
    QList<int> rows;
    for (int i = 0; i < PARAM_COUNT; ++i) {
        if (ParamTable::Row(i).flags & PF_READ)
            rows << i;
    }
    return rows;
}

// Mixed reads and writes against one camera; keeps what the camera holds,
// so every read that succeeds is checked against it.
class Exchanger
{
public:
    Exchanger(CameraData *camera, std::mt19937 *rng) : m_camera(camera), m_rng(rng) {}

    // Learns the camera's values first.
    bool Start()
    {
        if (m_camera->ReadAll() != 1)
            return false;
        for (int i = 0; i < PARAM_COUNT; ++i)
            m_held[i] = m_camera->GetValue(i);
        return true;
    }
    // One read or write; returns the result and says which it was.
    int Exchange(bool *read)
    {
        *read = std::uniform_int_distribution<int>(0, 9)(*m_rng) < 6;
        if (*read) {
            m_row = m_readable.at(pick(m_readable.size()));
            m_camera->SetValue(m_row, -1);
            return m_camera->ReadParam(m_row);
        }
        m_row = m_writable.at(pick(m_writable.size()));
        m_value = std::uniform_int_distribution<int>(ParamTable::GetMin(m_row),
                                                     ParamTable::GetMax(m_row))(*m_rng);
        return m_camera->WriteParam(m_row, m_value);
    }
    // After a success: the value read is the camera's, a value written is now the camera's.
    bool Settle(bool read)
    {
        if (read)
            return m_camera->GetValue(m_row) == m_held[m_row];
        m_held[m_row] = m_value;
        return true;
    }
    int Row() const { return m_row; }

private:
    int pick(qsizetype n) { return std::uniform_int_distribution<int>(0, int(n) - 1)(*m_rng); }

    CameraData *m_camera;
    std::mt19937 *m_rng;
    QList<int> m_readable = readableRows();
    QList<int> m_writable = writableRows();
    int m_held[PARAM_COUNT] = {};
    int m_row = 0;
    int m_value = 0;
};

} // namespace

class TestSoak : public QObject
{
    Q_OBJECT
private slots:
    void randomFaultsOnVirtualTime();
    void noisyPseudoTerminal();
};

void TestSoak::randomFaultsOnVirtualTime()
{
    SimCamera sim;
    auto port = std::make_unique<SimPortDriver>(&sim);
    SimPortDriver *driver = port.get();
    CameraData camera;
    camera.SetPortDriver(std::move(port));
    QCOMPARE(camera.OpenPort(1, 115200), 0);
    std::mt19937 rng(seed());
    std::mt19937 faultRng(seed() + 1);
    Exchanger exchanger(&camera, &rng);
    QVERIFY(exchanger.Start());

    int faults[FaultKinds] = {};
    QMap<int, int> failures;
    qint64 before = 0;
    const qint64 virtualStart = driver->NowMs();
    for (int n = 0; n < kWarmUp + kExchanges; ++n) {
        if (n == kWarmUp)
            before = residentBytes();
        Fault fault = NoFault;
        if (std::uniform_int_distribution<int>(0, 999)(faultRng) < kFaultPerMille)
            fault = Fault(std::uniform_int_distribution<int>(Silence, FaultKinds - 1)(faultRng));
        sim.SetFaults(faultsFor(fault, faultRng));
        bool read = false;
        const int result = exchanger.Exchange(&read);
        sim.SetFaults(SimFaults());
        const int expected = expectedCode(fault, read);
        const QString what = QStringLiteral("exchange %1, %2 row %3, fault %4, result %5")
                                 .arg(n)
                                 .arg(read ? "read" : "write")
                                 .arg(exchanger.Row())
                                 .arg(kFaultNames[fault])
                                 .arg(result);
        if (expected == 0) {
            QVERIFY2(result >= 0 && exchanger.Settle(read), qPrintable(what));
        } else {
            QVERIFY2(result == -expected, qPrintable(what));
        }
        if (n >= kWarmUp) {
            faults[fault] += fault != NoFault;
            failures[expected] += expected != 0;
        }
        // The camera's inspection lists are the simulator's, not the program's memory.
        sim.ClearRecords();
        driver->ClearSent();
    }
    const qint64 after = residentBytes();

    qInfo("seed %u: %d exchanges after %d to warm up, %lld s of virtual time", seed(), kExchanges,
          kWarmUp, (driver->NowMs() - virtualStart) / 1000);
    int injected = 0;
    for (int k = Silence; k < FaultKinds; ++k) {
        qInfo("  faults injected: %-18s %d", kFaultNames[k], faults[k]);
        injected += faults[k];
    }
    qInfo("  faults injected in all: %d", injected);
    for (auto it = failures.cbegin(); it != failures.cend(); ++it) {
        if (it.value() > 0)
            qInfo("  failures with code %d: %d", it.key(), it.value());
    }
    qInfo("  resident memory: %lld KiB after the warm-up, %lld KiB at the end", before / 1024,
          after / 1024);
    QVERIFY(injected > kExchanges * kFaultPerMille / 1000 / 2);
    QVERIFY2(after - before <= kMaxGrowthBytes,
             qPrintable(QStringLiteral("grew by %1 bytes").arg(after - before)));
}

void TestSoak::noisyPseudoTerminal()
{
    // Only faults that cost no time-out and need no switch while zq-camsim
    // runs: noise before every reply and lower-case checksums.
    CamsimProcess sim(QStringLiteral(ZQ_CAMSIM), {QStringLiteral("--noise"), QStringLiteral("5"),
                                                  QStringLiteral("--lower-case")});
    QVERIFY(sim.IsReady());
    ComPortMap::SetOverride(1, sim.Link());
    CameraData camera;
    QCOMPARE(camera.OpenPort(1, 115200), 0);
    std::mt19937 rng(seed());
    Exchanger exchanger(&camera, &rng);
    QVERIFY(exchanger.Start());

    QElapsedTimer clock;
    clock.start();
    qint64 before = 0;
    const int warmUp = kPtyExchanges / 10;
    for (int n = 0; n < warmUp + kPtyExchanges; ++n) {
        if (n == warmUp)
            before = residentBytes();
        bool read = false;
        const int result = exchanger.Exchange(&read);
        QVERIFY2(result >= 0 && exchanger.Settle(read),
                 qPrintable(QStringLiteral("exchange %1: result %2").arg(n).arg(result)));
    }
    const qint64 after = residentBytes();
    ComPortMap::ClearOverrides();
    qInfo("zq-camsim: %d exchanges in %lld ms; resident memory %lld KiB after the warm-up, "
          "%lld KiB at the end",
          kPtyExchanges, clock.elapsed(), before / 1024, after / 1024);
    QVERIFY2(after - before <= kMaxGrowthBytes,
             qPrintable(QStringLiteral("grew by %1 bytes").arg(after - before)));
}

QTEST_GUILESS_MAIN(TestSoak)
#include "tst_soak.moc"
