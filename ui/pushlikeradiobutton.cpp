#include "pushlikeradiobutton.h"

#include <QStyleOptionButton>
#include <QStylePainter>

PushLikeRadioButton::PushLikeRadioButton(const QString &text, QWidget *parent)
    : QRadioButton(text, parent)
{
}

QSize PushLikeRadioButton::sizeHint() const
{
    QStyleOptionButton option;
    option.initFrom(this);
    option.text = text();
    const QSize text = fontMetrics().size(Qt::TextShowMnemonic, option.text);
    return style()->sizeFromContents(QStyle::CT_PushButton, &option, text, this);
}

bool PushLikeRadioButton::hitButton(const QPoint &pos) const
{
    return rect().contains(pos);
}

void PushLikeRadioButton::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    option.initFrom(this);
    option.text = text();
    option.features = QStyleOptionButton::None;
    if (isChecked()) {
        option.state |= QStyle::State_On | QStyle::State_Sunken;
        // Chosen must be plain to see from across a production line.
        option.palette.setColor(QPalette::Button, palette().color(QPalette::Mid));
    } else if (isDown())
        option.state |= QStyle::State_Sunken;
    else
        option.state |= QStyle::State_Raised;
    painter.drawControl(QStyle::CE_PushButton, option);
}
