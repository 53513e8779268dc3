#include "whitespotdialog.h"

#include "camera/thecamera.h"
#include "document/czqb40doc.h"
#include "resources/dialogtemplate.h"
#include "resources/servicedialogids.h"
#include "ui/controllookup.h"
#include "ui/dialogbuilder.h"
#include "ui/exchangeguard.h"
#include "ui/messagebox.h"
#include "ui/sliderrules.h"

#include <QButtonGroup>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

namespace {
using Id = WhiteSpotId::Id;
using W = WhiteSpotDetection;
constexpr int kThresholdMax = 255;
} // namespace

WhiteSpotDialog::WhiteSpotDialog(CZQB40Doc *doc, QWidget *parent)
    : ServiceDialog(parent), m_pDoc(doc)
{
    const DialogTemplate &layout = *FindDialogTemplate(Id::Dialog);
    setWindowTitle(layout.Caption());
    BuildLayout(layout);
    m_slider = FindControlAs<QScrollBar>(this, Id::ThresholdSlider);
    m_readout = FindControlAs<QLabel>(this, Id::Threshold);
    m_list = FindControlAs<QPlainTextEdit>(this, Id::AddressList);
    m_off = FindControlAs<QRadioButton>(this, Id::CorrectionOff);
    m_on = FindControlAs<QRadioButton>(this, Id::CorrectionOn);
    // The address lines are columns of "%4d": only a fixed pitch keeps them.
    QFont listFont = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    if (!QFontInfo(listFont).fixedPitch()) { // a platform that names no fixed font
        listFont.setFamilies({QStringLiteral("Consolas"), QStringLiteral("Courier New"),
                              QStringLiteral("DejaVu Sans Mono"), QStringLiteral("monospace")});
        listFont.setStyleHint(QFont::TypeWriter);
    }
    listFont.setPointSizeF(m_list->font().pointSizeF());
    m_list->setFont(listFont);
    m_slider->setAccessibleName(tr("THRESHOLD LEVEL"));
    // The read-out's text may end in a line break: keep its first line in view.
    m_readout->setAlignment(Qt::AlignRight | Qt::AlignTop);

    m_pollTimer.setObjectName(QString::number(Id::PollTimer));
    m_pollTimer.setInterval(W::kPollPeriodMs);
    connect(&m_pollTimer, &QTimer::timeout, this, &WhiteSpotDialog::PollDetection);
    connect(FindControlAs<QPushButton>(this, Id::Detect), &QPushButton::clicked, this,
            &WhiteSpotDialog::StartDetection);
    connect(FindControlAs<QPushButton>(this, Id::Read), &QPushButton::clicked, this,
            &WhiteSpotDialog::ListAddresses);
    connect(FindControlAs<QPushButton>(this, Id::Close), &QPushButton::clicked, this,
            &QDialog::accept);
    connect(m_slider, &QAbstractSlider::actionTriggered, this, &WhiteSpotDialog::OnThreshold);
    connect(m_slider, &QAbstractSlider::sliderReleased, this,
            [this] { SendThreshold(m_slider->sliderPosition()); });
    connect(m_off, &QRadioButton::clicked, this,
            [this] { m_pDoc->SendValue(W::kCorrectionParam, 0); });
    connect(m_on, &QRadioButton::clicked, this,
            [this] { m_pDoc->SendValue(W::kCorrectionParam, 1); });

    // The stored values are shown whether or not these reads succeed.
    m_pDoc->UploadValue(W::kThresholdParam);
    const int threshold = m_pDoc->GetValue(W::kThresholdParam);
    m_slider->setRange(0, kThresholdMax);
    m_slider->setValue(threshold);
    m_readout->setText(QString::asprintf("%2d\n", threshold));

    m_pDoc->UploadValue(W::kCorrectionParam);
    const int correction = m_pDoc->GetValue(W::kCorrectionParam);
    m_off->group()->setExclusive(false); // neither is selected for other values
    m_off->setChecked(correction == 0);
    m_on->setChecked(correction == 1);
    m_off->group()->setExclusive(true);
}

void WhiteSpotDialog::StartDetection()
{
    // A start the camera refused was reported once; polling the status
    // stored before it would call an old outcome this detection's.
    if (m_pDoc->SendValue(W::kStatusParam, 1) < 0)
        return;
    m_detection.Start();
    m_pollTimer.start();
}

void WhiteSpotDialog::PollDetection()
{
    // A tick while an exchange or an earlier poll's box is open waits for the next.
    if (m_polling || ExchangeGuard::IsBusy())
        return;
    m_polling = true;
    // A box may be open in the read below and in the outcome: the document
    // may replace this dialog meanwhile.
    QPointer<WhiteSpotDialog> self(this);
    const int result = m_pDoc->UploadValue(W::kStatusParam);
    if (!self)
        return;
    const W::Outcome outcome = m_detection.OnPoll(result, m_pDoc->GetValue(W::kStatusParam));
    if (outcome != W::Detecting)
        m_pollTimer.stop();
    // Each failed read was reported by the read itself; after the last one
    // the poll only stops.
    switch (outcome) {
    case W::Finished:
        ShowOutcome(W::OutcomeText(outcome));
        if (self)
            ListAddresses();
        break;
    case W::TooMany:
    case W::DetectError:
        ShowOutcome(W::OutcomeText(outcome));
        break;
    case W::Detecting:
    case W::GaveUp:
        break;
    }
    if (self)
        m_polling = false;
}

void WhiteSpotDialog::ShowOutcome(const QString &text)
{
    MessageBox::Show(text, QString(), MessageBox::NoIcon, MessageBox::Ok, this);
}

void WhiteSpotDialog::ListAddresses()
{
    W::Listing listing;
    {
        const ExchangeGuard guard;
        if (!guard.Granted())
            return;
        listing = W::ListAddresses(theCamera);
    }
    // What was read before a failure stays listed; the failure shows once.
    m_list->setPlainText(W::Format(listing.spots));
    if (listing.result < 0)
        theCamera.ReportError();
}

void WhiteSpotDialog::OnThreshold(int action)
{
    int position = 0;
    const bool writes = SliderRules::NextPosition(SliderRules::CodeOf(action),
                                                  m_slider->sliderPosition(), m_slider, &position);
    // The slider moves once the camera took the value, not before.
    m_slider->setSliderPosition(m_slider->value());
    if (writes)
        SendThreshold(position);
}

void WhiteSpotDialog::SendThreshold(int position)
{
    if (m_pDoc->SendValue(W::kThresholdParam, position) < 0)
        return;
    m_slider->setValue(position);
    m_readout->setText(QString::asprintf(" %d ", position));
}
