// zq-camsim: a simulated camera on a pseudo-terminal, so the program runs
// without hardware. See --help.
#include "ptyserver.h"
#include "simcamera.h"
#include "simlog.h"
#include "simoptions.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    SimOptions options;
    if (!options.Parse(app.arguments())) {
        std::fprintf(stderr, "zq-camsim: %s\n%s", qPrintable(options.Error()),
                     "Try 'zq-camsim --help'.\n");
        return 2;
    }
    if (options.HelpRequested()) {
        std::fputs(qPrintable(SimOptions::HelpText()), stdout);
        return EXIT_SUCCESS;
    }

    SimCamera camera(options.Config());
    SimLog log(options.LogPath());
    PtyServer server(&camera, &log);
    server.SetBaud(options.Baud());
    server.SetStrictBaud(options.StrictBaud());
    server.SetLatency(options.LatencyMs());
    if (!server.Open(options.LinkPath())) {
        std::fprintf(stderr, "zq-camsim: %s\n", qPrintable(server.Error()));
        return EXIT_FAILURE;
    }
    // Tests and scripts wait for this line before they open the device.
    std::printf("zq-camsim: ready %s\n", qPrintable(server.DevicePath()));
    std::fflush(stdout);
    return server.Run();
}
