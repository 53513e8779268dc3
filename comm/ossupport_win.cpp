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

void OsSupport::Print(std::FILE *stream, const QString &text)
{
    std::fflush(stream);
    const DWORD which = stream == stderr ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE;
    HANDLE handle = ::GetStdHandle(which);
    bool own = false;
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE) {
        // A window program has no console of its own, not even when typed
        // into one: it borrows the one it was started from.
        if (!::AttachConsole(ATTACH_PARENT_PROCESS))
            return;
        handle = ::CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_WRITE,
                               nullptr, OPEN_EXISTING, 0, nullptr);
        if (handle == INVALID_HANDLE_VALUE)
            return;
        own = true;
    }
    QString lines = text;
    lines.replace(QLatin1String("\n"), QLatin1String("\r\n"));
    DWORD mode = 0;
    DWORD written = 0;
    if (::GetConsoleMode(handle, &mode)) {
        ::WriteConsoleW(handle, reinterpret_cast<const wchar_t *>(lines.utf16()),
                        DWORD(lines.size()), &written, nullptr);
    } else {
        // The code page would turn what it lacks into "?": a script reading
        // the pipe gets what Linux prints.
        const QByteArray bytes = lines.toUtf8();
        ::WriteFile(handle, bytes.constData(), DWORD(bytes.size()), &written, nullptr);
    }
    if (own)
        ::CloseHandle(handle);
}
