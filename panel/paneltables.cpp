#include "paneltables.h"

namespace {
template <class T, int N> constexpr int CountOf(const T (&)[N])
{
    return N;
}

const RadioChoice kRadios[] = {
    // MODE: no button writes 3.
    {0, 1066, 1, 0},
    {0, 1067, 1, 1},
    {0, 1068, 1, 2},
    {0, 1070, 1, 4},
    // POLARITY
    {1, 1115, 6, 0},
    {1, 1116, 6, 1},
    // DATA BIT
    {2, 1176, 10, 0},
    {2, 1177, 10, 1},
    {2, 1178, 10, 2},
    // SYNC: two groups
    {3, 1179, 11, 0},
    {3, 1180, 11, 1},
    {4, 1181, 12, 0},
    {4, 1182, 12, 1},
    {4, 1185, 12, 2},
    // PARTIAL SCAN
    {5, 1015, 17, 0},
    {5, 1016, 17, 1},
    // CONFIG
    {6, 1184, 8, 0},
    {6, 1183, 8, 1},
    // SOURCE
    {7, 1119, 2, 0},
    {7, 1120, 2, 1},
    // 12pinOUT
    {8, 1121, 3, 0},
    {8, 1122, 3, 1},
    {8, 1123, 3, 2},
    // BALANCE ADJUST
    {9, 1017, 21, 0},
    {9, 1018, 21, 1},
    {9, 1019, 21, 2},
    // WHITE SPOT CORRECT
    {10, 1020, 24, 0},
    {10, 1021, 24, 1},
    // SORT
    {11, 1186, 14, 0},
    {11, 1187, 14, 1},
    // TEST PATTERN: the values follow the captions, not the rows
    {12, 1129, 27, 0},
    {12, 1130, 27, 1},
    {12, 1131, 27, 2},
    {12, 1132, 27, 3},
};

const RadioChoice kShutter[] = {
    {13, 1005, 4, 0}, {13, 1006, 4, 1}, {13, 1007, 4, 2}, {13, 1008, 4, 3}, {13, 1009, 4, 4},
    {13, 1010, 4, 5}, {13, 1011, 4, 6}, {13, 1012, 4, 7}, {13, 1013, 4, 8}, {13, 1014, 4, 255},
};

const RadioChoice kAccel[] = {{14, 1125, 9, 0}, {14, 1126, 9, 1}};

const SliderRow kSliders[] = {
    {1024, 1025, 5, "GAIN"},
    {1026, 1027, 15, "Adjust-GAIN(L)"},
    {1039, 1038, 16, "Adjust-GAIN(R)"},
    {1028, 1029, 13, "BLACK LEVEL"},
    {1046, 1047, 7, "Variable Value"},
    {1112, 1030, 18, "START"},
    {1113, 1031, 19, "WIDTH"},
    {1037, 1036, 30, "SUB-V"},
    {1043, 1042, 22, "RIGHT GAIN"},
    {1049, 1048, 23, "RIGHT BLACK"},
};
} // namespace

const RadioChoice *PanelTables::Radios(int *count)
{
    *count = CountOf(kRadios);
    return kRadios;
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
