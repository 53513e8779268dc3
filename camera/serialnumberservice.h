#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include "valuetransfers.h"
#include <array>

#include <functional>

class CameraData;

// Writing a camera's serial number and recording it, and resetting the
// settings to their defaults: the service work behind the panel's hidden
// serial controls and "zqctl write-serial", without any widget.
class SerialNumberService
{
public:
    // How the service reaches the camera. The panel passes the document's
    // value operations; by default the camera's own reporting wrappers are
    // used. Either way a failure has been reported once when it returns
    // negative.
    using Transfers = ValueTransfers;

    enum Result
    {
        Written,      // serial in the camera and the record appended
        CodeRefused,  // the camera did not take the access code
        EntryRefused, // wrong length or character; only the access code went out
        CameraFailed, // a serial register write failed; no record
        RecordFailed  // serial written, record file not written
    };

    explicit SerialNumberService(CameraData &camera);
    SerialNumberService(CameraData &camera, Transfers transfers);

    // The message that refuses the entry, or an empty text when it is valid.
    static QString CheckEntry(const QString &entry, bool eightDigits);
    // The values of parameters 47 to 50 for a valid entry: two characters a
    // register, the first in the low byte, a missing eighth counting as 0.
    static std::array<int, 4> RegisterValues(const QString &entry);
    // The entry after one step of the spin button (delta > 0 is up).
    static QString Step(const QString &entry, bool eightDigits, int delta);

    // What "WRITE" does: the access code, the entry's checks, parameters 47
    // to 50 and the record. Each refusal and failure has shown its message.
    // The model name read back for the record goes to *modelName.
    Result WriteSerial(const QString &entry, bool eightDigits, QByteArray *modelName = nullptr);
    // Reads the model, serial and adjustment values back and appends their
    // line to the record file in the current directory.
    bool AppendAdjustRecord(bool eightDigits, QByteArray *modelName = nullptr);
    // Every setting that is not a factory adjustment back to its default,
    // then everything read; the read-all's result.
    int ReadAndReset();

    // The local time of a record; tests fix it.
    void SetClock(std::function<QDateTime()> clock) { m_clock = std::move(clock); }

private:
    QByteArray ReadModelName();
    QByteArray ReadSerialNumber(bool eightDigits);
    int ReadValue(int index);

    CameraData &m_camera; // where the values read back are decoded from
    Transfers m_transfers;
    std::function<QDateTime()> m_clock;
};
