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
    // "DEVICE: reason" from what the port driver was told when the open
    // failed (QSerialPort's SerialPortError and errorString; on Windows
    // GetLastError's code and text), with the advice that fits; the device
    // is not opened again, so nothing can change in between.
    static QString Explain(const QString &device, int openError, const QString &reason);
};
