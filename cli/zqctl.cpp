#include "zqctl.h"

#include "camera/thecamera.h"
#include "comm/channelspec.h"
#include "comm/comportmap.h"
#include "comm/portcatalog.h"
#include "comm/qserialportdriver.h"
#include "comm/tracelog.h"
#include "replywatch.h"
#include "resources/appversion.h"
#include "terminalnotifier.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <cstdio>

namespace {
const char kShortUsage[] = "Usage: zqctl [--com N | --device PATH] [--baud 9600|115200] "
                           "[--cl-library FILE [--cl-port N]] [--trace FILE] COMMAND (see "
                           "--help)\n";
// Name the channels, with their values: left out of what each channel's own
// run is given.
const char *const kChannelOptions[] = {"device", "com", "cl-port", "devices"};

// A channel option among the arguments, in any form the parser takes
// ("--device X", "-device X", "--device=X"): which, its value, and how many
// arguments it spans; 0 when the argument at i is none.
int channelOption(const QStringList &arguments, int i, QString *name, QString *value)
{
    QString a = arguments.at(i);
    if (!a.startsWith(QLatin1Char('-')))
        return 0;
    a = a.mid(a.startsWith(QLatin1String("--")) ? 2 : 1);
    const int eq = int(a.indexOf(QLatin1Char('=')));
    *name = eq < 0 ? a : a.left(eq);
    bool known = false;
    for (const char *option : kChannelOptions)
        known = known || *name == QLatin1String(option);
    if (!known)
        return 0;
    if (eq >= 0) {
        *value = a.mid(eq + 1);
        return 1;
    }
    *value = i + 1 < arguments.size() ? arguments.at(i + 1) : QString();
    return 2;
}
} // namespace

Zqctl::Zqctl() = default;

Zqctl::~Zqctl()
{
    theCamera.SetTrace(nullptr);
    theCamera.SetBulkProgress(nullptr);
    // Released here, not by theCamera's destructor after main(): by then a
    // grabber library's own state and Qt's may be gone, and closing the port
    // crashed the process before stdout was flushed.
    theCamera.Close();
}

void Zqctl::Out(const QString &line)
{
    std::fprintf(stdout, "%s\n", line.toLocal8Bit().constData());
}

void Zqctl::Err(const QString &line)
{
    std::fprintf(stderr, "zqctl: %s\n", line.toLocal8Bit().constData());
}

int Zqctl::UsageError(const QString &message)
{
    Err(message);
    std::fputs(kShortUsage, stderr);
    return Usage;
}

const Zqctl::Command *Zqctl::FindCommand(const QString &name)
{
    for (int i = 0; i < kCommandCount; ++i) {
        if (name == QLatin1String(kCommands[i].name))
            return &kCommands[i];
    }
    return nullptr;
}

void Zqctl::OutJson(const QJsonValue &value)
{
    const QJsonDocument document =
        value.isArray() ? QJsonDocument(value.toArray()) : QJsonDocument(value.toObject());
    std::fputs(document.toJson(QJsonDocument::Indented).constData(), stdout);
}

