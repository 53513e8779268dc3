#pragma once

#include <QString>

// The texts beside the panel's sliders, by parameter: gain in decibels,
// black levels over 1023 or 2048, the exposure time of the variable
// shutter, or the plain number. No widgets, so zqctl prints the same texts.
class ReadoutFormat
{
public:
    // True when the panel shows the parameter in a read-out.
    static bool Has(int param);
    // The read-out of the value (formatted from the value itself, even
    // outside the slider's range); empty for a parameter without one.
    static QString Text(int param, int value);
};
