#pragma once

class QAbstractSlider;

// How a slider that writes a camera value moves: a step for a line, ten for
// a page, the thumb where it was dragged; the ends and the end of a scroll
// write nothing. The panel's sliders and the white-spot threshold share it.
class SliderRules
{
public:
    enum ScrollCode
    {
        LineUp,
        LineDown,
        PageUp,
        PageDown,
        ThumbPosition,
        ThumbTrack,
        Top,
        Bottom,
        EndScroll
    };
    static constexpr int kLine = 1;
    static constexpr int kPage = 10;
    // The letting go of a dragged thumb, which QAbstractSlider has no action for.
    static constexpr int kThumbReleased = -1;

    // The scroll code of a QAbstractSlider action or kThumbReleased.
    static int CodeOf(int action);
    // The position a scroll code asks for, within the slider's range;
    // false for the codes that write nothing.
    static bool NextPosition(int code, int thumbPosition, const QAbstractSlider *slider, int *next);
};
