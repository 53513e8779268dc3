#pragma once

#include <QAbstractEventDispatcher>

// The serial port object wants an event dispatcher in the thread that uses
// it, and an integrator's thread (or a program without a Qt application)
// has none. The port is only ever waited on, never left to notify, so a
// dispatcher that dispatches nothing is enough, and it keeps Qt from
// warning on stderr.
class QuietDispatcher : public QAbstractEventDispatcher
{
public:
    // Gives the calling thread one when it has none.
    static void EnsureForThisThread();

    bool processEvents(QEventLoop::ProcessEventsFlags) override { return false; }
    void registerSocketNotifier(QSocketNotifier *) override {}
    void unregisterSocketNotifier(QSocketNotifier *) override {}
    void registerTimer(int, qint64, Qt::TimerType, QObject *) override {}
    bool unregisterTimer(int) override { return true; }
    bool unregisterTimers(QObject *) override { return true; }
    QList<TimerInfo> registeredTimers(QObject *) const override { return {}; }
    int remainingTime(int) override { return -1; }
    void wakeUp() override {}
    void interrupt() override {}
};
