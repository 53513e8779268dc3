#include "zqctl.h"

#include "camera/cameradata.h"
#include "channelrunner.h"
#include "comm/comportdriver.h"
#include "comm/comportmap.h"
#include "comm/portcatalog.h"
#include "comm/tracelog.h"
#include "commandoutput.h"
#include "paramcommands.h"
#include "replywatch.h"
#include "resources/appversion.h"
#include "scancommand.h"
#include "terminalnotifier.h"

#include <CLI/CLI.hpp>

#include <QFile>
#include <QJsonObject>

#include <memory>
#include <string>
#include <vector>

namespace {

QString text(const std::string &s)
{
    return QString::fromLocal8Bit(s.data(), int(s.size()));
}

// The last of a repeated option holds, as a shell user expects.
QString last(const CLI::Option *option)
{
    return option->results().empty() ? QString() : text(option->results().back());
}

// What a script reading stdout gets on a failure with --json.
QJsonObject failure(int status, int code, const QString &message, const QString &reason)
{
    return QJsonObject{{QStringLiteral("error"), QJsonObject{{QStringLiteral("status"), status},
                                                             {QStringLiteral("code"), code},
                                                             {QStringLiteral("message"), message},
                                                             {QStringLiteral("reason"), reason}}}};
}

bool failed(int status)
{
    return status != Success && status != Differs;
}

} // namespace

