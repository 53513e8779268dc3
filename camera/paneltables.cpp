#include "paneltables.h"

#include "paramindex.h"
#include "resources/dialogtemplate.h"
#include "resources/panelids.h"

#include <QCoreApplication>
#include <QtGlobal>

namespace {
template <class T, int N> constexpr int CountOf(const T (&)[N])
{
    return N;
}

const RadioChoice kRadios[] = {
    // MODE: no button writes 3.
    {0, PanelId::ModeOff, Param::TriggerMode, 0},
    {0, PanelId::ModeFixed, Param::TriggerMode, 1},
    {0, PanelId::Mode1Trig, Param::TriggerMode, 2},
    {0, PanelId::ModeVdCont, Param::TriggerMode, 4},
    // POLARITY
    {1, PanelId::PolarityPosi, Param::TriggerPolarity, 0},
    {1, PanelId::PolarityNega, Param::TriggerPolarity, 1},
    // DATA BIT
    {2, PanelId::DataBit8, Param::DataBit, 0},
    {2, PanelId::DataBit10, Param::DataBit, 1},
    {2, PanelId::DataBit12, Param::DataBit, 2},
    // SYNC: two groups
    {3, PanelId::SyncVd, Param::VdFval, 0},
    {3, PanelId::SyncFval, Param::VdFval, 1},
    {4, PanelId::SyncHd, Param::HdLval, 0},
    {4, PanelId::SyncLval, Param::HdLval, 1},
    {4, PanelId::SyncLval2, Param::HdLval, 2},
    // PARTIAL SCAN
    {5, PanelId::PartialOff, Param::PartialScan, 0},
    {5, PanelId::PartialOn, Param::PartialScan, 1},
    // CONFIG
    {6, PanelId::ConfigBase, Param::Configuration, 0},
    {6, PanelId::ConfigMedium, Param::Configuration, 1},
    // SOURCE
    {7, PanelId::SourceCc1, Param::TriggerSource, 0},
    {7, PanelId::Source12pin, Param::TriggerSource, 1},
    // 12pinOUT
    {8, PanelId::PinOutOff, Param::OutputFlashVd, 0},
    {8, PanelId::PinOutFlash, Param::OutputFlashVd, 1},
    {8, PanelId::PinOutVd, Param::OutputFlashVd, 2},
    // BALANCE ADJUST
    {9, PanelId::BalanceOff, Param::UserAdjust, 0},
    {9, PanelId::BalanceManual, Param::UserAdjust, 1},
    {9, PanelId::BalanceAuto, Param::UserAdjust, 2},
    // WHITE SPOT CORRECT
    {10, PanelId::WhiteSpotOff, Param::WhiteSpotCorrection, 0},
    {10, PanelId::WhiteSpotOn, Param::WhiteSpotCorrection, 1},
    // SORT
    {11, PanelId::SortOff, Param::Sort, 0},
    {11, PanelId::SortOn, Param::Sort, 1},
    // TEST PATTERN: the values follow the captions, not the rows
    {12, PanelId::TestPatternOff, Param::TestPattern, 0},
    {12, PanelId::TestPatternH, Param::TestPattern, 1},
    {12, PanelId::TestPatternV, Param::TestPattern, 2},
    {12, PanelId::TestPatternHv, Param::TestPattern, 3},
};

const RadioChoice kShutter[] = {
    {13, PanelId::ShutterOff, Param::ShutterSpeed, 0},
    {13, PanelId::Shutter16, Param::ShutterSpeed, 1},
    {13, PanelId::Shutter60, Param::ShutterSpeed, 2},
    {13, PanelId::Shutter100, Param::ShutterSpeed, 3},
    {13, PanelId::Shutter250, Param::ShutterSpeed, 4},
    {13, PanelId::Shutter1000, Param::ShutterSpeed, 5},
    {13, PanelId::Shutter2000, Param::ShutterSpeed, 6},
    {13, PanelId::Shutter10000, Param::ShutterSpeed, 7},
    {13, PanelId::Shutter50000, Param::ShutterSpeed, 8},
    {13, PanelId::ShutterVariable, Param::ShutterSpeed, 255},
};

const RadioChoice kAccel[] = {{14, PanelId::AccelOff, Param::Accel2x, 0},
                              {14, PanelId::AccelOn, Param::Accel2x, 1}};

// In table order: the refresh shows each slider on its own, so the order
// is not seen.
const SliderRow kSliders[] = {
#define ZQ_NO_SLIDER(...)
#define ZQ_SLIDER(code, flags, read, write, reg, def, lower, upper, name, kind, slider, readout,   \
                  caption)                                                                         \
    {PanelId::slider, PanelId::readout, Param::code, caption},
    ZQ_PARAM_ROWS(ZQ_NO_SLIDER, ZQ_SLIDER, ZQ_NO_SLIDER)
#undef ZQ_SLIDER
#undef ZQ_NO_SLIDER
};
} // namespace

const RadioChoice *PanelTables::Radios(int *count)
{
    *count = CountOf(kRadios);
    return kRadios;
}

int PanelTables::RadioGroups()
{
    int groups = 0;
    for (const RadioChoice &c : kRadios)
        groups = qMax(groups, c.group + 1);
    return groups;
}

const RadioChoice *PanelTables::Shutter(int *count)
{
    *count = CountOf(kShutter);
    return kShutter;
}

const RadioChoice *PanelTables::Accel(int *count)
{
    *count = CountOf(kAccel);
    return kAccel;
}

const SliderRow *PanelTables::Sliders(int *count)
{
    *count = CountOf(kSliders);
    return kSliders;
}

const SliderRow *PanelTables::FindSlider(int sliderId)
{
    for (const SliderRow &row : kSliders)
        if (row.slider == sliderId)
            return &row;
    return nullptr;
}

namespace {
template <class Match> const RadioChoice *FindButton(Match match)
{
    for (auto table : {&PanelTables::Radios, &PanelTables::Shutter, &PanelTables::Accel}) {
        int count = 0;
        const RadioChoice *choices = table(&count);
        for (int i = 0; i < count; ++i) {
            if (match(choices[i]))
                return &choices[i];
        }
    }
    return nullptr;
}
} // namespace

const RadioChoice *PanelTables::FindChoice(int param, int value)
{
    return FindButton([=](const RadioChoice &c) { return c.param == param && c.value == value; });
}

bool PanelTables::HasChoices(int param)
{
    return FindButton([=](const RadioChoice &c) { return c.param == param; }) != nullptr;
}

QString PanelTables::SliderName(const SliderRow &row)
{
    return QCoreApplication::translate("Panel", row.name);
}

int PanelTables::ShutterChoice(int value)
{
    if (value == 9)
        return 255;
    return (value >= 0 && value <= 8) || value == 255 ? value : -1;
}

QString PanelTables::ChoiceCaption(int param, int value)
{
    if (param == Param::ShutterSpeed)
        value = ShutterChoice(value);
    const RadioChoice *choice = FindChoice(param, value);
    const DialogTemplate *panel = choice ? FindDialogTemplate(PanelId::Dialog) : nullptr;
    for (int i = 0; panel && i < panel->count; ++i) {
        if (panel->items[i].id == choice->button)
            return panel->CaptionOf(panel->items[i]);
    }
    return QString();
}
