#pragma once

#include "comm/usernotifier.h"

// What the camera code would have shown, kept instead for the failing call's
// reason: a library shows nothing. Installed in the library's own copy of
// the notifier, so the programs that link the camera code keep theirs.
class QuietNotifier : public UserNotifier
{
public:
    void ShowMessage(const QString &text, const QString &caption, Icon icon) override;
    bool ShowStatus(const QString &text) override;

    // The message this thread was last going to be shown, cleared.
    static QString Take();
    // Installs the one instance, once.
    static void InstallOnce();
};
