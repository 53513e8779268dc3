#include "zqctl.h"

#include "camera/camerainfo.h"
#include "camera/serialnumberservice.h"
#include "camera/settingsfile.h"
#include "camera/thecamera.h"
#include "comm/comportmap.h"
#include "comm/tracelog.h"
#include "terminalnotifier.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>

namespace {

void out(const QString &line)
{
    std::fprintf(stdout, "%s\n", line.toLocal8Bit().constData());
}

void err(const QString &line)
{
    std::fprintf(stderr, "zqctl: %s\n", line.toLocal8Bit().constData());
}

bool parseIndex(const QString &text, int *index)
{
    bool ok = false;
    *index = text.toInt(&ok, 10);
    return ok && *index >= 0 && *index < PARAM_COUNT;
}

bool parseValue(const QString &text, int *value)
{
    bool ok = false;
    const bool hex = text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive);
    const qint64 v = hex ? text.mid(2).toLongLong(&ok, 16) : text.toLongLong(&ok, 10);
    *value = int(v);
    return ok && v >= INT32_MIN && v <= INT32_MAX;
}

// What a frame may carry: printable ASCII, no control characters.
bool isProtocolText(const QString &payload)
{
    for (QChar c : payload) {
        if (c.unicode() < 0x20 || c.unicode() > 0x7E)
            return false;
    }
    return true;
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

QString Zqctl::HelpText()
{
    return QStringLiteral(
        "Usage: zqctl [--com N | --device PATH] [--baud 9600|115200] [--cl-library FILE]\n"
        "             [--trace FILE] COMMAND [ARGUMENTS]\n"
        "\n"
        "Controls a ZQ-M(V)710ALX camera over its serial control channel.\n"
        "\n"
        "Channel (default COM1 at 9600 baud):\n"
        "  --com N            COM port 1 to 10; --com N=DEVICE also names its device\n"
        "  --device PATH      the serial device to use as the COM port\n"
        "  --baud RATE        9600 or 115200\n"
        "  --cl-library FILE  the frame grabber's Camera Link serial library instead\n"
        "  --trace FILE       append every byte sent and received to FILE\n"
        "\n"
        "Commands:\n"
        "  read-all [--json]  read every parameter; print index, name and value\n"
        "                       zqctl --device /tmp/zqcam read-all\n"
        "  get INDEX          read one parameter (0 to 54), print its value\n"
        "                       zqctl get 5\n"
        "  set INDEX VALUE    write one parameter\n"
        "                       zqctl --com 2 set 5 300\n"
        "  info               vendor, model, serial number and firmware version\n"
        "                       zqctl --baud 115200 info\n"
        "  save FILE.zq       read all from the camera, then write the settings file\n"
        "                       zqctl save line3.zq\n"
        "  load FILE.zq       check the file, store its values, write them to the camera\n"
        "                       zqctl load line3.zq\n"
        "  send PAYLOAD       one command, acknowledgement only\n"
        "                       zqctl send 01FF010C012C00\n"
        "  query PAYLOAD      one command, print the six reply characters\n"
        "                       zqctl query 01FF810C000000\n"
        "  write-serial NUMBER [--digits 7|8]\n"
        "                     what the panel's WRITE does: the access code, the\n"
        "                     number's checks, the serial number into the camera, and\n"
        "                     a line in ./ZQ-M710_AdjustData.csv in the current\n"
        "                     directory. Without --digits the length follows the\n"
        "                     serial number the camera holds. Exit 1 when the number\n"
        "                     is refused.\n"
        "                       zqctl --device /tmp/zqcam write-serial 12X45678 --digits 8\n"
        "\n"
        "Exit status: 0 success, 1 bad usage or serial number refused, 2 camera\n"
        "communication failed, 3 file could not be read or written.\n");
}

int Zqctl::UsageError(const QString &message)
{
    err(message);
    std::fprintf(stderr, "Usage: zqctl [--com N | --device PATH] [--baud 9600|115200] "
                         "[--cl-library FILE] [--trace FILE] COMMAND (see --help)\n");
    return Usage;
}

int Zqctl::Run(const QStringList &arguments)
{
    QStringList positional;
    QString tracePath;
    bool json = false;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &a = arguments.at(i);
        auto value = [&](QString *target) {
            if (i + 1 >= arguments.size())
                return false;
            *target = arguments.at(++i);
            return true;
        };
        QString v;
        if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            std::fputs(qPrintable(HelpText()), stdout);
            return Success;
        } else if (a == QLatin1String("--json")) {
            json = true;
        } else if (a == QLatin1String("--com")) {
            if (!value(&v))
                return UsageError(QStringLiteral("--com needs a port number"));
            bool ok = false;
            if (v.contains(QLatin1Char('='))) {
                if (!ComPortMap::ParseOverride(v))
                    return UsageError(QStringLiteral("bad --com \"%1\"").arg(v));
                m_comNumber = v.section(QLatin1Char('='), 0, 0).toInt(&ok);
            } else {
                m_comNumber = v.toInt(&ok);
                if (!ok || m_comNumber < 1 || m_comNumber > 10)
                    return UsageError(QStringLiteral("--com takes 1 to 10, not \"%1\"").arg(v));
            }
        } else if (a == QLatin1String("--device")) {
            if (!value(&m_device) || m_device.isEmpty())
                return UsageError(QStringLiteral("--device needs a path"));
        } else if (a == QLatin1String("--baud")) {
            if (!value(&v) || (v != QLatin1String("9600") && v != QLatin1String("115200")))
                return UsageError(QStringLiteral("--baud takes 9600 or 115200"));
            m_baudRate = v.toInt();
        } else if (a == QLatin1String("--cl-library")) {
            if (!value(&m_library) || m_library.isEmpty())
                return UsageError(QStringLiteral("--cl-library needs a file"));
        } else if (a == QLatin1String("--digits")) {
            if (!value(&v) || (v != QLatin1String("7") && v != QLatin1String("8")))
                return UsageError(QStringLiteral("--digits takes 7 or 8"));
            m_serialDigits = v.toInt();
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
    const QString command = positional.takeFirst();
    if (json && command != QLatin1String("read-all"))
        return UsageError(QStringLiteral("--json goes with read-all only"));
    if (m_serialDigits && command != QLatin1String("write-serial"))
        return UsageError(QStringLiteral("--digits goes with write-serial only"));
    if (!m_library.isEmpty() && !m_device.isEmpty())
        return UsageError(QStringLiteral("--cl-library and --device exclude each other"));

    m_notifier = std::make_unique<TerminalNotifier>();
    if (!tracePath.isEmpty()) {
        m_trace = std::make_unique<TraceLog>(tracePath);
        if (!m_trace->IsOpen()) {
            err(QStringLiteral("cannot write trace \"%1\": %2").arg(tracePath, m_trace->ErrorString()));
            return FileFailure;
        }
        theCamera.SetTrace(m_trace.get());
    }
    return Dispatch(command, positional, json);
}

int Zqctl::Dispatch(const QString &command, const QStringList &args, bool json)
{
    // Arguments are checked before the port is opened: nothing is sent for
    // a request that cannot be carried out.
    auto expect = [&](int count, const char *form) {
        return args.size() == count ? 0 : UsageError(QStringLiteral("usage: zqctl %1").arg(form));
    };
    int status = 0;
    if (command == QLatin1String("read-all") || command == QLatin1String("info")) {
        if ((status = expect(0, command == QLatin1String("info") ? "info" : "read-all [--json]")))
            return status;
    } else if (command == QLatin1String("get")) {
        int index = 0;
        if ((status = expect(1, "get INDEX")))
            return status;
        if (!parseIndex(args.at(0), &index))
            return UsageError(QStringLiteral("INDEX must be 0 to 54, not \"%1\"").arg(args.at(0)));
    } else if (command == QLatin1String("set")) {
        int index = 0, value = 0;
        if ((status = expect(2, "set INDEX VALUE")))
            return status;
        if (!parseIndex(args.at(0), &index))
            return UsageError(QStringLiteral("INDEX must be 0 to 54, not \"%1\"").arg(args.at(0)));
        if (!parseValue(args.at(1), &value))
            return UsageError(QStringLiteral("VALUE must be a 32-bit integer, not \"%1\"").arg(args.at(1)));
    } else if (command == QLatin1String("save") || command == QLatin1String("load")) {
        if ((status = expect(1, command == QLatin1String("save") ? "save FILE.zq" : "load FILE.zq")))
            return status;
    } else if (command == QLatin1String("send") || command == QLatin1String("query")) {
        if ((status = expect(1, command == QLatin1String("send") ? "send PAYLOAD" : "query PAYLOAD")))
            return status;
        const QString &payload = args.at(0);
        if (!isProtocolText(payload))
            return UsageError(QStringLiteral("PAYLOAD may hold printable ASCII characters only"));
        if (payload.size() > CameraProtocol::kMaxPayload) {
            ErrorState refusal;
            refusal.SetError(ERR_MSG_SIZE);
            err(refusal.GetErrorMessage());
            return Usage;
        }
    } else if (command == QLatin1String("write-serial")) {
        if ((status = expect(1, "write-serial NUMBER [--digits 7|8]")))
            return status;
        // The number itself is checked as WRITE checks it: after the access code.
    } else {
        return UsageError(QStringLiteral("unknown command \"%1\"").arg(command));
    }

    if (command == QLatin1String("load"))
        return Load(args.at(0)); // the file is checked before the port is opened
    if ((status = Connect()))
        return status;
    if (command == QLatin1String("read-all"))
        return ReadAll(json);
    if (command == QLatin1String("get"))
        return Get(args);
    if (command == QLatin1String("set"))
        return Set(args);
    if (command == QLatin1String("info"))
        return Info();
    if (command == QLatin1String("save"))
        return Save(args.at(0));
    if (command == QLatin1String("write-serial"))
        return WriteSerial(args.at(0));
    return Send(args.at(0), command == QLatin1String("query"));
}

int Zqctl::Connect()
{
    int result = 0;
    if (!m_library.isEmpty()) {
        result = theCamera.ConnectLibrary(m_library);
    } else {
        if (!m_device.isEmpty())
            ComPortMap::SetOverride(m_comNumber, m_device);
        result = theCamera.ConnectPort(m_comNumber, m_baudRate);
    }
    return result < 0 ? CameraFailure : Success;
}

int Zqctl::ReadAll(bool json)
{
    theCamera.SetBulkProgress([this](int done, int total) {
        m_notifier->ShowProgress(QStringLiteral("Reading"), done, total);
    });
    if (theCamera.UploadAll() < 0)
        return CameraFailure;
    if (json) {
        QJsonArray rows;
        for (int i = 0; i < PARAM_COUNT; ++i) {
            rows.append(QJsonObject{{QStringLiteral("index"), i},
                                    {QStringLiteral("name"), ParamTable::GetParamName(i)},
                                    {QStringLiteral("value"), theCamera.GetValue(i)}});
        }
        std::fputs(QJsonDocument(rows).toJson(QJsonDocument::Indented).constData(), stdout);
        return Success;
    }
    for (int i = 0; i < PARAM_COUNT; ++i)
        out(QStringLiteral("%1\t%2\t%3")
                .arg(i)
                .arg(ParamTable::GetParamName(i))
                .arg(theCamera.GetValue(i)));
    return Success;
}

int Zqctl::Get(const QStringList &args)
{
    const int index = args.at(0).toInt();
    if (!(ParamTable::Row(index).flags & PF_READ)) {
        err(QStringLiteral("parameter %1 cannot be read from the camera").arg(index));
        return Usage;
    }
    if (theCamera.UploadParam(index) < 0)
        return CameraFailure;
    out(QString::number(theCamera.GetValue(index)));
    return Success;
}

int Zqctl::Set(const QStringList &args)
{
    int value = 0;
    parseValue(args.at(1), &value);
    return theCamera.SendParam(args.at(0).toInt(), value) < 0 ? CameraFailure : Success;
}

int Zqctl::Info()
{
    for (int i = 31; i <= 52; ++i) {
        if (theCamera.UploadParam(i) < 0)
            return CameraFailure;
    }
    const CameraInfo info = CameraInfo::Decode(theCamera);
    out(QStringLiteral("Vendor:  %1").arg(QString::fromLatin1(info.vendorName)));
    out(QStringLiteral("Model:   %1").arg(QString::fromLatin1(info.modelName)));
    out(QStringLiteral("Serial:  %1 (%2 digits)")
            .arg(QString::fromLatin1(info.serialNumber))
            .arg(info.eightDigits ? 8 : 7));
    out(QStringLiteral("Version: %1").arg(QString::fromLatin1(info.version)));
    return Success;
}

int Zqctl::Save(const QString &path)
{
    theCamera.SetBulkProgress([this](int done, int total) {
        m_notifier->ShowProgress(QStringLiteral("Reading"), done, total);
    });
    // Nothing is written unless every value came from the camera.
    if (theCamera.UploadAll() < 0)
        return CameraFailure;
    QString error;
    if (SettingsFile::Write(path, theCamera, &error) != SettingsFile::Ok) {
        err(error);
        return FileFailure;
    }
    return Success;
}

int Zqctl::Load(const QString &path)
{
    SettingsFile::Values values{};
    QString error;
    const SettingsFile::Status status = SettingsFile::Read(path, &values, &error);
    if (status == SettingsFile::Empty)
        error = QStringLiteral("\"%1\" is empty: nothing to load").arg(path);
    if (status != SettingsFile::Ok) {
        err(error);
        return FileFailure;
    }
    if (const int connected = Connect())
        return connected;
    SettingsFile::Apply(values, &theCamera);
    theCamera.SetBulkProgress([this](int done, int total) {
        m_notifier->ShowProgress(QStringLiteral("Writing"), done, total);
    });
    return theCamera.SendAll() < 0 ? CameraFailure : Success;
}

int Zqctl::Send(const QString &payload, bool withReply)
{
    const QByteArray bytes = payload.toLatin1();
    if (!withReply) {
        if (theCamera.SendCommand(bytes) < 0) {
            theCamera.ReportError();
            return CameraFailure;
        }
        return Success;
    }
    char reply[CameraProtocol::kReplyData + 1] = {};
    if (theCamera.SendAndReceive(bytes, reply) < 0) {
        theCamera.ReportError();
        return CameraFailure;
    }
    out(QString::fromLatin1(reply));
    return Success;
}

int Zqctl::WriteSerial(const QString &number)
{
    bool eightDigits = m_serialDigits == 8;
    if (!m_serialDigits) {
        // The panel's choice after start-up: the camera's own serial number.
        if (theCamera.UploadParam(50) < 0)
            return CameraFailure;
        eightDigits = CameraInfo::Decode(theCamera).eightDigits;
    }
    switch (SerialNumberService().WriteSerial(number, eightDigits)) {
    case SerialNumberService::Written:
        return Success;
    case SerialNumberService::EntryRefused:
        return Usage;
    case SerialNumberService::RecordFailed:
        return FileFailure;
    default:
        return CameraFailure;
    }
}
