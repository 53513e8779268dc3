#pragma once

// Resource and control ids of the service dialogs.
namespace WhiteSpotId {
enum Id : int
{
    Dialog = 130,
    Close = 1,
    Detect = 1155,
    CorrectionOff = 1156,
    CorrectionOn = 1157,
    Threshold = 1158, // the read-out
    ThresholdSlider = 1159,
    AddressList = 1160,
    Read = 1161,
    PollTimer = 300,
};
}

namespace ManualCommandId {
enum Id : int
{
    Dialog = 131,
    Exit = 1,
    Send = 1110,
    Read = 1111,
    Transmission = 1112,
    Received = 1113,
};
}

namespace RegisterEditorId {
enum Id : int
{
    Dialog = 138,
    AreaCommon = 1108,
    AreaTg = 1109,
    AreaDsp = 1110,
    AreaIf = 1111,
    AreaAfe = 1112,
    PageFirst = 1113, // 1113..1120: pages 00-1F .. E0-FF
    Fpga = 1121,
    Eeprom = 1122,
    AreaInfo = 1123,
    AreaLr = 1124,
    WritePage = 1150,
    ReadPage = 1151,
    AddressFirst = 1200, // row k: address 1200 + k, data 1300 + k, W 1400 + k, R 1500 + k
    DataFirst = 1300,
    WriteFirst = 1400,
    ReadFirst = 1500,
};
}
