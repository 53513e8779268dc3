// zqctl's commands and --help: each command's usage, description and
// example are written here once; the usage messages and the man page are
// made from them.
#include "commandtable.h"

#include "cllibrariescommand.h"
#include "diffcommands.h"
#include "paramcommands.h"
#include "portscommand.h"
#include "scancommand.h"
#include "servicecommands.h"

#include "camera/whitespotdetection.h"
#include "comm/cameraprotocol.h"
#include "comm/comportmap.h"
#include "commandoutput.h"

namespace {
constexpr int kColumn = 21; // where a description starts
constexpr int kWidth = 79;  // of a help line
// A query without a reply sends its command again this many times.
constexpr int kResends = CameraProtocol::kCommandAttempts - 1;

const char kChannelHelp[] =
    "Channel (default COM1 at 9600 baud):\n"
    "  --com N            COM port 1 to %1; --com N=DEVICE also names its device\n"
    "  --device PATH      the serial device to use as the COM port\n"
    "  --devices FILE     several channels, one a line (see \"Several cameras\")\n"
    "  --baud RATE        9600 or 115200; with --cl-library, set on the grabber's\n"
    "                     port where its library can (else it keeps its rate)\n"
    "  --cl-library FILE  the frame grabber's Camera Link serial library instead\n"
    "  --cl-port N        the grabber's serial port N (0, the first, by default)\n"
    "  --trace FILE       append every byte sent and received to FILE\n"
    "  --help, --version  this text; the program's version\n";

// Checked in this order; a command's arguments are checked before the port
// is opened, so nothing is sent for a request that cannot be carried out.
const CommandTable::Row kCommands[] = {
    {"params", "", 0, 0, OptJson, true, false, nullptr, &ParamCommands::Params,
     "Parameters (PARAM: an index or a code name, as params lists them)",
     "the 55 parameters without a camera: index, code name, name,\n"
     "flags (W written by load, R read by read-all), read and write\n"
     "area codes, register, default, limits. Several share a name;\n"
     "the code names are unique.\n"
     "  zqctl params | grep Gain\n"},
    {"read-all", "", 0, 0, OptJson, false, true, nullptr, &ParamCommands::ReadAll, nullptr,
     "read every parameter; print index, name and value, and the\n"
     "caption of the panel's button where one shows it\n"
     "  zqctl --device /tmp/zqcam read-all\n"},
    {"get", "PARAM", 1, 1, OptJson, false, false, &ParamCommands::CheckIndex, &ParamCommands::Get,
     nullptr,
     "read one parameter, print its value\n"
     "  zqctl get GainLevel\n"},
    {"set", "PARAM VALUE", 2, 2, OptForce, false, false, &ParamCommands::CheckSet,
     &ParamCommands::Set, nullptr,
     "write one parameter (VALUE decimal or 0x hexadecimal). A value\n"
     "outside the parameter's limits, or one the panel would not let\n"
     "an operator choose on the connected model (GAIN above 336 on\n"
     "a ZQ-MV model), is refused unless --force; one that its\n"
     "register cannot carry always is.\n"
     "  zqctl --com 2 set 5 300\n"},
    {"info", "", 0, 0, OptJson, false, true, nullptr, &ParamCommands::Info, nullptr,
     "vendor, model, serial number and firmware version, and what\n"
     "the model allows: the window title, the GAIN range, 2xACCEL,\n"
     "SORT and TEST PATTERN, BALANCE ADJUST and white spots\n"
     "  zqctl --baud 115200 info\n"},
    {"factory-set", "", 0, 0, OptJson, false, false, nullptr, &ParamCommands::FactorySet, nullptr,
     "the panel's factory SET: the reset, up to 50 reads until the\n"
     "camera has finished, then every value read back and printed\n"
     "as read-all prints it\n"
     "  zqctl --device /dev/ttyUSB0 factory-set\n"},
    {"save", "FILE.zq", 1, 1, 0, false, false, nullptr, &ParamCommands::Save, "Settings files",
     "read all from the camera, then write the settings file\n"
     "  zqctl save line3.zq\n"},
    {"load", "FILE.zq", 1, 1, OptJson, true, true, nullptr, &ParamCommands::Load, nullptr,
     "check the file, store its values, write them to the camera. A\n"
     "value its register cannot carry refuses the file (status 1).\n"
     "  zqctl load line3.zq\n"},
    {"diff", "FILE.zq [FILE2.zq]", 1, 2, OptAll | OptJson, true, true, nullptr, &DiffCommands::Diff,
     nullptr,
     "read the camera (nothing is written) and compare it with\n"
     "FILE.zq: one line per row that differs with index, name, the\n"
     "file's value, the camera's value and, where the panel shows a\n"
     "read-out or a button, both texts (\"10.7400 dB\", \"12bit\").\n"
     "Nothing printed and status 0 when they agree, status 5 when a\n"
     "row differs. The rows load writes are compared; --all adds the\n"
     "read-only rows and the camera information. --json gives one\n"
     "object whose differences hold index, name, expected, actual,\n"
     "expectedText and actualText. A file is refused as load refuses\n"
     "it. With FILE2.zq the same between two files, FILE2.zq in the\n"
     "camera's place, without a camera.\n"
     "  zqctl --device /dev/ttyUSB0 diff approved.zq\n"
     "  zqctl diff approved.zq line3.zq --all\n"},
    {"apply", "FILE.zq", 1, 1, OptJson, true, true, nullptr, &DiffCommands::Apply, nullptr,
     "load, read back and compare: writes the file's rows one by one,\n"
     "reads them back and prints a diff line for each row the camera\n"
     "does not hold, with \"refused\" (it answered the write with\n"
     "NAK; the rows after it are still written) or \"changed\" (it\n"
     "holds another value) after the two values; --json adds\n"
     "\"outcome\" to each difference. Status as diff.\n"
     "  zqctl --device /dev/ttyUSB0 apply approved.zq\n"},
    {"scan", "", 0, 0, OptJson, true, false, nullptr, &ScanCommand::Run, "A line of cameras",
     "which port has which camera: one line per camera found with\n"
     "device, rate, vendor, model, serial number and firmware. Probes\n"
     "the ports named by --com, --device or --devices, else the device\n"
     "behind every COM button and every other serial port present but\n"
     "the system's console; with --cl-library, every port of the\n"
     "library (or those --cl-port names). On each port, at 9600 and\n"
     "then at 115200 baud, it sends one ENQ byte (05) and waits 100 ms\n"
     "for ACK (06); only a port that answers gets register reads of\n"
     "the camera information. Nothing is written. Status 0 when a\n"
     "camera answered, 2 when none did.\n"
     "  zqctl scan\n"
     "  zqctl --device /dev/ttyUSB0 --device /dev/ttyUSB1 scan\n"},
    {"send", "PAYLOAD", 1, 1, 0, false, false, &ServiceCommands::CheckPayload,
     &ServiceCommands::Send, "Raw commands (PAYLOAD up to 22 characters, sent in upper case)",
     "one command, acknowledgement only\n"
     "  zqctl send 01ff010c012c00\n"},
    {"query", "PAYLOAD", 1, 1, OptJson, false, false, &ServiceCommands::CheckPayload,
     &ServiceCommands::Query, nullptr,
     "one command, print the six reply characters. Without a reply\n"
     "it says so after the first {wait} seconds and sends it {tries} more times.\n"
     "  zqctl query 01FF810C000000\n"},
    {"reg unlock", "", 0, 0, 0, false, false, nullptr, &ServiceCommands::RegUnlock,
     "Registers, as the register editor (Command Menu) reaches them. AREA is\n"
     "common, dsp, tg, afe, if, lr or info (or the editor's caption: ｺﾓﾝ, DSP, TG,\n"
     "AFE, I/F, LR, INFO); ADDR two hexadecimal digits; DATA four hexadecimal digits\n"
     "in common, afe and info, two in the others. FPGA unless --eeprom",
     "send the access code, as the editor does when it opens\n"
     "  zqctl reg unlock\n"},
    {"reg read", "AREA ADDR", 2, 2, OptEeprom | OptJson, false, false,
     &ServiceCommands::CheckRegRead, &ServiceCommands::RegRead, nullptr,
     "read one register; print its data as received\n"
     "  zqctl reg read common 12 --eeprom\n"},
    {"reg write", "AREA ADDR DATA", 3, 3, OptEeprom, false, false, &ServiceCommands::CheckRegRow,
     &ServiceCommands::RegWrite, nullptr,
     "write one register, the data digits as typed\n"
     "  zqctl reg write tg 1A 3F\n"},
    {"reg dump", "AREA PAGE", 2, 2, OptEeprom | OptJson, false, false,
     &ServiceCommands::CheckRegDump, &ServiceCommands::RegDump, nullptr,
     "read the 32 registers of a page (00-1F, 20-3F, ... E0-FF, or\n"
     "its first address) as the editor's read-out does, one\n"
     "\"ADDR DATA\" line each; common ends at 7E, info at 7F\n"
     "  zqctl reg dump dsp 20-3F\n"},
    {"white-spots", "", 0, 0, OptDetect | OptThreshold | OptTimeLimit | OptJson, false, false,
     nullptr, &ServiceCommands::WhiteSpots, "White spots",
     "set the detection threshold (0 to 255), run a detection\n"
     "(polled every {poll} ms; its outcome \"Detect is finished.\",\n"
     "\"Number of detect is over.\" or \"Detect error\" on stderr,\n"
     "or as \"outcome\" in the --json object; given up after 120 s,\n"
     "or SECONDS, 0 for never), then list the addresses the camera\n"
     "holds as \"No. 1: x =   12,  y =  345\" lines. Without\n"
     "--detect it only lists.\n"
     "  zqctl white-spots --threshold 20 --detect --json\n"},
    {"write-serial", "NUMBER", 1, 1, OptDigits, false, false, nullptr, &ParamCommands::WriteSerial,
     "Serial number",
     "what the panel's WRITE does: the access code, the number's\n"
     "checks, the serial number into the camera, and a line in\n"
     "./ZQ-M710_AdjustData.csv in the current directory. Without\n"
     "--digits the length follows the serial number the camera\n"
     "holds.\n"
     "  zqctl --device /tmp/zqcam write-serial 12X45678 --digits 8\n"},
    {"ports", "", 0, 0, OptJson, true, false, nullptr, &PortsCommand::Run, "Ports",
     "every serial port of this computer, none opened: the name that stays with a USB adapter "
     "(/dev/serial/by-id/...) or the kernel's, the kernel name, USB vendor:product, serial "
     "number, maker, description, the adapter's latency timer (a word of advice above 2 ms) "
     "and the COM button that reaches it\n"
     "  zqctl ports\n"},
    {"cl-libraries", "", 0, 0, OptJson, true, false, nullptr, &ClLibrariesCommand::Run,
     "Camera Link",
     "the grabber libraries in the directory CLSERIALPATH names: file, maker and interface "
     "version, tab-separated (\"-\" where a library does not say)\n"
     "  zqctl cl-libraries\n"
     "  zqctl --cl-library libgrab.so --cl-port 1 --baud 115200 info\n"},
};

} // namespace

