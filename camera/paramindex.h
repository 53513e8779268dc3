#pragma once

// The parameter table, one row per parameter in index order: each fact of a
// row is written here once, and the list is expanded for what each part
// needs: the indexes and code names (below), ParamTable's rows, the kind of
// read-out (ReadoutFormat) and the panel's sliders (PanelTables).
//
//   ROW(code name, flags, read code, write code, register, default, min, max, name)
//   SLIDER(the same, read-out kind, slider id, read-out id, caption)
//   TEXT(register): a camera-information register holding two characters,
//   its number in decimal
//
// Flags: WR written by a write-all and read, R read, RI read and part of the
// camera's identity. Names are StringId's, ids PanelId's, kinds
// ReadoutFormat's. Captions are translated in the "Panel" context, but
// "SUB-V" is shown as it is. The code names are unique, and zqctl takes them
// in place of an index; loops over all rows use 0 .. PARAM_COUNT - 1.
// clang-format off
#define ZQ_PARAM_ROWS(ROW, SLIDER, TEXT)                                                           \
    ROW(HdReset, WR, 0x81, 0x01, 0x02, 1, 0, 1, HdReset)                                           \
    ROW(TriggerMode, WR, 0x81, 0x01, 0x04, 0, 0, 4, TriggerMode)                                   \
    ROW(TriggerSource, WR, 0x81, 0x01, 0x05, 0, 0, 1, TriggerSource)                               \
    ROW(OutputFlashVd, WR, 0x81, 0x01, 0x06, 0, 0, 2, OutputFlashOutVd)                            \
    ROW(ShutterSpeed, WR, 0x81, 0x01, 0x08, 0, 0, 255, ShutterSpeed)                               \
    SLIDER(GainLevel, WR, 0x81, 0x01, 0x0C, 0, 0, 503, GainLevel,                                  \
        Gain, GainSlider, GainValue, QT_TRANSLATE_NOOP("Panel", "GAIN"))                           \
    ROW(TriggerPolarity, WR, 0x81, 0x01, 0x0F, 0, 0, 1, TriggerPolarity)                           \
    SLIDER(ProgrammableShutter, WR, 0x81, 0x01, 0x11, 917, 0, 1536, ProgramableShutter,            \
        Shutter, VariableSlider, VariableValue, QT_TRANSLATE_NOOP("Panel", "Variable Value"))      \
    ROW(Configuration, WR, 0x81, 0x01, 0x12, 0, 0, 2, Configration)                                \
    ROW(Accel2x, WR, 0x81, 0x01, 0x13, 0, 0, 1, Accel2xOnOff)                                      \
    ROW(DataBit, WR, 0x81, 0x01, 0x14, 0, 0, 2, DataBit)                                           \
    ROW(VdFval, WR, 0x81, 0x01, 0x15, 1, 0, 1, VdFval)                                             \
    ROW(HdLval, WR, 0x81, 0x01, 0x16, 1, 0, 2, HdLval)                                             \
    SLIDER(BlackLevel, WR, 0x81, 0x01, 0x17, 0, 0, 63, BlackLevel,                                 \
        Black, BlackLevelSlider, BlackLevelValue, QT_TRANSLATE_NOOP("Panel", "BLACK LEVEL"))       \
    ROW(Sort, WR, 0x81, 0x01, 0x18, 0, 0, 1, SortOffOn)                                            \
    SLIDER(AdjustGainL, R, 0x81, 0x01, 0x1C, 0, 0, 1023, AdjustGain,                               \
        Plain, AdjustGainLSlider, AdjustGainLValue, QT_TRANSLATE_NOOP("Panel", "Adjust-GAIN(L)"))  \
    SLIDER(AdjustGainR, R, 0x81, 0x01, 0x1D, 0, 0, 1023, AdjustGain,                               \
        Plain, AdjustGainRSlider, AdjustGainRValue, QT_TRANSLATE_NOOP("Panel", "Adjust-GAIN(R)"))  \
    ROW(PartialScan, WR, 0x81, 0x01, 0x1E, 0, 0, 1, PartialScanOnOff)                              \
    SLIDER(PartialScanStart, WR, 0x81, 0x01, 0x1F, 1, 1, 2058, PartialScanStart,                   \
        Plain, StartSlider, StartValue, QT_TRANSLATE_NOOP("Panel", "START"))                       \
    SLIDER(PartialScanWidth, WR, 0x81, 0x01, 0x20, 2058, 1, 2058, PartialScanWidth,                \
        Plain, WidthSlider, WidthValue, QT_TRANSLATE_NOOP("Panel", "WIDTH"))                       \
    ROW(FactorySet, WR, 0x81, 0x01, 0x45, 0, 0, 1, FactorySet)                                     \
    ROW(UserAdjust, WR, 0x81, 0x01, 0x46, 2, 0, 2, UserAdjustOnOff)                                \
    SLIDER(BalanceGain, WR, 0x81, 0x01, 0x48, 32, 0, 64, GainLevel,                                \
        RightGain, RightGainSlider, RightGainValue, QT_TRANSLATE_NOOP("Panel", "RIGHT GAIN"))      \
    SLIDER(BalanceBlack, WR, 0x81, 0x01, 0x4A, 128, 0, 255, BlackLevel,                            \
        RightBlack, RightBlackSlider, RightBlackValue, QT_TRANSLATE_NOOP("Panel", "RIGHT BLACK"))  \
    ROW(WhiteSpotCorrection, WR, 0x81, 0x01, 0x4B, 1, 0, 1, WhiteSpotCorrectionOnOff)              \
    ROW(WhiteSpotThreshold, WR, 0x81, 0x01, 0x4C, 20, 0, 255, WhiteSpotDetectThreshlevel)          \
    ROW(WhiteSpotDetect, WR, 0x81, 0x01, 0x4D, 0, 0, 1, WhiteSpotDetect)                           \
    ROW(TestPattern, WR, 0x81, 0x01, 0x50, 0, 0, 3, TestPatarn)                                    \
    ROW(WhiteSpotAddressX, R, 0x91, 0x01, 0x00, 0, 0, 0, WhiteSpotAddressX)                        \
    ROW(WhiteSpotAddressY, R, 0x91, 0x01, 0x01, 0, 0, 0, WhiteSpotAddressY)                        \
    SLIDER(SubVoltage, R, 0x81, 0x01, 0x77, 176, 0, 255, SubVoltage,                               \
        Plain, SubVSlider, SubVValue, "SUB-V")                                                     \
    TEXT(0) TEXT(1) TEXT(2) TEXT(3) TEXT(4) TEXT(5) TEXT(6) TEXT(7)                                \
    TEXT(8) TEXT(9) TEXT(10) TEXT(11) TEXT(12) TEXT(13) TEXT(14) TEXT(15)                          \
    TEXT(16) TEXT(17) TEXT(18) TEXT(19)                                                            \
    TEXT(20) TEXT(21)                                                                              \
    ROW(AccessCode, RI, 0x81, 0x01, 0x60, 0, 0, 65535, CameraInformation)                          \
    ROW(Reserved, 0, 0x00, 0x00, 0x00, 0, 0, 0, Reserved)

