#include "repeatscrollbar.h"

#include "exchangeguard.h"

#include <QApplication>
#include <QGuiApplication>

RepeatScrollBar::RepeatScrollBar(Qt::Orientation orientation, QWidget *parent)
    : QScrollBar(orientation, parent)
{
}

void RepeatScrollBar::timerEvent(QTimerEvent *event)
{
    if (IsRepeating()) {
        // The pointer's own state, not the events seen: a box may have
        // taken the release.
        if (!(QGuiApplication::mouseButtons() & Qt::LeftButton)) {
            StopRepeat();
            return;
        }
        // A tick that comes due while an exchange paints its windows is
        // dropped, not done after it.
        if (ExchangeGuard::IsBusy())
            return;
    }
    QScrollBar::timerEvent(event);
}

void RepeatScrollBar::StopAll()
{
    for (QWidget *widget : QApplication::allWidgets())
        if (auto *bar = qobject_cast<RepeatScrollBar *>(widget))
            bar->StopRepeat();
}
