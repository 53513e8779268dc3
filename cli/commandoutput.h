#pragma once

#include <QByteArray>
#include <QString>

class QJsonValue;

// Where a command's lines go: straight to stdout and stderr for a run on
// one camera, or kept for the channel runner, which prints each camera's
// lines together and in the order the cameras were given.
class CommandOutput
{
public:
    explicit CommandOutput(bool kept = false);

    // A line on stdout.
    void Out(const QString &line);
    // A "zqctl: " line on stderr; the last one is kept as the failure's
    // message for --json.
    void Err(const QString &line);
    // Text on stderr as it is, no "zqctl: " (a detection's outcome).
    void Note(const QString &line);
    // Text on stdout as it is.
    void Text(const QString &text);
    // Bytes on stderr as they are.
    void Raw(const QByteArray &text);
    // A JSON document on stdout.
    void Json(const QJsonValue &value);
    // "label [#####.....] done/total" on a terminal's stderr; nothing when kept.
    void Progress(const QString &label, int done, int total);

    bool WroteOut() const { return m_wroteOut; }
    QString LastError() const { return m_lastError; }
    QByteArray KeptOut() const { return m_out; }
    QByteArray KeptErr() const { return m_err; }

private:
    void Write(bool toOut, const QByteArray &text);

    bool m_kept;
    bool m_terminal = false;
    bool m_barOpen = false;
    bool m_wroteOut = false;
    QString m_lastError;
    QByteArray m_out;
    QByteArray m_err;
};
