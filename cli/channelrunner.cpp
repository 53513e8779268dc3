#include "channelrunner.h"

#include "zqctl.h"

#include "comm/channelspec.h"
#include "comm/comportmap.h"

#include <QEventLoop>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>

#include <cstdio>
#include <iterator>
#include <memory>
#include <vector>

namespace {

// From the worst down; a status not listed counts as a camera failure.
const int kWorstFirst[] = {Zqctl::CameraFailure, Zqctl::FileFailure, Zqctl::NotFinished,
                           Zqctl::Usage,         Zqctl::Differs,     Zqctl::Success};

int rank(int status)
{
    for (int i = 0; i < int(std::size(kWorstFirst)); ++i) {
        if (kWorstFirst[i] == status)
            return i;
    }
    return 0;
}

QByteArrayList lines(const QByteArray &text)
{
    QByteArrayList list = text.split('\n');
    if (!list.isEmpty() && list.last().isEmpty())
        list.removeLast();
    return list;
}

void write(FILE *stream, const QByteArray &prefix, const QByteArray &text)
{
    for (const QByteArray &line : lines(text))
        std::fprintf(stream, "%s%s\n", prefix.constData(), line.constData());
}

} // namespace

bool ChannelRunner::Parse(const QString &text, Channel *channel, QString *error)
{
    const QStringList fields =
        text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    if (fields.isEmpty()) {
        *error = QStringLiteral("no channel named");
        return false;
    }
    const QString &name = fields.first();
    channel->name = name;
    bool ok = false;
    if (name.startsWith(QLatin1String("com:"))) {
        const int n = name.mid(4).toInt(&ok);
        if (!ok || n < 1 || n > ComPortMap::kPortCount) {
            *error = QStringLiteral("\"%1\": COM ports are com:1 to com:%2")
                         .arg(name)
                         .arg(ComPortMap::kPortCount);
            return false;
        }
        channel->options = {QStringLiteral("--com"), QString::number(n)};
    } else if (name.startsWith(QLatin1String("cl-port:"))) {
        const int n = name.mid(8).toInt(&ok);
        if (!ok || n < 0) {
            *error = QStringLiteral("\"%1\": a Camera Link port is cl-port:0 and up").arg(name);
            return false;
        }
        channel->options = {QStringLiteral("--cl-port"), QString::number(n)};
    } else {
        channel->options = {QStringLiteral("--device"), name};
    }
    // A rate after the channel; scan's "-" says the library keeps its own.
    if (fields.size() > 1 && fields.at(1) != QLatin1String("-")) {
        if (!ChannelSpec::IsCameraRate(fields.at(1))) {
            *error = QStringLiteral("\"%1\": the rate is %2")
                         .arg(fields.at(1), ChannelSpec::CameraRatesText());
            return false;
        }
        channel->options << QStringLiteral("--baud") << fields.at(1);
    }
    return true;
}

bool ChannelRunner::ReadList(const QString &path, QList<Channel> *channels, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        *error = QStringLiteral("cannot read the list of channels \"%1\": %2")
                     .arg(path, file.errorString());
        return false;
    }
    int number = 0;
    while (!file.atEnd()) {
        ++number;
        const QString line =
            QString::fromLocal8Bit(file.readLine()).section(QLatin1Char('#'), 0, 0);
        if (line.trimmed().isEmpty())
            continue;
        Channel channel;
        QString why;
        if (!Parse(line, &channel, &why)) {
            *error = QStringLiteral("%1:%2: %3").arg(path).arg(number).arg(why);
            return false;
        }
        channels->append(channel);
    }
    if (channels->isEmpty()) {
        *error = QStringLiteral("\"%1\" names no channel").arg(path);
        return false;
    }
    return true;
}

int ChannelRunner::WorstOf(const QList<int> &statuses)
{
    int worst = Zqctl::Success;
    for (int status : statuses) {
        if (rank(status) < rank(worst))
            worst = status;
    }
    return worst;
}

ChannelRunner::ChannelRunner(const QString &program, const QStringList &commandLine, bool json,
                             bool comparing)
    : m_program(program), m_commandLine(commandLine), m_json(json), m_comparing(comparing)
{
}

