#include "simregisters.h"

#include "camera/paramtable.h"
#include "comm/cameraprotocol.h"

#include <cstdio>

namespace {
constexpr int kVendorReg = 0x00;
constexpr int kModelReg = 0x08;
constexpr int kNameRegs = 8;
constexpr int kSerialReg = 0x10;
constexpr int kSerialRegs = 4;
constexpr int kVersionReg = 0x14;
constexpr int kVersionRegs = 2;

QByteArray hexBytes(const CameraProtocol::WireBytes &bytes)
{
    char text[8];
    std::snprintf(text, sizeof text, "%02X%02X%02X", bytes[0], bytes[1], bytes[2]);
    return QByteArray(text, 6);
}
} // namespace

SimRegisters::SimRegisters()
{
    LoadDefaults();
    // No detection has run yet: the address table is empty.
    Set(kSpotArea, 0, "FFFF00");
}

int SimRegisters::Offset(int area, int reg) const
{
    return ((area & 0x7F) * kRegisters + (reg & 0xFF)) * kDataChars;
}

QByteArray SimRegisters::Get(int area, int reg) const
{
    return m_data.mid(Offset(area, reg), kDataChars);
}

void SimRegisters::Set(int area, int reg, const QByteArray &data)
{
    m_data.replace(Offset(area, reg), kDataChars, data.left(kDataChars).leftJustified(6, '0'));
}

QByteArray SimRegisters::LowFirst(int value)
{
    return hexBytes({quint8(value), quint8(value >> 8), quint8(value >> 16)});
}

void SimRegisters::LoadDefaults()
{
    for (int i = 0; i < PARAM_COUNT; ++i) {
        const ParamInfo &row = ParamTable::Row(i);
        if (!row.flags || row.writeCode != kControlArea || row.address == kAccessCodeRegister)
            continue;
        Set(row.writeCode, row.address,
            hexBytes(CameraProtocol::ToWireOrder(row.writeCode, row.lower, row.upper,
                                                 row.defaultValue)));
    }
}

void SimRegisters::SetText(int firstReg, int regCount, const QByteArray &text)
{
    for (int i = 0; i < regCount; ++i) {
        const int low = 2 * i < text.size() ? quint8(text[2 * i]) : 0;
        const int high = 2 * i + 1 < text.size() ? quint8(text[2 * i + 1]) : 0;
        Set(kInfoArea, firstReg + i, LowFirst(low | (high << 8)));
    }
}

void SimRegisters::SetIdentity(const QByteArray &vendor, const QByteArray &model,
                               const QByteArray &serial, const QByteArray &version)
{
    SetText(kVendorReg, kNameRegs, vendor.left(2 * kNameRegs));
    SetText(kModelReg, kNameRegs, model.left(2 * kNameRegs));
    SetText(kSerialReg, kSerialRegs, serial.left(2 * kSerialRegs));
    // The version is four characters; the points between them are the panel's.
    SetText(kVersionReg, kVersionRegs, QByteArray(version).replace('.', "").left(4));
}

void SimRegisters::FillAddressTable(const QList<SimSpot> &spots)
{
    // The table is read as a four-digit number followed by two ignored digits.
    auto entry = [](int value) {
        char text[8];
        std::snprintf(text, sizeof text, "%04X00", value & 0xFFFF);
        return QByteArray(text, 6);
    };
    for (int reg = 0; reg < kRegisters; ++reg)
        Set(kSpotArea, reg, "000000");
    int reg = 0;
    for (const SimSpot &spot : spots) {
        if (reg + 2 >= kRegisters)
            break; // keep room for the end mark
        Set(kSpotArea, reg++, entry(spot.x));
        Set(kSpotArea, reg++, entry(spot.y));
    }
    Set(kSpotArea, reg, entry(0xFFFF));
}
