#include "usernotifier.h"

#include <cstdio>

namespace {

class StderrNotifier : public UserNotifier
{
public:
    void ShowMessage(const QString &text, const QString &caption, Icon) override
    {
        std::fprintf(stderr, "%s: %s\n", qPrintable(caption.trimmed()), qPrintable(text));
    }
    bool ShowStatus(const QString &) override { return false; }
};

StderrNotifier g_fallback;
UserNotifier *g_installed = nullptr;
thread_local UserNotifier *t_installed = nullptr;

} // namespace

UserNotifier::~UserNotifier() = default;

UserNotifier &UserNotifier::Instance()
{
    if (t_installed)
        return *t_installed;
    return g_installed ? *g_installed : g_fallback;
}

void UserNotifier::Install(UserNotifier *notifier)
{
    g_installed = notifier;
}

void UserNotifier::InstallForThread(UserNotifier *notifier)
{
    t_installed = notifier;
}
