// The panel's value display: read-out texts, the horizontal sliders, and
// which controls the trigger, shutter, scan and balance choices enable.
#include "czqb40view.h"

#include "paneltables.h"

#include "document/czqb40doc.h"
#include "ui/controllookup.h"

#include <QAbstractSlider>
#include <QLabel>

#include <cmath>
#include <cstdio>

namespace {
constexpr int kStart = 1112, kWidth = 1113;

int Clamp(int v, const QAbstractSlider *s)
{
    return qBound(s->minimum(), v, s->maximum());
}

// The C library's rounding: Qt's own rounds exact ties the other way, and
// the operator compares these texts with the camera's documentation.
QString CFormat(const char *format, double value)
{
    char text[512]; // room for any double in "%.2f": a file may hold any value
    std::snprintf(text, sizeof text, format, value);
    return QString::fromLatin1(text);
}

QString ShutterText(int v)
{
    const int q = v / 256, r = v & 0xFF; // a value from a file may be negative
    const double t = std::pow(10.0, q + 1) * (1 + 9 * (r * 0.00390625));
    if (v < 1280)
        return CFormat("1/%.2f sec", 1000000.0 / t);
    return CFormat("%.2f sec", t * 0.000001);
}
} // namespace

bool CZQB40View::NextPosition(int code, int thumbPosition, const QAbstractSlider *slider, int *next)
{
    const int p = slider->value();
    switch (code) {
    case LineUp:
        *next = Clamp(p - 1, slider);
        return true;
    case LineDown:
        *next = Clamp(p + 1, slider);
        return true;
    case PageUp:
        *next = Clamp(p - 10, slider);
        return true;
    case PageDown:
        *next = Clamp(p + 10, slider);
        return true;
    case ThumbPosition:
    case ThumbTrack:
        *next = thumbPosition;
        return true;
    default:
        return false; // the ends and end of scroll send nothing
    }
}

QString CZQB40View::FormatReadout(int sliderId, int v)
{
    switch (sliderId) {
    case 1024:
        return CFormat("%2.4f dB", v * 0.0358);
    case 1043:
        return CFormat("%2.4f dB", (v - 32) * 0.0358);
    case 1028:
        return QString::asprintf("%d/1023", v);
    case 1049:
        return QString::asprintf("%d/2048", v - 128);
    case 1046:
        return ShutterText(v);
    default:
        return QString::asprintf(" %d ", v);
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

void CZQB40View::OnSlider(int code, int thumbPosition, QAbstractSlider *slider)
{
    const SliderRow *row = slider ? PanelTables::FindSlider(slider->objectName().toInt()) : nullptr;
    if (!row || row->slider == kStart || row->slider == kWidth)
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
