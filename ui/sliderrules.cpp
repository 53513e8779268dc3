#include "sliderrules.h"

#include <QAbstractSlider>

int SliderRules::CodeOf(int action)
{
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub:
        return LineUp;
    case QAbstractSlider::SliderSingleStepAdd:
        return LineDown;
    case QAbstractSlider::SliderPageStepSub:
        return PageUp;
    case QAbstractSlider::SliderPageStepAdd:
        return PageDown;
    case QAbstractSlider::SliderMove:
        return ThumbTrack;
    case QAbstractSlider::SliderToMinimum:
        return Top;
    case QAbstractSlider::SliderToMaximum:
        return Bottom;
    case kThumbReleased:
        return ThumbPosition;
    default:
        return EndScroll;
    }
}

bool SliderRules::NextPosition(int code, int thumbPosition, const QAbstractSlider *slider,
                               int *next)
{
    const int p = slider->value();
    const auto clamp = [slider](int v) { return qBound(slider->minimum(), v, slider->maximum()); };
    switch (code) {
    case LineUp:
        *next = clamp(p - kLine);
        return true;
    case LineDown:
        *next = clamp(p + kLine);
        return true;
    case PageUp:
        *next = clamp(p - kPage);
        return true;
    case PageDown:
        *next = clamp(p + kPage);
        return true;
    case ThumbPosition:
    case ThumbTrack:
        *next = thumbPosition;
        return true;
    default:
        return false; // the ends and end of scroll send nothing
    }
}
