// A text marked for translation that the translation file does not have:
// the translation check must name it.
#include <QCoreApplication>

QString PlantedText()
{
    return QCoreApplication::translate("Planted", "A text nobody translated");
}
