#include "simoptions.h"

#include <QCommandLineParser>

namespace {

const char kUsage[] =
    "Usage: zq-camsim [options]\n"
    "A simulated ZQ-M(V)710ALX camera on a pseudo-terminal. Prints\n"
    "\"zq-camsim: ready PATH\" once it listens.\n"
    "\n"
    "Identity:\n"
    "  --vendor TEXT          vendor name, up to 16 characters (Vantorix)\n"
    "  --model TEXT           model name, up to 16 characters (ZQ-M710ALX)\n"
    "  --serial DIGITS        serial number, 7 or 8 digits (1234567)\n"
    "  --version A.B.C.D      firmware version, four characters (1.0.9.0)\n"
    "White-spot detection and factory set:\n"
    "  --detect-polls N       status reads that say \"detecting\" (3)\n"
    "  --detect-outcome N     then 0 finished, 2 too many, other an error (0)\n"
    "  --spots X,Y;X,Y...     spots found; \"\" for none (12,345;640,480;2047,1)\n"
    "  --factory-reads N      reads of the factory-set register that say busy (2)\n"
    "Scripts (AREA and REG two hex digits, AREA without the read bit; DATA six\n"
    "characters as on the line; both may be given more than once):\n"
    "  --script-reads AREA:REG:DATA,DATA,...\n"
    "                         successive reads of that register return these,\n"
    "                         the last one repeating\n"
    "  --refuse-write AREA:REG:DATA\n"
    "                         answer only that write with NAK\n"
    "Faults:\n"
    "  --silent               answer nothing (SIGUSR1 toggles this)\n"
    "  --silent-enqs N        hear nothing until N ENQs went unanswered, then answer\n"
    "  --refuse-enq N         answer the next N ENQs with NAK\n"
    "  --noise N              N noise bytes before every reply\n"
    "  --bad-checksum N|all   wrong checksum in the next N replies, or in all\n"
    "  --refuse-writes        answer every register write with NAK\n"
    "  --no-reply             acknowledge reads but never answer them\n"
    "  --lower-case           lower-case checksum digits in replies\n"
    "  --die-after N          the line dies after N complete exchanges\n"
    "  --faults-after N       the faults above but --die-after start after N\n"
    "                         complete exchanges\n"
    "Plumbing:\n"
    "  --link PATH            symbolic link PATH to the pseudo-terminal\n"
    "  --log FILE             append received bytes, frames and payloads to FILE\n"
    "  --baud N               every byte, both ways, takes its time on a line of\n"
    "                         N baud, 8N1 (ten bits); without it bytes move at once\n"
    "  --strict-baud          with --baud: answer only a client that set its line to\n"
    "                         that rate, as a real camera's receiver does\n"
    "  --latency MS           hold every byte sent until the next tick of an MS\n"
    "                         millisecond timer, as a USB adapter's latency timer\n"
    "                         does (16 for an untuned FTDI adapter)\n"
    "  -h, --help             this text\n"
    "\n"
    "Examples:\n"
    "  zq-camsim --link /tmp/zqcam\n"
    "  zq-camsim --link /tmp/zqcam --baud 9600   (a read of all takes about 1.8 s)\n"
    "  zq-camsim --link /tmp/zqcam --baud 115200 --latency 16\n"
    "  zq-camsim --link /tmp/zqcam --serial 12345678 --noise 3 --log /tmp/zqcam.log\n"
    "  zq-camsim --link /tmp/zqcam --silent --faults-after 10   (kill -USR1 revives it)\n"
    "  zq-camsim --link /tmp/zqcam --script-reads 01:4D:010000,010000,000000\n"
    "  zq-camsim --link /tmp/zqcam --refuse-write 01:08:000200\n";

bool toCount(const QString &text, int *value)
{
    bool ok = false;
    *value = text.toInt(&ok);
    return ok && *value >= 0;
}

// "AREA:REG:DATA,DATA,..." into its key and data fields.
bool toScript(const QString &text, int *key, QByteArrayList *data)
{
    const QStringList parts = text.split(QLatin1Char(':'));
    if (parts.size() != 3 || parts[0].size() != 2 || parts[1].size() != 2)
        return false;
    bool areaOk = false, regOk = false;
    const int area = parts[0].toInt(&areaOk, 16);
    const int reg = parts[1].toInt(&regOk, 16);
    if (!areaOk || !regOk || area > 0x7F)
        return false;
    *key = SimConfig::Key(area, reg);
    data->clear();
    for (const QString &field : parts[2].split(QLatin1Char(','))) {
        if (field.size() != 6)
            return false;
        data->append(field.toLatin1());
    }
    return true;
}

} // namespace

QString SimOptions::HelpText()
{
    return QString::fromLatin1(kUsage);
}

bool SimOptions::Fail(const QString &message)
{
    m_error = message;
    return false;
}

