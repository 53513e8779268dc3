#pragma once

#include <QDialog>

struct DialogTemplate;

// What the service dialogs share: Enter presses the push button that has
// the focus, or else ends the dialog as its OK button would (none of them
// has a default button). Esc and the close box end it too.
class ServiceDialog : public QDialog
{
    Q_OBJECT
public:
    using QDialog::QDialog;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    // Builds the layout as drawn. The dialog opens at its size, or at what
    // the screen has room for, and scrolls when it is made smaller.
    void BuildLayout(const DialogTemplate &layout);
};
