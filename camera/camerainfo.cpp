#include "camerainfo.h"

#include "paramindex.h"
#include "paramstore.h"

namespace {
constexpr int kVendorFirst = Param::VendorNameFirst;
constexpr int kModelFirst = Param::ModelNameFirst;
constexpr int kNameRegisters = 8;
constexpr int kSerialFirst = Param::SerialNumberFirst;
constexpr int kSerialLast = Param::SerialNumberLast;
constexpr int kVersionFirst = Param::VersionFirst;

char low(int v)
{
    return char(v & 0xFF);
}
char high(int v)
{
    return char((v >> 8) & 0xFF);
}
// Texts are built piecewise from zero-terminated pieces: a zero byte ends
// its piece, so it and anything after it in the piece is dropped.
void appendPiece(QByteArray *text, const char *piece, int length)
{
    for (int i = 0; i < length && piece[i] != '\0'; ++i)
        text->append(piece[i]);
}
} // namespace

QByteArray CameraInfo::DecodeName(const ParamStore &store, int first, int count)
{
    QByteArray name;
    for (int i = first; i < first + count; ++i) {
        const int v = store.GetValue(i);
        if (EndsName(v)) {
            if (low(v) != 0)
                name.append(low(v));
            break;
        }
        const char pair[2] = {low(v), high(v)};
        appendPiece(&name, pair, 2);
    }
    return name;
}

bool CameraInfo::EndsName(int value)
{
    return low(value) == 0 || value < 256;
}

QByteArray CameraInfo::DecodeSerial(const ParamStore &store, bool withEighth)
{
    QByteArray serial;
    for (int i = kSerialFirst; i < kSerialLast; ++i) {
        const int v = store.GetValue(i);
        const char pair[2] = {low(v), high(v)};
        appendPiece(&serial, pair, 2);
    }
    const int last = store.GetValue(kSerialLast);
    const char lastLow[1] = {low(last)}, lastHigh[1] = {high(last)};
    appendPiece(&serial, lastLow, 1);
    if (withEighth)
        appendPiece(&serial, lastHigh, 1);
    return serial;
}

CameraInfo CameraInfo::Decode(const ParamStore &store)
{
    CameraInfo info;
    info.vendorName = DecodeName(store, kVendorFirst, kNameRegisters);
    info.modelName = DecodeName(store, kModelFirst, kNameRegisters);

    info.serialNumber = DecodeSerial(store, false);
    const int last = store.GetValue(kSerialLast);
    if (high(last) >= '0' && high(last) <= '9') {
        info.serialNumber.append(high(last));
        info.eightDigits = true;
    }

    const int a = store.GetValue(kVersionFirst), b = store.GetValue(kVersionFirst + 1);
    const char version[7] = {low(a), '.', high(a), '.', low(b), '.', high(b)};
    appendPiece(&info.version, version, 7);
    return info;
}

bool CameraInfo::TextOf(int index, QByteArray *text) const
{
    if (index >= kVendorFirst && index < kModelFirst)
        *text = vendorName;
    else if (index >= kModelFirst && index < kSerialFirst)
        *text = modelName;
    else if (index >= kSerialFirst && index <= kSerialLast)
        *text = serialNumber;
    else if (index == kVersionFirst || index == kVersionFirst + 1)
        *text = version;
    else
        return false;
    return true;
}
