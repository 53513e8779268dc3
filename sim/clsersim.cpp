// libclsersim: a Camera Link serial library whose grabber ports have the
// simulated camera behind them, so the program's library path runs for real.
// Settings come from the environment, since the program gives a library none:
//   ZQ_CLSIM_OPTIONS  zq-camsim's options, e.g. "--noise 2 --serial 12345678";
//                     --baud N is the camera's line rate: it answers only
//                     while its port is set to N (a port starts at 9600)
//   ZQ_CLSIM_FAIL_INIT=1  clSerialInit fails, as with no grabber present
//   ZQ_CLSIM_LOG      file for the camera's record (as zq-camsim --log)
// and, read at clSerialInit:
//   ZQ_CLSIM_PORTS=N        the grabber has N serial ports (1)
//   ZQ_CLSIM_CAMERAS=I,J    the ports with a camera (all); the others are
//                           silent lines with nothing behind them
//   ZQ_CLSIM_RATES=BITS     the rates clSetBaudRate takes, as the bits of
//                           clGetSupportedBaudRates (31: 9600 to 115200)
//   ZQ_CLSIM_STALE=TEXT     bytes already waiting in the port when it opens,
//                           as a late reply an earlier program left there
// for a library that comes back early (as some vendors' do, whatever
// their time-out):
//   ZQ_CLSIM_SHORT_READS=N    a read hands out at most N bytes
//   ZQ_CLSIM_ANSWER_DELAY_MS=M  the camera's answer to a write can be read
//                             only M ms after it; a read never waits for it
// Built twice: with the later functions of the interface, and with the
// first four only (ZQ_CLSIM_FOUR_FUNCTIONS), as older grabber libraries are.
#include "simcamera.h"
#include "simlog.h"
#include "simoptions.h"

#include "comm/clserialcodes.h"

#include <QElapsedTimer>
#include <QList>
#include <QProcess>
#include <QtGlobal>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <map>
#include <memory>

namespace {

using namespace ClSerial;
constexpr uint32_t CL_DLL_VERSION_1_1 = 3;

struct GrabberPort
{
    GrabberPort(const SimOptions &options, bool withCamera)
        : camera(options.Config()),
          log(qEnvironmentVariableIsSet("ZQ_CLSIM_LOG") ? qEnvironmentVariable("ZQ_CLSIM_LOG")
                                                        : options.LogPath()),
          cameraBaud(options.Baud()), hasCamera(withCamera)
    {
        clock.start();
    }
    // Answers whose time has come move to queued.
    void Deliver()
    {
        while (!delayed.isEmpty() && delayed.first().atMs <= clock.elapsed())
            queued += delayed.takeFirst().bytes;
    }
    // The camera hears the line only when it has one and runs at the port's rate.
    bool Hears() const { return hasCamera && (cameraBaud == 0 || cameraBaud == baud); }
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
    int cameraBaud = 0;
    int baud = 9600;
    bool hasCamera = true;
};

// The grabber's open ports by index.
std::map<uint32_t, std::unique_ptr<GrabberPort>> g_ports;

uint32_t portCount()
{
    return uint32_t(qBound(1, qEnvironmentVariableIntValue("ZQ_CLSIM_PORTS"), 16));
}

bool portHasCamera(uint32_t index)
{
    if (!qEnvironmentVariableIsSet("ZQ_CLSIM_CAMERAS"))
        return true;
    const QStringList ports = qEnvironmentVariable("ZQ_CLSIM_CAMERAS").split(QLatin1Char(','));
    return ports.contains(QString::number(index));
}

GrabberPort *portOf(void *serialRef)
{
    for (const auto &entry : g_ports) {
        if (serialRef && serialRef == entry.second.get())
            return entry.second.get();
    }
    return nullptr;
}

} // namespace

extern "C" {

Q_DECL_EXPORT int32_t clSerialInit(uint32_t serialIndex, void **serialRefPtr)
{
    if (!serialRefPtr)
        return CL_ERR_INVALID_REFERENCE;
    *serialRefPtr = nullptr;
    if (serialIndex >= portCount())
        return CL_ERR_INVALID_INDEX;
    if (qEnvironmentVariable("ZQ_CLSIM_FAIL_INIT") == QLatin1String("1") ||
        g_ports.count(serialIndex))
        return CL_ERR_PORT_IN_USE;
    SimOptions options;
    const QStringList arguments = QStringList{QStringLiteral("clsersim")} +
                                  QProcess::splitCommand(qEnvironmentVariable("ZQ_CLSIM_OPTIONS"));
    if (!options.Parse(arguments)) {
        std::fprintf(stderr, "clsersim: ZQ_CLSIM_OPTIONS: %s\n", qPrintable(options.Error()));
        return CL_ERR_PORT_IN_USE;
    }
    auto port = std::make_unique<GrabberPort>(options, portHasCamera(serialIndex));
    port->readLimit = qEnvironmentVariableIntValue("ZQ_CLSIM_SHORT_READS");
    port->answerDelayMs = qEnvironmentVariableIntValue("ZQ_CLSIM_ANSWER_DELAY_MS");
    port->queued = qgetenv("ZQ_CLSIM_STALE");
    *serialRefPtr = port.get();
    g_ports[serialIndex] = std::move(port);
    return CL_ERR_NO_ERR;
}

Q_DECL_EXPORT int32_t clSerialWrite(void *serialRef, char *buffer, uint32_t *bufferSize,
                                    uint32_t serialTimeout)
{
    GrabberPort *port = portOf(serialRef);
    if (!port || !bufferSize || (*bufferSize && !buffer))
        return CL_ERR_INVALID_REFERENCE;
    const QByteArray bytes(buffer, int(*bufferSize));
    if (!port->Hears())
        return CL_ERR_NO_ERR; // the bytes leave; nobody listens at this rate
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
    for (auto it = g_ports.begin(); it != g_ports.end(); ++it) {
        if (serialRef && it->second.get() == serialRef) {
            g_ports.erase(it);
            return;
        }
    }
}

#ifndef ZQ_CLSIM_FOUR_FUNCTIONS

} // extern "C"

