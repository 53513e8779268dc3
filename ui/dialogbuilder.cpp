#include "dialogbuilder.h"

#include "pushlikeradiobutton.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QFont>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QValidator>

namespace {

// Forces what is typed to upper case, as the register fields want it.
class UpperCaseValidator : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString &input, int &) const override
    {
        input = input.toUpper();
        return Acceptable;
    }
};

Qt::Alignment AlignmentOf(quint32 style)
{
    if (style & DialogItem::AlignRight)
        return Qt::AlignRight | Qt::AlignVCenter;
    if (style & DialogItem::AlignCenter)
        return Qt::AlignHCenter | Qt::AlignVCenter;
    return Qt::AlignLeft | Qt::AlignVCenter;
}

// Group boxes as the dialogs were drawn: the caption sits on the frame's
// top line, so the rectangle of the layout is the frame.
const char kGroupBoxStyle[] =
    "QGroupBox { border: 1px solid palette(mid); border-radius: 2px; margin-top: 0.6em; }"
    "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left;"
    " left: 6px; padding: 0px 2px; }"
    "QGroupBox:disabled { color: palette(mid); }";

QWidget *Make(const DialogItem &item, QWidget *parent)
{
    const QString caption = QString::fromUtf8(item.caption ? item.caption : "");
    switch (item.kind) {
    case DialogItem::GroupBox: {
        auto *g = new QGroupBox(caption, parent);
        g->setStyleSheet(QString::fromLatin1(kGroupBoxStyle));
        return g;
    }
    case DialogItem::RadioButton: {
        QRadioButton *b = (item.style & DialogItem::PushLike)
                              ? new PushLikeRadioButton(caption, parent)
                              : new QRadioButton(caption, parent);
        // Exclusive through the button group, which can be switched off to
        // show a value that selects no button.
        b->setAutoExclusive(false);
        return b;
    }
    case DialogItem::CheckBox:
        return new QCheckBox(caption, parent);
    case DialogItem::PushButton: {
        auto *b = new QPushButton(caption, parent);
        b->setAutoDefault(false);
        if (item.style & DialogItem::DefaultButton)
            b->setDefault(true);
        return b;
    }
    case DialogItem::Label: {
        auto *l = new QLabel(caption, parent);
        l->setAlignment(AlignmentOf(item.style));
        if (item.style & DialogItem::Sunken) {
            l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            l->setAccessibleDescription(QStringLiteral("read-out"));
        }
        return l;
    }
    case DialogItem::Edit: {
        if (item.style & DialogItem::Multiline) {
            auto *e = new QPlainTextEdit(caption, parent);
            e->setReadOnly(item.style & DialogItem::ReadOnly);
            e->setVerticalScrollBarPolicy(
                (item.style & DialogItem::VScroll) ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAsNeeded);
            e->setLineWrapMode(QPlainTextEdit::NoWrap);
            return e;
        }
        auto *e = new QLineEdit(caption, parent);
        e->setReadOnly(item.style & DialogItem::ReadOnly);
        e->setAlignment(AlignmentOf(item.style));
        if (item.style & DialogItem::UpperCase)
            e->setValidator(new UpperCaseValidator(e));
        return e;
    }
    case DialogItem::ScrollBar:
    case DialogItem::SpinButton: {
        const bool vertical =
            item.kind == DialogItem::SpinButton || (item.style & DialogItem::Vertical);
        auto *s = new QScrollBar(vertical ? Qt::Vertical : Qt::Horizontal, parent);
        s->setSingleStep(1);
        s->setPageStep(10);
        s->setTracking(true);
        if (item.kind == DialogItem::SpinButton)
            s->setProperty("spinButton", true);
        return s;
    }
    case DialogItem::Icon: {
        auto *l = new QLabel(parent);
        const QIcon icon = QApplication::windowIcon();
        l->setPixmap(
            icon.isNull()
                ? QApplication::style()->standardIcon(QStyle::SP_ComputerIcon).pixmap(32, 32)
                : icon.pixmap(32, 32));
        return l;
    }
    }
    return new QWidget(parent);
}

} // namespace

QSize DialogBuilder::BaseUnits(const QFont &font)
{
    // Averaged the Windows way: the width of the 52 letters, rounded up.
    const QFontMetrics fm(font);
    const int letters = fm.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return QSize((letters / 26 + 1) / 2, fm.height());
}

QRect DialogBuilder::ToPixels(const QRect &du, const QFont &font)
{
    const QSize base = BaseUnits(font);
    auto hx = [&](int v) { return (v * base.width() + 2) / 4; };
    auto vy = [&](int v) { return (v * base.height() + 4) / 8; };
    return QRect(hx(du.x()), vy(du.y()), hx(du.width()), vy(du.height()));
}

QSize DialogBuilder::Build(const DialogTemplate &layout, QWidget *parent)
{
    const QFont font = parent->font();
    QButtonGroup *group = nullptr;
    QList<QWidget *> frames;
    for (int i = 0; i < layout.count; ++i) {
        const DialogItem &item = layout.items[i];
        QWidget *w = Make(item, parent);
        if (item.id >= 0)
            w->setObjectName(QString::number(item.id));
        w->setGeometry(ToPixels(QRect(item.x, item.y, item.w, item.h), font));
        if (item.style & DialogItem::Hidden)
            w->hide();
        if (item.style & DialogItem::Disabled)
            w->setEnabled(false);
        if (item.kind == DialogItem::GroupBox)
            frames.append(w);

        // Radio buttons belong together from a group start to the next one,
        // whatever other controls stand between them.
        if (item.style & DialogItem::GroupStart)
            group = nullptr;
        if (item.kind == DialogItem::RadioButton) {
            if (!group) {
                group = new QButtonGroup(parent);
                group->setExclusive(true);
            }
            group->addButton(static_cast<QRadioButton *>(w));
        }
        // Captions are the accessible names; a read-out or slider is named by
        // the label before it.
        if (item.caption && *item.caption)
            w->setAccessibleName(QString::fromUtf8(item.caption).remove(QLatin1Char('&')));
    }
    for (QWidget *f : frames)
        f->lower();
    return ToPixels(QRect(0, 0, layout.width, layout.height), font).size();
}
