#include "readoutformat.h"

#include "paramindex.h"

#include <cmath>
#include <cstdio>

namespace {
enum Kind
{
    None,
    Gain,
    RightGain,
    Black,
    RightBlack,
    Shutter,
    Plain
};

// Each row's read-out: a slider's row names its kind.
const Kind kKinds[PARAM_COUNT] = {
#define ZQ_NO_READOUT(...) None,
#define ZQ_READOUT(code, flags, read, write, reg, def, lower, upper, name, kind, ...) kind,
    ZQ_PARAM_ROWS(ZQ_NO_READOUT, ZQ_READOUT, ZQ_NO_READOUT)
#undef ZQ_READOUT
#undef ZQ_NO_READOUT
};

Kind KindOf(int param)
{
    return param >= 0 && param < PARAM_COUNT ? kKinds[param] : None;
}

// The C library's rounding: Qt's own rounds exact ties the other way, and
// the operator compares these texts with the camera's documentation.
QString CFormat(const char *format, double value)
{
    char text[512]; // room for any double in "%.2f": a file may hold any value
    std::snprintf(text, sizeof text, format, value);
    return QString::fromLatin1(text);
}

// Each block of 256 steps is one decade of exposure, linear inside it.
QString ShutterText(int v)
{
    const int q = v / 256, r = v & 0xFF; // a value from a file may be negative
    const double t = std::pow(10.0, q + 1) * (1 + 9 * (r * 0.00390625));
    if (v < 1280)
        return CFormat("1/%.2f sec", 1000000.0 / t);
    return CFormat("%.2f sec", t * 0.000001);
}
} // namespace

bool ReadoutFormat::Has(int param)
{
    return KindOf(param) != None;
}

QString ReadoutFormat::Text(int param, int v)
{
    switch (KindOf(param)) {
    case Gain:
        return CFormat("%2.4f dB", v * 0.0358);
    case RightGain:
        return CFormat("%2.4f dB", (v - 32) * 0.0358);
    case Black:
        return QString::asprintf("%d/1023", v);
    case RightBlack:
        return QString::asprintf("%d/2048", v - 128);
    case Shutter:
        return ShutterText(v);
    case Plain:
        return QString::asprintf(" %d ", v);
    case None:
        break;
    }
    return QString();
}
