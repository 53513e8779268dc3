#pragma once

#include <QDialog>

// "About ZQ-M(V)710ALX" (dialog 100).
class AboutDialog : public QDialog
{
    Q_OBJECT
public:
    explicit AboutDialog(QWidget *parent = nullptr);
};
