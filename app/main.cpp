#include "ccontrolapp.h"
#include "cmainframe.h"
#include "guinotifier.h"

#include "camera/thecamera.h"
#include "comm/comportmap.h"
#include "document/czqb40doc.h"
#include "resources/apptitle.h"

#include <QApplication>
#include <QFileInfo>

// For now the program opens COM 1 at 9600 baud (--com 1=DEVICE names the
// device behind it) and shows its window.
int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Vantorix Ltd."));
    QCoreApplication::setApplicationName(QString::fromLatin1(kAppTitle));
    GuiNotifier notifier;
    UserNotifier::Install(&notifier);

    QString file;
    const QStringList args = QCoreApplication::arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args.at(i) == QLatin1String("--com") && i + 1 < args.size())
            ComPortMap::ParseOverride(args.at(++i));
        else if (file.isEmpty())
            file = args.at(i);
    }

    CControlApp control;
    theCamera.ConnectPort(1, 9600);
    if (file.isEmpty() && theCamera.IsPortOpen())
        theCamera.UploadAll();

    CZQB40Doc doc;
    CMainFrame *frame =
        CMainFrame::Create(&doc, QFileInfo(QCoreApplication::applicationFilePath()).fileName());
    if (file.isEmpty())
        doc.OnFileNew();
    else
        doc.OpenDocumentFile(file);
    frame->show();
    const int status = app.exec();
    delete frame;
    UserNotifier::Install(nullptr);
    return status;
}
