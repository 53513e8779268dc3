#include "servicedialog.h"

#include "resources/dialogtemplate.h"
#include "ui/dialogbuilder.h"

#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>

void ServiceDialog::BuildLayout(const DialogTemplate &layout)
{
    auto *scroller = new QScrollArea(this);
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setFocusPolicy(Qt::NoFocus);
    auto *content = new QWidget;
    const QSize size = DialogBuilder::Build(layout, content);
    content->setFixedSize(size);
    scroller->setWidget(content);
    auto *box = new QVBoxLayout(this);
    box->setContentsMargins(0, 0, 0, 0);
    box->addWidget(scroller);
    setMaximumSize(size);
    QSize start = size;
    if (const QScreen *s = screen())
        start = start.boundedTo(s->availableGeometry().size());
    resize(start);
}

void ServiceDialog::keyPressEvent(QKeyEvent *event)
{
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
        QDialog::keyPressEvent(event);
        return;
    }
    if (auto *button = qobject_cast<QPushButton *>(focusWidget()))
        button->click();
    else
        accept();
}
