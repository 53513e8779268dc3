#pragma once

// Control ids of the control panel (dialog 101), named after their captions.
// A read-out is the sunken label beside its slider; a caption is the label
// above it.
namespace PanelId {
enum Id : int
{
    Dialog = 101,

    // TRIGGER
    ModeOff = 1066,
    ModeFixed = 1067,
    Mode1Trig = 1068,
    ModeVdCont = 1070,
    SourceGroup = 1110,
    SourceCc1 = 1119,
    Source12pin = 1120,
    PolarityGroup = 1109,
    PolarityPosi = 1115,
    PolarityNega = 1116,

    // SHUTTER SPEED: OFF .. VARIABLE are consecutive
    ShutterGroup = 1108,
    ShutterOff = 1005,
    Shutter16 = 1006,
    Shutter60 = 1007,
    Shutter100 = 1008,
    Shutter250 = 1009,
    Shutter1000 = 1010,
    Shutter2000 = 1011,
    Shutter10000 = 1012,
    Shutter50000 = 1013,
    ShutterVariable = 1014,
    VariableCaption = 1107,
    VariableValue = 1047,
    VariableSlider = 1046,

    // PARTIAL SCAN
    PartialGroup = 1114,
    PartialOff = 1015,
    PartialOn = 1016,
    StartCaption = 1117,
    StartValue = 1030,
    StartSlider = 1112,
    WidthCaption = 1118,
    WidthValue = 1031,
    WidthSlider = 1113,
    BporchValue = 1032, // Bporch, Active, Fporch, Total are consecutive
    ActiveValue = 1033,
    FporchValue = 1034,
    TotalValue = 1035,

    // FACTORY, 2xACCEL
    FactoryGroup = 1128,
    FactorySet = 1156,
    AccelGroup = 1124,
    AccelOff = 1125,
    AccelOn = 1126,

    // CAMERA LINK
    DataBit8 = 1176,
    DataBit10 = 1177,
    DataBit12 = 1178,
    SyncVd = 1179,
    SyncFval = 1180,
    SyncHd = 1181,
    SyncLval = 1182,
    SyncLval2 = 1185,
    ConfigBase = 1184,
    ConfigMedium = 1183,
    SortGroup = 1162,
    SortOff = 1186,
    SortOn = 1187,

    // 12pinOUT, TEST PATTERN
    PinOutGroup = 1111,
    PinOutOff = 1121,
    PinOutFlash = 1122,
    PinOutVd = 1123,
    TestPatternGroup = 1127,
    TestPatternOff = 1129,
    TestPatternH = 1130,
    TestPatternV = 1131,
    TestPatternHv = 1132,

    // GAIN, BLACK LEVEL
    GainValue = 1025,
    GainSlider = 1024,
    BlackLevelCaption = 1105,
    BlackLevelValue = 1029,
    BlackLevelSlider = 1028,

    // BALANCE ADJUST
    BalanceGroup = 1154,
    BalanceOff = 1017,
    BalanceManual = 1018,
    BalanceAuto = 1019,
    RightGainCaption = 1133,
    RightGainValue = 1042,
    RightGainSlider = 1043,
    RightBlackCaption = 1135,
    RightBlackValue = 1048,
    RightBlackSlider = 1049,

    // WHITE SPOT CORRECT
    WhiteSpotGroup = 1155,
    WhiteSpotOff = 1020,
    WhiteSpotOn = 1021,
    Detect = 1153,

    // SUB-V, Adjust-GAIN(L), Adjust-GAIN(R)
    SubVCaption = 1104,
    SubVValue = 1036,
    SubVSlider = 1037,
    AdjustGainLCaption = 1103,
    AdjustGainLValue = 1027,
    AdjustGainLSlider = 1026,
    AdjustGainRCaption = 1106,
    AdjustGainRValue = 1038,
    AdjustGainRSlider = 1039,

    // SET SERIAL NUMBER
    SerialGroup = 1152,
    SerialEdit = 1140,
    SerialSpin = 1141,
    SerialWrite = 1142,
    SevenDigits = 1163,
    EightDigits = 1164,

    // CAMERA INFORMATION
    InfoGroup = 1143,
    VendorCaption = 1144,
    ModelCaption = 1145,
    SerialCaption = 1146,
    VersionCaption = 1147,
    VendorValue = 1148,
    ModelValue = 1149,
    SerialValue = 1150,
    VersionValue = 1151,
    ReadAndReset = 1139,
};
} // namespace PanelId
