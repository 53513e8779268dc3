#pragma once

#include <QScrollBar>

// A scroll bar whose auto-repeat (an arrow or the track held down) goes on
// only while its mouse button is really down, skips its turn while an
// exchange is in progress and ends when a box opens. A release that a box
// swallowed would otherwise leave it stepping on its own, and each step may
// be a write to the camera.
class RepeatScrollBar : public QScrollBar
{
    Q_OBJECT
public:
    explicit RepeatScrollBar(Qt::Orientation orientation, QWidget *parent = nullptr);

    // Ends a repeat under way, as a release would.
    void StopRepeat() { setRepeatAction(SliderNoAction); }
    bool IsRepeating() const { return repeatAction() != SliderNoAction; }
    // Ends every repeat: a box opens, and will take the release.
    static void StopAll();

protected:
    void timerEvent(QTimerEvent *event) override;
};
