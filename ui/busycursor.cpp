#include "busycursor.h"

#include <QCursor>
#include <QGuiApplication>

int BusyCursor::s_depth = 0;

BusyCursor::BusyCursor()
{
    ++s_depth;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
}

BusyCursor::~BusyCursor()
{
    QGuiApplication::restoreOverrideCursor();
    --s_depth;
}

BusyCursor::Released::Released() : m_pushed(s_depth > 0)
{
    if (m_pushed)
        QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
}

BusyCursor::Released::~Released()
{
    if (m_pushed)
        QGuiApplication::restoreOverrideCursor();
}
