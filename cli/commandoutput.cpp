#include "commandoutput.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>
#include <unistd.h>

CommandOutput::CommandOutput(bool kept) : m_kept(kept)
{
    m_terminal = !kept && ::isatty(STDERR_FILENO) == 1;
}

void CommandOutput::Write(bool toOut, const QByteArray &text)
{
    if (toOut)
        m_wroteOut = true;
    if (m_kept) {
        (toOut ? m_out : m_err) += text;
        return;
    }
    if (!toOut && m_barOpen) {
        std::fputc('\n', stderr);
        m_barOpen = false;
    }
    FILE *stream = toOut ? stdout : stderr;
    std::fputs(text.constData(), stream);
    std::fflush(stream);
}

void CommandOutput::Out(const QString &line)
{
    Write(true, line.toLocal8Bit() + '\n');
}

void CommandOutput::Err(const QString &line)
{
    m_lastError = line;
    Write(false, "zqctl: " + line.toLocal8Bit() + '\n');
}

void CommandOutput::Note(const QString &line)
{
    Write(false, line.toLocal8Bit() + '\n');
}

void CommandOutput::Text(const QString &text)
{
    Write(true, text.toLocal8Bit());
}

void CommandOutput::Raw(const QByteArray &text)
{
    Write(false, text);
}

void CommandOutput::Json(const QJsonValue &value)
{
    const QJsonDocument document =
        value.isArray() ? QJsonDocument(value.toArray()) : QJsonDocument(value.toObject());
    Write(true, document.toJson(QJsonDocument::Indented));
}

void CommandOutput::Progress(const QString &label, int done, int total)
{
    if (!m_terminal || total <= 0)
        return;
    constexpr int kWidth = 30;
    const int filled = done * kWidth / total;
    std::fprintf(stderr, "\r%s [%s%s] %d/%d", qPrintable(label),
                 QByteArray(filled, '#').constData(), QByteArray(kWidth - filled, '.').constData(),
                 done, total);
    m_barOpen = done < total;
    if (!m_barOpen)
        std::fputc('\n', stderr);
    std::fflush(stderr);
}
