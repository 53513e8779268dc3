// The panel's handlers: what each radio button, the partial-scan sliders,
// "SET", "DETECT" and the digits choice do.
#include "czqb40view.h"

#include "camera/cameramodel.h"
#include "camera/factoryset.h"
#include "camera/paneltables.h"
#include "camera/paramindex.h"
#include "document/czqb40doc.h"
#include "resources/panelids.h"
#include "ui/controllookup.h"
#include "ui/messagebox.h"
#include "ui/sliderrules.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QLabel>
#include <QPushButton>

void CZQB40View::ConnectControls()
{
    int count = 0;
    const RadioChoice *tables[] = {PanelTables::Radios(&count), nullptr, nullptr};
    int counts[] = {count, 0, 0};
    tables[1] = PanelTables::Shutter(&counts[1]);
    tables[2] = PanelTables::Accel(&counts[2]);
    for (int t = 0; t < 3; ++t) {
        for (int i = 0; i < counts[t]; ++i) {
            const RadioChoice c = tables[t][i];
            auto *b = qobject_cast<QAbstractButton *>(Ctl(c.button));
            const bool timing = c.param == Param::PartialScan || c.param == Param::Accel2x;
            connect(b, &QAbstractButton::clicked, this, [this, c, b, timing] {
                ApplyChoice(c.param, c.value, b);
                if (timing)
                    ShowScanTiming();
            });
        }
    }
    int sliders = 0;
    const SliderRow *rows = PanelTables::Sliders(&sliders);
    for (int i = 0; i < sliders; ++i) {
        auto *s = qobject_cast<QAbstractSlider *>(Ctl(rows[i].slider));
        // Named by its caption in the language shown; its read-out is named
        // by the text it shows.
        const QString name = PanelTables::SliderName(rows[i]);
        s->setAccessibleName(name);
        Ctl(rows[i].readout)->setAccessibleDescription(name);
        connect(s, &QAbstractSlider::actionTriggered, this,
                [this, s](int action) { OnSliderAction(s, action); });
        connect(s, &QAbstractSlider::sliderPressed, this, [this, s] { m_thumbTrack = s->value(); });
        // Letting go of the thumb writes where it stands once more.
        connect(s, &QAbstractSlider::sliderReleased, this,
                [this, s] { OnSliderAction(s, SliderRules::kThumbReleased); });
    }
    connect(qobject_cast<QPushButton *>(Ctl(PanelId::FactorySet)), &QPushButton::clicked, this,
            &CZQB40View::OnFactorySet);
    connect(qobject_cast<QPushButton *>(Ctl(PanelId::Detect)), &QPushButton::clicked, this,
            &CZQB40View::OnDetect);
    for (int id : {PanelId::SevenDigits, PanelId::EightDigits})
        connect(qobject_cast<QAbstractButton *>(Ctl(id)), &QAbstractButton::clicked, this,
                &CZQB40View::OnDigitsChoice);
    ConnectSerialControls();
}

void CZQB40View::OnSliderAction(QAbstractSlider *slider, int action)
{
    const int code = SliderRules::CodeOf(action);
    // The release carries the place the thumb was let go, even when the
    // camera refused the track writes and the thumb went back.
    const int thumb = code == ThumbPosition ? m_thumbTrack : slider->sliderPosition();
    if (code == ThumbTrack)
        m_thumbTrack = thumb;
    // The slider stays where it was shown; only an accepted write moves it.
    slider->setSliderPosition(slider->value());
    if (slider->objectName().toInt() == PanelId::StartSlider ||
        slider->objectName().toInt() == PanelId::WidthSlider)
        OnScanSlider(code, thumb, slider);
    else
        OnSlider(code, thumb, slider);
}

void CZQB40View::OnScanSlider(int code, int thumbPosition, QAbstractSlider *slider)
{
    const int id = slider ? slider->objectName().toInt() : 0;
    if (id != PanelId::StartSlider && id != PanelId::WidthSlider)
        return;
    const SliderRow *moved = PanelTables::FindSlider(id);
    const SliderRow *other = PanelTables::FindSlider(
        id == PanelId::StartSlider ? PanelId::WidthSlider : PanelId::StartSlider);
    int next = 0;
    if (!NextPosition(code, thumbPosition, slider, &next))
        return;
    const int room = CameraModel::kScanSum - next;
    bool fits = true;
    if (room < qobject_cast<QAbstractSlider *>(Ctl(other->slider))->value()) {
        fits = m_doc->SendValue(other->param, room) >= 0;
        if (fits)
            ShowValue(other->param, other->slider, other->readout, room);
    }
    // When the other slider could not make room, the camera keeps the old
    // position: START + WIDTH above the sensor would be a setting it cannot scan.
    if (fits && m_doc->SendValue(moved->param, next) >= 0)
        ShowValue(moved->param, moved->slider, moved->readout, next);
    ShowScanTiming();
}

void CZQB40View::ApplyChoice(int param, int value, QAbstractButton *button)
{
    if (!button->isChecked())
        return;
    const int result = m_doc->SendValue(param, value);
    if (result < 0) {
        // Show again what the camera last accepted.
        emit m_doc->refreshViews();
        return;
    }
    if (result == 1)
        UpdateEnables(button->objectName().toInt());
}

void CZQB40View::OnFactorySet()
{
    // One click would otherwise reset every setting, with no way back.
    if (MessageBox::Show(tr("FACTORY SET returns every setting of the camera to its factory "
                            "value. The settings it holds now are lost.\n\nReset the camera?"),
                         QString(), MessageBox::Question, MessageBox::YesNo,
                         this) != MessageBox::AnswerYes)
        return;
    if (FactorySet::Run(m_doc->Transfers()).NeedsRefresh())
        emit m_doc->refreshViews();
}

void CZQB40View::OnDetect()
{
    m_doc->ShowWhiteSpotDialog();
}

void CZQB40View::OnDigitsChoice()
{
    m_eightDigits = IsOn(PanelId::SevenDigits) ? 0 : 1;
}
