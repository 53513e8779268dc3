#include "dialogtemplate.h"
#include "servicedialogids.h"

namespace {
using D = DialogItem;
// The transmission field does not scroll sideways: it takes what fits in
// its 110 units. No button is the default one.
const DialogItem kItems[] = {
    {-1, D::Label, QT_TRANSLATE_NOOP("ManualCommandDialog", "Transmission Message"), 10, 10, 110, 8,
     0},
    {ManualCommandId::Transmission, D::Edit, "", 10, 21, 110, 13, D::GroupStart | D::UpperCase},
    {-1, D::Label, QT_TRANSLATE_NOOP("ManualCommandDialog", "Received Message"), 10, 44, 110, 8, 0},
    {ManualCommandId::Received, D::Edit, "", 10, 55, 110, 13,
     D::GroupStart | D::ReadOnly | D::UpperCase | D::AutoHScroll},
    {ManualCommandId::Send, D::PushButton, QT_TRANSLATE_NOOP("ManualCommandDialog", "Send"), 140,
     20, 60, 14, D::GroupStart},
    {ManualCommandId::Read, D::PushButton, QT_TRANSLATE_NOOP("ManualCommandDialog", "Read"), 140,
     54, 60, 14, D::GroupStart},
    {ManualCommandId::Exit, D::PushButton, QT_TRANSLATE_NOOP("ManualCommandDialog", "Exit"), 140,
     88, 60, 14, D::GroupStart},
};
} // namespace

extern const DialogTemplate kManualCommandDialog = {
    ManualCommandId::Dialog,
    QT_TRANSLATE_NOOP("ManualCommandDialog", "Manual Command"),
    212,
    111,
    kItems,
    int(sizeof kItems / sizeof kItems[0]),
    "ManualCommandDialog",
    0};