int ChannelRunner::Run(const QList<Channel> &channels)
{
    QList<Outcome> outcomes(channels.size());
    std::vector<std::unique_ptr<QProcess>> processes;
    QList<bool> ended(channels.size(), false);
    int printed = 0, running = int(channels.size());
    QEventLoop loop;
    auto end = [&](int i) {
        QProcess &p = *processes[size_t(i)];
        Outcome &o = outcomes[i];
        o.out = p.readAllStandardOutput();
        o.err = p.readAllStandardError();
        o.status = p.error() == QProcess::FailedToStart || p.exitStatus() != QProcess::NormalExit
                       ? int(Zqctl::CameraFailure)
                       : p.exitCode();
        if (p.error() == QProcess::FailedToStart || p.exitStatus() != QProcess::NormalExit)
            o.err += QStringLiteral("zqctl: the run for this camera ended abnormally: %1\n")
                         .arg(p.errorString())
                         .toLocal8Bit();
        ended[i] = true;
        // In channel order, each as soon as those before it are done.
        while (printed < channels.size() && ended[printed]) {
            Print(channels.at(printed), outcomes.at(printed));
            ++printed;
        }
        if (--running == 0)
            loop.quit();
    };
    for (int i = 0; i < channels.size(); ++i) {
        processes.push_back(std::make_unique<QProcess>());
        QProcess *p = processes.back().get();
        QObject::connect(p, &QProcess::finished, &loop, [&end, i] { end(i); });
        QObject::connect(p, &QProcess::errorOccurred, &loop, [&end, i](QProcess::ProcessError e) {
            if (e == QProcess::FailedToStart)
                end(i);
        });
        // Last, so that a channel's own rate wins over the common one.
        p->start(m_program, m_commandLine + channels.at(i).options);
    }
    if (running > 0)
        loop.exec();

    if (m_json) {
        std::fputs("[\n", stdout);
        std::fputs(m_jsonArray.constData(), stdout);
        std::fputs("\n]\n", stdout);
    }
    QList<int> statuses;
    for (const Outcome &o : outcomes)
        statuses.append(o.status);
    Summarise(statuses);
    return WorstOf(statuses);
}

void ChannelRunner::Print(const Channel &channel, const Outcome &outcome)
{
    if (!m_json) {
        const QByteArray prefix = channel.name.toLocal8Bit() + '\t';
        write(stdout, prefix, outcome.out);
        write(stderr, prefix, outcome.err);
        std::fflush(stdout);
        std::fflush(stderr);
        return;
    }
    QJsonObject object{{QStringLiteral("channel"), channel.name},
                       {QStringLiteral("status"), outcome.status}};
    QJsonParseError parsed{};
    const QJsonDocument result = QJsonDocument::fromJson(outcome.out, &parsed);
    if (parsed.error == QJsonParseError::NoError)
        object.insert(QStringLiteral("result"),
                      result.isArray() ? QJsonValue(result.array()) : QJsonValue(result.object()));
    else if (!outcome.out.isEmpty())
        object.insert(
            QStringLiteral("output"),
            QJsonArray::fromStringList(
                QString::fromLocal8Bit(outcome.out).split(QLatin1Char('\n'), Qt::SkipEmptyParts)));
    object.insert(
        QStringLiteral("errors"),
        QJsonArray::fromStringList(
            QString::fromLocal8Bit(outcome.err).split(QLatin1Char('\n'), Qt::SkipEmptyParts)));
    if (!m_jsonArray.isEmpty())
        m_jsonArray += ",\n";
    m_jsonArray += QJsonDocument(object).toJson(QJsonDocument::Indented).trimmed();
}

void ChannelRunner::Summarise(const QList<int> &statuses)
{
    int good = 0, differed = 0, failed = 0;
    for (int status : statuses) {
        if (status == Zqctl::Success)
            ++good;
        else if (status == Zqctl::Differs)
            ++differed;
        else
            ++failed;
    }
    const QString cameras = statuses.size() == 1
                                ? QStringLiteral("1 camera")
                                : QStringLiteral("%1 cameras").arg(statuses.size());
    const QString summary = m_comparing ? QStringLiteral("%1: %2 agreed, %3 differed, %4 failed")
                                              .arg(cameras)
                                              .arg(good)
                                              .arg(differed)
                                              .arg(failed)
                                        : QStringLiteral("%1: %2 succeeded, %3 failed")
                                              .arg(cameras)
                                              .arg(good)
                                              .arg(failed + differed);
    std::fprintf(stderr, "%s\n", summary.toLocal8Bit().constData());
}