int Zqctl::Parse(const QStringList &arguments, QString *command, CommandOutput &out)
{
    CLI::App app("zqctl");
    app.set_help_flag("-h,--help");
    app.set_version_flag("--version", std::string("zqctl " ZQ_VERSION));
    // Options may follow the command and its arguments, and a negative
    // number among them is an argument (set 5 -1), not an option.
    std::vector<std::string> positional;
    app.add_option("command", positional);
    auto flag = [&app](const char *name) { return app.add_flag(name); };
    auto value = [&app](const char *name) {
        return app.add_option(name)->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
    };
    const CLI::Option *json = flag("--json"), *eeprom = flag("--eeprom"),
                      *detect = flag("--detect"), *force = flag("--force"), *all = flag("--all"),
                      *threshold = value("--threshold"), *timeLimit = value("--time-limit"),
                      *com = value("--com"), *device = value("--device"), *baud = value("--baud"),
                      *library = value("--cl-library"), *clPort = value("--cl-port"),
                      *digits = value("--digits"), *trace = value("--trace"),
                      *devices = value("--devices");
    std::vector<std::string> args;
    for (auto a = arguments.crbegin(); a != arguments.crend(); ++a)
        args.push_back(a->toLocal8Bit().toStdString());
    try {
        app.parse(args);
    } catch (const CLI::CallForHelp &) {
        out.Text(CommandTable::HelpText());
        return -1;
    } catch (const CLI::CallForVersion &version) {
        out.Out(QString::fromLatin1(version.what()));
        return -1;
    } catch (const CLI::ParseError &error) {
        return CommandTable::UsageError(out, QString::fromLocal8Bit(error.what()));
    }
    auto usage = [&out](const QString &message) { return CommandTable::UsageError(out, message); };

    const std::pair<const CLI::Option *, CommandOption> commandOptions[] = {
        {json, OptJson},           {digits, OptDigits},
        {eeprom, OptEeprom},       {detect, OptDetect},
        {threshold, OptThreshold}, {timeLimit, OptTimeLimit},
        {force, OptForce},         {all, OptAll}};
    for (const auto &o : commandOptions)
        m_given |= o.first->count() ? unsigned(o.second) : 0u;
    CommandRequest &r = m_request;
    r.json = json->count() > 0;
    r.force = force->count() > 0;
    r.all = all->count() > 0;
    r.detect = detect->count() > 0;
    if (eeprom->count())
        r.mode = RegisterPage::Eeprom;
    bool ok = false;
    if (threshold->count()) {
        // The detection threshold's own limits, those of its slider.
        r.threshold = last(threshold).toInt(&ok);
        if (!ok || r.threshold < 0 || r.threshold > 255)
            return usage(QStringLiteral("--threshold takes 0 to 255"));
    }
    if (timeLimit->count()) {
        const int seconds = last(timeLimit).toInt(&ok);
        if (!ok || seconds < 0 || seconds > 86400)
            return usage(QStringLiteral("--time-limit takes 0 to 86400 seconds"));
        r.timeLimitMs = seconds * 1000;
    }
    int comNumber = 1;
    for (const std::string &given : com->results()) {
        const QString v = text(given);
        if (v.contains(QLatin1Char('='))) {
            if (!ComPortMap::ParseOverride(v))
                return usage(QStringLiteral("bad --com \"%1\"").arg(v));
            comNumber = v.section(QLatin1Char('='), 0, 0).toInt(&ok);
        } else {
            comNumber = v.toInt(&ok);
            if (!ok || comNumber < 1 || comNumber > ComPortMap::kPortCount)
                return usage(QStringLiteral("--com takes 1 to %1, not \"%2\"")
                                 .arg(ComPortMap::kPortCount)
                                 .arg(v));
        }
    }
    for (const std::string &given : device->results()) {
        if (given.empty())
            return usage(QStringLiteral("--device needs a path"));
    }
    int baudRate = 9600;
    if (baud->count()) {
        const QString v = last(baud);
        if (!ChannelSpec::IsCameraRate(v))
            return usage(QStringLiteral("--baud takes ") + ChannelSpec::CameraRatesText());
        baudRate = v.toInt();
    }
    if (library->count() && (r.library = last(library)).isEmpty())
        return usage(QStringLiteral("--cl-library needs a file"));
    for (const std::string &given : clPort->results()) {
        if (text(given).toInt(&ok) < 0 || !ok)
            return usage(QStringLiteral("--cl-port takes a port number, 0 the first"));
    }
    if (digits->count()) {
        const QString v = last(digits);
        if (v != QLatin1String("7") && v != QLatin1String("8"))
            return usage(QStringLiteral("--digits takes 7 or 8"));
        r.serialDigits = v.toInt();
    }
    if (trace->count() && (m_tracePath = last(trace)).isEmpty())
        return usage(QStringLiteral("--trace needs a file"));
    if (devices->count() && (m_devicesFile = last(devices)).isEmpty())
        return usage(QStringLiteral("--devices needs a file"));
    if (!r.library.isEmpty() && device->count())
        return usage(QStringLiteral("--cl-library and --device exclude each other"));
    if (r.library.isEmpty() && clPort->count())
        return usage(QStringLiteral("--cl-port goes with --cl-library"));

    // The channels in the order given: the parser keeps each option's
    // values in turn, and the order of all the options it met.
    std::size_t taken[3] = {};
    for (const CLI::Option *option : app.parse_order()) {
        const int which = option == device ? 0 : option == com ? 1 : option == clPort ? 2 : -1;
        if (which < 0)
            continue;
        const QString v = text(option->results().at(taken[which]++));
        NamedChannel channel;
        if (which == 0) {
            channel = {v, ChannelSpec::ForDevice(ChannelRunner::DevicePath(v))};
        } else if (which == 1) {
            const int n = v.section(QLatin1Char('='), 0, 0).toInt();
            channel = {QStringLiteral("com:%1").arg(n), ChannelSpec::Com(n)};
        } else {
            channel = {QStringLiteral("cl-port:") + v,
                       ChannelSpec::ForLibrary(r.library, v.toInt())};
        }
        m_channels.append(channel);
    }
    // One --com with one --device is the device behind that COM number.
    m_several = !m_devicesFile.isEmpty() || device->results().size() > 1 ||
                com->results().size() > 1 || clPort->results().size() > 1;
    if (!m_several) {
        if (device->count() && com->count()) {
            ComPortMap::SetOverride(comNumber, last(device));
            m_channels = {{QStringLiteral("com:%1").arg(comNumber), ChannelSpec::Com(comNumber)}};
        }
    }
    for (NamedChannel &channel : m_channels) {
        if (channel.port.IsCameraLink())
            channel.port.baudRate = baud->count() ? baudRate : 0;
        else
            channel.port.baudRate = baudRate;
        channel.rateGiven = baud->count() > 0;
    }
    // Read later: a list's own rates win over the common one.
    m_request.named = m_channels;
    m_request.library = r.library;
    m_request.args.clear();
    for (const std::string &a : positional)
        m_request.args << text(a);
    if (m_request.args.isEmpty())
        return usage(QStringLiteral("no command given"));
    *command = m_request.args.takeFirst();
    if (*command == QLatin1String("reg")) {
        if (m_request.args.isEmpty())
            return usage(QStringLiteral("reg needs read, write, dump or unlock"));
        *command += QLatin1Char(' ') + m_request.args.takeFirst();
    }
    return Success;
}

