#include "zqctl.h"

#include <QCoreApplication>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Vantorix Ltd."));
    QCoreApplication::setApplicationName(QStringLiteral(" ZQ-M(V)710ALX"));
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    Zqctl zqctl;
    const int status = zqctl.Run(arguments);
    return status;
}
