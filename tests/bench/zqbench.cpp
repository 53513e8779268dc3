// Benchmarks of the serial channel against a simulated camera on a real
// pseudo-terminal (zq-camsim), in one process and one run:
//  (a) ReadAll through the program's channel versus a minimal loop of raw
//      reads and writes making the same 54 exchanges;
//  (b) one SendCommand to a silent camera: wall time and CPU time.
#include "camera/cameradata.h"
#include "comm/comportmap.h"
#include "support/camsimprocess.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace {

double cpuSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + ts.tv_nsec / 1e9;
}

bool readExactly(int fd, char *buffer, int count, int timeoutMs)
{
    int got = 0;
    while (got < count) {
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, timeoutMs) <= 0)
            return false;
        const ssize_t n = ::read(fd, buffer + got, size_t(count - got));
        if (n <= 0)
            return false;
        got += int(n);
    }
    return true;
}

// The same 54 read exchanges as ReadAll, with nothing but raw system calls.
bool referenceReadAll(const QString &device)
{
    const int fd = ::open(device.toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
    if (fd < 0)
        return false;
    termios tio{};
    tcgetattr(fd, &tio);
    cfmakeraw(&tio);
    cfsetspeed(&tio, B115200);
    tcsetattr(fd, TCSANOW, &tio);
    bool ok = true;
    for (int i = 0; i < PARAM_COUNT && ok; ++i) {
        const ParamInfo &row = ParamTable::Row(i);
        if (!(row.flags & PF_READ))
            continue;
        tcflush(fd, TCIOFLUSH);
        const QByteArray frame = CameraProtocol::BuildFrame(
            CameraProtocol::BuildPayload(i == 26 ? 0 : 1, 0xFF, row.readCode, row.address, {}));
        char byte = 0;
        char reply[10];
        const char enq = CameraProtocol::ENQ, ack = CameraProtocol::ACK;
        ok = ::write(fd, &enq, 1) == 1 && readExactly(fd, &byte, 1, 1000) && byte == ack &&
             ::write(fd, frame.constData(), size_t(frame.size())) == frame.size() &&
             readExactly(fd, &byte, 1, 3000) && byte == ack && readExactly(fd, reply, 10, 4000) &&
             ::write(fd, &ack, 1) == 1;
    }
    ::close(fd);
    return ok;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int rounds = argc > 1 ? qMax(1, atoi(argv[1])) : 5;
    std::printf("(a) ReadAll, 54 exchanges at 115200 baud on a pseudo-terminal, best of %d\n",
                rounds);
    {
        CamsimProcess sim(QStringLiteral(ZQ_CAMSIM));
        if (!sim.IsReady()) {
            std::fprintf(stderr, "zq-camsim did not start\n");
            return 1;
        }
        ComPortMap::SetOverride(1, sim.Link());
        double best = 1e9, bestRef = 1e9;
        for (int r = 0; r < rounds; ++r) {
            CameraData camera;
            if (camera.OpenPort(1, 115200) != 0) {
                std::fprintf(stderr, "open failed: %s\n", qPrintable(camera.GetErrorMessage()));
                return 1;
            }
            QElapsedTimer t;
            t.start();
            if (camera.ReadAll() != 1) {
                std::fprintf(stderr, "ReadAll failed: %s\n", qPrintable(camera.GetErrorMessage()));
                return 1;
            }
            best = qMin(best, t.nsecsElapsed() / 1e6);
            camera.Close();

            t.restart();
            if (!referenceReadAll(sim.Link())) {
                std::fprintf(stderr, "reference loop failed\n");
                return 1;
            }
            bestRef = qMin(bestRef, t.nsecsElapsed() / 1e6);
        }
        std::printf("    program ReadAll: %8.2f ms\n", best);
        std::printf("    reference loop:  %8.2f ms\n", bestRef);
        std::printf("    ratio:           %8.2f (goal at most 1.20)\n", best / bestRef);
    }

    std::printf("(b) SendCommand to a silent camera on a pseudo-terminal\n");
    {
        CamsimProcess sim(QStringLiteral(ZQ_CAMSIM), {QStringLiteral("--silent")});
        ComPortMap::SetOverride(1, sim.Link());
        CameraData camera;
        if (camera.OpenPort(1, 115200) != 0)
            return 1;
        QElapsedTimer t;
        t.start();
        const double cpu0 = cpuSeconds();
        const int result = camera.SendCommand("01FF0104000000");
        const double cpu = cpuSeconds() - cpu0;
        const double wall = t.nsecsElapsed() / 1e9;
        std::printf("    result %d, wall %.3f s, CPU %.4f s = %.3f%% of the wall time (goal under "
                    "2%%)\n",
                    result, wall, cpu, 100.0 * cpu / wall);
    }
    return 0;
}
