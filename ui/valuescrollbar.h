#pragma once

#include "repeatscrollbar.h"

#include <functional>

class QMenu;
class QAction;

// A scroll bar that shows a value the camera holds. Whatever moves it (the
// mouse, its context menu, the wheel, the keyboard, an assistive tool)
// becomes one of the scroll bar's actions, so the window's action handler
// decides what is written; the thumb itself moves only when that handler
// shows the accepted value. It takes the keyboard focus and shows it.
class ValueScrollBar : public RepeatScrollBar
{
    Q_OBJECT
public:
    explicit ValueScrollBar(Qt::Orientation orientation, QWidget *parent = nullptr);

    // A request to put the thumb at value (clamped to the range), as a drag
    // there asks: the action handler writes it, or nothing moves.
    void RequestPosition(int value);

    // Picks the item of a context menu instead of showing it (tests); null
    // shows menus again.
    using MenuChooser = std::function<QAction *(QMenu *)>;
    static void SetMenuChooser(MenuChooser chooser);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    int ValueAt(const QPoint &pos) const;

    int m_wheelDelta = 0; // eighths of a degree not yet turned into steps
};
