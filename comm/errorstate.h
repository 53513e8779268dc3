#pragma once

#include <QString>

// Failure codes of the camera connection. A failing operation records its
// code and returns the negative, so every failure result is below zero.
enum ErrorCode : int {
    ERR_NONE = 0,
    ERR_KEEP = 1, // "keep the code a lower layer recorded"; never stored
    ERR_PORT_NUMBER = 2,
    ERR_PORT_NOT_OPEN = 3,
    ERR_PORT_OPEN = 4,
    ERR_TIMEOUT = 5,
    ERR_SIZE = 6,
    ERR_OVERLAP = 7,
    ERR_PURGE = 8,
    ERR_BREAK = 9,
    ERR_FRAME = 10,
    ERR_IO = 11,
    ERR_MODE = 12,
    ERR_OVERRUN = 13,
    ERR_RXOVER = 14,
    ERR_PARITY = 15,
    ERR_TXFULL = 16,
    ERR_DNS = 17,
    ERR_PTO = 18,
    ERR_OOP = 19,
    ERR_UNEXPECTED = 20,
    ERR_REPLY_SIZE = 21,
    ERR_NO_STX = 22,
    ERR_NO_ETX = 23,
    ERR_BAD_CHAR = 24,
    ERR_CHECKSUM = 25,
    ERR_MSG_SIZE = 26,
    ERR_TOO_LONG = 27,
    ERR_LINE_SETTING = 28, // the port refused the baud rate or the byte format
    ERR_COUNT = 29
};

// The one recorded failure code of a camera connection. Every layer of the
// connection (channel, frames, parameter store) shares a single instance as a
// virtual base, so the code is whatever failed last, at any depth.
class ErrorState
{
public:
    ErrorState() = default;
    virtual ~ErrorState();

    // Stores the code unless it is ERR_KEEP; returns minus the stored code.
    // The reason says why in the words of whatever failed (the OS, the
    // grabber library, the loader, the file); a new code without one clears
    // the old reason, ERR_KEEP keeps both unless a reason is given.
    int SetError(int code, const QString &reason = QString());
    int GetErrorCode() const { return m_errorCode; }
    // Why the recorded failure happened; empty when nothing said more.
    QString GetErrorReason() const { return m_errorReason; }
    // "ERROR - %1" around the recorded code's message.
    QString GetErrorMessage() const;

    // The bare message of a code; codes outside 0..ERR_COUNT-1 give code 1's message.
    static QString MessageOf(int code);
    // String table id of a code's message (the table skips 62127).
    static int StringIdOf(int code);

private:
    int m_errorCode = ERR_NONE;
    QString m_errorReason;
};
