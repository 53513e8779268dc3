#pragma once

#include <QString>

// What the communication and camera layers show to the user goes through
// this interface: the application installs one that opens message boxes and
// writes the status bar, tools install one that writes to a terminal, tests
// install a recorder. Without one, messages go to stderr.
class UserNotifier
{
public:
    enum Icon { NoIcon, Information, Warning, Stop };

    virtual ~UserNotifier();

    // A modal message with an OK button; returns when it was dismissed.
    virtual void ShowMessage(const QString &text, const QString &caption, Icon icon) = 0;
    // Progress text for the main window's status line. Returns false when
    // there is no main window to show it in.
    virtual bool ShowStatus(const QString &text) = 0;

    // The installed notifier (never null). Install(nullptr) restores the
    // stderr fallback. The caller keeps ownership.
    static UserNotifier &Instance();
    static void Install(UserNotifier *notifier);
    // For the calling thread only, ahead of the installed one: a tool that
    // runs several connections at once gives each its own. nullptr removes it.
    static void InstallForThread(UserNotifier *notifier);
};
