#pragma once

#include "simconfig.h"

#include <QByteArray>

// The camera's register space: areas 00..7F, registers 00..FF, each holding
// its three value bytes as the six characters exchanged on the line. The
// FPGA and the EEPROM hold the same values, so one store serves both.
class SimRegisters
{
public:
    static constexpr int kAreas = 0x80;
    static constexpr int kRegisters = 0x100;
    static constexpr int kDataChars = 6;

    static constexpr int kControlArea = 0x01;
    static constexpr int kInfoArea = 0x10;
    static constexpr int kSpotArea = 0x11;
    static constexpr int kAccessCodeRegister = 0x60;

    SimRegisters();

    QByteArray Get(int area, int reg) const;
    void Set(int area, int reg, const QByteArray &data);
    // The control parameters back to their defaults. The access code is no
    // setting and stays as it is.
    void LoadDefaults();
    void SetIdentity(const QByteArray &vendor, const QByteArray &model, const QByteArray &serial,
                     const QByteArray &version);
    // Entry i: x in register 2i, y in 2i+1; an x of FFFF ends the list.
    void FillAddressTable(const QList<SimSpot> &spots);

    // Six characters for a value of area 10: least significant byte first.
    static QByteArray LowFirst(int value);

private:
    int Offset(int area, int reg) const;
    // Two characters a register, first one in the low byte; zero registers
    // after the text up to regCount.
    void SetText(int firstReg, int regCount, const QByteArray &text);

    QByteArray m_data = QByteArray(kAreas * kRegisters * kDataChars, '0');
};
