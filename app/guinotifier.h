#pragma once

#include "comm/usernotifier.h"

// What the camera layer shows, in the desktop program: error boxes through
// the one message-box function, status texts in the main window's message
// pane (nothing while there is no main window).
class GuiNotifier : public UserNotifier
{
public:
    void ShowMessage(const QString &text, const QString &caption, Icon icon) override;
    bool ShowStatus(const QString &text) override;
};
