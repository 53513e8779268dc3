#pragma once

#include <QElapsedTimer>
#include <QString>

class QProgressDialog;
class QWidget;

// A small window for a long transfer: "rows done of all", painted at each
// Update even though the event loop is blocked. Shown from the first Update
// on, centred on the window that started it; gone when the object is.
class ProgressWindow
{
public:
    ProgressWindow(const QString &label, QWidget *parent = nullptr);
    ~ProgressWindow();
    ProgressWindow(const ProgressWindow &) = delete;
    ProgressWindow &operator=(const ProgressWindow &) = delete;

    void Update(int done, int total);
    // For tests: the last values shown, and whether a window is up.
    int Done() const { return m_done; }
    int Total() const { return m_total; }
    bool IsShown() const;

    // Paints a window while the event loop is blocked, with the window
    // manager's events but no user input.
    static void PaintNow(QWidget *widget);
    // The same for a window just shown: first waits until it is mapped.
    static void WaitExposed(QWidget *widget);

private:
    QString Text(int done, int total) const;

    QString m_label;
    QWidget *m_parent;
    QProgressDialog *m_dialog = nullptr;
    static constexpr int kPaintEveryMs = 40;
    QElapsedTimer m_sincePaint;
    int m_done = 0;
    int m_total = 0;
};
