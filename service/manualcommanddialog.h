#pragma once

#include "servicedialog.h"

class QLineEdit;

// "Manual Command", modal: sends the typed payload exactly as typed, with
// or without waiting for the camera's data reply, and shows the reply.
class ManualCommandDialog : public ServiceDialog
{
    Q_OBJECT
public:
    explicit ManualCommandDialog(QWidget *parent = nullptr);

    void Send();
    void Read();

private:
    QLineEdit *m_transmission = nullptr;
    QLineEdit *m_received = nullptr;
};
