#include "portdiagnosis.h"

#include "win32portdriver.h"

#include <QCoreApplication>

#include <windows.h>

// Windows has no device nodes to look at: the system's words for the failed
// CreateFileA are given, with what to do for the usual ones.
QString PortDiagnosis::Explain(const QString &device, int systemError, const QString &reason)
{
    QString advice;
    switch (systemError) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        advice = QCoreApplication::translate("PortDiagnosis",
                                             " (no such device: unplugged, or another number?)");
        break;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
        advice = QCoreApplication::translate("PortDiagnosis", " (another program has it open)");
        break;
    default:
        break;
    }
    return QStringLiteral("%1: %2%3").arg(device, reason, advice);
}

QString PortDiagnosis::Explain(const QString &device)
{
    const HANDLE h =
        ::CreateFileA(Win32PortDriver::PathFor(device).constData(), GENERIC_READ | GENERIC_WRITE, 0,
                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h != INVALID_HANDLE_VALUE) {
        ::CloseHandle(h);
        return QCoreApplication::translate("PortDiagnosis",
                                           "%1: in use a moment ago (another program held it)")
            .arg(device);
    }
    const DWORD code = ::GetLastError();
    return Explain(device, int(code), Win32PortDriver::SystemText(code));
}
