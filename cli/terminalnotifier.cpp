#include "terminalnotifier.h"

#include "commandoutput.h"
#include "resources/apptitle.h"

TerminalNotifier::TerminalNotifier(CommandOutput &output) : m_output(output)
{
    UserNotifier::InstallForThread(this);
}

TerminalNotifier::~TerminalNotifier()
{
    UserNotifier::InstallForThread(nullptr);
}

void TerminalNotifier::ShowMessage(const QString &text, const QString &caption, Icon)
{
    // Error boxes carry the program's title as caption; other captions
    // ("Error" of a grabber that would not open) say something of their own.
    // Every error in zqctl's one form, "zqctl: " first.
    if (caption.trimmed() == QLatin1String(kAppTitle).trimmed())
        m_output.Err(text);
    else
        m_output.Err(caption + QStringLiteral(": ") + text);
}

bool TerminalNotifier::ShowStatus(const QString &)
{
    return false; // no status line; bulk transfers draw a bar instead
}
