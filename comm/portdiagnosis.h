#pragma once

#include <QString>

// Why a serial device would not open, in the operating system's words and
// with what to do about it: missing, permission denied (and the group that
// may use it), busy, or not a serial device at all.
class PortDiagnosis
{
public:
    // "DEVICE: reason"; the device is tried once more, read-only as far as
    // the line goes: opened without becoming the controlling terminal and
    // closed again at once.
    static QString Explain(const QString &device);
};