int Zqctl::Run(const QStringList &arguments)
{
    CommandOutput out;
    const int status = Dispatch(arguments, out);
    if (m_request.json && failed(status) && !out.WroteOut())
        out.Json(failure(status, 0, out.LastError(), QString()));
    return status;
}

int Zqctl::Dispatch(const QStringList &arguments, CommandOutput &out)
{
    QString name;
    if (const int parsed = Parse(arguments, &name, out))
        return parsed < 0 ? Success : parsed;
    if (!m_devicesFile.isEmpty()) {
        QString error;
        QList<NamedChannel> listed;
        if (!ChannelRunner::ReadList(m_devicesFile, &listed, &error)) {
            out.Err(error);
            return QFile::exists(m_devicesFile) ? Usage : FileFailure;
        }
        const int rate = m_channels.isEmpty() ? 9600 : m_channels.first().port.baudRate;
        for (NamedChannel &channel : listed) {
            if (channel.port.IsCameraLink()) {
                if (m_request.library.isEmpty())
                    return CommandTable::UsageError(
                        out,
                        QStringLiteral("%1: --cl-port goes with --cl-library").arg(channel.name));
                channel.port.library = m_request.library;
            }
            if (!channel.rateGiven)
                channel.port.baudRate = channel.port.IsCameraLink() ? 0 : rate;
        }
        m_channels += listed;
        m_request.named = m_channels;
    }
    if (m_channels.isEmpty()) {
        // Nothing named: COM1, or the grabber's first port.
        m_channels.append(
            {QStringLiteral("com:1"), m_request.library.isEmpty()
                                          ? ChannelSpec::Com(1)
                                          : ChannelSpec::ForLibrary(m_request.library)});
    }

    const CommandTable::Row *row = CommandTable::Find(name);
    if (!row)
        return CommandTable::UsageError(out, QStringLiteral("unknown command \"%1\"").arg(name));
    for (unsigned bit = 1; bit <= kLastCommandOption; bit <<= 1) {
        if ((m_given & bit) && !(row->options & bit))
            return CommandTable::UsageError(
                out,
                QStringLiteral("%1 goes with %2 only")
                    .arg(CommandTable::OptionUsage(CommandOption(bit))
                             .section(QLatin1Char(' '), 0, 0),
                         CommandTable::NamesWith(CommandOption(bit)).join(QLatin1String(", "))));
    }
    const int given = int(m_request.args.size());
    if (given < row->minArgs || given > row->maxArgs)
        return CommandTable::UsageError(
            out, QStringLiteral("usage: zqctl %1").arg(CommandTable::UsageLine(*row)));
    if (row->check) {
        if (const int status = row->check(m_request, out))
            return status;
    }
    if (m_several && row->run != &ScanCommand::Run)
        return RunOnChannels(*row, out);
    return RunOn(*row, m_channels.first(), out);
}

