#pragma once

#include "sim/simcamera.h"
#include "ui/filedialogs.h"
#include "ui/messagebox.h"

#include <QByteArrayList>
#include <QList>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>

class CMainFrame;
class CZQB40Doc;
class SimPortDriver;
class QAbstractSlider;
class QWidget;

// One rig for every GUI test: theCamera on a simulated port whose far end is
// a SimCamera on virtual time, every message box and file dialog answered and
// recorded, the settings store in a temporary folder, and the program's
// windows built as the program builds them.
class GuiFixture
{
public:
    explicit GuiFixture(const QString &programFileName = QStringLiteral("zqremote"),
                        const SimConfig &config = SimConfig());
    ~GuiFixture();

    // Opens theCamera's port on the simulated line (COM portNumber).
    void OpenPort(int portNumber = 1, int baud = 9600);
    // Builds the document and the main window (not shown).
    void BuildWindows();
    QWidget *Control(int id) const; // in the panel
    // Payloads the camera acknowledged since the last call.
    QByteArrayList TakePayloads();
    // Moves a slider the way someone can: "action:N" (a QAbstractSlider
    // action), "key:NAME" on the focused slider, "wheel:DELTA" (eighths of a
    // degree) on the focused one, "hover:DELTA" on one without the focus,
    // "menu:ITEM" from its context menu opened at its middle, "access:VALUE"
    // set by an assistive tool.
    static void MoveSlider(QAbstractSlider *slider, const QString &how);
    // Gives the widget the keyboard focus in its shown, active window.
    static void Focus(QWidget *widget);

    SimCamera camera;
    SimPortDriver *driver = nullptr;
    CZQB40Doc *doc = nullptr;
    CMainFrame *frame = nullptr;

    // Boxes shown, in order; each is answered with the next of answers, or
    // with OK / Yes when the list is empty.
    QList<MessageBox::Record> boxes;
    QList<MessageBox::Answer> answers;
    // Boxes that showed under the wait cursor: none should.
    int boxesUnderWaitCursor = 0;
    // With eventsInBoxes, each box runs due timers and posted events as a
    // shown box's loop does; mostBoxesOpen counts boxes open at once.
    bool eventsInBoxes = false;
    // Runs as each box opens, before it is answered (a camera that comes
    // back while the operator reads the box).
    std::function<void(const MessageBox::Record &)> onBox;
    int mostBoxesOpen = 0;
    // File dialogs asked, and the paths they return in turn (empty = cancel).
    QList<FileDialogs::Request> fileRequests;
    QStringList fileAnswers;

    QTemporaryDir dir; // settings store and scratch files

private:
    QString m_programFileName;
    int m_payloadsTaken = 0;
};
