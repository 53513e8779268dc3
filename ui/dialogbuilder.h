#pragma once

#include "resources/dialogtemplate.h"

#include <QRect>

class QFont;
class QWidget;

// Turns a dialog layout into widgets: every control a direct child of the
// parent at its place, its id as objectName (decimal) and its row of the
// table as the property "dialogItem", radio buttons in one exclusive
// QButtonGroup per run that starts at a GroupStart item. Captions come in
// the installed language.
class DialogBuilder
{
public:
    // Builds the controls, gives the parent the layout's font size where it
    // has one, and sizes the parent to the layout. Returns the layout's size
    // in pixels.
    static QSize Build(const DialogTemplate &layout, QWidget *parent);
    // Dialog units to pixels with the font's metrics: x * average character
    // width / 4, y * line height / 8, the width averaged over A..Z and a..z.
    static QRect ToPixels(const QRect &dialogUnits, const QFont &font);
    static QSize BaseUnits(const QFont &font);
};
