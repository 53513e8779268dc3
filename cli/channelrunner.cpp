#include "channelrunner.h"

#include "comm/comportmap.h"
#include "commandoutput.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QThread>

#include <condition_variable>
#include <iterator>
#include <memory>
#include <mutex>
#include <vector>

namespace {

// From the worst down; a status not listed counts as a camera failure.
const int kWorstFirst[] = {CameraFailure, FileFailure, NotFinished, Usage, Differs, Success};

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

QByteArray prefixed(const QByteArray &prefix, const QByteArray &text)
{
    QByteArray all;
    for (const QByteArray &line : lines(text))
        all += prefix + line + '\n';
    return all;
}

} // namespace

QString ChannelRunner::DevicePath(const QString &typed)
{
    if (!typed.contains(QLatin1Char('/')) || QDir::isAbsolutePath(typed))
        return typed;
    return QDir::cleanPath(QDir::current().absoluteFilePath(typed));
}

bool ChannelRunner::Parse(const QString &text, NamedChannel *channel, QString *error)
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
        channel->port = ChannelSpec::Com(n);
    } else if (name.startsWith(QLatin1String("cl-port:"))) {
        const int n = name.mid(8).toInt(&ok);
        if (!ok || n < 0) {
            *error = QStringLiteral("\"%1\": a Camera Link port is cl-port:0 and up").arg(name);
            return false;
        }
        channel->port = ChannelSpec::ForLibrary(QString(), n);
    } else {
        channel->port = ChannelSpec::ForDevice(DevicePath(name));
    }
    // A rate after the channel; scan's "-" says the library keeps its own.
    if (fields.size() > 1 && fields.at(1) != QLatin1String("-")) {
        if (!ChannelSpec::IsCameraRate(fields.at(1))) {
            *error = QStringLiteral("\"%1\": the rate is %2")
                         .arg(fields.at(1), ChannelSpec::CameraRatesText());
            return false;
        }
        channel->port.baudRate = fields.at(1).toInt();
        channel->rateGiven = true;
    }
    return true;
}

bool ChannelRunner::ReadList(const QString &path, QList<NamedChannel> *channels, QString *error)
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
        NamedChannel channel;
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
    int worst = Success;
    for (int status : statuses) {
        if (rank(status) < rank(worst))
            worst = status;
    }
    return worst;
}

ChannelRunner::ChannelRunner(CommandOutput &out, bool json, bool comparing)
    : m_out(out), m_json(json), m_comparing(comparing)
{
}

int ChannelRunner::Run(const QList<NamedChannel> &channels, const RunOne &run)
{
    const int count = int(channels.size());
    std::vector<CommandOutput> kept(size_t(count), CommandOutput(true));
    QList<int> statuses(count, Success);
    std::vector<bool> ended(size_t(count), false);
    std::mutex lock;
    std::condition_variable done;
    // A grabber library promises no thread safety: its ports take turns.
    std::mutex grabber;
    // QThreads, not bare ones: a serial port's notifiers want them.
    std::vector<std::unique_ptr<QThread>> threads;
    for (int i = 0; i < count; ++i) {
        threads.emplace_back(QThread::create([&, i] {
            const NamedChannel &channel = channels.at(i);
            std::unique_lock<std::mutex> turn(grabber, std::defer_lock);
            if (channel.port.IsCameraLink())
                turn.lock();
            const int status = run(channel, kept[size_t(i)]);
            if (turn.owns_lock())
                turn.unlock();
            std::lock_guard<std::mutex> guard(lock);
            statuses[i] = status;
            ended[size_t(i)] = true;
            done.notify_one();
        }));
        threads.back()->start();
    }
    // In channel order, each as soon as those before it are done.
    for (int printed = 0; printed < count; ++printed) {
        std::unique_lock<std::mutex> guard(lock);
        done.wait(guard, [&] { return ended[size_t(printed)]; });
        const int status = statuses.at(printed);
        guard.unlock();
        Print(channels.at(printed), status, kept[size_t(printed)]);
    }
    for (const std::unique_ptr<QThread> &thread : threads)
        thread->wait();

    if (m_json)
        m_out.Text(QStringLiteral("[\n") + QString::fromUtf8(m_jsonArray) +
                   QStringLiteral("\n]\n"));
    Summarise(statuses);
    return WorstOf(statuses);
}

void ChannelRunner::Print(const NamedChannel &channel, int status, const CommandOutput &kept)
{
    if (!m_json) {
        const QByteArray prefix = channel.name.toLocal8Bit() + '\t';
        m_out.Text(QString::fromLocal8Bit(prefixed(prefix, kept.KeptOut())));
        m_out.Raw(prefixed(prefix, kept.KeptErr()));
        return;
    }
    QJsonObject object{{QStringLiteral("channel"), channel.name},
                       {QStringLiteral("status"), status}};
    QJsonParseError parsed{};
    const QJsonDocument result = QJsonDocument::fromJson(kept.KeptOut(), &parsed);
    if (parsed.error == QJsonParseError::NoError)
        object.insert(QStringLiteral("result"),
                      result.isArray() ? QJsonValue(result.array()) : QJsonValue(result.object()));
    else if (!kept.KeptOut().isEmpty())
        object.insert(
            QStringLiteral("output"),
            QJsonArray::fromStringList(QString::fromLocal8Bit(kept.KeptOut())
                                           .split(QLatin1Char('\n'), Qt::SkipEmptyParts)));
    object.insert(
        QStringLiteral("errors"),
        QJsonArray::fromStringList(
            QString::fromLocal8Bit(kept.KeptErr()).split(QLatin1Char('\n'), Qt::SkipEmptyParts)));
    if (!m_jsonArray.isEmpty())
        m_jsonArray += ",\n";
    m_jsonArray += QJsonDocument(object).toJson(QJsonDocument::Indented).trimmed();
}

void ChannelRunner::Summarise(const QList<int> &statuses)
{
    int good = 0, differed = 0, failed = 0;
    for (int status : statuses) {
        if (status == Success)
            ++good;
        else if (status == Differs)
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
    m_out.Note(summary);
}
