#include "zqctl.h"

#include "resources/apptitle.h"
#include "resources/stringids.h"
#include "resources/stringtable.h"

#include <QCoreApplication>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(StringTable::Load(StringId::Company));
    QCoreApplication::setApplicationName(QString::fromLatin1(kAppTitle));
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    Zqctl zqctl;
    const int status = zqctl.Run(arguments);
    return status;
}
