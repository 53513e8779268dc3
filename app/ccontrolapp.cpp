#include "ccontrolapp.h"

#include "cmainframe.h"
#include "resources/stringids.h"
#include "resources/stringtable.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QThread>

CControlApp::CControlApp(QObject *parent) : QObject(parent)
{
    if (auto *dispatcher = QAbstractEventDispatcher::instance(QCoreApplication::instance()->thread()))
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this,
                &CControlApp::IdleUpdate);
}

void CControlApp::IdleUpdate()
{
    CMainFrame *frame = CMainFrame::Instance();
    if (!frame)
        return;
    frame->UpdateComIndicator();
    if (frame->IsShowingPrompt())
        return;
    const QString ready = StringTable::Load(StringId::Ready);
    if (frame->StatusText() != ready)
        frame->SetStatusText(ready);
}
