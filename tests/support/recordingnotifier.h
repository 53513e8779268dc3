#pragma once

#include "comm/usernotifier.h"

#include <QList>
#include <QStringList>

// Installs itself for its lifetime and records every message box and status
// text instead of showing them, so no test blocks on a box.
class RecordingNotifier : public UserNotifier
{
public:
    struct Message
    {
        QString text;
        QString caption;
        Icon icon;
    };

    explicit RecordingNotifier(bool hasMainWindow = true);
    ~RecordingNotifier() override;

    void ShowMessage(const QString &text, const QString &caption, Icon icon) override;
    bool ShowStatus(const QString &text) override;

    QList<Message> messages;
    QStringList statusTexts;
    bool hasMainWindow;
};
