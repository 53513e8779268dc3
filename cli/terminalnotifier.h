#pragma once

#include "comm/usernotifier.h"

class CommandOutput;

// Messages of the camera layers on a command's stderr, the error box's text
// as it is. Installed for the thread that runs the command, so each camera
// of a line reports into its own output.
class TerminalNotifier : public UserNotifier
{
public:
    explicit TerminalNotifier(CommandOutput &output);
    ~TerminalNotifier() override;

    void ShowMessage(const QString &text, const QString &caption, Icon icon) override;
    bool ShowStatus(const QString &text) override;

private:
    CommandOutput &m_output;
};
