#pragma once

#include <QByteArray>

class ParamStore;

// The camera's identification texts, decoded from the stored values of the
// camera information registers (two characters a register, the first in the
// low byte). No camera traffic.
class CameraInfo
{
public:
    QByteArray vendorName;
    QByteArray modelName;
    QByteArray serialNumber;
    QByteArray version;
    bool eightDigits = false; // the serial number has an eighth digit

    static CameraInfo Decode(const ParamStore &store);
    // The decoded text that a camera information register is part of, as
    // the panel shows it; false for a parameter that is in no text.
    bool TextOf(int index, QByteArray *text) const;
    // A name over the given registers: stops at a zero low byte; a register
    // below 256 ends the text after its one character.
    static QByteArray DecodeName(const ParamStore &store, int first, int count);
    // True when this name register ends the name: later ones are not looked at.
    static bool EndsName(int value);
    // The serial number's first seven characters, and the eighth (the high
    // byte of the last register) when asked for; a zero byte adds nothing.
    static QByteArray DecodeSerial(const ParamStore &store, bool withEighth);
};
