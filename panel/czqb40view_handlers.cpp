// The panel's handlers: what each control sends, and the value display
// that follows an accepted write.
#include "czqb40view.h"

#include "paneltables.h"

#include "document/czqb40doc.h"
#include "ui/controllookup.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QLabel>
#include <QPushButton>

#include <cmath>

namespace {
constexpr int kStart = 1112, kWidth = 1113;
constexpr int kScanSum = 2059; // START + WIDTH stays within the sensor
constexpr int kFactorySet = 20;
constexpr int kFactoryReads = 50;

int Clamp(int v, const QAbstractSlider *s)
{
    return qBound(s->minimum(), v, s->maximum());
}

QString ShutterText(int v)
{
    const int q = v / 256, r = v % 256;
    const double t = std::pow(10.0, q + 1) * (1 + 9 * (r * 0.00390625));
    if (v < 1280)
        return QString::asprintf("1/%.2f sec", 1000000.0 / t);
    return QString::asprintf("%.2f sec", t * 0.000001);
}
} // namespace

QString CZQB40View::FormatReadout(int sliderId, int v)
{
    switch (sliderId) {
    case 1024: return QString::asprintf("%2.4f dB", v * 0.0358);
    case 1043: return QString::asprintf("%2.4f dB", (v - 32) * 0.0358);
    case 1028: return QString::asprintf("%d/1023", v);
    case 1049: return QString::asprintf("%d/2048", v - 128);
    case 1046: return ShutterText(v);
    default: return QString::asprintf(" %d ", v);
    }
}

void CZQB40View::ShowValue(int param, int sliderId, int readoutId, int value)
{
    Q_UNUSED(param);
    auto *slider = qobject_cast<QAbstractSlider *>(Ctl(sliderId));
    {
        QSignalBlocker block(slider);
        slider->setValue(value); // clamped into the range; the text is not
    }
    qobject_cast<QLabel *>(Ctl(readoutId))->setText(FormatReadout(sliderId, value));
}

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
            const bool timing = c.param == 17 || c.param == 9; // partial scan, 2xACCEL
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
        s->setAccessibleName(QString::fromLatin1(rows[i].name));
        Ctl(rows[i].readout)->setAccessibleName(QString::fromLatin1(rows[i].name));
        connect(s, &QAbstractSlider::actionTriggered, this,
                [this, s](int action) { OnSliderAction(s, action); });
        // Letting go of the thumb writes where it stands once more.
        connect(s, &QAbstractSlider::sliderReleased, this,
                [this, s] { OnSliderAction(s, -1); });
    }
    connect(qobject_cast<QPushButton *>(Ctl(1156)), &QPushButton::clicked, this,
            &CZQB40View::OnFactorySet);
    connect(qobject_cast<QPushButton *>(Ctl(1153)), &QPushButton::clicked, this,
            &CZQB40View::OnDetect);
    for (int id : {1163, 1164})
        connect(qobject_cast<QAbstractButton *>(Ctl(id)), &QAbstractButton::clicked, this,
                &CZQB40View::OnDigitsChoice);
}

void CZQB40View::OnSliderAction(QAbstractSlider *slider, int action)
{
    int code = EndScroll;
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub: code = LineUp; break;
    case QAbstractSlider::SliderSingleStepAdd: code = LineDown; break;
    case QAbstractSlider::SliderPageStepSub: code = PageUp; break;
    case QAbstractSlider::SliderPageStepAdd: code = PageDown; break;
    case QAbstractSlider::SliderMove: code = ThumbTrack; break;
    case QAbstractSlider::SliderToMinimum: code = Top; break;
    case QAbstractSlider::SliderToMaximum: code = Bottom; break;
    case -1: code = ThumbPosition; break;
    default: break;
    }
    const int thumb = slider->sliderPosition();
    // The slider stays where it was shown; only an accepted write moves it.
    slider->setSliderPosition(slider->value());
    if (slider->objectName().toInt() == kStart || slider->objectName().toInt() == kWidth)
        OnScanSlider(code, thumb, slider);
    else
        OnSlider(code, thumb, slider);
}

