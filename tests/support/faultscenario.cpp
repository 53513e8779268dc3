#include "faultscenario.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>
#include <QFile>
#include <QHash>
#include <QProcess>

namespace {

const QStringList kKeys = {"description", "transports", "options", "after",   "op",   "code",
                           "reports",     "min-ms",     "max-ms",  "updated", "kept", "revive",
                           "next",        "exit",       "file",    "stdout"};

bool toInt(const QString &text, int *value)
{
    bool ok = false;
    *value = text.toInt(&ok);
    return ok;
}

// "0-9 12 20-22"
bool toRows(const QString &text, QList<int> *rows)
{
    for (const QString &part : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        int first = 0, last = 0;
        const QStringList ends = part.split(QLatin1Char('-'));
        if (ends.size() > 2 || !toInt(ends.first(), &first) || !toInt(ends.last(), &last) ||
            first < 0 || last < first || last > 54)
            return false;
        for (int row = first; row <= last; ++row)
            rows->append(row);
    }
    return true;
}

} // namespace

QStringList FaultScenario::Files(const QString &folder)
{
    QStringList files;
    const QDir dir(folder);
    for (const QString &name : dir.entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name))
        files << dir.filePath(name);
    return files;
}

bool FaultScenario::Load(const QString &path, const QString &transport, FaultScenario *s,
                         QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        *error = file.errorString();
        return false;
    }
    QHash<QString, QString> plain, own;
    int lineNumber = 0;
    for (const QByteArray &raw : file.readAll().split('\n')) {
        ++lineNumber;
        const QString line = QString::fromUtf8(raw).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const int colon = line.indexOf(QLatin1Char(':'));
        QString key = line.left(colon).trimmed();
        const QString value = line.mid(colon + 1).trimmed();
        QString only;
        if (key.contains(QLatin1Char('.'))) {
            only = key.section(QLatin1Char('.'), 1);
            key = key.section(QLatin1Char('.'), 0, 0);
        }
        if (colon < 0 || !kKeys.contains(key) ||
            (!only.isEmpty() && only != "pty" && only != "cl" && only != "sim")) {
            *error = QStringLiteral("line %1: unknown key or no colon").arg(lineNumber);
            return false;
        }
        if (only.isEmpty())
            plain.insert(key, value);
        else if (only == transport)
            own.insert(key, value);
    }
    const auto get = [&](const char *key, const QString &fallback = QString()) {
        const QString k = QString::fromLatin1(key);
        return own.value(k, plain.value(k, fallback));
    };
    const auto fail = [&](const QString &message) {
        *error = message;
        return false;
    };

    *s = FaultScenario();
    s->description = get("description");
    s->runs = get("transports", "pty cl").split(QLatin1Char(' ')).contains(transport);
    if (!s->runs)
        return true; // its keys may be for other transports only
    s->simOptions = QProcess::splitCommand(get("options"));
    if (!get("after").isEmpty())
        s->simOptions << QStringLiteral("--faults-after") << get("after");

    const QStringList op = QProcess::splitCommand(get("op"));
    const QString verb = op.value(0);
    if (verb == "upload-all" && op.size() == 1)
        s->op = Op::UploadAll;
    else if (verb == "send-all" && op.size() == 1)
        s->op = Op::SendAll;
    else if (verb == "upload-param" && op.size() == 2 && toInt(op[1], &s->index))
        s->op = Op::UploadParam;
    else if (verb == "send-param" && op.size() == 3 && toInt(op[1], &s->index) &&
             toInt(op[2], &s->value))
        s->op = Op::SendParam;
    else if (verb == "zqctl" && op.size() > 1)
        s->op = Op::Zqctl, s->zqctlArgs = op.mid(1);
    else
        return fail(QStringLiteral("op: upload-all, send-all, upload-param N, send-param N V "
                                   "or zqctl ARGUMENTS"));
    if (s->index < 0 || s->index > 54)
        return fail(QStringLiteral("op: a row is 0 to 54"));

    if (!toInt(get("code"), &s->code) || s->code < 0 || !toInt(get("reports"), &s->reports) ||
        !toInt(get("max-ms"), &s->maxMs) || !toInt(get("min-ms", "0"), &s->minMs))
        return fail(QStringLiteral("code, reports and max-ms are required numbers"));
    if (!toRows(get("updated"), &s->updated) || !toRows(get("kept"), &s->kept))
        return fail(QStringLiteral("updated and kept take rows such as \"0-9 12\""));

    const QString revive = get("revive", "no");
    const QString next = get("next", "unchecked");
    if ((revive != "no" && revive != "signal") ||
        (next != "unchecked" && next != "works" && next != "fails-at-once"))
        return fail(QStringLiteral("revive: no|signal; next: unchecked|works|fails-at-once"));
    s->revive = revive == "signal";
    s->next = next == "works"           ? Next::Works
              : next == "fails-at-once" ? Next::FailsAtOnce
                                        : Next::Unchecked;

    const bool zqctl = s->op == Op::Zqctl;
    if (zqctl != !get("exit").isEmpty() || (zqctl && !toInt(get("exit"), &s->exitCode)))
        return fail(QStringLiteral("exit goes with a zqctl op, and only there"));
    const QString fileCheck = get("file", "unchecked");
    if (fileCheck != "unchecked" && fileCheck != "untouched")
        return fail(QStringLiteral("file: unchecked|untouched"));
    s->fileUntouched = fileCheck == "untouched";
    s->stdoutText = get("stdout");
    if (!zqctl && !s->stdoutText.isEmpty())
        return fail(QStringLiteral("stdout goes with a zqctl op"));
    if (zqctl && s->next != Next::Unchecked)
        return fail(QStringLiteral("next is checked in process only"));
    return true;
}

void FaultScenario::AddTestRows(const QString &folder)
{
    QTest::addColumn<QString>("path");
    const QStringList files = Files(folder);
    if (files.isEmpty())
        QFAIL(qPrintable(QStringLiteral("no scenario files in ") + folder));
    for (const QString &path : files)
        QTest::newRow(qPrintable(QFileInfo(path).completeBaseName())) << path;
}
