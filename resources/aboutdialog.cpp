#include "dialogtemplate.h"

#include "resources/appversion.h"

namespace {
// Wider than the 223 units it was drawn with: Linux fonts run wider, and the
// version line must not be cut.
const DialogItem kItems[] = {
    {-1, DialogItem::Icon, "", 11, 17, 20, 20, 0},
    {1001, DialogItem::Label,
     "ZQ-M(V)710ALX Remote\n For Windows XP/2000/NT/Me/98  Ver. " ZQ_VERSION, 40, 5, 205, 18, 0},
    {1002, DialogItem::Label, QT_TRANSLATE_NOOP("AboutDialog", "Built with Qt 6"), 40, 26, 130, 8,
     0},
    {1003, DialogItem::Label, "Vantorix Ltd.", 40, 38, 130, 8, 0},
    {1, DialogItem::PushButton, "OK", 205, 36, 38, 14,
     DialogItem::GroupStart | DialogItem::DefaultButton},
};
} // namespace

extern const DialogTemplate kAboutDialog = {
    100,           QT_TRANSLATE_NOOP("AboutDialog", "About ZQ-M(V)710ALX"),
    250,           55,
    kItems,        int(sizeof kItems / sizeof kItems[0]),
    "AboutDialog", 0};
