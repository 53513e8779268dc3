#pragma once

// The rows of the parameter table by name, where code means one particular
// row. Loops over all rows use 0 .. PARAM_COUNT - 1. The names are unique,
// and zqctl takes them in place of an index: one list makes both.
// Camera information: 22 text registers of two characters each, the vendor's
// name (8), the model's (8), the serial number (4) and the version (2).
#define ZQ_PARAM_NAMES(X)                                                                          \
    X(HdReset, 0)                                                                                  \
    X(TriggerMode, 1)                                                                              \
    X(TriggerSource, 2)                                                                            \
    X(OutputFlashVd, 3)                                                                            \
    X(ShutterSpeed, 4)                                                                             \
    X(GainLevel, 5)                                                                                \
    X(TriggerPolarity, 6)                                                                          \
    X(ProgrammableShutter, 7)                                                                      \
    X(Configuration, 8)                                                                            \
    X(Accel2x, 9)                                                                                  \
    X(DataBit, 10)                                                                                 \
    X(VdFval, 11)                                                                                  \
    X(HdLval, 12)                                                                                  \
    X(BlackLevel, 13)                                                                              \
    X(Sort, 14)                                                                                    \
    X(AdjustGainL, 15)                                                                             \
    X(AdjustGainR, 16)                                                                             \
    X(PartialScan, 17)                                                                             \
    X(PartialScanStart, 18)                                                                        \
    X(PartialScanWidth, 19)                                                                        \
    X(FactorySet, 20)                                                                              \
    X(UserAdjust, 21)                                                                              \
    X(BalanceGain, 22)                                                                             \
    X(BalanceBlack, 23)                                                                            \
    X(WhiteSpotCorrection, 24)                                                                     \
    X(WhiteSpotThreshold, 25)                                                                      \
    X(WhiteSpotDetect, 26)                                                                         \
    X(TestPattern, 27)                                                                             \
    X(WhiteSpotAddressX, 28)                                                                       \
    X(WhiteSpotAddressY, 29)                                                                       \
    X(SubVoltage, 30)                                                                              \
    X(CameraInfoFirst, 31)                                                                         \
    X(VendorNameFirst, 31)                                                                         \
    X(ModelNameFirst, 39)                                                                          \
    X(SerialNumberFirst, 47)                                                                       \
    X(SerialNumberLast, 50)                                                                        \
    X(VersionFirst, 51)                                                                            \
    X(CameraInfoLast, 52)                                                                          \
    X(AccessCode, 53)                                                                              \
    X(Reserved, 54)

namespace Param {
enum Index : int
{
#define ZQ_PARAM_ENUMERATOR(name, index) name = index,
    ZQ_PARAM_NAMES(ZQ_PARAM_ENUMERATOR)
#undef ZQ_PARAM_ENUMERATOR
};
} // namespace Param
