#include "ossupport.h"

#include <QCoreApplication>
#include <QFile>

#include <cerrno>
#include <sys/file.h>

bool OsSupport::LockExclusive(QFile &file)
{
    // There are no share modes here: programs that care take this lock.
    // Only "someone holds it" refuses.
    if (::flock(file.handle(), LOCK_EX | LOCK_NB) == 0)
        return true;
    return errno != EWOULDBLOCK;
}

bool OsSupport::DeviceIsFile()
{
    return true;
}

QString OsSupport::CameraLinkDirectory()
{
    return qEnvironmentVariable("CLSERIALPATH");
}

QStringList OsSupport::LibraryPatterns()
{
    return {QStringLiteral("*.so"), QStringLiteral("*.so.*")};
}

QString OsSupport::LibraryFilter()
{
    // Grabber makers ship their Linux libraries as shared objects.
    return QCoreApplication::translate(
        "CommSetupDialog", "dll file (*.dll);;shared library (*.so *.so.*);;all file (*.*)");
}

QString OsSupport::LibrarySelectedFilter()
{
    return QCoreApplication::translate("CommSetupDialog", "shared library (*.so *.so.*)");
}

void OsSupport::Print(std::FILE *stream, const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}
