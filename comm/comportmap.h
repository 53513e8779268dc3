#pragma once

#include <QString>

// Which device stands behind "COM n". A command-line override wins, then the
// settings entry "Ports/COMn", then the platform's own name for the port.
// So a USB adapter or the simulated camera can stand behind any number.
class ComPortMap
{
public:
    // COM 1 .. COM kPortCount: the setup dialog's buttons, --com's range.
    static constexpr int kPortCount = 10;

    static QString DeviceFor(int portNumber);
    // The platform's own name for the port, used when nothing else is set.
    static QString DefaultDevice(int portNumber);
    static void SetOverride(int portNumber, const QString &device);
    // The settings entry that puts a device behind the button.
    static QString SettingsKey(int portNumber);
    static void ClearOverrides();
    // Parses "n=DEVICE" as given to --com; false when it is malformed.
    static bool ParseOverride(const QString &text);
};
