#include "dialogbuilder.h"

#include "pushlikeradiobutton.h"
#include "radiotabstops.h"
#include "valuescrollbar.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
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

QWidget *Make(const DialogItem &item, const QString &caption, QWidget *parent)
{
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
        if (item.style & DialogItem::Sunken)
            l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        return l;
    }
    case DialogItem::Edit: {
        if (item.style & DialogItem::Multiline) {
            auto *e = new QPlainTextEdit(caption, parent);
            e->setReadOnly(item.style & DialogItem::ReadOnly);
            e->setVerticalScrollBarPolicy(
                (item.style & DialogItem::VScroll) ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAsNeeded);
            e->setLineWrapMode(QPlainTextEdit::NoWrap);
            e->setTabChangesFocus(true); // Tab leaves it, as in every other field
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
        const Qt::Orientation orientation = vertical ? Qt::Vertical : Qt::Horizontal;
        QScrollBar *s = item.kind == DialogItem::SpinButton
                            ? new RepeatScrollBar(orientation, parent)
                            : new ValueScrollBar(orientation, parent);
        s->setSingleStep(1);
        s->setPageStep(10);
        s->setTracking(true);
        if (item.kind == DialogItem::SpinButton)
            s->setProperty("spinButton", true);
        return s;
    }
    case DialogItem::ComboBox:
        return new QComboBox(parent);
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
    if (layout.pointSize > 0) {
        QFont own = parent->font();
        own.setPointSize(layout.pointSize);
        parent->setFont(own);
    }
    const QFont font = parent->font();
    QButtonGroup *group = nullptr;
    QList<QWidget *> frames;
    QList<QList<QAbstractButton *>> runs; // radio buttons that share one tab stop
    QString caption;                      // of the last label, which names a read-out
    for (int i = 0; i < layout.count; ++i) {
        const DialogItem &item = layout.items[i];
        const QString text = layout.CaptionOf(item);
        QWidget *w = Make(item, text, parent);
        if (item.id >= 0)
            w->setObjectName(QString::number(item.id));
        w->setProperty("dialogItem", i); // the table row, for the unnamed controls too
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
            if (!group || (item.style & DialogItem::TabStop))
                runs.append(QList<QAbstractButton *>());
            if (!group) {
                group = new QButtonGroup(parent);
                group->setExclusive(true);
            }
            group->addButton(static_cast<QRadioButton *>(w));
            runs.last().append(static_cast<QRadioButton *>(w));
        }
        if (item.kind == DialogItem::Label) {
            // A label's name is the text it shows, so a read-out says its
            // value; its caption, the label before it, describes it.
            if (item.style & DialogItem::Sunken)
                w->setAccessibleDescription(caption);
            else
                caption = text.trimmed();
        } else if (!text.isEmpty()) {
            // Captions are the accessible names.
            w->setAccessibleName(QString(text).remove(QLatin1Char('&')));
        }
    }
    for (QWidget *f : frames)
        f->lower();
    if (!runs.isEmpty()) {
        auto *stops = new RadioTabStops(parent);
        for (const auto &run : runs)
            stops->AddRun(run);
    }
    return ToPixels(QRect(0, 0, layout.width, layout.height), font).size();
}
