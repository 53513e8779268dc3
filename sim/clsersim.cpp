// libclsersim: a Camera Link serial library whose grabber port has the
// simulated camera behind it, so the program's library path runs for real.
// Settings come from the environment, since the program gives a library none:
//   ZQ_CLSIM_OPTIONS  zq-camsim's options, e.g. "--noise 2 --serial 12345678"
//   ZQ_CLSIM_FAIL_INIT=1  clSerialInit fails, as with no grabber present
//   ZQ_CLSIM_LOG      file for the camera's record (as zq-camsim --log)
// and, for a library that comes back early (as some vendors' do, whatever
// their time-out), both read at clSerialInit:
//   ZQ_CLSIM_SHORT_READS=N    a read hands out at most N bytes
//   ZQ_CLSIM_ANSWER_DELAY_MS=M  the camera's answer to a write can be read
//                             only M ms after it; a read never waits for it
#include "simcamera.h"
#include "simlog.h"
#include "simoptions.h"

#include <QElapsedTimer>
#include <QList>
#include <QProcess>
#include <QtGlobal>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

// Status codes of the Camera Link serial interface.
constexpr int32_t CL_ERR_NO_ERR = 0;
constexpr int32_t CL_ERR_PORT_IN_USE = -10003;
constexpr int32_t CL_ERR_TIMEOUT = -10004;
constexpr int32_t CL_ERR_INVALID_INDEX = -10005;
constexpr int32_t CL_ERR_INVALID_REFERENCE = -10006;

struct GrabberPort
{
    explicit GrabberPort(const SimOptions &options)
        : camera(options.Config()),
          log(qEnvironmentVariableIsSet("ZQ_CLSIM_LOG") ? qEnvironmentVariable("ZQ_CLSIM_LOG")
                                                        : options.LogPath())
    {
        clock.start();
    }
    // Answers whose time has come move to queued.
    void Deliver()
    {
        while (!delayed.isEmpty() && delayed.first().atMs <= clock.elapsed())
            queued += delayed.takeFirst().bytes;
    }
    struct Delayed
    {
        qint64 atMs;
        QByteArray bytes;
    };
    SimCamera camera;
    SimLog log;
    QByteArray queued; // the camera's answers, not yet read
    QList<Delayed> delayed;
    QElapsedTimer clock;
    uint32_t readLimit = 0; // 0: a read hands out all it has
    qint64 answerDelayMs = 0;
};

// One grabber with one serial port, as the program expects of a library.
std::unique_ptr<GrabberPort> g_port;

GrabberPort *portOf(void *serialRef)
{
    return serialRef && serialRef == g_port.get() ? g_port.get() : nullptr;
}

} // namespace

extern "C" {

Q_DECL_EXPORT int32_t clSerialInit(uint32_t serialIndex, void **serialRefPtr)
{
    if (!serialRefPtr)
        return CL_ERR_INVALID_REFERENCE;
    *serialRefPtr = nullptr;
    if (serialIndex != 0)
        return CL_ERR_INVALID_INDEX;
    if (qEnvironmentVariable("ZQ_CLSIM_FAIL_INIT") == QLatin1String("1") || g_port)
        return CL_ERR_PORT_IN_USE;
    SimOptions options;
    const QStringList arguments = QStringList{QStringLiteral("clsersim")} +
                                  QProcess::splitCommand(qEnvironmentVariable("ZQ_CLSIM_OPTIONS"));
    if (!options.Parse(arguments)) {
        std::fprintf(stderr, "clsersim: ZQ_CLSIM_OPTIONS: %s\n", qPrintable(options.Error()));
        return CL_ERR_PORT_IN_USE;
    }
    g_port = std::make_unique<GrabberPort>(options);
    g_port->readLimit = qEnvironmentVariableIntValue("ZQ_CLSIM_SHORT_READS");
    g_port->answerDelayMs = qEnvironmentVariableIntValue("ZQ_CLSIM_ANSWER_DELAY_MS");
    *serialRefPtr = g_port.get();
    return CL_ERR_NO_ERR;
}

Q_DECL_EXPORT int32_t clSerialWrite(void *serialRef, char *buffer, uint32_t *bufferSize,
                                    uint32_t serialTimeout)
{
    GrabberPort *port = portOf(serialRef);
    if (!port || !bufferSize || (*bufferSize && !buffer))
        return CL_ERR_INVALID_REFERENCE;
    const QByteArray bytes(buffer, int(*bufferSize));
    const QByteArray answer = port->camera.Receive(bytes);
    if (!answer.isEmpty())
        port->delayed.append({port->clock.elapsed() + port->answerDelayMs, answer});
    port->Deliver();
    port->log.Record(bytes, answer, port->camera);
    return CL_ERR_NO_ERR;
}

Q_DECL_EXPORT int32_t clSerialRead(void *serialRef, char *buffer, uint32_t *bufferSize,
                                   uint32_t serialTimeout)
{
    GrabberPort *port = portOf(serialRef);
    if (!port || !bufferSize || (*bufferSize && !buffer))
        return CL_ERR_INVALID_REFERENCE;
    // Never waits: the camera answers within the write, or at its delay
    // after it, which this library does not wait for.
    port->Deliver();
    const uint32_t wanted = *bufferSize;
    uint32_t given = qMin<uint32_t>(wanted, uint32_t(port->queued.size()));
    if (port->readLimit > 0)
        given = qMin(given, port->readLimit);
    std::memcpy(buffer, port->queued.constData(), given);
    port->queued.remove(0, int(given));
    *bufferSize = given;
    return given < wanted ? CL_ERR_TIMEOUT : CL_ERR_NO_ERR;
}

Q_DECL_EXPORT void clSerialClose(void *serialRef)
{
    if (portOf(serialRef))
        g_port.reset();
}

} // extern "C"