namespace {
// Copies text and its terminating zero as the interface's text calls do.
int32_t giveText(const QByteArray &text, char *buffer, uint32_t *size)
{
    if (!size)
        return CL_ERR_INVALID_REFERENCE;
    const auto needed = uint32_t(text.size() + 1);
    if (!buffer || *size < needed) {
        *size = needed;
        return CL_ERR_BUFFER_TOO_SMALL;
    }
    std::memcpy(buffer, text.constData(), needed);
    *size = needed;
    return CL_ERR_NO_ERR;
}

} // namespace

extern "C" {

Q_DECL_EXPORT int32_t clGetNumSerialPorts(uint32_t *numPorts)
{
    if (!numPorts)
        return CL_ERR_INVALID_REFERENCE;
    *numPorts = portCount();
    return CL_ERR_NO_ERR;
}

Q_DECL_EXPORT int32_t clGetSerialPortIdentifier(uint32_t index, char *id, uint32_t *size)
{
    if (index >= portCount())
        return CL_ERR_INVALID_INDEX;
    return giveText("Sim grabber, port " + QByteArray(1, char('A' + index)), id, size);
}

Q_DECL_EXPORT int32_t clGetManufacturerInfo(char *name, uint32_t *size, uint32_t *version)
{
    if (version)
        *version = CL_DLL_VERSION_1_1;
    return giveText("ZQ simulated grabber", name, size);
}

Q_DECL_EXPORT int32_t clGetSupportedBaudRates(void *serialRef, uint32_t *rates)
{
    if (!portOf(serialRef) || !rates)
        return CL_ERR_INVALID_REFERENCE;
    *rates = qEnvironmentVariableIsSet("ZQ_CLSIM_RATES")
                 ? uint32_t(qEnvironmentVariableIntValue("ZQ_CLSIM_RATES"))
                 : 0x1Fu;
    return CL_ERR_NO_ERR;
}

Q_DECL_EXPORT int32_t clSetBaudRate(void *serialRef, uint32_t rate)
{
    GrabberPort *port = portOf(serialRef);
    if (!port)
        return CL_ERR_INVALID_REFERENCE;
    uint32_t supported = 0;
    clGetSupportedBaudRates(serialRef, &supported);
    for (int i = 0; i < int(std::size(kRates)); ++i) {
        if (rate == (1u << i) && (supported & rate)) {
            port->baud = int(kRates[i]);
            return CL_ERR_NO_ERR;
        }
    }
    return CL_ERR_BAUD_RATE_NOT_SUPPORTED;
}

Q_DECL_EXPORT int32_t clFlushPort(void *serialRef)
{
    GrabberPort *port = portOf(serialRef);
    if (!port)
        return CL_ERR_INVALID_REFERENCE;
    port->Deliver();
    port->queued.clear();
    return CL_ERR_NO_ERR;
}

Q_DECL_EXPORT int32_t clGetNumBytesAvail(void *serialRef, uint32_t *count)
{
    GrabberPort *port = portOf(serialRef);
    if (!port || !count)
        return CL_ERR_INVALID_REFERENCE;
    port->Deliver();
    *count = uint32_t(port->queued.size());
    return CL_ERR_NO_ERR;
}

Q_DECL_EXPORT int32_t clGetErrorText(int32_t code, char *text, uint32_t *size)
{
    static const std::map<int32_t, const char *> kTexts = {
        {CL_ERR_BUFFER_TOO_SMALL, "The buffer is too small for the text."},
        {CL_ERR_PORT_IN_USE, "The grabber's serial port is in use by another program."},
        {CL_ERR_TIMEOUT, "Fewer bytes arrived than were asked for."},
        {CL_ERR_INVALID_INDEX, "The grabber has no serial port of that number."},
        {CL_ERR_INVALID_REFERENCE, "That is not an open serial port of this grabber."},
        {CL_ERR_BAUD_RATE_NOT_SUPPORTED, "The grabber's port does not take that baud rate."},
    };
    const auto it = kTexts.find(code);
    if (it == kTexts.end())
        return CL_ERR_ERROR_NOT_FOUND;
    return giveText(it->second, text, size);
}

#endif

} // extern "C"
