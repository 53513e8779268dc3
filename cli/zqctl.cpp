#include "zqctl.h"

#include "camera/thecamera.h"
#include "comm/comportmap.h"
#include "comm/portcatalog.h"
#include "comm/qserialportdriver.h"
#include "comm/tracelog.h"
#include "resources/appversion.h"
#include "replywatch.h"
#include "terminalnotifier.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>

namespace {
const char kShortUsage[] = "Usage: zqctl [--com N | --device PATH] [--baud 9600|115200] "
                           "[--cl-library FILE [--cl-port N]] [--trace FILE] COMMAND (see "
                           "--help)\n";
// Name the channels, with their values: left out of what each channel's own
// run is given.
const char *const kChannelOptions[] = {"--device", "--com", "--cl-port", "--devices"};
} // namespace

// Checked in this order; a command's arguments are checked before the port
// is opened, so nothing is sent for a request that cannot be carried out.
const Zqctl::Command Zqctl::kCommands[] = {
    {"params", "params [--json]", 0, 0, OptJson, true, nullptr, &Zqctl::Params},
    {"read-all", "read-all [--json]", 0, 0, OptJson, false, nullptr, &Zqctl::ReadAll},
    {"get", "get INDEX", 1, 1, 0, false, &Zqctl::CheckIndex, &Zqctl::Get},
    {"set", "set INDEX VALUE [--force]", 2, 2, OptForce, false, &Zqctl::CheckSet, &Zqctl::Set},
    {"info", "info", 0, 0, 0, false, nullptr, &Zqctl::Info},
    {"save", "save FILE.zq", 1, 1, 0, false, nullptr, &Zqctl::Save},
    {"load", "load FILE.zq", 1, 1, 0, true, nullptr, &Zqctl::Load},
    {"diff", "diff FILE.zq [FILE2.zq] [--all] [--json]", 1, 2, OptAll | OptJson, true, nullptr,
     &Zqctl::Diff},
    {"apply", "apply FILE.zq [--json]", 1, 1, OptJson, true, nullptr, &Zqctl::Apply},
    {"scan", "scan [--json]", 0, 0, OptJson, true, nullptr, &Zqctl::Scan},
    {"send", "send PAYLOAD", 1, 1, 0, false, &Zqctl::CheckPayload, &Zqctl::Send},
    {"query", "query PAYLOAD", 1, 1, 0, false, &Zqctl::CheckPayload, &Zqctl::Query},
    {"write-serial", "write-serial NUMBER [--digits 7|8]", 1, 1, OptDigits, false, nullptr,
     &Zqctl::WriteSerial},
    {"factory-set", "factory-set [--json]", 0, 0, OptJson, false, nullptr,
     &Zqctl::FactorySetCommand},
    {"reg read", "reg read AREA ADDR [--eeprom]", 2, 2, OptEeprom, false, &Zqctl::CheckRegRead,
     &Zqctl::RegRead},
    {"reg write", "reg write AREA ADDR DATA [--eeprom]", 3, 3, OptEeprom, false,
     &Zqctl::CheckRegRow, &Zqctl::RegWrite},
    {"reg dump", "reg dump AREA PAGE [--eeprom]", 2, 2, OptEeprom, false, &Zqctl::CheckRegDump,
     &Zqctl::RegDump},
    {"reg unlock", "reg unlock", 0, 0, 0, false, nullptr, &Zqctl::RegUnlock},
    {"ports", "ports [--json]", 0, 0, OptJson, true, nullptr, &Zqctl::Ports},
    {"white-spots", "white-spots [--detect] [--threshold N] [--time-limit SECONDS] [--json]", 0, 0,
     OptDetect | OptThreshold | OptTimeLimit | OptJson, false, nullptr, &Zqctl::WhiteSpots},
    {"cl-libraries", "cl-libraries", 0, 0, 0, true, nullptr, &Zqctl::ClLibraries},
};

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
    for (const Command &command : kCommands) {
        if (name == QLatin1String(command.name))
            return &command;
    }
    return nullptr;
}

QString Zqctl::OptionName(Option option)
{
    switch (option) {
    case OptJson:
        return QStringLiteral("--json");
    case OptDigits:
        return QStringLiteral("--digits");
    case OptEeprom:
        return QStringLiteral("--eeprom");
    case OptDetect:
        return QStringLiteral("--detect");
    case OptThreshold:
        return QStringLiteral("--threshold");
    case OptTimeLimit:
        return QStringLiteral("--time-limit");
    case OptForce:
        return QStringLiteral("--force");
    case OptAll:
        return QStringLiteral("--all");
    }
    return QString();
}

