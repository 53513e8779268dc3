#include "paramtable.h"

#include "resources/stringtable.h"

namespace {

constexpr quint8 WR = PF_WRITE_ALL | PF_READ;
constexpr quint8 R = PF_READ;

// Camera information: 22 text registers of area 10, two characters each.
#define CAMERA_INFO(reg) {R, 0x90, 0x10, reg, 0, 0, 65535, 62265}

const ParamInfo kParams[PARAM_COUNT] = {
    // flags, read, write, register, default, min, max, name
    {WR, 0x81, 0x01, 0x02, 1, 0, 1, 62203},       // 0 HD Reset
    {WR, 0x81, 0x01, 0x04, 0, 0, 4, 62202},       // 1 Trigger Mode
    {WR, 0x81, 0x01, 0x05, 0, 0, 1, 62250},       // 2 Trigger Source
    {WR, 0x81, 0x01, 0x06, 0, 0, 2, 62251},       // 3 Output Flash out/VD
    {WR, 0x81, 0x01, 0x08, 0, 0, 255, 62201},     // 4 Shutter Speed
    {WR, 0x81, 0x01, 0x0C, 0, 0, 503, 62207},     // 5 Gain Level
    {WR, 0x81, 0x01, 0x0F, 0, 0, 1, 62204},       // 6 Trigger Polarity
    {WR, 0x81, 0x01, 0x11, 917, 0, 1536, 62240},  // 7 Programable Shutter
    {WR, 0x81, 0x01, 0x12, 0, 0, 2, 62248},       // 8 Configration
    {WR, 0x81, 0x01, 0x13, 0, 0, 1, 62252},       // 9 2xAccel ON/OFF
    {WR, 0x81, 0x01, 0x14, 0, 0, 2, 62238},       // 10 Data Bit
    {WR, 0x81, 0x01, 0x15, 1, 0, 1, 62241},       // 11 VD/FVAL
    {WR, 0x81, 0x01, 0x16, 1, 0, 2, 62247},       // 12 HD/LVAL
    {WR, 0x81, 0x01, 0x17, 0, 0, 63, 62208},      // 13 Black Level
    {WR, 0x81, 0x01, 0x18, 0, 0, 1, 62274},       // 14 Sort OFF/ON
    {R, 0x81, 0x01, 0x1C, 0, 0, 1023, 62242},     // 15 Adjust Gain
    {R, 0x81, 0x01, 0x1D, 0, 0, 1023, 62242},     // 16 Adjust Gain
    {WR, 0x81, 0x01, 0x1E, 0, 0, 1, 62246},       // 17 Partial Scan ON/OFF
    {WR, 0x81, 0x01, 0x1F, 1, 1, 2058, 62244},    // 18 Partial Scan Start
    {WR, 0x81, 0x01, 0x20, 2058, 1, 2058, 62245}, // 19 Partial Scan Width
    {WR, 0x81, 0x01, 0x45, 0, 0, 1, 62269},       // 20 Factory Set
    {WR, 0x81, 0x01, 0x46, 2, 0, 2, 62266},       // 21 User Adjust ON/OFF
    {WR, 0x81, 0x01, 0x48, 32, 0, 64, 62207},     // 22 Gain Level
    {WR, 0x81, 0x01, 0x4A, 128, 0, 255, 62208},   // 23 Black Level
    {WR, 0x81, 0x01, 0x4B, 1, 0, 1, 62267},       // 24 White Spot Correction ON/OFF
    {WR, 0x81, 0x01, 0x4C, 20, 0, 255, 62268},    // 25 White Spot Detect Threshlevel
    {WR, 0x81, 0x01, 0x4D, 0, 0, 1, 62272},       // 26 White Spot Detect
    {WR, 0x81, 0x01, 0x50, 0, 0, 3, 62273},       // 27 Test Patarn
    {R, 0x91, 0x01, 0x00, 0, 0, 0, 62270},        // 28 White Spot Address X
    {R, 0x91, 0x01, 0x01, 0, 0, 0, 62271},        // 29 White Spot Address Y
    {R, 0x81, 0x01, 0x77, 176, 0, 255, 62249},    // 30 Sub Voltage
    CAMERA_INFO(0x00), CAMERA_INFO(0x01), CAMERA_INFO(0x02), CAMERA_INFO(0x03), // 31..34
    CAMERA_INFO(0x04), CAMERA_INFO(0x05), CAMERA_INFO(0x06), CAMERA_INFO(0x07), // 35..38
    CAMERA_INFO(0x08), CAMERA_INFO(0x09), CAMERA_INFO(0x0A), CAMERA_INFO(0x0B), // 39..42
    CAMERA_INFO(0x0C), CAMERA_INFO(0x0D), CAMERA_INFO(0x0E), CAMERA_INFO(0x0F), // 43..46
    CAMERA_INFO(0x10), CAMERA_INFO(0x11), CAMERA_INFO(0x12), CAMERA_INFO(0x13), // 47..50
    CAMERA_INFO(0x14), CAMERA_INFO(0x15),                                       // 51..52
    {R, 0x81, 0x01, 0x60, 0, 0, 65535, 62265}, // 53 Camera Information (access code register)
    {0, 0x00, 0x00, 0x00, 0, 0, 0, 62231},     // 54 (Reserved)
};

#undef CAMERA_INFO

} // namespace

const ParamInfo &ParamTable::Row(int index)
{
    return kParams[index];
}

int ParamTable::CountWith(quint8 flag)
{
    int n = 0;
    for (const ParamInfo &row : kParams)
        n += (row.flags & flag) ? 1 : 0;
    return n;
}

QString ParamTable::GetParamName(int index)
{
    return StringTable::Load(kParams[index].nameId);
}
