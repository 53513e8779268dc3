#include "exchangeguard.h"

int ExchangeGuard::s_active = 0;
int ExchangeGuard::s_boxes = 0;

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
