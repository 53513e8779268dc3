#include "paramtable.h"

#include "comm/cameraprotocol.h"
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

#define ZQ_PARAM_INFO(code, flags, read, write, reg, def, lower, upper, name, ...)                 \
    {flags, read, write, reg, def, lower, upper, StringId::name},
#define ZQ_PARAM_TEXT_INFO(reg) CameraInfoRow(reg),
const ParamInfo kParams[PARAM_COUNT] = {
    ZQ_PARAM_ROWS(ZQ_PARAM_INFO, ZQ_PARAM_INFO, ZQ_PARAM_TEXT_INFO)};
#undef ZQ_PARAM_TEXT_INFO
#undef ZQ_PARAM_INFO

// The rows' own names, then the places in the camera information: 31 is
// "CameraInfoFirst" before "VendorNameFirst".
struct CodeNameEntry
{
    const char *name;
    int index;
};
const CodeNameEntry kCodeNames[] = {
#define ZQ_PARAM_CODE_NAME(code, ...) {#code, Param::code},
#define ZQ_PARAM_NO_CODE_NAME(reg)
    // clang-format off
    ZQ_PARAM_ROWS(ZQ_PARAM_CODE_NAME, ZQ_PARAM_CODE_NAME, ZQ_PARAM_NO_CODE_NAME)
    ZQ_PARAM_ALIASES(ZQ_PARAM_CODE_NAME)
// clang-format on
#undef ZQ_PARAM_NO_CODE_NAME
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
