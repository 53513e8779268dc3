#include "recordingnotifier.h"

RecordingNotifier::RecordingNotifier(bool mainWindow) : hasMainWindow(mainWindow)
{
    UserNotifier::Install(this);
}

RecordingNotifier::~RecordingNotifier()
{
    UserNotifier::Install(nullptr);
}

void RecordingNotifier::ShowMessage(const QString &text, const QString &caption, Icon icon)
{
    messages.append({text, caption, icon});
}

bool RecordingNotifier::ShowStatus(const QString &text)
{
    if (!hasMainWindow)
        return false;
    statusTexts.append(text);
    return true;
}
