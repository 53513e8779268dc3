#include "guinotifier.h"

#include "cmainframe.h"
#include "ui/messagebox.h"
#include "ui/progresswindow.h"

#include <QStatusBar>

void GuiNotifier::ShowMessage(const QString &text, const QString &caption, Icon icon)
{
    MessageBox::Icon boxIcon = MessageBox::NoIcon;
    switch (icon) {
    case NoIcon:
        boxIcon = MessageBox::NoIcon;
        break;
    case Information:
        boxIcon = MessageBox::Information;
        break;
    case Warning:
        boxIcon = MessageBox::Warning;
        break;
    case Stop:
        boxIcon = MessageBox::Stop;
        break;
    }
    MessageBox::Show(text, caption, boxIcon, MessageBox::Ok, CMainFrame::Instance());
}

bool GuiNotifier::ShowStatus(const QString &text)
{
    CMainFrame *frame = CMainFrame::Instance();
    if (!frame)
        return false;
    frame->SetStatusText(text);
    // An exchange blocks next: what the window manager asks is painted now.
    ProgressWindow::PaintNow(frame->statusBar());
    return true;
}
