#pragma once

#include <QString>

#include <functional>

class QWidget;

// Every message box of the program goes through here, so tests can answer
// them without a box on screen.
class MessageBox
{
public:
    enum Icon
    {
        NoIcon,
        Information,
        Warning,
        Question,
        Stop
    };
    enum Buttons
    {
        Ok,
        YesNoCancel,
        YesNo,
        OkCancel
    };
    enum Answer
    {
        AnswerOk,
        AnswerYes,
        AnswerNo,
        AnswerCancel
    };

    // Shows the box modally and returns the button pressed. An empty caption
    // means the application title.
    static Answer Show(const QString &text, const QString &caption = QString(), Icon icon = NoIcon,
                       Buttons buttons = Ok, QWidget *parent = nullptr);

    struct Record
    {
        QString text;
        QString caption;
        Icon icon;
        Buttons buttons;
        QWidget *owner = nullptr; // the window the box is centred on
    };
    // Replaces the boxes: the recorder gets each one and returns the answer.
    // An empty function shows real boxes again.
    using Recorder = std::function<Answer(const Record &)>;
    static void SetRecorder(Recorder recorder);

    // The width a small window needs for the window manager to show its
    // whole title beside its buttons.
    static int TitleWidth(const QString &title);
};
