#include "paramtable.h"

#include "comm/cameraprotocol.h"
#include "paramindex.h"
#include "resources/stringids.h"
#include "resources/stringtable.h"

namespace {

constexpr quint8 WR = PF_WRITE_ALL | PF_READ;
constexpr quint8 R = PF_READ;
constexpr quint8 RI = PF_READ | PF_IDENTITY;

// Camera information: 22 text registers of area 10, two characters each.
constexpr ParamInfo CameraInfoRow(quint8 reg)
{
    return {RI, 0x90, 0x10, reg, 0, 0, 65535, StringId::CameraInformation};
}

const ParamInfo kParams[PARAM_COUNT] = {
    // flags, read, write, register, default, min, max, name; index
    {WR, 0x81, 0x01, 0x02, 1, 0, 1, StringId::HdReset},                       // 0
    {WR, 0x81, 0x01, 0x04, 0, 0, 4, StringId::TriggerMode},                   // 1
    {WR, 0x81, 0x01, 0x05, 0, 0, 1, StringId::TriggerSource},                 // 2
    {WR, 0x81, 0x01, 0x06, 0, 0, 2, StringId::OutputFlashOutVd},              // 3
    {WR, 0x81, 0x01, 0x08, 0, 0, 255, StringId::ShutterSpeed},                // 4
    {WR, 0x81, 0x01, 0x0C, 0, 0, 503, StringId::GainLevel},                   // 5
    {WR, 0x81, 0x01, 0x0F, 0, 0, 1, StringId::TriggerPolarity},               // 6
    {WR, 0x81, 0x01, 0x11, 917, 0, 1536, StringId::ProgramableShutter},       // 7
    {WR, 0x81, 0x01, 0x12, 0, 0, 2, StringId::Configration},                  // 8
    {WR, 0x81, 0x01, 0x13, 0, 0, 1, StringId::Accel2xOnOff},                  // 9
    {WR, 0x81, 0x01, 0x14, 0, 0, 2, StringId::DataBit},                       // 10
    {WR, 0x81, 0x01, 0x15, 1, 0, 1, StringId::VdFval},                        // 11
    {WR, 0x81, 0x01, 0x16, 1, 0, 2, StringId::HdLval},                        // 12
    {WR, 0x81, 0x01, 0x17, 0, 0, 63, StringId::BlackLevel},                   // 13
    {WR, 0x81, 0x01, 0x18, 0, 0, 1, StringId::SortOffOn},                     // 14
    {R, 0x81, 0x01, 0x1C, 0, 0, 1023, StringId::AdjustGain},                  // 15
    {R, 0x81, 0x01, 0x1D, 0, 0, 1023, StringId::AdjustGain},                  // 16
    {WR, 0x81, 0x01, 0x1E, 0, 0, 1, StringId::PartialScanOnOff},              // 17
    {WR, 0x81, 0x01, 0x1F, 1, 1, 2058, StringId::PartialScanStart},           // 18
    {WR, 0x81, 0x01, 0x20, 2058, 1, 2058, StringId::PartialScanWidth},        // 19
    {WR, 0x81, 0x01, 0x45, 0, 0, 1, StringId::FactorySet},                    // 20
    {WR, 0x81, 0x01, 0x46, 2, 0, 2, StringId::UserAdjustOnOff},               // 21
    {WR, 0x81, 0x01, 0x48, 32, 0, 64, StringId::GainLevel},                   // 22
    {WR, 0x81, 0x01, 0x4A, 128, 0, 255, StringId::BlackLevel},                // 23
    {WR, 0x81, 0x01, 0x4B, 1, 0, 1, StringId::WhiteSpotCorrectionOnOff},      // 24
    {WR, 0x81, 0x01, 0x4C, 20, 0, 255, StringId::WhiteSpotDetectThreshlevel}, // 25
    {WR, 0x81, 0x01, 0x4D, 0, 0, 1, StringId::WhiteSpotDetect},               // 26
    {WR, 0x81, 0x01, 0x50, 0, 0, 3, StringId::TestPatarn},                    // 27
    {R, 0x91, 0x01, 0x00, 0, 0, 0, StringId::WhiteSpotAddressX},              // 28
    {R, 0x91, 0x01, 0x01, 0, 0, 0, StringId::WhiteSpotAddressY},              // 29
    {R, 0x81, 0x01, 0x77, 176, 0, 255, StringId::SubVoltage},                 // 30
    // clang-format off
    CameraInfoRow(0x00), CameraInfoRow(0x01), CameraInfoRow(0x02), CameraInfoRow(0x03), // 31..34
    CameraInfoRow(0x04), CameraInfoRow(0x05), CameraInfoRow(0x06), CameraInfoRow(0x07), // 35..38
    CameraInfoRow(0x08), CameraInfoRow(0x09), CameraInfoRow(0x0A), CameraInfoRow(0x0B), // 39..42
    CameraInfoRow(0x0C), CameraInfoRow(0x0D), CameraInfoRow(0x0E), CameraInfoRow(0x0F), // 43..46
    CameraInfoRow(0x10), CameraInfoRow(0x11), CameraInfoRow(0x12), CameraInfoRow(0x13), // 47..50
    CameraInfoRow(0x14), CameraInfoRow(0x15),                                           // 51..52
    // clang-format on
    {RI, 0x81, 0x01, 0x60, 0, 0, 65535, StringId::CameraInformation}, // 53
    {0, 0x00, 0x00, 0x00, 0, 0, 0, StringId::Reserved},               // 54
};

struct CodeNameEntry
{
    const char *name;
    int index;
};
const CodeNameEntry kCodeNames[] = {
#define ZQ_PARAM_CODE_NAME(name, index) {#name, index},
    ZQ_PARAM_NAMES(ZQ_PARAM_CODE_NAME)
#undef ZQ_PARAM_CODE_NAME
};

} // namespace

QString ParamTable::CodeName(int index)
{
    for (const CodeNameEntry &e : kCodeNames) {
        if (e.index == index)
            return QLatin1String(e.name);
    }
    return QString();
}

int ParamTable::IndexOfName(const QString &codeName)
{
    for (const CodeNameEntry &e : kCodeNames) {
        if (codeName == QLatin1String(e.name))
            return e.index;
    }
    return -1;
}

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

bool ParamTable::Carries(int index, int value)
{
    const ParamInfo &row = kParams[index];
    return CameraProtocol::Carries(row.writeCode, row.lower, row.upper, value);
}

QString ParamTable::GetParamName(int index)
{
    return StringTable::Load(kParams[index].nameId);
}