void CZQB40View::OnSlider(int code, int thumbPosition, QAbstractSlider *slider)
{
    const SliderRow *row = slider ? PanelTables::FindSlider(slider->objectName().toInt()) : nullptr;
    if (!row || row->slider == kStart || row->slider == kWidth)
        return;
    const int p = slider->value();
    int next = 0;
    switch (code) {
    case LineUp: next = Clamp(p - 1, slider); break;
    case LineDown: next = Clamp(p + 1, slider); break;
    case PageUp: next = Clamp(p - 10, slider); break;
    case PageDown: next = Clamp(p + 10, slider); break;
    case ThumbPosition:
    case ThumbTrack: next = thumbPosition; break;
    default: return; // the ends and end of scroll send nothing
    }
    if (m_doc->SendValue(row->param, next) >= 0)
        ShowValue(row->param, row->slider, row->readout, next);
}

void CZQB40View::OnScanSlider(int code, int thumbPosition, QAbstractSlider *slider)
{
    const int id = slider ? slider->objectName().toInt() : 0;
    if (id != kStart && id != kWidth)
        return;
    const SliderRow *moved = PanelTables::FindSlider(id);
    const SliderRow *other = PanelTables::FindSlider(id == kStart ? kWidth : kStart);
    const int p = slider->value();
    int next = 0;
    switch (code) {
    case LineUp: next = Clamp(p - 1, slider); break;
    case LineDown: next = Clamp(p + 1, slider); break;
    case PageUp: next = Clamp(p - 10, slider); break;
    case PageDown: next = Clamp(p + 10, slider); break;
    case ThumbPosition:
    case ThumbTrack: next = thumbPosition; break;
    default: return;
    }
    const int room = kScanSum - next;
    if (room < qobject_cast<QAbstractSlider *>(Ctl(other->slider))->value() &&
        m_doc->SendValue(other->param, room) >= 0)
        ShowValue(other->param, other->slider, other->readout, room);
    if (m_doc->SendValue(moved->param, next) >= 0)
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

void CZQB40View::UpdateEnables(int id)
{
    auto in = [id](int first, int last) { return id == 0 || (id >= first && id <= last); };
    if (in(1066, 1070)) {
        if (IsOn(1066) || IsOn(1067) || IsOn(1070)) {
            Enable({1005, 1006, 1007, 1008, 1009, 1010, 1011, 1012, 1013, 1014, 1108}, true);
            Enable({1046, 1047, 1107}, IsOn(1014));
        } else {
            Enable({1005, 1006, 1007, 1008, 1009, 1010, 1011, 1012, 1013, 1014, 1046, 1047, 1107,
                    1108},
                   false);
        }
        Enable({1109, 1115, 1116, 1110, 1119, 1120}, !IsOn(1066));
    }
    // Only while the shutter buttons are usable: under 1TRIG the whole
    // shutter stays disabled, VARIABLE or not.
    if (in(1005, 1014))
        Enable({1046, 1047, 1107}, IsOn(1014) && Ctl(1014)->isEnabled());
    if (in(1015, 1016))
        Enable({1112, 1030, 1117, 1113, 1031, 1118}, IsOn(1016));
    if (in(1017, 1019))
        Enable({1043, 1042, 1133, 1049, 1048, 1135}, IsOn(1018));
}

void CZQB40View::OnFactorySet()
{
    if (m_doc->SendValue(kFactorySet, 1) < 0)
        return;
    for (int i = 0; i < kFactoryReads; ++i) {
        if (m_doc->UploadValue(kFactorySet) < 0)
            return;
        if (m_doc->GetValue(kFactorySet) != 1) {
            if (m_doc->UploadAllValues() > 0)
                emit m_doc->refreshViews();
            return;
        }
    }
}

void CZQB40View::OnDetect()
{
    m_doc->ShowWhiteSpotDialog();
}

void CZQB40View::OnDigitsChoice()
{
    m_eightDigits = IsOn(1163) ? 0 : 1;
}
