#include "exchangeguard.h"

int ExchangeGuard::s_active = 0;
int ExchangeGuard::s_boxes = 0;

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
    --s_active;
}
