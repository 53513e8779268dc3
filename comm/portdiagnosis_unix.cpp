#include "portdiagnosis.h"

// The POSIX side: the device node, its owner and group, and what open says.

#include <QCoreApplication>
#include <QSerialPort>
#include <QVector>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString osReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

bool inGroup(gid_t gid)
{
    if (getegid() == gid)
        return true;
    const int count = getgroups(0, nullptr);
    QVector<gid_t> groups(qMax(count, 0));
    if (count > 0 && getgroups(count, groups.data()) == count)
        return groups.contains(gid);
    return false;
}

QString permissionAdvice(const struct stat &st)
{
    const struct group *group = getgrgid(st.st_gid);
    const QString name =
        group ? QString::fromLocal8Bit(group->gr_name) : QString::number(st.st_gid);
    const bool groupMayUse = (st.st_mode & (S_IRGRP | S_IWGRP)) == (S_IRGRP | S_IWGRP);
    if (!groupMayUse || st.st_gid == 0) {
        const struct passwd *owner = getpwuid(st.st_uid);
        return QCoreApplication::translate("PortDiagnosis", "only its owner %1 may open it")
            .arg(owner ? QString::fromLocal8Bit(owner->pw_name) : QString::number(st.st_uid));
    }
    if (inGroup(st.st_gid))
        return QCoreApplication::translate(
                   "PortDiagnosis", "it belongs to group \"%1\", which this process is in: the "
                                    "device's own permissions refuse it")
            .arg(name);
    return QCoreApplication::translate(
               "PortDiagnosis",
               "it belongs to group \"%1\": join it (sudo usermod -aG %1 $USER) and "
               "log in again")
        .arg(name);
}

} // namespace

QString PortDiagnosis::Explain(const QString &device, int serialPortError, const QString &reason)
{
    const QByteArray path = device.toLocal8Bit();
    struct stat st = {};
    QString advice;
    if (serialPortError == QSerialPort::DeviceNotFoundError || ::stat(path.constData(), &st) != 0)
        advice = QCoreApplication::translate("PortDiagnosis",
                                             " (no such device: unplugged, or another name?)");
    else if (serialPortError == QSerialPort::PermissionError)
        // Qt says this for a lock held, a busy device and a refused one alike.
        advice =
            ::access(path.constData(), R_OK | W_OK) != 0
                ? QStringLiteral(" (%1)").arg(permissionAdvice(st))
                : QCoreApplication::translate("PortDiagnosis", " (another program has it open)");
    else if (!S_ISCHR(st.st_mode))
        advice = QCoreApplication::translate("PortDiagnosis", " (not a serial device)");
    return QStringLiteral("%1: %2%3").arg(device, reason, advice);
}

QString PortDiagnosis::Explain(const QString &device)
{
    const QByteArray path = device.toLocal8Bit();
    struct stat st = {};
    if (::stat(path.constData(), &st) != 0) {
        const int error = errno;
        return QStringLiteral("%1: %2%3")
            .arg(device, osReason(error),
                 error == ENOENT
                     ? QCoreApplication::translate("PortDiagnosis",
                                                   " (no such device: unplugged, or another name?)")
                     : QString());
    }
    const int fd = ::open(path.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        QString advice;
        if (error == EACCES || error == EPERM)
            advice = QStringLiteral(" (%1)").arg(permissionAdvice(st));
        else if (error == EBUSY)
            advice = QCoreApplication::translate("PortDiagnosis", " (another program has it open)");
        else if (error == ENXIO || error == ENODEV)
            advice = QCoreApplication::translate("PortDiagnosis",
                                                 " (nothing behind the device: unplugged?)");
        return QStringLiteral("%1: %2%3").arg(device, osReason(error), advice);
    }
    const bool terminal = ::isatty(fd) == 1;
    ::close(fd);
    if (!terminal)
        return QCoreApplication::translate("PortDiagnosis", "%1: not a serial device").arg(device);
    // It opens now: another program held its lock, or let it go meanwhile.
    return QCoreApplication::translate(
               "PortDiagnosis", "%1: %2 (another program holds its lock, or held it a moment ago)")
        .arg(device, osReason(EBUSY));
}
