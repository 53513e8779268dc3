#pragma once

#include <QString>

class SimCamera;
class SimLog;

// Serves a SimCamera on a pseudo-terminal, so the program opens the camera as
// it opens any serial device. POSIX only: a pseudo-terminal is how a serial
// line is faked there.
class PtyServer
{
public:
    PtyServer(SimCamera *camera, SimLog *log);
    ~PtyServer();

    PtyServer(const PtyServer &) = delete;
    PtyServer &operator=(const PtyServer &) = delete;

    // Opens the pseudo-terminal and, when linkPath is given, the symbolic
    // link to it. False with a message in Error() when that fails.
    bool Open(const QString &linkPath);
    // The path clients open: the link if there is one, else the terminal.
    QString DevicePath() const;
    // Serves until SIGTERM or SIGINT, or until the line dies. Exit status.
    int Run();
    QString Error() const { return m_error; }
    // Bytes take the time they take on a line of this speed, 8N1, both ways.
    void SetBaud(int baud)
    {
        m_baud = baud;
        m_byteTimeNs = baud > 0 ? 10'000'000'000LL / baud : 0;
    }
    // Hears only a client that set the line to that speed, as a camera's
    // receiver does: at another rate its bytes are noise and go unanswered.
    void SetStrictBaud(bool strict) { m_strictBaud = strict; }
    // Bytes sent wait for the next tick of a timer of this period, as in a
    // USB adapter whose latency timer was left at its default.
    void SetLatency(int ms) { m_tickNs = ms > 0 ? ms * 1'000'000LL : 0; }

private:
    bool Fail(const QString &message);
    void CloseAll();
    void HearOverTheLine(qsizetype count);
    void SendOverTheLine(const QByteArray &bytes);
    bool AtOurRate() const;

    SimCamera *m_camera = nullptr;
    SimLog *m_log = nullptr;
    int m_master = -1;
    int m_slave = -1;
    QString m_slavePath;
    QString m_linkPath;
    QString m_error;
    int m_baud = 0;
    bool m_strictBaud = false;
    long long m_byteTimeNs = 0;
    long long m_rxDoneNs = 0; // when the last byte heard has fully arrived
    long long m_tickNs = 0;
    long long m_ticksFromNs = 0; // the latency timer's start
};
