#include "comportmap.h"

#include <QCoreApplication>
#include <QMap>
#include <QSettings>

namespace {
QMap<int, QString> &overrides()
{
    static QMap<int, QString> map;
    return map;
}
} // namespace

QString ComPortMap::DeviceFor(int portNumber)
{
    const auto it = overrides().constFind(portNumber);
    if (it != overrides().constEnd())
        return it.value();
    if (QCoreApplication::instance() && !QCoreApplication::organizationName().isEmpty()) {
        const QString configured =
            QSettings().value(SettingsKey(portNumber)).toString();
        if (!configured.isEmpty())
            return configured;
    }
    return DefaultDevice(portNumber);
}

QString ComPortMap::DefaultDevice(int portNumber)
{
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(portNumber);
#else
    // COM1 is the first on-board port; COM0 has no device and fails to open.
    return QStringLiteral("/dev/ttyS%1").arg(portNumber - 1);
#endif
}

void ComPortMap::SetOverride(int portNumber, const QString &device)
{
    overrides().insert(portNumber, device);
}

void ComPortMap::ClearOverrides()
{
    overrides().clear();
}

bool ComPortMap::ParseOverride(const QString &text)
{
    const int eq = text.indexOf(QLatin1Char('='));
    if (eq <= 0 || eq == text.size() - 1)
        return false;
    bool ok = false;
    const int n = text.left(eq).toInt(&ok);
    if (!ok || n < 1 || n > kPortCount)
        return false;
    SetOverride(n, text.mid(eq + 1));
    return true;
}

QString ComPortMap::SettingsKey(int portNumber)
{
    return QStringLiteral("Ports/COM%1").arg(portNumber);
}
