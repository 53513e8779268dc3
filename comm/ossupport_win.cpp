#include "ossupport.h"

#include <QCoreApplication>
#include <QFile>
#include <QSettings>

#include <io.h>
#include <windows.h>

bool OsSupport::LockExclusive(QFile &file)
{
    const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(file.handle()));
    OVERLAPPED from = {};
    if (::LockFileEx(handle, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD,
                     MAXDWORD, &from))
        return true;
    return ::GetLastError() != ERROR_LOCK_VIOLATION;
}

bool OsSupport::DeviceIsFile()
{
    return false;
}

QString OsSupport::CameraLinkDirectory()
{
    // The grabber's installer writes the registry value; a variable set by
    // hand is the fallback.
    const QSettings registry(QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\cameralink"),
                             QSettings::NativeFormat);
    const QString folder = registry.value(QStringLiteral("CLSERIALPATH")).toString();
    return folder.isEmpty() ? qEnvironmentVariable("CLSERIALPATH") : folder;
}

QStringList OsSupport::LibraryPatterns()
{
    return {QStringLiteral("*.dll")};
}

QString OsSupport::LibraryFilter()
{
    return QCoreApplication::translate("CommSetupDialog", "dll file (*.dll);;all file (*.*)");
}

QString OsSupport::LibrarySelectedFilter()
{
    return QString();
}
