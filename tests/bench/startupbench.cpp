// Start-up against a simulated camera on a 9600-baud line (zq-camsim --baud
// 9600): from OPEN in the setup dialog to the main window with its panel
// filled, against a bare "zqctl read-all" on the same line. The program
// should add almost nothing to the wire time (goal: at most 1.10 times).
// Run build/tests/bench/startupbench [rounds] (offscreen by default).
#include "app/ccontrolapp.h"
#include "app/cmainframe.h"
#include "app/commsetupdialog.h"
#include "camera/thecamera.h"
#include "comm/comportmap.h"
#include "comm/qserialportdriver.h"
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

// Milliseconds from OPEN to the filled, painted panel; negative on failure.
double ProgramStartup(const QString &link)
{
    GuiFixture rig;
    theCamera.SetPortDriver(std::make_unique<QSerialPortDriver>());
    ComPortMap::SetOverride(1, link);
    QElapsedTimer clock;
    bool ok = false;
    {
        CControlApp app;
        app.SetSetupRunner([&](CommSetupDialog &dialog) {
            dialog.show();
            QTest::mouseClick(ButtonNamed(&dialog, QStringLiteral("COM 1")), Qt::LeftButton);
            clock.start();
            QTest::mouseClick(ButtonNamed(&dialog, QStringLiteral("OPEN")), Qt::LeftButton);
        });
        ok = app.Startup({QStringLiteral("zqremote")}) && rig.boxes.isEmpty();
        QCoreApplication::processEvents();
    }
    const double ms = clock.nsecsElapsed() / 1e6;
    theCamera.Close();
    ComPortMap::ClearOverrides();
    return ok ? ms : -1;
}

double ZqctlReadAll(const QString &link)
{
    QProcess zqctl;
    QElapsedTimer clock;
    clock.start();
    zqctl.start(QStringLiteral(ZQCTL),
                {QStringLiteral("--device"), link, QStringLiteral("read-all")});
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
    CamsimProcess sim(QStringLiteral(ZQ_CAMSIM),
                      {QStringLiteral("--baud"), QStringLiteral("9600")});
    if (!sim.IsReady()) {
        std::fprintf(stderr, "zq-camsim did not start\n");
        return 1;
    }
    std::vector<double> program, bare;
    for (int r = 0; r < rounds; ++r) {
        const double z = ZqctlReadAll(sim.Link());
        const double p = ProgramStartup(sim.Link());
        if (z < 0 || p < 0) {
            std::fprintf(stderr, "round %d failed (zqctl %.0f ms, program %.0f ms)\n", r, z, p);
            return 1;
        }
        bare.push_back(z);
        program.push_back(p);
    }
    std::printf("Start-up at 9600 baud on zq-camsim, median of %d rounds\n", rounds);
    std::printf("    OPEN to filled panel: %8.1f ms\n", Median(program));
    std::printf("    zqctl read-all:       %8.1f ms\n", Median(bare));
    std::printf("    ratio:                %8.3f (goal at most 1.10)\n",
                Median(program) / Median(bare));
    return 0;
}
