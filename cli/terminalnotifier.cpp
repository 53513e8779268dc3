#include "terminalnotifier.h"

#include "resources/apptitle.h"

#include <cstdio>
#include <unistd.h>

TerminalNotifier::TerminalNotifier() : m_terminal(::isatty(STDERR_FILENO) == 1)
{
    UserNotifier::Install(this);
}

TerminalNotifier::~TerminalNotifier()
{
    UserNotifier::Install(nullptr);
}

void TerminalNotifier::ShowMessage(const QString &text, const QString &caption, Icon)
{
    if (m_barOpen) {
        std::fputc('\n', stderr);
        m_barOpen = false;
    }
    // Error boxes carry the program's title as caption; other captions
    // ("Error" of a grabber that would not open) say something of their own.
    // Every error in zqctl's one form, "zqctl: " first.
    if (caption.trimmed() == QLatin1String(kAppTitle).trimmed())
        std::fprintf(stderr, "zqctl: %s\n", qPrintable(text));
    else
        std::fprintf(stderr, "zqctl: %s: %s\n", qPrintable(caption), qPrintable(text));
    std::fflush(stderr);
}

bool TerminalNotifier::ShowStatus(const QString &)
{
    return false; // no status line; bulk transfers draw a bar instead
}

void TerminalNotifier::ShowProgress(const QString &label, int done, int total)
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
