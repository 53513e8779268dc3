#include "messagebox.h"

#include "busycursor.h"
#include "exchangeguard.h"
#include "repeatscrollbar.h"

#include "resources/apptitle.h"

#include <QApplication>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>

namespace {
MessageBox::Recorder &TheRecorder()
{
    static MessageBox::Recorder recorder;
    return recorder;
}
// The window a box belongs to when the caller names none: the active one,
// else the program's main window, so no box lands in the screen's middle
// away from the window it speaks of.
QWidget *OwnerWindow()
{
    if (QWidget *active = QApplication::activeWindow())
        return active;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->inherits("QMainWindow"))
            return w;
    return nullptr;
}
} // namespace

MessageBox::Answer MessageBox::Show(const QString &text, const QString &caption, Icon icon,
                                    Buttons buttons, QWidget *parent)
{
    const QString title = caption.isEmpty() ? QString::fromLatin1(kAppTitle) : caption;
    // A failed exchange reports inside its wait cursor.
    const BusyCursor::Released released;
    // Nothing starts an exchange inside the box's loop, and no scroll bar
    // steps on after the box took its release.
    const ExchangeGuard::BoxOpen open;
    RepeatScrollBar::StopAll();
    QWidget *owner = parent ? parent->window() : OwnerWindow();
    if (TheRecorder())
        return TheRecorder()(Record{text, title, icon, buttons, owner});

    QMessageBox box(owner);
    box.setWindowTitle(title);
    box.setText(text);
    switch (icon) {
    case NoIcon:
        box.setIcon(QMessageBox::NoIcon);
        break;
    case Information:
        box.setIcon(QMessageBox::Information);
        break;
    case Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    case Question:
        box.setIcon(QMessageBox::Question);
        break;
    case Stop:
        box.setIcon(QMessageBox::Critical);
        break;
    }
    switch (buttons) {
    case Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    case YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        // Such a question guards what cannot be undone: Enter keeps it so.
        box.setDefaultButton(QMessageBox::No);
        break;
    case OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    }
    // A short text would make a box too narrow for its title.
    if (auto *grid = qobject_cast<QGridLayout *>(box.layout()))
        grid->addItem(
            new QSpacerItem(TitleWidth(title), 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
            grid->rowCount(), 0, 1, grid->columnCount());
    switch (box.exec()) {
    case QMessageBox::Yes:
        return AnswerYes;
    case QMessageBox::No:
        return AnswerNo;
    case QMessageBox::Cancel:
        return AnswerCancel;
    case QMessageBox::Ok:
        return AnswerOk;
    default: // closed by Escape or the close box
        return buttons == Ok ? AnswerOk : buttons == YesNo ? AnswerNo : AnswerCancel;
    }
}

int MessageBox::TitleWidth(const QString &title)
{
    // Title bars use a bold face of about the application's size; a window
    // manager adds its icon and three buttons, about six lines high in all.
    QFont font = QApplication::font();
    font.setBold(true);
    const QFontMetrics metrics(font);
    return metrics.horizontalAdvance(title) + 6 * metrics.height();
}

void MessageBox::SetRecorder(Recorder recorder)
{
    TheRecorder() = std::move(recorder);
}
