#include "valuescrollbar.h"

#include "exchangeguard.h"

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QAccessibleWidget>
#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QStyleOptionSlider>
#include <QWheelEvent>

namespace {
ValueScrollBar::MenuChooser g_chooser;

constexpr int kNotch = 120; // eighths of a degree in one wheel notch

// Assistive tools see a slider named by its caption whose value is the one
// shown; setting the value asks for it as a drag would.
class ValueScrollBarAccessible : public QAccessibleWidget, public QAccessibleValueInterface
{
public:
    explicit ValueScrollBarAccessible(ValueScrollBar *bar)
        : QAccessibleWidget(bar, QAccessible::Slider)
    {
    }
    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return QString::number(Bar()->value());
        return QAccessibleWidget::text(t);
    }
    QVariant currentValue() const override { return Bar()->value(); }
    void setCurrentValue(const QVariant &value) override { Bar()->RequestPosition(value.toInt()); }
    QVariant maximumValue() const override { return Bar()->maximum(); }
    QVariant minimumValue() const override { return Bar()->minimum(); }
    QVariant minimumStepSize() const override { return Bar()->singleStep(); }

private:
    ValueScrollBar *Bar() const { return static_cast<ValueScrollBar *>(widget()); }
};

QAccessibleInterface *MakeAccessible(const QString &className, QObject *object)
{
    if (className == QLatin1String("ValueScrollBar") && object && object->isWidgetType())
        return new ValueScrollBarAccessible(static_cast<ValueScrollBar *>(object));
    return nullptr;
}
} // namespace

ValueScrollBar::ValueScrollBar(Qt::Orientation orientation, QWidget *parent)
    : RepeatScrollBar(orientation, parent)
{
    static const bool installed = (QAccessible::installFactory(MakeAccessible), true);
    Q_UNUSED(installed);
    setFocusPolicy(Qt::StrongFocus);
    setContextMenuPolicy(Qt::DefaultContextMenu);
}

void ValueScrollBar::SetMenuChooser(MenuChooser chooser)
{
    g_chooser = std::move(chooser);
}

void ValueScrollBar::RequestPosition(int value)
{
    // With tracking on, a new slider position is a move action: the handler
    // writes it and shows it, or puts the thumb back.
    setSliderPosition(qBound(minimum(), value, maximum()));
}

void ValueScrollBar::keyPressEvent(QKeyEvent *event)
{
    SliderAction action = SliderNoAction;
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Up:
        action = SliderSingleStepSub;
        break;
    case Qt::Key_Right:
    case Qt::Key_Down:
        action = SliderSingleStepAdd;
        break;
    case Qt::Key_PageUp:
        action = SliderPageStepSub;
        break;
    case Qt::Key_PageDown:
        action = SliderPageStepAdd;
        break;
    case Qt::Key_Home:
        action = SliderToMinimum;
        break;
    case Qt::Key_End:
        action = SliderToMaximum;
        break;
    default:
        QScrollBar::keyPressEvent(event);
        return;
    }
    if (event->modifiers() & ~Qt::KeypadModifier) {
        event->ignore();
        return;
    }
    triggerAction(action);
}

void ValueScrollBar::wheelEvent(QWheelEvent *event)
{
    // Only the slider the operator chose: a wheel turned to scroll the
    // window must not change a setting on its way past.
    if (!hasFocus() || !isEnabled()) {
        event->ignore();
        return;
    }
    const QPoint angle = event->angleDelta();
    m_wheelDelta += angle.y() != 0 ? angle.y() : angle.x();
    const int notches = m_wheelDelta / kNotch;
    m_wheelDelta -= notches * kNotch;
    // Each step of a notch is written as one arrow click; turning away
    // from the operator moves towards the minimum, as a scroll bar does.
    // The steps are one action: the first that fails ends it, with one box.
    const int steps = qAbs(notches) * QApplication::wheelScrollLines();
    const ExchangeGuard::Action action;
    for (int i = 0; i < steps && !ExchangeGuard::Action::Stopped(); ++i)
        triggerAction(notches > 0 ? SliderSingleStepSub : SliderSingleStepAdd);
    event->accept();
}

int ValueScrollBar::ValueAt(const QPoint &pos) const
{
    QStyleOptionSlider option;
    initStyleOption(&option);
    const QRect groove =
        style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarGroove, this);
    const QRect thumb =
        style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, this);
    const bool horizontal = orientation() == Qt::Horizontal;
    const int length = horizontal ? thumb.width() : thumb.height();
    const int first = horizontal ? groove.x() : groove.y();
    const int last = (horizontal ? groove.right() : groove.bottom()) - length + 1;
    const int at = (horizontal ? pos.x() : pos.y()) - length / 2;
    return QStyle::sliderValueFromPosition(minimum(), maximum(), at - first, last - first,
                                           option.upsideDown);
}

void ValueScrollBar::contextMenuEvent(QContextMenuEvent *event)
{
    // The scroll bar's own menu would move the thumb without a write: this
    // one asks for each move as the mouse or the keyboard would.
    const bool horizontal = orientation() == Qt::Horizontal;
    QMenu menu(this);
    const int here = ValueAt(event->pos());
    menu.addAction(tr("Scroll here"), this, [this, here] { RequestPosition(here); });
    menu.addSeparator();
    // The ends write nothing, as Home and End do not: offered, but not usable.
    menu.addAction(horizontal ? tr("Left edge") : tr("Top"), this,
                   [this] { triggerAction(SliderToMinimum); })
        ->setEnabled(false);
    menu.addAction(horizontal ? tr("Right edge") : tr("Bottom"), this,
                   [this] { triggerAction(SliderToMaximum); })
        ->setEnabled(false);
    menu.addSeparator();
    menu.addAction(horizontal ? tr("Page left") : tr("Page up"), this,
                   [this] { triggerAction(SliderPageStepSub); });
    menu.addAction(horizontal ? tr("Page right") : tr("Page down"), this,
                   [this] { triggerAction(SliderPageStepAdd); });
    menu.addSeparator();
    menu.addAction(horizontal ? tr("Scroll left") : tr("Scroll up"), this,
                   [this] { triggerAction(SliderSingleStepSub); });
    menu.addAction(horizontal ? tr("Scroll right") : tr("Scroll down"), this,
                   [this] { triggerAction(SliderSingleStepAdd); });
    if (g_chooser) {
        if (QAction *chosen = g_chooser(&menu))
            if (chosen->isEnabled())
                chosen->trigger();
    } else {
        menu.exec(event->globalPos());
    }
    event->accept();
}

void ValueScrollBar::paintEvent(QPaintEvent *event)
{
    QScrollBar::paintEvent(event);
    if (!hasFocus())
        return;
    // The styles draw no focus on a scroll bar; the operator must see which
    // slider the keys move.
    QPainter painter(this);
    QPen pen(palette().color(QPalette::Highlight));
    pen.setWidth(2);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
}