bool SimOptions::Parse(const QStringList &arguments)
{
    QCommandLineParser parser;
    const auto value = [](const char *name, const char *what) {
        return QCommandLineOption(QString::fromLatin1(name), QString(), QString::fromLatin1(what));
    };
    const auto flag = [](const char *name) {
        return QCommandLineOption(QString::fromLatin1(name));
    };
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption vendor = value("vendor", "text"), model = value("model", "text"),
                             serial = value("serial", "digits"),
                             version = value("version", "version"),
                             detectPolls = value("detect-polls", "n"),
                             detectOutcome = value("detect-outcome", "n"),
                             spots = value("spots", "list"),
                             factoryReads = value("factory-reads", "n"),
                             refuseEnq = value("refuse-enq", "n"), noise = value("noise", "n"),
                             badChecksum = value("bad-checksum", "n"),
                             dieAfter = value("die-after", "n"),
                             silentEnqs = value("silent-enqs", "n"),
                             faultsAfter = value("faults-after", "n"), link = value("link", "path"),
                             scriptReads = value("script-reads", "script"),
                             refuseWrite = value("refuse-write", "write"),
                             log = value("log", "file"), baud = value("baud", "n"),
                             latency = value("latency", "ms");
    const QCommandLineOption silent = flag("silent"), refuseWrites = flag("refuse-writes"),
                             noReply = flag("no-reply"), lowerCase = flag("lower-case"),
                             strictBaud = flag("strict-baud");
    parser.addOptions({help,        vendor,        model,       serial,       version,
                       detectPolls, detectOutcome, spots,       factoryReads, refuseEnq,
                       noise,       badChecksum,   dieAfter,    silentEnqs,   faultsAfter,
                       link,        log,           silent,      refuseWrites, noReply,
                       lowerCase,   scriptReads,   refuseWrite, baud,         strictBaud,
                       latency});
    if (!parser.parse(arguments))
        return Fail(parser.errorText());
    if (!parser.positionalArguments().isEmpty())
        return Fail(QStringLiteral("unexpected argument: ") + parser.positionalArguments().first());

    m_help = parser.isSet(help);
    m_linkPath = parser.value(link);
    m_logPath = parser.value(log);
    if (parser.isSet(baud) && (!toCount(parser.value(baud), &m_baud) || m_baud < 50))
        return Fail(QStringLiteral("--baud takes a line speed of 50 or more"));
    m_strictBaud = parser.isSet(strictBaud);
    if (m_strictBaud && !m_baud)
        return Fail(QStringLiteral("--strict-baud goes with --baud"));
    if (parser.isSet(latency) &&
        (!toCount(parser.value(latency), &m_latencyMs) || m_latencyMs < 1 || m_latencyMs > 255))
        return Fail(QStringLiteral("--latency takes 1 to 255 milliseconds"));
    SimConfig &c = m_config;
    SimFaults &f = c.faults;

    if (parser.isSet(vendor))
        c.vendor = parser.value(vendor).toLatin1();
    if (parser.isSet(model))
        c.model = parser.value(model).toLatin1();
    if (c.vendor.size() > 16 || c.model.size() > 16)
        return Fail(QStringLiteral("vendor and model names have at most 16 characters"));
    if (parser.isSet(serial))
        c.serial = parser.value(serial).toLatin1();
    bool digits = c.serial.size() == 7 || c.serial.size() == 8;
    for (char ch : c.serial)
        digits = digits && ch >= '0' && ch <= '9';
    if (!digits)
        return Fail(QStringLiteral("the serial number is 7 or 8 digits"));
    if (parser.isSet(version))
        c.version = parser.value(version).toLatin1();
    if (QByteArray(c.version).replace('.', "").size() != 4)
        return Fail(QStringLiteral("the version is four characters, such as 1.0.9.0"));

    const struct
    {
        const QCommandLineOption &option;
        int *target;
    } counts[] = {{detectPolls, &c.detectBusyPolls},
                  {detectOutcome, &c.detectOutcome},
                  {factoryReads, &c.factoryBusyReads},
                  {refuseEnq, &f.refuseEnq},
                  {noise, &f.noise},
                  {dieAfter, &f.dieAfter},
                  {silentEnqs, &f.silentEnqs},
                  {faultsAfter, &f.faultsAfter}};
    for (const auto &count : counts) {
        if (parser.isSet(count.option) && !toCount(parser.value(count.option), count.target))
            return Fail(QStringLiteral("--%1 takes a count").arg(count.option.names().first()));
    }
    if (c.detectOutcome > 255)
        return Fail(QStringLiteral("--detect-outcome is one byte"));

    if (parser.isSet(badChecksum)) {
        if (parser.value(badChecksum) == QLatin1String("all"))
            f.badChecksumAlways = true;
        else if (!toCount(parser.value(badChecksum), &f.badChecksum))
            return Fail(QStringLiteral("--bad-checksum takes a count or \"all\""));
    }
    if (parser.isSet(spots)) {
        c.spots.clear();
        const QStringList pairs = parser.value(spots).split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (const QString &pair : pairs) {
            const QStringList xy = pair.split(QLatin1Char(','));
            SimSpot spot;
            if (xy.size() != 2 || !toCount(xy[0], &spot.x) || !toCount(xy[1], &spot.y) ||
                spot.x > 0xFFFF || spot.y > 0xFFFF)
                return Fail(QStringLiteral("--spots takes X,Y;X,Y... : ") + pair);
            c.spots.append(spot);
        }
    }
    for (const QString &script : parser.values(scriptReads)) {
        int key = 0;
        QByteArrayList data;
        if (!toScript(script, &key, &data))
            return Fail(QStringLiteral("--script-reads takes AREA:REG:DATA,DATA,... : ") + script);
        c.scriptedReads.insert(key, data);
    }
    for (const QString &write : parser.values(refuseWrite)) {
        int key = 0;
        QByteArrayList data;
        if (!toScript(write, &key, &data) || data.size() != 1)
            return Fail(QStringLiteral("--refuse-write takes AREA:REG:DATA : ") + write);
        c.refusedWrites.insert(key, data.first());
    }
    f.silent = parser.isSet(silent);
    f.refuseWrites = parser.isSet(refuseWrites);
    f.noReply = parser.isSet(noReply);
    f.lowerCase = parser.isSet(lowerCase);
    return true;
}