const char CommandTable::kShortUsage[] =
    "Usage: zqctl [--com N | --device PATH] [--baud 9600|115200] "
    "[--cl-library FILE [--cl-port N]] [--trace FILE] COMMAND (see --help)\n";

const CommandTable::Row *CommandTable::Find(const QString &name)
{
    for (const Row &row : kCommands) {
        if (name == QLatin1String(row.name))
            return &row;
    }
    return nullptr;
}

int CommandTable::UsageError(CommandOutput &out, const QString &message)
{
    out.Err(message);
    out.Note(QString::fromLatin1(kShortUsage).trimmed());
    return Usage;
}

QStringList CommandTable::Names()
{
    QStringList names;
    for (const Row &row : kCommands)
        names << QLatin1String(row.name);
    return names;
}

QStringList CommandTable::SeveralChannelNames()
{
    QStringList names;
    for (const Row &row : kCommands) {
        if (row.severalChannels)
            names << QLatin1String(row.name);
    }
    return names;
}

QStringList CommandTable::NamesWith(CommandOption option)
{
    QStringList names;
    for (const Row &row : kCommands) {
        if (row.options & option)
            names << QLatin1String(row.name);
    }
    return names;
}

QString CommandTable::OptionUsage(CommandOption option)
{
    switch (option) {
    case OptJson:
        return QStringLiteral("--json");
    case OptDigits:
        return QStringLiteral("--digits 7|8");
    case OptEeprom:
        return QStringLiteral("--eeprom");
    case OptDetect:
        return QStringLiteral("--detect");
    case OptThreshold:
        return QStringLiteral("--threshold N");
    case OptTimeLimit:
        return QStringLiteral("--time-limit SECONDS");
    case OptForce:
        return QStringLiteral("--force");
    case OptAll:
        return QStringLiteral("--all");
    }
    return QString();
}

