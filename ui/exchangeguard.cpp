#include "exchangeguard.h"

int ExchangeGuard::s_active = 0;
int ExchangeGuard::s_boxes = 0;
int ExchangeGuard::s_actions = 0;
bool ExchangeGuard::s_actionStopped = false;

namespace {
std::function<void()> &After()
{
    static std::function<void()> after;
    return after;
}
} // namespace

void ExchangeGuard::SetAfterExchange(std::function<void()> after)
{
    After() = std::move(after);
}

ExchangeGuard::ExchangeGuard() : m_granted(!IsBusy())
{
    if (!m_granted)
        return;
    ++s_active;
    m_cursor.emplace();
}

ExchangeGuard::~ExchangeGuard()
{
    if (!m_granted)
        return;
    m_cursor.reset();
    if (--s_active == 0 && After())
        After()();
}

ExchangeGuard::Action::Action()
{
    // Actions nest (a slider's handler inside a wheel notch): the outermost
    // one decides.
    if (s_actions++ == 0)
        s_actionStopped = false;
}

ExchangeGuard::Action::~Action()
{
    if (--s_actions == 0)
        s_actionStopped = false;
}
