#pragma once

#include "paramtable.h"

#include <QByteArray>
#include <QString>

#include <array>

class ParamStore;

// The ".zq" settings file: a length-prefixed header text and the 55 values
// as signed 32-bit little-endian integers, 244 bytes in all. A file is read
// and checked whole before any value is stored, so a foreign or truncated
// file never leaves the store half-changed.
class SettingsFile
{
public:
    static constexpr int kSize = 244;
    static constexpr char kHeader[] = "ZQ-B40 Data Version1.00";
    static constexpr int kHeaderLength = 23;
    using Values = std::array<qint32, PARAM_COUNT>;
    // The length byte, the header and every row's value fill the file
    // exactly: a longer table would read past it. A new row makes a longer
    // file, and today's files too short for it: decide here how those read.
    static_assert(1 + kHeaderLength + 4 * PARAM_COUNT == kSize,
                  "the settings file holds one value for every row of the table");

    enum Status
    {
        Ok,
        Empty,          // a zero-length file: nothing to read
        HeaderMismatch, // not one of our settings files
        TooShort,       // the header is right but values are missing
        ReadFailed,     // cannot be opened or read
        WriteFailed,
    };

    static QByteArray Encode(const ParamStore &store);
    static Status Decode(const QByteArray &bytes, Values *values);
    // Stores decoded values in the store, index 0 first. With keepIdentity
    // the identity rows keep what the store holds: a file saved from another
    // camera must not rename the connected one.
    static void Apply(const Values &values, ParamStore *store, bool keepIdentity = false);

    // The first row a write-all would send whose value its register cannot
    // carry, or -1: such a file is refused, not sent cut short.
    static int FirstUncarried(const Values &values);
    static QString UncarriedMessage(int index, qint32 value);

    // Reads and decodes the file; on failure *error says why.
    static Status Read(const QString &path, Values *values, QString *error);
    // Writes through a temporary file, so a failed write leaves the old file whole.
    static Status Write(const QString &path, const ParamStore &store, QString *error);

    // The user's message for a status (empty for Ok and Empty).
    static QString MessageFor(Status status, const QString &path);
};