QString CommandTable::UsageLine(const Row &command)
{
    QString line = QLatin1String(command.name);
    if (*command.arguments)
        line += QLatin1Char(' ') + QLatin1String(command.arguments);
    for (unsigned bit = 1; bit <= kLastCommandOption; bit <<= 1) {
        if (command.options & bit)
            line += QStringLiteral(" [%1]").arg(OptionUsage(CommandOption(bit)));
    }
    return line;
}

QString CommandTable::HelpText()
{
    QString text = QStringLiteral(
        "Usage: zqctl [--com N | --device PATH] [--baud 9600|115200]\n"
        "             [--cl-library FILE [--cl-port N]] [--trace FILE] COMMAND [ARGUMENTS]\n"
        "\n"
        "Controls a ZQ-M(V)710ALX camera over its serial control channel, and does from\n"
        "a shell what the program's service dialogs do.\n"
        "\n");
    text += QString::fromUtf8(kChannelHelp).arg(ComPortMap::kPortCount);
    const QString indent(kColumn, QLatin1Char(' '));
    for (const Row &command : kCommands) {
        if (command.section)
            text += QStringLiteral("\n%1:\n").arg(QString::fromUtf8(command.section));
        QString head = QStringLiteral("  ") + UsageLine(command);
        const QStringList written =
            QString::fromUtf8(command.help)
                .replace(QLatin1String("{wait}"),
                         QString::number(CameraProtocol::kReplyWaitMs / 1000))
                .replace(QLatin1String("{tries}"), QString::number(kResends))
                .replace(QLatin1String("{poll}"),
                         QString::number(WhiteSpotDetection::kPollPeriodMs))
                .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        // The description is wrapped to the width; the examples stand as written.
        QStringList lines;
        QString line;
        for (const QString &given : written) {
            if (given.startsWith(QLatin1String("  "))) {
                if (!line.isEmpty())
                    lines << line;
                lines << given;
                line.clear();
                continue;
            }
            for (const QString &word : given.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
                if (!line.isEmpty() && line.size() + 1 + word.size() > kWidth - kColumn) {
                    lines << line;
                    line.clear();
                }
                line += (line.isEmpty() ? QString() : QStringLiteral(" ")) + word;
            }
        }
        if (!line.isEmpty())
            lines << line;
        if (head.size() < kColumn - 1)
            text += head.leftJustified(kColumn) + lines.takeFirst() + QLatin1Char('\n');
        else
            text += head + QLatin1Char('\n');
        for (const QString &line : lines)
            text += indent + line + QLatin1Char('\n');
    }
    text += QStringLiteral(
                "\n"
                "Several cameras: --device, --com and --cl-port given more than once, or\n"
                "--devices FILE, run %1 (diff with one\n"
                "file) on every camera at once, each in a thread of its own; the ports of one\n"
                "Camera Link library are called one at a time, as grabber libraries promise\n"
                "no more. A line of FILE names a device, com:N or cl-port:N, optionally\n"
                "followed by its rate (9600 or 115200); \"#\" starts a comment, so the lines\n"
                "scan prints will do. Every line printed starts with its channel and a tab;\n"
                "with --json the output is one array of objects with channel, status, the\n"
                "command's own JSON as result (or its lines as output) and errors. A summary\n"
                "on stderr counts the cameras that agreed, differed or failed. The status is\n"
                "the worst of the cameras', in this order: 2, 3, 4, 1, 5, 0.\n"
                "  zqctl --devices line3.txt diff approved.zq\n"
                "\n"
                "A device is taken as typed, relative to the current directory; only a bare\n"
                "name (ttyUSB0) means one under /dev.\n"
                "\n")
                .arg(SeveralChannelNames().join(QLatin1String(", ")));
    text += QStringLiteral(
        "A port that will not open is named with the system's reason after the\n"
        "program's own message: missing, permission denied (and the group that may\n"
        "use it), busy; a library that will not load, with the loader's reason.\n"
        "\n"
        "Errors go to stderr, each starting \"zqctl: \". With --json a failure also\n"
        "gives one object on stdout: {\"error\": {status, code, message, reason}}, code\n"
        "and reason the camera connection's where it failed, 0 and \"\" otherwise.\n"
        "\n"
        "Exit status: 0 success; 1 bad usage, or a value, entry or serial number\n"
        "refused (nothing sent); 2 camera communication failed; 3 file could not be\n"
        "read or written; 4 the camera did not finish (a detection's outcome other\n"
        "than finished, its time limit, or a factory set still running); 5 diff found a\n"
        "row that differs, or apply a row the camera does not hold.\n");
    return text;
}
