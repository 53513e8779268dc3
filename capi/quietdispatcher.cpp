#include "quietdispatcher.h"

#include <QThread>

void QuietDispatcher::EnsureForThisThread()
{
    QThread *thread = QThread::currentThread();
    // The thread owns it from here and deletes it when it ends.
    if (!thread->eventDispatcher())
        thread->setEventDispatcher(new QuietDispatcher);
}
