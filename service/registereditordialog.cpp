#include "registereditordialog.h"

#include "camera/thecamera.h"
#include "document/czqb40doc.h"
#include "resources/dialogtemplate.h"
#include "resources/servicedialogids.h"
#include "ui/controllookup.h"
#include "ui/dialogbuilder.h"
#include "ui/exchangeguard.h"
#include "ui/messagebox.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QPushButton>

namespace {
using Id = RegisterEditorId::Id;
using P = RegisterPage;

const struct
{
    int id;
    P::Area area;
} kAreaButtons[] = {
    {Id::AreaCommon, P::Common}, {Id::AreaDsp, P::Dsp}, {Id::AreaTg, P::Tg},
    {Id::AreaAfe, P::Afe},       {Id::AreaIf, P::If},   {Id::AreaInfo, P::Info},
    {Id::AreaLr, P::Lr},
};

const char kUnreadRows[] = QT_TRANSLATE_NOOP(
    "RegisterEditorDialog",
    "%1 of the rows on this page were never read from the camera: they hold placeholders, not "
    "the camera's values.\nWrite the whole page to %2, area %3, page %4 all the same?");
} // namespace

RegisterEditorDialog::RegisterEditorDialog(CZQB40Doc *doc, QWidget *parent)
    : ServiceDialog(parent), m_pDoc(doc)
{
    const DialogTemplate &layout = *FindDialogTemplate(Id::Dialog);
    setWindowTitle(layout.Caption());
    BuildLayout(layout);

    for (int k = 0; k < P::kRows; ++k) {
        m_address[k] = FindControlAs<QLineEdit>(this, Id::AddressFirst + k);
        m_data[k] = FindControlAs<QLineEdit>(this, Id::DataFirst + k);
        connect(Button(Id::WriteFirst + k), &QAbstractButton::clicked, this,
                [this, k] { WriteRow(k); });
        connect(Button(Id::ReadFirst + k), &QAbstractButton::clicked, this,
                [this, k] { ReadRow(k); });
        connect(m_data[k], &QLineEdit::textEdited, this, [this, k] { m_known[k] = true; });
    }
    // A click on the selected area or page shows a fresh page too.
    for (const auto &area : kAreaButtons)
        connect(Button(area.id), &QAbstractButton::clicked, this,
                &RegisterEditorDialog::RefreshPage);
    for (int page = 0; page < P::kPageCount; ++page)
        connect(Button(Id::PageFirst + page), &QAbstractButton::clicked, this,
                &RegisterEditorDialog::RefreshPage);
    connect(Button(Id::ReadPage), &QAbstractButton::clicked, this, &RegisterEditorDialog::ReadPage);
    connect(Button(Id::WritePage), &QAbstractButton::clicked, this,
            &RegisterEditorDialog::WritePage);
    // Registers written here may be settings the panel shows: it shows what
    // the camera holds once the editor is closed.
    connect(this, &QDialog::finished, this, [this] {
        if (m_wrote && m_pDoc) {
            m_wrote = false;
            m_pDoc->OnReadFromCamera();
        }
    });

    int result = 0;
    {
        const ExchangeGuard guard;
        if (guard.Granted())
            result = theCamera.SendCommand(P::AccessCodePayload());
    }
    if (result < 0)
        theCamera.ReportError(); // the editor opens all the same

    Button(Id::AreaTg)->setChecked(true);
    Button(Id::PageFirst)->setChecked(true);
    Button(Id::Fpga)->setChecked(true);
    RefreshPage();
}

QAbstractButton *RegisterEditorDialog::Button(int id) const
{
    return FindControlAs<QAbstractButton>(this, id);
}

P::Mode RegisterEditorDialog::Mode() const
{
    return Button(Id::Eeprom)->isChecked() ? P::Eeprom : P::Fpga;
}

