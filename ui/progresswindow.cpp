#include "progresswindow.h"

#include "messagebox.h"

#include "resources/apptitle.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProgressDialog>
#include <QScreen>
#include <QThread>
#include <QWindow>

namespace {
// How long a new window may take to be mapped by the window manager.
constexpr int kExposeWaitMs = 1000;
} // namespace

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
        m_dialog->setLabelText(Text(done, total));
        m_dialog->setMinimumWidth(MessageBox::TitleWidth(m_dialog->windowTitle()));
        m_dialog->adjustSize();
        // Over the window that started it, or mid-screen before there is one.
        const QRect area = m_parent ? m_parent->window()->frameGeometry()
                                    : QGuiApplication::primaryScreen()->availableGeometry();
        m_dialog->move(area.center() - m_dialog->rect().center());
        m_dialog->show();
        WaitExposed(m_dialog);
    }
    m_dialog->setMaximum(total);
    m_dialog->setValue(done);
    m_dialog->setLabelText(Text(done, total));
    PaintNow(m_dialog);
}

QString ProgressWindow::Text(int done, int total) const
{
    return QCoreApplication::translate("ProgressWindow", "%1 (%2 of %3)")
        .arg(m_label)
        .arg(done)
        .arg(total);
}

void ProgressWindow::PaintNow(QWidget *widget)
{
    // The event loop is blocked by the transfer: paint now, and let the
    // window manager's events through, never the user's.
    widget->repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void ProgressWindow::WaitExposed(QWidget *widget)
{
    // A window manager maps a new window in its own time; until then any
    // painting is lost and the window stays an empty frame for the whole
    // transfer.
    QElapsedTimer waited;
    waited.start();
    const QWindow *window = widget->windowHandle();
    while (window && !window->isExposed() && waited.elapsed() < kExposeWaitMs) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        QThread::msleep(5);
    }
    PaintNow(widget);
}

bool ProgressWindow::IsShown() const
{
    return m_dialog && m_dialog->isVisible();
}
