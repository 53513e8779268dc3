#include "ccontrolapp.h"
#include "guinotifier.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/zqremote.png")));
    GuiNotifier notifier;
    UserNotifier::Install(&notifier);
    int status = 0;
    {
        CControlApp control;
        status = control.Startup(QCoreApplication::arguments()) ? app.exec() : control.ExitStatus();
    }
    UserNotifier::Install(nullptr);
    return status;
}
