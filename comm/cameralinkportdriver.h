#pragma once

#include "portdriver.h"

#include <QElapsedTimer>
#include <QList>

// A frame grabber's serial port through its Camera Link serial library
// (CameraLinkLibrary), so the channel reads, writes, purges and keeps time
// the same way as on a COM port. The library is process-wide; the port this
// driver opened is its own, and other drivers may hold other ports of it.
class CameraLinkPortDriver : public PortDriver
{
public:
    explicit CameraLinkPortDriver(quint32 portIndex = 0);
    ~CameraLinkPortDriver() override;

    void SetPortIndex(quint32 index) { m_index = index; }
    quint32 PortIndex() const { return m_index; }
    // The open port's identifier, as the library gave it; may be empty.
    QString PortIdentifier() const override { return m_identifier; }
    // The rates the open port takes (CameraLinkLibrary::SupportedBaudRates).
    QList<int> SupportedBaudRates() const;
    // Loads the library file. False when it cannot be used; WhyNotOpen says why.
    virtual bool Load(const QString &library);
    // Loads the library device names and opens the chosen port of it.
    bool Open(const QString &device) override;
    // After a failed Load, Open or Configure: the library file and why.
    QString WhyNotOpen(const QString &device) override;
    // The library's status of the last failed Open, read or write; 0 when none.
    qint32 LastStatus() const { return m_status; }
    bool IsOpen() const override;
    void Close() override;
    // Sets the line's rate where the library can (baud 0 leaves the rate it
    // has); the rest of the line is the grabber's own.
    bool Configure(int baud, int byteSize, int stopBits, int parity) override;
    // The library is given one byte's time-out, as it always was.
    qint64 Write(const char *data, qint64 count, qint64 timeoutMs) override;
    qint64 ReadAvailable(char *buffer, qint64 maxCount) override;
    qint64 ReadWaiting(char *buffer, qint64 maxCount, qint64 waitMs) override;
    bool WaitReadable(qint64 deadlineMs) override;
    bool Purge(quint32 purgeFlags) override;
    quint32 TakeLineErrors() override;
    qint64 NowMs() override;
    QByteArray TakeNote() override;

private:
    // A status other than success goes to the trace once, not for every
    // call of a library that keeps saying the same.
    void Note(const char *function, qint32 status);
    void AddNote(const QByteArray &text);

    quint32 m_index = 0;
    quint64 m_port = 0; // CameraLinkLibrary::Port
    qint32 m_status = 0;
    qint32 m_noted = 0;
    quint32 m_lineErrors = 0;
    QString m_why;
    QString m_device;
    QString m_identifier;
    QByteArray m_note;
    QElapsedTimer m_clock;
};
