#pragma once

#include <QString>

// The panel as data: which radio button writes which parameter value, and
// which slider shows which parameter in which read-out.
struct RadioChoice
{
    int group;  // index of the group in refresh order
    int button; // control id
    int param;
    int value;
};

struct SliderRow
{
    int slider;
    int readout;
    int param;
    const char *name; // the label beside it, its accessible name
};

class PanelTables
{
public:
    // Every radio button but the shutter's and the digits', in the order
    // the refresh sets their groups.
    static const RadioChoice *Radios(int *count);
    // The groups of Radios(), numbered 0 .. RadioGroups() - 1.
    static int RadioGroups();
    // The shutter buttons OFF .. VARIABLE: value 0..8, then 255 for VARIABLE.
    static const RadioChoice *Shutter(int *count);
    static const RadioChoice *Accel(int *count);
    // Every slider, in the order of the parameter table.
    static const SliderRow *Sliders(int *count);
    static const SliderRow *FindSlider(int sliderId);
    // The slider's caption in the chosen language, as its label shows it.
    static QString SliderName(const SliderRow &row);
    // The shutter value whose button a stored value selects: 9 means
    // VARIABLE (255) too; -1 for a value no button shows.
    static int ShutterChoice(int value);
    // The button of any table that writes the value to the row, or null;
    // HasChoices: whether any button writes the row at all.
    static const RadioChoice *FindChoice(int param, int value);
    static bool HasChoices(int param);
    // The caption of the button that writes the value to the row ("H",
    // "1/16", "12bit"), as the panel shows it; empty where no button does.
    static QString ChoiceCaption(int param, int value);
};