int Zqctl::RunOn(const CommandTable::Row &row, const NamedChannel &channel,
                 CommandOutput &out) const
{
    CameraData camera;
    TerminalNotifier notifier(out);
    std::unique_ptr<TraceLog> trace;
    if (!m_tracePath.isEmpty()) {
        trace = std::make_unique<TraceLog>(m_tracePath);
        if (!trace->IsOpen()) {
            out.Err(QStringLiteral("cannot write trace \"%1\": %2")
                        .arg(m_tracePath, trace->ErrorString()));
            return FileFailure;
        }
        camera.SetTrace(trace.get());
    }
    CommandContext c{camera, out, m_request, channel.port};
    c.connect = &Zqctl::Connect;
    if (!channel.port.IsCameraLink()) {
        auto watch = std::make_unique<ReplyWatch>(NewComPortDriver(), [&out] {
            out.Err(QStringLiteral("the camera acknowledged the command but sent no reply in %1 s; "
                                   "sending it again and still waiting for a reply (a command "
                                   "that is only acknowledged goes with send)")
                        .arg(CameraProtocol::kReplyWaitMs / 1000));
        });
        c.watch = watch.get();
        camera.SetPortDriver(std::move(watch));
    }
    int status = row.offline ? Success : c.Connect();
    if (status == Success)
        status = row.run(c);
    if (m_request.json && failed(status) && !out.WroteOut()) {
        const bool camerasFault = status == CameraFailure && camera.GetErrorCode() != ERR_NONE;
        out.Json(failure(status, camerasFault ? camera.GetErrorCode() : 0,
                         camerasFault ? camera.GetErrorMessage() : out.LastError(),
                         camerasFault ? camera.GetErrorReason() : QString()));
    }
    camera.SetTrace(nullptr);
    camera.SetBulkProgress(nullptr);
    // Released here, while a grabber library's own state and Qt's are
    // still there.
    camera.Close();
    return status;
}

int Zqctl::Connect(CommandContext &c)
{
    const ChannelSpec &port = c.channel;
    CameraData &camera = c.camera;
    // A grabber port that would not open was said by ConnectLibrary already.
    if (port.IsCameraLink())
        return camera.ConnectLibrary(port.library, port.clPort, port.baudRate) < 0 ||
                       !camera.IsChannelOpen()
                   ? CameraFailure
                   : Success;
    int opened = 0;
    if (port.kind == ChannelSpec::Kind::Device) {
        // Which device and why, after our own message.
        opened = camera.Connect(port);
        if (opened == -ERR_PORT_OPEN)
            camera.ReportError(camera.GetErrorReason());
        else if (opened < 0)
            camera.ReportError();
    } else {
        opened = camera.ConnectPort(port.comNumber, port.baudRate);
    }
    if (opened < 0)
        return CameraFailure;
    const QString device =
        port.kind == ChannelSpec::Kind::Device ? port.device : ComPortMap::DeviceFor(port.comNumber);
    const QString slow = PortCatalog::LatencyWarning(PortCatalog().LatencyMs(device));
    if (!slow.isEmpty())
        c.out.Err(device + QStringLiteral(": ") + slow);
    return Success;
}

int Zqctl::RunOnChannels(const CommandTable::Row &row, CommandOutput &out) const
{
    const QString name = QLatin1String(row.name);
    if (!row.severalChannels || (name == QLatin1String("diff") && m_request.args.size() > 1))
        return CommandTable::UsageError(
            out, QStringLiteral("several channels go with %1 only (diff with one file)")
                     .arg(CommandTable::SeveralChannelNames().join(QLatin1String(", "))));
    if (!m_tracePath.isEmpty())
        return CommandTable::UsageError(out, QStringLiteral("--trace goes with one channel only"));
    // A file is refused once, here, rather than by every camera's run.
    if (!m_request.args.isEmpty()) {
        SettingsFile::Values values{};
        if (const int status =
                ParamCommands::ReadSettings(m_request.args.at(0), &values, out,
                                            QLatin1String(row.name) != QLatin1String("diff")))
            return status;
    }
    const bool comparing = name == QLatin1String("diff") || name == QLatin1String("apply");
    ChannelRunner runner(out, m_request.json, comparing);
    return runner.Run(m_channels, [this, &row](const NamedChannel &channel, CommandOutput &kept) {
        return RunOn(row, channel, kept);
    });
}
