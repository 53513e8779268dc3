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
