#pragma once

#include <QObject>

// The application object: start-up, and "Ready" in the status bar whenever
// the program is idle.
class CControlApp : public QObject
{
    Q_OBJECT
public:
    explicit CControlApp(QObject *parent = nullptr);

    // Runs each time the event loop is about to wait: "Ready" back in the
    // message pane (unless a menu item's prompt is showing) and the COM
    // indicator brought up to date. Paints only what changed.
    void IdleUpdate();
};
