#pragma once

#include "errorstate.h"
#include "portdriver.h"

#include <QString>

#include <memory>

class CameraLinkPortDriver;
class TraceLog;

// The byte channel to the camera's serial control port: a COM port, or a
// frame grabber's port through its Camera Link serial library, each behind
// a PortDriver. Knows nothing of frames. Every failure is recorded in the
// shared ErrorState and returned as minus its code.
class SerialLink : public virtual ErrorState
{
public:
    SerialLink();
    ~SerialLink() override;

    SerialLink(const SerialLink &) = delete;
    SerialLink &operator=(const SerialLink &) = delete;

    int OpenPort(int portNumber, int baudRate, int byteSize, int stopBits, int parity);
    int OpenPort(int portNumber, int baudRate);
    // A device by its name rather than by COM number: a port behind no
    // button, as a search for cameras meets them. The port number becomes 0.
    int OpenDevice(const QString &device, int baudRate);
    // Port portIndex of the grabber; baudRate 0 leaves the library's rate.
    int OpenLibrary(const QString &path, int portIndex = 0, int baudRate = 0);
    int Close();
    // Returns the number of bytes written; fewer than count when the write
    // timed out (ERR_TIMEOUT recorded). A failed driver write returns 0 with
    // its line-error code recorded, so the frame's attempts go on; only a
    // bad count or a closed port return minus their code.
    int Write(const char *bytes, int count, int timeoutMsPerByte);
    // Returns exactly count, or minus a code.
    int Read(char *buffer, int count, int timeoutMsPerByte);
    int Purge(quint32 purgeFlags);
    static int MapCommErrors(quint32 lineErrors);

    int PortNumber() const { return m_portNumber; }
    int BaudRate() const { return m_baudRate; }
    // The COM port. False also while a port whose device failed waits to be
    // opened again.
    bool IsPortOpen() const;
    // The COM port or the grabber's port.
    bool IsChannelOpen() const;
    // True once after the port was opened again by a transfer (a device
    // that went away, or one that would not open at first): the camera
    // behind it may not be the one that was there.
    bool TakeReopened();
    // The device went away (or is seen to have gone) and the next transfer
    // will open it again.
    bool WaitsToReopen() const;
    // After OpenPort or OpenLibrary failed to open: which device or library,
    // and why not.
    QString WhyPortWouldNotOpen();
    static bool IsCameraLinkOpen();
    // "COM3 (/dev/ttyUSB0)", or the library with the grabber's port.
    QString ChannelName() const;

    // The OS side of the COM port; replaced by tests and the simulator.
    void SetPortDriver(std::unique_ptr<PortDriver> driver);
    // The grabber's port, which OpenLibrary otherwise makes itself.
    void SetGrabberDriver(std::unique_ptr<CameraLinkPortDriver> driver);
    PortDriver &Driver() { return *m_driver; }
    qint64 NowMs() { return m_driver->NowMs(); }

    // Every byte sent and received goes to the trace while one is set.
    // The caller keeps ownership.
    void SetTrace(TraceLog *trace) { m_trace = trace; }
    // Puts what the trace gathered into its file.
    void FlushTrace();

private:
    int m_portNumber = 0;
    int m_baudRate = 0;
    void Trace(int direction, const char *bytes, qint64 count);
    // What the driver had to say of its last call, into the trace.
    void Note();
    // A device that failed (unplugged, its converter gone) is closed, and
    // the next transfer opens it again with the same settings.
    void LoseDevice();
    int OpenLine(const QString &device, int baudRate, int byteSize, int stopBits, int parity);
    bool EnsureOpen();
    int LostCode() const;

    struct LineSettings
    {
        QString device;
        int byteSize = 8;
        int stopBits = 0;
        int parity = 0;
    };
    LineSettings m_line;
    bool m_lost = false;
    bool m_opened = false;   // the device opened once with these settings
    bool m_reopened = false; // by a transfer, since TakeReopened

    std::unique_ptr<PortDriver> m_comDriver;
    std::unique_ptr<CameraLinkPortDriver> m_grabber;
    PortDriver *m_driver = nullptr; // the one in use: m_comDriver or m_grabber
    TraceLog *m_trace = nullptr;
};
