#pragma once

// The rows of the parameter table by name, where code means one particular
// row. Loops over all rows use 0 .. PARAM_COUNT - 1.
namespace Param {
enum Index : int
{
    HdReset = 0,
    TriggerMode = 1,
    TriggerSource = 2,
    OutputFlashVd = 3,
    ShutterSpeed = 4,
    GainLevel = 5,
    TriggerPolarity = 6,
    ProgrammableShutter = 7,
    Configuration = 8,
    Accel2x = 9,
    DataBit = 10,
    VdFval = 11,
    HdLval = 12,
    BlackLevel = 13,
    Sort = 14,
    AdjustGainL = 15,
    AdjustGainR = 16,
    PartialScan = 17,
    PartialScanStart = 18,
    PartialScanWidth = 19,
    FactorySet = 20,
    UserAdjust = 21,
    BalanceGain = 22,
    BalanceBlack = 23,
    WhiteSpotCorrection = 24,
    WhiteSpotThreshold = 25,
    WhiteSpotDetect = 26,
    TestPattern = 27,
    WhiteSpotAddressX = 28,
    WhiteSpotAddressY = 29,
    SubVoltage = 30,
    CameraInfoFirst = 31,   // 22 text registers of two characters each:
    VendorNameFirst = 31,   // 8 registers
    ModelNameFirst = 39,    // 8 registers
    SerialNumberFirst = 47, // 4 registers
    SerialNumberLast = 50,
    VersionFirst = 51, // 2 registers
    CameraInfoLast = 52,
    AccessCode = 53,
    Reserved = 54,
};
} // namespace Param
