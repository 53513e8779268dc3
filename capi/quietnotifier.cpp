#include "quietnotifier.h"

#include <mutex>

namespace {
thread_local QString lastMessage;
} // namespace

void QuietNotifier::ShowMessage(const QString &text, const QString &, Icon)
{
    lastMessage = text;
}

bool QuietNotifier::ShowStatus(const QString &)
{
    return false;
}

QString QuietNotifier::Take()
{
    QString text;
    text.swap(lastMessage);
    return text;
}

void QuietNotifier::InstallOnce()
{
    static QuietNotifier notifier;
    static std::once_flag installed;
    std::call_once(installed, [] { UserNotifier::Install(&notifier); });
}