int Zqctl::Run(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    auto value = [](const char *name, const char *what) {
        return QCommandLineOption(QLatin1String(name), QString(), QLatin1String(what));
    };
    auto flag = [](const char *name) { return QCommandLineOption(QLatin1String(name)); };
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")}),
        version = flag("version"), json = flag("json"), eeprom = flag("eeprom"),
        detect = flag("detect"), force = flag("force"), all = flag("all"),
        threshold = value("threshold", "N"), timeLimit = value("time-limit", "SECONDS"),
        com = value("com", "N"), device = value("device", "PATH"), baud = value("baud", "RATE"),
        library = value("cl-library", "FILE"), clPort = value("cl-port", "N"),
        digits = value("digits", "7|8"), trace = value("trace", "FILE"),
        devices = value("devices", "FILE");
    parser.addOptions({help, version, json, eeprom, detect, force, all, threshold, timeLimit, com,
                       device, baud, library, clPort, digits, trace, devices});
    // "-1" is a value to refuse by name, not an unknown option: shielded
    // from the parser, and unshielded in what it returns.
    const QChar shield(0x1);
    const QRegularExpression negative(QStringLiteral("^-[0-9]"));
    QStringList shielded{QStringLiteral("zqctl")}; // the parser wants a program name first
    for (const QString &a : arguments)
        shielded << (negative.match(a).hasMatch() ? shield + a : a);
    auto unshield = [shield](QString a) { return a.startsWith(shield) ? a.mid(1) : a; };
    if (!parser.parse(shielded))
        return UsageError(parser.errorText());
    if (parser.isSet(help)) {
        std::fputs(qPrintable(HelpText()), stdout);
        return Success;
    }
    if (parser.isSet(version)) {
        std::fputs("zqctl " ZQ_VERSION "\n", stdout);
        return Success;
    }
    // The last of a repeated option holds, as a shell user expects.
    auto last = [&parser, &unshield](const QCommandLineOption &option) {
        return parser.values(option).isEmpty() ? QString() : unshield(parser.values(option).last());
    };
    unsigned given = 0;
    const QPair<const QCommandLineOption *, Option> commandOptions[] = {
        {&json, OptJson},           {&digits, OptDigits},
        {&eeprom, OptEeprom},       {&detect, OptDetect},
        {&threshold, OptThreshold}, {&timeLimit, OptTimeLimit},
        {&force, OptForce},         {&all, OptAll}};
    for (const auto &o : commandOptions)
        given |= parser.isSet(*o.first) ? unsigned(o.second) : 0u;
    m_json = parser.isSet(json);
    m_force = parser.isSet(force);
    m_all = parser.isSet(all);
    m_detect = parser.isSet(detect);
    if (parser.isSet(eeprom))
        m_mode = RegisterPage::Eeprom;
    bool ok = false;
    if (parser.isSet(threshold)) {
        // The detection threshold's own limits, those of its slider.
        m_threshold = last(threshold).toInt(&ok);
        if (!ok || m_threshold < 0 || m_threshold > 255)
            return UsageError(QStringLiteral("--threshold takes 0 to 255"));
    }
    if (parser.isSet(timeLimit)) {
        const int seconds = last(timeLimit).toInt(&ok);
        if (!ok || seconds < 0 || seconds > 86400)
            return UsageError(QStringLiteral("--time-limit takes 0 to 86400 seconds"));
        m_timeLimitMs = seconds * 1000;
    }
    for (const QString &v : parser.values(com)) {
        if (v.contains(QLatin1Char('='))) {
            if (!ComPortMap::ParseOverride(v))
                return UsageError(QStringLiteral("bad --com \"%1\"").arg(v));
            m_comNumber = v.section(QLatin1Char('='), 0, 0).toInt(&ok);
        } else {
            m_comNumber = v.toInt(&ok);
            if (!ok || m_comNumber < 1 || m_comNumber > ComPortMap::kPortCount)
                return UsageError(QStringLiteral("--com takes 1 to %1, not \"%2\"")
                                      .arg(ComPortMap::kPortCount)
                                      .arg(v));
        }
    }
    if (parser.isSet(device) && (m_device = last(device)).isEmpty())
        return UsageError(QStringLiteral("--device needs a path"));
    if (parser.isSet(baud)) {
        const QString v = last(baud);
        if (!ChannelSpec::IsCameraRate(v))
            return UsageError(QStringLiteral("--baud takes ") + ChannelSpec::CameraRatesText());
        m_baudRate = v.toInt();
        m_baudGiven = true;
    }
    if (parser.isSet(library) && (m_library = last(library)).isEmpty())
        return UsageError(QStringLiteral("--cl-library needs a file"));
    if (parser.isSet(clPort) && ((m_clPort = last(clPort).toInt(&ok)), !ok || m_clPort < 0))
        return UsageError(QStringLiteral("--cl-port takes a port number, 0 the first"));
    if (parser.isSet(digits)) {
        const QString v = last(digits);
        if (v != QLatin1String("7") && v != QLatin1String("8"))
            return UsageError(QStringLiteral("--digits takes 7 or 8"));
        m_serialDigits = v.toInt();
    }
    const QString tracePath = last(trace);
    if (parser.isSet(trace) && tracePath.isEmpty())
        return UsageError(QStringLiteral("--trace needs a file"));
    if (parser.isSet(devices) && (m_devicesFile = last(devices)).isEmpty())
        return UsageError(QStringLiteral("--devices needs a file"));
    // Each --device, --com and --cl-port in the order given: the channels.
    m_arguments = arguments;
    for (int i = 0; i < arguments.size(); ++i) {
        QString name, v;
        const int span = channelOption(arguments, i, &name, &v);
        if (span == 0 || name == QLatin1String("devices"))
            continue;
        const QString option = QStringLiteral("--") + name;
        if (name == QLatin1String("com"))
            m_channels.append(
                {QStringLiteral("com:") + v.section(QLatin1Char('='), 0, 0), {option, v}});
        else if (name == QLatin1String("cl-port"))
            m_channels.append({QStringLiteral("cl-port:") + v, {option, v}});
        else
            m_channels.append({v, {option, v}});
        i += span - 1;
    }

    QStringList positional;
    for (const QString &a : parser.positionalArguments())
        positional << unshield(a);
    if (positional.isEmpty())
        return UsageError(QStringLiteral("no command given"));
    QString command = positional.takeFirst();
    if (command == QLatin1String("reg")) {
        if (positional.isEmpty())
            return UsageError(QStringLiteral("reg needs read, write, dump or unlock"));
        command += QLatin1Char(' ') + positional.takeFirst();
    }
    if (!m_library.isEmpty() && !m_device.isEmpty())
        return UsageError(QStringLiteral("--cl-library and --device exclude each other"));
    if (m_library.isEmpty() && m_clPort >= 0)
        return UsageError(QStringLiteral("--cl-port goes with --cl-library"));

    m_notifier = std::make_unique<TerminalNotifier>();
    if (!tracePath.isEmpty()) {
        m_trace = std::make_unique<TraceLog>(tracePath);
        if (!m_trace->IsOpen()) {
            Err(QStringLiteral("cannot write trace \"%1\": %2")
                    .arg(tracePath, m_trace->ErrorString()));
            return FileFailure;
        }
        theCamera.SetTrace(m_trace.get());
    }
    return Dispatch(command, positional, given);
}

