#include "radiotabstops.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QKeyEvent>

namespace {
bool Usable(const QAbstractButton *b)
{
    return b && b->isEnabled() && !b->isHidden();
}
} // namespace

RadioTabStops::RadioTabStops(QObject *parent) : QObject(parent) {}

void RadioTabStops::AddRun(const QList<QAbstractButton *> &run)
{
    QList<QPointer<QAbstractButton>> buttons;
    for (QAbstractButton *b : run) {
        buttons.append(b);
        b->installEventFilter(this);
        if (b->group())
            connect(b->group(), &QButtonGroup::buttonToggled, this, &RadioTabStops::Apply,
                    Qt::UniqueConnection);
    }
    m_runs.append(buttons);
    Apply();
}

void RadioTabStops::Apply()
{
    for (const auto &run : m_runs) {
        QAbstractButton *stop = nullptr;
        for (QAbstractButton *b : run)
            if (b && b->hasFocus())
                stop = b;
        for (QAbstractButton *b : run)
            if (!stop && Usable(b) && b->isChecked())
                stop = b;
        for (QAbstractButton *b : run)
            if (!stop && Usable(b))
                stop = b;
        if (!stop && !run.isEmpty())
            stop = run.first();
        for (QAbstractButton *b : run)
            if (b)
                b->setFocusPolicy(b == stop ? Qt::StrongFocus : Qt::ClickFocus);
    }
}

bool RadioTabStops::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Tab || key == Qt::Key_Backtab)
            Apply();
    }
    return QObject::eventFilter(watched, event);
}
