// Start-up against a simulated camera (zq-camsim --baud N [--latency 16]),
// on the operator's clock: from the key press on OPEN in the setup dialog to
// the first paint of the filled panel, against a bare "zqctl read-all" on the
// same line, its process start included, at 9600 and 115200 baud,
// each straight and behind an untuned USB adapter (replies held for the
// next 16 ms tick). The program should add almost nothing to the reading
// (goal: at most 1.10 times). At 115200 the bare read is also set against
// the line's own time, 31 byte times a register (goal: at most 1.2).
// Run build/tests/bench/startupbench [rounds] (offscreen by default).
#include "app/ccontrolapp.h"
#include "app/cmainframe.h"
#include "app/commsetupdialog.h"
#include "camera/paramtable.h"
#include "camera/thecamera.h"
#include "comm/comportmap.h"
#include "comm/comportdriver.h"
#include "support/camsimprocess.h"
#include "support/guifixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

QAbstractButton *ButtonNamed(QWidget *dialog, const QString &text)
{
    for (QAbstractButton *b : dialog->findChildren<QAbstractButton *>())
        if (b->text() == text)
            return b;
    return nullptr;
}

// Notes when the panel is first painted after the clock started.
class FirstPaint : public QObject
{
public:
    explicit FirstPaint(const QElapsedTimer &clock) : m_clock(clock)
    {
        qApp->installEventFilter(this);
    }
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (ms < 0 && m_clock.isValid() && event->type() == QEvent::Paint &&
            watched->inherits("CZQB40View"))
            ms = m_clock.nsecsElapsed() / 1e6;
        return false;
    }
    double ms = -1;

private:
    const QElapsedTimer &m_clock;
};

// Milliseconds from the key press on OPEN to the filled panel's first
// paint; negative on failure.
double ProgramStartup(const QString &link, int baud)
{
    GuiFixture rig;
    theCamera.SetPortDriver(NewComPortDriver());
    ComPortMap::SetOverride(1, link);
    QElapsedTimer clock;
    bool ok = false;
    double ms = 0;
    FirstPaint painted(clock);
    {
        CControlApp app;
        app.SetSetupRunner([&](CommSetupDialog &dialog) {
            dialog.show();
            QTest::mouseClick(ButtonNamed(&dialog, QStringLiteral("COM 1")), Qt::LeftButton);
            QTest::mouseClick(ButtonNamed(&dialog, baud == 9600 ? QStringLiteral(" 9600")
                                                                : QStringLiteral("115200")),
                              Qt::LeftButton);
            QAbstractButton *open = ButtonNamed(&dialog, QStringLiteral("OPEN"));
            open->setFocus();
            clock.start();
            QTest::keyClick(open, Qt::Key_Space);
        });
        ok = app.Startup({QStringLiteral("zqremote")}) && rig.boxes.isEmpty();
        // Under a window manager the panel paints once its window is mapped.
        QElapsedTimer waited;
        waited.start();
        while (ok && painted.ms < 0 && waited.elapsed() < 2000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        ms = painted.ms; // the windows' teardown is not start-up
    }
    theCamera.Close();
    ComPortMap::ClearOverrides();
    return ok && ms >= 0 ? ms : -1;
}

double ZqctlReadAll(const QString &link, int baud)
{
    QProcess zqctl;
    QElapsedTimer clock;
    clock.start();
    zqctl.start(QStringLiteral(ZQCTL), {QStringLiteral("--device"), link, QStringLiteral("--baud"),
                                        QString::number(baud), QStringLiteral("read-all")});
    if (!zqctl.waitForFinished(30000) || zqctl.exitCode() != 0)
        return -1;
    return clock.nsecsElapsed() / 1e6;
}
} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? qMax(1, atoi(argv[1])) : 5;
    std::printf("Start-up on zq-camsim, median of %d rounds (goal: ratio at most 1.10)\n", rounds);
    std::printf("  %-28s %12s %12s %8s\n", "line", "program ms", "read-all ms", "ratio");
    for (const int baud : {9600, 115200}) {
        for (const int latency : {0, 16}) {
            QStringList options = {QStringLiteral("--baud"), QString::number(baud)};
            if (latency)
                options << QStringLiteral("--latency") << QString::number(latency);
            CamsimProcess sim(QStringLiteral(ZQ_CAMSIM), options);
            if (!sim.IsReady()) {
                std::fprintf(stderr, "zq-camsim did not start\n");
                return 1;
            }
            std::vector<double> program, bare;
            for (int r = 0; r < rounds; ++r) {
                const double z = ZqctlReadAll(sim.Link(), baud);
                const double p = ProgramStartup(sim.Link(), baud);
                if (z < 0 || p < 0) {
                    std::fprintf(stderr, "round %d failed (zqctl %.0f ms, program %.0f ms)\n", r, z,
                                 p);
                    return 1;
                }
                bare.push_back(z);
                program.push_back(p);
            }
            const QString line =
                QStringLiteral("%1 baud%2")
                    .arg(baud)
                    .arg(latency ? QStringLiteral(", latency %1 ms").arg(latency) : QString());
            std::printf("  %-28s %12.1f %12.1f %8.3f\n", qPrintable(line), Median(program),
                        Median(bare), Median(program) / Median(bare));
            if (baud == 115200 && !latency) {
                // Every register read: ENQ, ACK, the 18-byte frame, ACK and
                // the 10-byte reply; the closing ACK, not waited for, still
                // holds the line before the next ENQ.
                const double byteMs = 10 * 1000.0 / baud;
                const double wireMs = ParamTable::CountWith(PF_READ) * 31 * byteMs;
                std::printf("  read-all at 115200 against the line's time %.1f ms: %.3f (goal at "
                            "most 1.2); with the closing ACKs %.3f\n",
                            wireMs, Median(bare) / wireMs, Median(bare) / (wireMs * 32 / 31));
            }
        }
    }
    return 0;
}
