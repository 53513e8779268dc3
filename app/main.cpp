#include "ccontrolapp.h"
#include "guinotifier.h"

#include <QApplication>
#include <QIcon>
#include <QStringList>

int main(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    // The help and the version are text for a terminal: no display needed.
    if (CControlApp::OnlyPrints(arguments)) {
        QCoreApplication core(argc, argv);
        CControlApp control;
        control.Startup(QCoreApplication::arguments());
        return control.ExitStatus();
    }
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
