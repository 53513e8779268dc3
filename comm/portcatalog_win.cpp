#include "portcatalog.h"

#include <QRegularExpression>

#include <windows.h>

#include <algorithm>

// Every serial port driver enters its ports under HARDWARE\DEVICEMAP\SERIALCOMM
// ("\Device\VCP0" = "COM5"): read without opening a single port, so a
// busy or slow port cannot hold the list up.
bool PortCatalog::SystemPorts(QList<SerialPortEntry> *list) const
{
    QList<SerialPortEntry> &ports = *list;
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ,
                        &key) != ERROR_SUCCESS)
        return true; // no port ever registered
    for (DWORD i = 0;; ++i) {
        wchar_t name[256];
        wchar_t data[256];
        DWORD nameLength = DWORD(std::size(name));
        DWORD dataBytes = DWORD(sizeof data - sizeof *data);
        DWORD type = 0;
        const LONG result = ::RegEnumValueW(key, i, name, &nameLength, nullptr, &type,
                                            reinterpret_cast<BYTE *>(data), &dataBytes);
        if (result == ERROR_NO_MORE_ITEMS)
            break;
        if (result != ERROR_SUCCESS || type != REG_SZ)
            continue;
        data[dataBytes / sizeof *data] = 0;
        SerialPortEntry e;
        e.stableName = e.kernelName = QString::fromWCharArray(data).trimmed();
        // The kernel device's name says which driver it is ("VCP0": FTDI's).
        e.description =
            QString::fromWCharArray(name, int(nameLength)).section(QLatin1Char('\\'), -1);
        if (!e.kernelName.isEmpty())
            ports.append(e);
    }
    ::RegCloseKey(key);
    // COM2 before COM10.
    static const QRegularExpression digits(QStringLiteral("(\\d+)$"));
    std::sort(ports.begin(), ports.end(), [](const SerialPortEntry &a, const SerialPortEntry &b) {
        return digits.match(a.kernelName).captured(1).toInt() <
               digits.match(b.kernelName).captured(1).toInt();
    });
    return true;
}