P::Area RegisterEditorDialog::Area() const
{
    for (const auto &area : kAreaButtons)
        if (Button(area.id)->isChecked())
            return area.area;
    return P::Tg;
}

int RegisterEditorDialog::Page() const
{
    for (int page = 0; page < P::kPageCount; ++page)
        if (Button(Id::PageFirst + page)->isChecked())
            return page;
    return 0;
}

void RegisterEditorDialog::RefreshPage()
{
    const QList<P::Row> rows = P::PageRows(Area(), Page());
    for (int k = 0; k < P::kRows; ++k) {
        m_address[k]->setText(rows[k].address);
        m_data[k]->setText(rows[k].data);
        m_known[k] = false;
    }
}

int RegisterEditorDialog::UnreadRows() const
{
    int unread = 0;
    for (int k = 0; k < P::kRows; ++k)
        unread += !m_known[k] && !m_address[k]->text().isEmpty() ? 1 : 0;
    return unread;
}

QList<P::Row> RegisterEditorDialog::Rows() const
{
    QList<P::Row> rows;
    for (int k = 0; k < P::kRows; ++k)
        rows.append({m_address[k]->text(), m_data[k]->text()});
    return rows;
}

void RegisterEditorDialog::Report(const P::Result &result)
{
    switch (result.status) {
    case P::Done:
        break;
    case P::BadAddress:
    case P::BadData:
        MessageBox::Show(P::RefusalText(result.status), QString(), MessageBox::NoIcon,
                         MessageBox::Ok, this);
        break;
    case P::Failed:
        theCamera.ReportError();
        break;
    }
}

void RegisterEditorDialog::NoteWrite(const P::Result &result)
{
    // A write that failed midway may have changed registers before it.
    if (result.status == P::Done || result.status == P::Failed)
        m_wrote = true;
}

void RegisterEditorDialog::WriteRow(int row)
{
    P::Result result;
    {
        const ExchangeGuard guard;
        if (!guard.Granted())
            return;
        result =
            P::WriteRow(theCamera, Mode(), Area(), {m_address[row]->text(), m_data[row]->text()});
    }
    NoteWrite(result);
    Report(result);
}

void RegisterEditorDialog::ReadRow(int row)
{
    P::Result result;
    QString data;
    {
        const ExchangeGuard guard;
        if (!guard.Granted())
            return;
        result = P::ReadRow(theCamera, Mode(), Area(), m_address[row]->text(), &data);
    }
    if (result.status == P::Done) {
        m_data[row]->setText(Shown(data));
        m_known[row] = true;
    }
    Report(result);
}

void RegisterEditorDialog::ReadPage()
{
    P::Result result;
    {
        const ExchangeGuard guard;
        if (!guard.Granted())
            return;
        result =
            P::ReadPage(theCamera, Mode(), Area(), Rows(), [this](int row, const QString &data) {
                m_data[row]->setText(Shown(data));
                m_known[row] = true;
                m_data[row]->repaint(); // the page fills in as it is read
            });
    }
    Report(result);
}

void RegisterEditorDialog::WritePage()
{
    // Placeholders written to EEPROM replace the camera's values for good.
    if (const int unread = UnreadRows()) {
        const QString question =
            tr(kUnreadRows)
                .arg(unread)
                .arg(QLatin1String(Mode() == P::Eeprom ? "EEPROM" : "FPGA"),
                     QString::fromUtf8(P::AreaOf(Area()).caption), P::PageCaption(Page()));
        if (MessageBox::Show(question, QString(), MessageBox::Question, MessageBox::YesNo, this) !=
            MessageBox::AnswerYes)
            return;
    }
    P::Result result;
    {
        const ExchangeGuard guard;
        if (!guard.Granted())
            return;
        result = P::WritePage(theCamera, Mode(), Area(), Rows());
    }
    NoteWrite(result);
    // The rows before a refused one were written all the same.
    if (result.row > 0)
        m_wrote = true;
    Report(result);
}
