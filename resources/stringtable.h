#pragma once

#include <QList>
#include <QString>

// The program's string table: resource id to text. Texts are kept exactly as
// the camera software has always shown them, misspellings included, because
// operators and service documents quote them.
class StringTable
{
public:
    // The text of the id in the chosen language, or an empty text when the
    // id is unknown.
    static QString Load(int id);
    static bool Contains(int id);
    // Every id of the table, in table order.
    static QList<int> Ids();
};
