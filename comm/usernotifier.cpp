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

} // namespace

UserNotifier::~UserNotifier() = default;

UserNotifier &UserNotifier::Instance()
{
    return g_installed ? *g_installed : g_fallback;
}

void UserNotifier::Install(UserNotifier *notifier)
{
    g_installed = notifier;
}