int Zqctl::Run(const QStringList &arguments)
{
    m_arguments = arguments;
    QStringList positional;
    QString tracePath;
    unsigned given = 0;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &a = arguments.at(i);
        auto value = [&](QString *target) {
            if (i + 1 >= arguments.size())
                return false;
            *target = arguments.at(++i);
            return true;
        };
        QString v;
        bool ok = false;
        if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            std::fputs(qPrintable(HelpText()), stdout);
            return Success;
        } else if (a == QLatin1String("--version")) {
            std::fputs("zqctl " ZQ_VERSION "\n", stdout);
            return Success;
        } else if (a == QLatin1String("--json")) {
            m_json = true;
            given |= OptJson;
        } else if (a == QLatin1String("--eeprom")) {
            m_mode = RegisterPage::Eeprom;
            given |= OptEeprom;
        } else if (a == QLatin1String("--detect")) {
            m_detect = true;
            given |= OptDetect;
        } else if (a == QLatin1String("--force")) {
            m_force = true;
            given |= OptForce;
        } else if (a == QLatin1String("--all")) {
            m_all = true;
            given |= OptAll;
        } else if (a == QLatin1String("--threshold")) {
            // The detection threshold's own limits, those of its slider.
            if (!value(&v) || (m_threshold = v.toInt(&ok), !ok) || m_threshold < 0 ||
                m_threshold > 255)
                return UsageError(QStringLiteral("--threshold takes 0 to 255"));
            given |= OptThreshold;
        } else if (a == QLatin1String("--time-limit")) {
            const int seconds = value(&v) ? v.toInt(&ok) : -1;
            if (!ok || seconds < 0 || seconds > 86400)
                return UsageError(QStringLiteral("--time-limit takes 0 to 86400 seconds"));
            m_timeLimitMs = seconds * 1000;
            given |= OptTimeLimit;
        } else if (a == QLatin1String("--com")) {
            if (!value(&v))
                return UsageError(QStringLiteral("--com needs a port number"));
            if (v.contains(QLatin1Char('='))) {
                if (!ComPortMap::ParseOverride(v))
                    return UsageError(QStringLiteral("bad --com \"%1\"").arg(v));
                m_comNumber = v.section(QLatin1Char('='), 0, 0).toInt(&ok);
            } else {
                m_comNumber = v.toInt(&ok);
                if (!ok || m_comNumber < 1 || m_comNumber > 10)
                    return UsageError(QStringLiteral("--com takes 1 to 10, not \"%1\"").arg(v));
            }
            m_channels.append({QStringLiteral("com:%1").arg(m_comNumber), {a, v}});
        } else if (a == QLatin1String("--device")) {
            if (!value(&m_device) || m_device.isEmpty())
                return UsageError(QStringLiteral("--device needs a path"));
            m_channels.append({m_device, {a, m_device}});
        } else if (a == QLatin1String("--devices")) {
            if (!value(&m_devicesFile) || m_devicesFile.isEmpty())
                return UsageError(QStringLiteral("--devices needs a file"));
        } else if (a == QLatin1String("--baud")) {
            if (!value(&v) || (v != QLatin1String("9600") && v != QLatin1String("115200")))
                return UsageError(QStringLiteral("--baud takes 9600 or 115200"));
            m_baudRate = v.toInt();
            m_baudGiven = true;
        } else if (a == QLatin1String("--cl-library")) {
            if (!value(&m_library) || m_library.isEmpty())
                return UsageError(QStringLiteral("--cl-library needs a file"));
        } else if (a == QLatin1String("--cl-port")) {
            if (!value(&v) || (m_clPort = v.toInt(&ok), !ok) || m_clPort < 0)
                return UsageError(QStringLiteral("--cl-port takes a port number, 0 the first"));
            m_channels.append({QStringLiteral("cl-port:%1").arg(m_clPort), {a, v}});
        } else if (a == QLatin1String("--digits")) {
            if (!value(&v) || (v != QLatin1String("7") && v != QLatin1String("8")))
                return UsageError(QStringLiteral("--digits takes 7 or 8"));
            m_serialDigits = v.toInt();
            given |= OptDigits;
        } else if (a == QLatin1String("--trace")) {
            if (!value(&tracePath) || tracePath.isEmpty())
                return UsageError(QStringLiteral("--trace needs a file"));
        } else if (a.startsWith(QLatin1String("--")) && a.size() > 2) {
            return UsageError(QStringLiteral("unknown option %1").arg(a));
        } else {
            positional.append(a);
        }
    }
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
    for (unsigned bit = 1; bit <= OptAll; bit <<= 1) {
        if ((given & bit) && !(command->options & bit)) {
            QStringList with;
            for (const Command &c : kCommands) {
                if (c.options & bit)
                    with.append(QLatin1String(c.name));
            }
            return UsageError(QStringLiteral("%1 goes with %2 only")
                                  .arg(OptionName(Option(bit)), with.join(QLatin1String(", "))));
        }
    }
    if (args.size() < command->minArgs || args.size() > command->maxArgs)
        return UsageError(QStringLiteral("usage: zqctl %1").arg(QLatin1String(command->usage)));
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
        Err(QStringLiteral("the camera acknowledged the command but sent no reply in 4 s; "
                           "sending it again and still waiting for a reply (a command that is "
                           "only acknowledged goes with send)"));
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
    QStringList commandLine;
    for (int i = 0; i < m_arguments.size(); ++i) {
        const QString &a = m_arguments.at(i);
        if (a == QLatin1String("--trace"))
            return UsageError(QStringLiteral("--trace goes with one channel only"));
        bool channelOption = false;
        for (const char *option : kChannelOptions)
            channelOption = channelOption || a == QLatin1String(option);
        if (channelOption)
            ++i; // and its value
        else
            commandLine.append(a);
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
