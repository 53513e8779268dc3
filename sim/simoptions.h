#pragma once

#include "simconfig.h"

#include <QString>
#include <QStringList>

// The simulated camera's options, shared by zq-camsim (its command line) and
// the Camera Link library (an environment variable with the same syntax).
class SimOptions
{
public:
    // arguments[0] is the program name. False when an option is unknown or
    // malformed; Error() then says which.
    bool Parse(const QStringList &arguments);

    const SimConfig &Config() const { return m_config; }
    QString LinkPath() const { return m_linkPath; }
    QString LogPath() const { return m_logPath; }
    // Line speed whose wire time every byte takes; 0 for none.
    int Baud() const { return m_baud; }
    bool StrictBaud() const { return m_strictBaud; }
    // Tick of a USB adapter's latency timer that holds every byte sent; 0 for none.
    int LatencyMs() const { return m_latencyMs; }
    bool HelpRequested() const { return m_help; }
    QString Error() const { return m_error; }
    static QString HelpText();

private:
    bool Fail(const QString &message);

    SimConfig m_config;
    QString m_linkPath;
    QString m_logPath;
    QString m_error;
    int m_baud = 0;
    bool m_strictBaud = false;
    int m_latencyMs = 0;
    bool m_help = false;
};
