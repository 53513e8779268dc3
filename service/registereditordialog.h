#pragma once

#include "camera/registerpage.h"

#include "servicedialog.h"

class CZQB40Doc;
class QAbstractButton;
class QLineEdit;

// "Command Menu" (dialog 138), modeless: reads and writes the camera's
// registers one row or one page of 32 at a time, in the memory, area and
// page chosen by its three radio groups. It keeps its state in its
// controls. Closing hides it; the document makes a fresh one next time.
// Closing it after a write has the document read all values again.
class RegisterEditorDialog : public ServiceDialog
{
    Q_OBJECT
public:
    explicit RegisterEditorDialog(CZQB40Doc *doc, QWidget *parent = nullptr);

    RegisterPage::Mode Mode() const;
    RegisterPage::Area Area() const;
    int Page() const;

    void RefreshPage();
    void WriteRow(int row);
    void ReadRow(int row);
    void ReadPage();
    void WritePage();

private:
    QList<RegisterPage::Row> Rows() const;
    QString Shown(const QString &data) const { return data.toUpper(); }
    // The one box of a row or page operation that did not go through.
    void Report(const RegisterPage::Result &result);
    void NoteWrite(const RegisterPage::Result &result);
    QAbstractButton *Button(int id) const;

    // Rows that hold no placeholder: read from the camera, or data typed,
    // since the page was shown.
    int UnreadRows() const;

    QLineEdit *m_address[RegisterPage::kRows] = {};
    QLineEdit *m_data[RegisterPage::kRows] = {};
    bool m_known[RegisterPage::kRows] = {};
    CZQB40Doc *m_pDoc;
    bool m_wrote = false; // since it was shown
};
