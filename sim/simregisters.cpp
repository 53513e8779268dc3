#include "simregisters.h"

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
    // The camera's factory state of its control registers that are not zero,
    // as it sends them: one-byte registers "VV0000", two-byte ones
    // most significant first, "HHLL00".
    static const struct
    {
        int reg;
        const char *data;
    } kFactory[] = {
        {0x02, "010000"}, // HD reset
        {0x11, "039500"}, // programmable shutter 917
        {0x15, "010000"}, // VD/FVAL
        {0x16, "010000"}, // HD/LVAL
        {0x1F, "000100"}, // partial scan start 1
        {0x20, "080A00"}, // partial scan width 2058
        {0x46, "020000"}, // user adjust
        {0x48, "200000"}, // balance gain 32
        {0x4A, "800000"}, // balance black 128
        {0x4B, "010000"}, // white-spot correction on
        {0x4C, "140000"}, // white-spot threshold 20
        {0x77, "B00000"}, // SUB-V 176
    };
    // The camera's other control registers, which a factory set clears.
    static const int kCleared[] = {0x00, 0x01, 0x04, 0x05, 0x06, 0x08, 0x0C, 0x0F, 0x12,
                                   0x13, 0x14, 0x17, 0x18, 0x1C, 0x1D, 0x1E, 0x45, 0x4D, 0x50};
    for (int reg : kCleared)
        Set(kControlArea, reg, "000000");
    for (const auto &entry : kFactory)
        Set(kControlArea, entry.reg, entry.data);
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