// Names for places in the camera information: the vendor's name (8
// registers), the model's (8), the serial number (4) and the version (2).
#define ZQ_PARAM_ALIASES(X)                                                                        \
    X(CameraInfoFirst, CameraInfo0)                                                                \
    X(VendorNameFirst, CameraInfo0)                                                                \
    X(ModelNameFirst, CameraInfo8)                                                                 \
    X(SerialNumberFirst, CameraInfo16)                                                             \
    X(SerialNumberLast, CameraInfo19)                                                              \
    X(VersionFirst, CameraInfo20)                                                                  \
    X(CameraInfoLast, CameraInfo21)
// clang-format on

#define ZQ_PARAM_ONE(...) +1
constexpr int PARAM_COUNT = 0 ZQ_PARAM_ROWS(ZQ_PARAM_ONE, ZQ_PARAM_ONE, ZQ_PARAM_ONE);
#undef ZQ_PARAM_ONE

namespace Param {
enum Index : int
{
#define ZQ_PARAM_ENUMERATOR(code, ...) code,
#define ZQ_PARAM_TEXT_ENUMERATOR(reg) CameraInfo##reg,
#define ZQ_PARAM_ALIAS(alias, row) alias = row,
    // clang-format off
    ZQ_PARAM_ROWS(ZQ_PARAM_ENUMERATOR, ZQ_PARAM_ENUMERATOR, ZQ_PARAM_TEXT_ENUMERATOR)
    ZQ_PARAM_ALIASES(ZQ_PARAM_ALIAS)
// clang-format on
#undef ZQ_PARAM_ALIAS
#undef ZQ_PARAM_TEXT_ENUMERATOR
#undef ZQ_PARAM_ENUMERATOR
};
} // namespace Param
