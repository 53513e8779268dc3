// The panel's value display: read-out texts, the horizontal sliders, and
// which controls the trigger, shutter, scan and balance choices enable.
#include "czqb40view.h"

#include "camera/paneltables.h"
#include "camera/readoutformat.h"
#include "document/czqb40doc.h"
#include "resources/panelids.h"
#include "ui/controllookup.h"
#include "ui/sliderrules.h"

#include <QAbstractSlider>
#include <QLabel>

bool CZQB40View::NextPosition(int code, int thumbPosition, const QAbstractSlider *slider, int *next)
{
    return SliderRules::NextPosition(code, thumbPosition, slider, next);
}

void CZQB40View::ShowValue(int param, int sliderId, int readoutId, int value)
{
    auto *slider = qobject_cast<QAbstractSlider *>(Ctl(sliderId));
    {
        QSignalBlocker block(slider);
        slider->setValue(value); // clamped into the range; the text is not
    }
    qobject_cast<QLabel *>(Ctl(readoutId))->setText(ReadoutFormat::Text(param, value));
}

void CZQB40View::OnSlider(int code, int thumbPosition, QAbstractSlider *slider)
{
    const SliderRow *row = slider ? PanelTables::FindSlider(slider->objectName().toInt()) : nullptr;
    if (!row || row->slider == PanelId::StartSlider || row->slider == PanelId::WidthSlider)
        return;
    int next = 0;
    if (!NextPosition(code, thumbPosition, slider, &next))
        return;
    if (m_doc->SendValue(row->param, next) >= 0)
        ShowValue(row->param, row->slider, row->readout, next);
}

void CZQB40View::UpdateEnables(int id)
{
    auto in = [id](int first, int last) { return id == 0 || (id >= first && id <= last); };
    if (in(PanelId::ModeOff, PanelId::ModeVdCont)) {
        if (IsOn(PanelId::ModeOff) || IsOn(PanelId::ModeFixed) || IsOn(PanelId::ModeVdCont)) {
            Enable({PanelId::ShutterOff, PanelId::Shutter16, PanelId::Shutter60,
                    PanelId::Shutter100, PanelId::Shutter250, PanelId::Shutter1000,
                    PanelId::Shutter2000, PanelId::Shutter10000, PanelId::Shutter50000,
                    PanelId::ShutterVariable, PanelId::ShutterGroup},
                   true);
            Enable({PanelId::VariableSlider, PanelId::VariableValue, PanelId::VariableCaption},
                   IsOn(PanelId::ShutterVariable));
        } else {
            Enable({PanelId::ShutterOff, PanelId::Shutter16, PanelId::Shutter60,
                    PanelId::Shutter100, PanelId::Shutter250, PanelId::Shutter1000,
                    PanelId::Shutter2000, PanelId::Shutter10000, PanelId::Shutter50000,
                    PanelId::ShutterVariable, PanelId::VariableSlider, PanelId::VariableValue,
                    PanelId::VariableCaption, PanelId::ShutterGroup},
                   false);
        }
        Enable({PanelId::PolarityGroup, PanelId::PolarityPosi, PanelId::PolarityNega,
                PanelId::SourceGroup, PanelId::SourceCc1, PanelId::Source12pin},
               !IsOn(PanelId::ModeOff));
    }
    // Only while the shutter buttons are usable: under 1TRIG the whole
    // shutter stays disabled, VARIABLE or not.
    if (in(PanelId::ShutterOff, PanelId::ShutterVariable))
        Enable({PanelId::VariableSlider, PanelId::VariableValue, PanelId::VariableCaption},
               IsOn(PanelId::ShutterVariable) && Ctl(PanelId::ShutterVariable)->isEnabled());
    if (in(PanelId::PartialOff, PanelId::PartialOn))
        Enable({PanelId::StartSlider, PanelId::StartValue, PanelId::StartCaption,
                PanelId::WidthSlider, PanelId::WidthValue, PanelId::WidthCaption},
               IsOn(PanelId::PartialOn));
    if (in(PanelId::BalanceOff, PanelId::BalanceAuto))
        Enable({PanelId::RightGainSlider, PanelId::RightGainValue, PanelId::RightGainCaption,
                PanelId::RightBlackSlider, PanelId::RightBlackValue, PanelId::RightBlackCaption},
               IsOn(PanelId::BalanceManual));
}
