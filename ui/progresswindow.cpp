#include "progresswindow.h"

#include "resources/apptitle.h"

#include <QApplication>
#include <QProgressDialog>

ProgressWindow::ProgressWindow(const QString &label, QWidget *parent)
    : m_label(label), m_parent(parent)
{
}

ProgressWindow::~ProgressWindow()
{
    delete m_dialog;
    // Give the keyboard back where the desktop left nobody holding it.
    if (m_parent && !QApplication::activeWindow())
        m_parent->window()->activateWindow();
}

void ProgressWindow::Update(int done, int total)
{
    m_done = done;
    m_total = total;
    // A fast line finishes a row every few milliseconds, and painting one
    // costs about as much: between the first and the last row, paint at a
    // rate the eye still sees as moving.
    if (m_dialog && done < total && m_sincePaint.isValid() &&
        m_sincePaint.elapsed() < kPaintEveryMs)
        return;
    m_sincePaint.start();
    if (!m_dialog) {
        m_dialog = new QProgressDialog(m_label, QString(), 0, total, m_parent);
        m_dialog->setWindowTitle(QString::fromLatin1(kAppTitle));
        // Not modal: a modal progress dialog runs the event loop in setValue,
        // and nothing may run while a transfer holds the line.
        m_dialog->setWindowModality(Qt::NonModal);
        // It only reports: the window that started the transfer keeps the
        // keyboard.
        m_dialog->setAttribute(Qt::WA_ShowWithoutActivating);
        m_dialog->setWindowFlag(Qt::WindowDoesNotAcceptFocus);
        m_dialog->setMinimumDuration(0);
        m_dialog->setAutoClose(false);
        m_dialog->setAutoReset(false);
        m_dialog->show();
        // Let the window appear once; input waits until the transfer ends.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    m_dialog->setMaximum(total);
    m_dialog->setValue(done);
    m_dialog->setLabelText(QCoreApplication::translate("ProgressWindow", "%1 (%2 of %3)")
                               .arg(m_label)
                               .arg(done)
                               .arg(total));
    // The event loop is blocked by the transfer: paint now.
    m_dialog->repaint();
}

bool ProgressWindow::IsShown() const
{
    return m_dialog && m_dialog->isVisible();
}
