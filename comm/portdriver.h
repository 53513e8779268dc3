#pragma once

#include <QString>
#include <QtGlobal>

// The far side of the serial channel, as the channel needs it: a COM port
// or a frame grabber's port through its Camera Link serial library. The
// channel keeps all protocol timing; a driver only moves bytes, waits, and
// reports line errors. The real COM driver wraps QSerialPort; the simulated
// camera plugs in its own driver running on virtual time.
class PortDriver
{
public:
    // Line-error flags, bit for bit those that ClearCommError reports.
    enum LineError : quint32 {
        CE_RXOVER = 0x0001,
        CE_OVERRUN = 0x0002,
        CE_RXPARITY = 0x0004,
        CE_FRAME = 0x0008,
        CE_BREAK = 0x0010,
        CE_TXFULL = 0x0100,
        CE_PTO = 0x0200,
        CE_IOE = 0x0400,
        CE_DNS = 0x0800,
        CE_OOP = 0x1000,
        CE_MODE = 0x8000,
    };
    enum PurgeFlag : quint32 {
        PURGE_TXABORT = 0x0001,
        PURGE_RXABORT = 0x0002,
        PURGE_TXCLEAR = 0x0004,
        PURGE_RXCLEAR = 0x0008,
    };

    virtual ~PortDriver();

    // Opens the device for exclusive use. False when it cannot be opened.
    virtual bool Open(const QString &device) = 0;
    // After a failed Open: "DEVICE: reason", the reason in the system's words
    // with what to do about it.
    virtual QString WhyNotOpen(const QString &device);
    // What the port is called on its far side (a grabber's port
    // identifier); empty when it has no name of its own.
    virtual QString PortIdentifier() const;
    virtual bool IsOpen() const = 0;
    virtual void Close() = 0;
    // Line settings: byteSize data bits, stopBits 0/1/2 (1, 1.5, 2 stop
    // bits), parity 0..4 (none, odd, even, mark, space); no flow control,
    // DTR and RTS asserted. False when the port refuses them.
    virtual bool Configure(int baud, int byteSize, int stopBits, int parity) = 0;
    // Writes the bytes, waiting at most timeoutMs for them to leave. Returns
    // the number written (possibly fewer), or -1 when the write failed.
    virtual qint64 Write(const char *data, qint64 count, qint64 timeoutMs) = 0;
    // Takes what has arrived, up to maxCount bytes, without waiting.
    // Returns the number taken (possibly 0), or -1 when the read failed.
    virtual qint64 ReadAvailable(char *buffer, qint64 maxCount) = 0;
    // As ReadAvailable; a driver whose reads wait inside the call (a grabber
    // library) waits there at most waitMs.
    virtual qint64 ReadWaiting(char *buffer, qint64 maxCount, qint64 waitMs);
    // Blocks until bytes can be read or the clock is past deadlineMs.
    // Returns true when bytes can be read.
    virtual bool WaitReadable(qint64 deadlineMs) = 0;
    virtual bool Purge(quint32 purgeFlags) = 0;
    // Returns the line-error flags gathered since the last call, and clears them.
    virtual quint32 TakeLineErrors() = 0;
    // Monotonic milliseconds; every deadline of the channel is on this clock.
    virtual qint64 NowMs() = 0;
    // Lets about ms milliseconds pass on that clock. The Camera Link path
    // rests between calls of a library that came back early.
    virtual void Pause(qint64 ms);
    // What the trace should say of the last read or write beyond its bytes
    // (a library's failure status); empty when nothing. Forgotten once taken.
    virtual QByteArray TakeNote();
};
