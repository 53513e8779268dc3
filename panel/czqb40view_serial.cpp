// The serial-number service behind the panel's hidden controls: the work is
// in SerialNumberService, which zqctl write-serial shares.
#include "czqb40view.h"

#include "camera/serialnumberservice.h"
#include "document/czqb40doc.h"
#include "resources/panelids.h"
#include "ui/controllookup.h"

#include <QAbstractSlider>
#include <QLineEdit>
#include <QPushButton>

void CZQB40View::ConnectSerialControls()
{
    connect(FindControlAs<QPushButton>(this, PanelId::SerialWrite), &QPushButton::clicked, this,
            &CZQB40View::OnWriteSerial);
    connect(FindControlAs<QPushButton>(this, PanelId::ReadAndReset), &QPushButton::clicked, this,
            &CZQB40View::OnReadAndReset);
    auto *spin = FindControlAs<QAbstractSlider>(this, PanelId::SerialSpin);
    connect(spin, &QAbstractSlider::actionTriggered, this, [this, spin](int action) {
        // The up arrow counts up, as on the camera's own tool.
        spin->setSliderPosition(spin->value());
        if (action == QAbstractSlider::SliderSingleStepSub)
            OnSerialSpin(+1);
        else if (action == QAbstractSlider::SliderSingleStepAdd)
            OnSerialSpin(-1);
    });
    auto *edit = FindControlAs<QLineEdit>(this, PanelId::SerialEdit);
    connect(edit, &QLineEdit::textChanged, this, [this](const QString &t) { m_serialEntry = t; });
}

void CZQB40View::OnWriteSerial()
{
    m_serialEntry = FindControlAs<QLineEdit>(this, PanelId::SerialEdit)->text();
    SerialNumberService(m_doc->Camera(), m_doc->Transfers())
        .WriteSerial(m_serialEntry, m_eightDigits == 1, &m_modelName);
}

void CZQB40View::OnSerialSpin(int delta)
{
    auto *edit = FindControlAs<QLineEdit>(this, PanelId::SerialEdit);
    edit->setText(SerialNumberService::Step(edit->text(), m_eightDigits == 1, delta));
}

void CZQB40View::OnReadAndReset()
{
    if (SerialNumberService(m_doc->Camera(), m_doc->Transfers()).ReadAndReset() > 0)
        emit m_doc->refreshViews();
}
