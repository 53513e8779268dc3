#pragma once

#include "comm/usernotifier.h"

// Messages of the camera layers on stderr, the error box's text as it is;
// a progress bar on stderr for bulk transfers when stderr is a terminal.
class TerminalNotifier : public UserNotifier
{
public:
    TerminalNotifier();
    ~TerminalNotifier() override;

    void ShowMessage(const QString &text, const QString &caption, Icon icon) override;
    bool ShowStatus(const QString &text) override;

    // Draws "label [#####.....] done/total"; the last step ends the line.
    void ShowProgress(const QString &label, int done, int total);

private:
    bool m_terminal = false;
    bool m_barOpen = false;
};
