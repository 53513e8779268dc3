#include "manualcommanddialog.h"

#include "camera/thecamera.h"
#include "resources/dialogtemplate.h"
#include "resources/servicedialogids.h"
#include "ui/controllookup.h"
#include "ui/dialogbuilder.h"
#include "ui/exchangeguard.h"

#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QValidator>

namespace {
using Id = ManualCommandId::Id;

// The transmission field shows every letter in upper case and, as it does
// not scroll sideways, takes only what fits in its width.
class FittingUpperCase : public QValidator
{
public:
    explicit FittingUpperCase(QLineEdit *edit) : QValidator(edit), m_edit(edit) {}
    State validate(QString &input, int &) const override
    {
        input = input.toUpper();
        const int frame = m_edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
        const QMargins margins = m_edit->textMargins();
        const int room = m_edit->width() - 2 * frame - margins.left() - margins.right() - 4;
        return m_edit->fontMetrics().horizontalAdvance(input) <= room ? Acceptable : Invalid;
    }

private:
    QLineEdit *m_edit;
};
} // namespace

ManualCommandDialog::ManualCommandDialog(QWidget *parent) : ServiceDialog(parent)
{
    const DialogTemplate &layout = *FindDialogTemplate(Id::Dialog);
    setWindowTitle(layout.Caption());
    BuildLayout(layout);
    m_transmission = FindControlAs<QLineEdit>(this, Id::Transmission);
    m_received = FindControlAs<QLineEdit>(this, Id::Received);
    delete m_transmission->validator();
    m_transmission->setValidator(new FittingUpperCase(m_transmission));
    m_transmission->setAccessibleName(tr("Transmission Message"));
    m_received->setAccessibleName(tr("Received Message"));

    connect(FindControlAs<QPushButton>(this, Id::Send), &QPushButton::clicked, this,
            &ManualCommandDialog::Send);
    connect(FindControlAs<QPushButton>(this, Id::Read), &QPushButton::clicked, this,
            &ManualCommandDialog::Read);
    connect(FindControlAs<QPushButton>(this, Id::Exit), &QPushButton::clicked, this,
            &QDialog::accept);
}

void ManualCommandDialog::Send()
{
    m_received->clear();
    // As typed: the protocol frames it and refuses what is too long.
    const QByteArray payload = m_transmission->text().toLatin1();
    int result = 0;
    {
        const ExchangeGuard guard;
        if (!guard.Granted())
            return;
        result = theCamera.SendCommand(payload);
    }
    if (result < 0)
        theCamera.ReportError();
}

void ManualCommandDialog::Read()
{
    m_received->clear(); // a failing Read shows no earlier reply
    const QByteArray payload = m_transmission->text().toLatin1();
    char reply[28] = {};
    int result = 0;
    {
        const ExchangeGuard guard;
        if (!guard.Granted())
            return;
        result = theCamera.SendAndReceive(payload, reply);
    }
    if (result < 0) {
        theCamera.ReportError();
        return;
    }
    m_received->setText(QString::fromLatin1(reply).toUpper());
}