int Zqctl::Dispatch(const QString &name, const QStringList &args, unsigned given)
{
    const Command *command = FindCommand(name);
    if (!command)
        return UsageError(QStringLiteral("unknown command \"%1\"").arg(name));
    for (unsigned bit = 1; bit <= kLastOption; bit <<= 1) {
        if ((given & bit) && !(command->options & bit)) {
            QStringList with;
            for (int i = 0; i < kCommandCount; ++i) {
                if (kCommands[i].options & bit)
                    with.append(QLatin1String(kCommands[i].name));
            }
            return UsageError(QStringLiteral("%1 goes with %2 only")
                                  .arg(OptionUsage(Option(bit)).section(QLatin1Char(' '), 0, 0),
                                       with.join(QLatin1String(", "))));
        }
    }
    if (args.size() < command->minArgs || args.size() > command->maxArgs)
        return UsageError(QStringLiteral("usage: zqctl %1").arg(UsageLine(*command)));
    if (command->check) {
        if (const int status = (this->*command->check)(args))
            return status;
    }
    if (SeveralChannels() && command->run != &Zqctl::Scan)
        return RunOnChannels(*command, args);
    if (!command->offline) {
        if (const int status = Connect())
            return status;
    }
    return (this->*command->run)(args);
}

int Zqctl::Connect()
{
    // A grabber port that would not open was said by ConnectLibrary already.
    if (!m_library.isEmpty())
        return theCamera.ConnectLibrary(m_library, qMax(m_clPort, 0),
                                        m_baudGiven ? m_baudRate : 0) < 0 ||
                       !theCamera.IsChannelOpen()
                   ? CameraFailure
                   : Success;
    if (!m_device.isEmpty())
        ComPortMap::SetOverride(m_comNumber, m_device);
    auto port = std::make_unique<QSerialPortDriver>();
    const QSerialPortDriver *opened = port.get();
    auto watch = std::make_unique<ReplyWatch>(std::move(port), [] {
        Err(QStringLiteral("the camera acknowledged the command but sent no reply in %1 s; "
                           "sending it again and still waiting for a reply (a command that is "
                           "only acknowledged goes with send)")
                .arg(CameraProtocol::kReplyWaitMs / 1000));
    });
    m_watch = watch.get();
    theCamera.SetPortDriver(std::move(watch));
    // A device that will not open is explained by ConnectPort itself.
    if (theCamera.ConnectPort(m_comNumber, m_baudRate) < 0)
        return CameraFailure;
    const QString slow = PortCatalog::LatencyWarning(opened->LatencyTimerMs());
    if (!slow.isEmpty())
        Err(ComPortMap::DeviceFor(m_comNumber) + QStringLiteral(": ") + slow);
    return Success;
}

bool Zqctl::SeveralChannels() const
{
    int devices = 0, coms = 0, grabberPorts = 0;
    for (const ChannelRunner::Channel &channel : m_channels) {
        const QString &option = channel.options.first();
        ++(option == QLatin1String("--com")       ? coms
           : option == QLatin1String("--cl-port") ? grabberPorts
                                                  : devices);
    }
    // One --com with one --device is the device behind that COM number.
    return !m_devicesFile.isEmpty() || devices > 1 || coms > 1 || grabberPorts > 1;
}

int Zqctl::RunOnChannels(const Command &command, const QStringList &args)
{
    const QString name = QLatin1String(command.name);
    const bool comparing = name == QLatin1String("diff") || name == QLatin1String("apply");
    const QStringList lineWide = {QStringLiteral("read-all"), QStringLiteral("info"),
                                  QStringLiteral("diff"), QStringLiteral("load"),
                                  QStringLiteral("apply")};
    if (!lineWide.contains(name) || (name == QLatin1String("diff") && args.size() > 1))
        return UsageError(QStringLiteral("several channels go with %1 only (diff with one file)")
                              .arg(lineWide.join(QLatin1String(", "))));
    QList<ChannelRunner::Channel> channels = m_channels;
    if (!m_devicesFile.isEmpty()) {
        QString error;
        if (!ChannelRunner::ReadList(m_devicesFile, &channels, &error)) {
            Err(error);
            return QFile::exists(m_devicesFile) ? Usage : FileFailure;
        }
    }
    if (m_trace)
        return UsageError(QStringLiteral("--trace goes with one channel only"));
    QStringList commandLine;
    for (int i = 0; i < m_arguments.size(); ++i) {
        QString name, value;
        if (const int span = channelOption(m_arguments, i, &name, &value))
            i += span - 1; // each run gets its own channel
        else
            commandLine.append(m_arguments.at(i));
    }
    // A file is refused once, here, rather than by every camera's run.
    if (!args.isEmpty()) {
        SettingsFile::Values values{};
        if (const int status = ReadSettings(args.at(0), &values))
            return status;
    }
    ChannelRunner runner(QCoreApplication::applicationFilePath(), commandLine, m_json, comparing);
    return runner.Run(channels);
}
