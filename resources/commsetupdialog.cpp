#include "commsetupids.h"
#include "dialogtemplate.h"

// QT_TRANSLATE_NOOP("CommSetupDialog", "Select Communication System"): the COM ports on the left,
// the frame grabber's library and its serial port on the right. The 13 port and board buttons are
// one radio group, so choosing a board deselects the port; the board buttons are a tab stop of
// their own.
namespace {
using D = DialogItem;
constexpr quint32 kPort = D::PushLike | D::AlignCenter;

const DialogItem kItems[] = {
    {CommSetupId::Rs232cGroup, D::GroupBox, QT_TRANSLATE_NOOP("CommSetupDialog", "RS-232C Setting"),
     5, 4, 162, 98, 0},
    {CommSetupId::OpenPortGroup, D::GroupBox, QT_TRANSLATE_NOOP("CommSetupDialog", "Open Port"), 10,
     14, 92, 68, 0},
    {CommSetupId::FirstPort, D::RadioButton, "COM 1", 15, 24, 40, 11, kPort | D::GroupStart},
    {CommSetupId::FirstPort + 1, D::RadioButton, "COM 2", 15, 35, 40, 11, kPort},
    {CommSetupId::FirstPort + 2, D::RadioButton, "COM 3", 15, 46, 40, 11, kPort},
    {CommSetupId::FirstPort + 3, D::RadioButton, "COM 4", 15, 57, 40, 11, kPort},
    {CommSetupId::FirstPort + 4, D::RadioButton, "COM 5", 15, 68, 40, 11, kPort},
    {CommSetupId::FirstPort + 5, D::RadioButton, "COM 6", 57, 24, 40, 11, kPort},
    {CommSetupId::FirstPort + 6, D::RadioButton, "COM 7", 57, 35, 40, 11, kPort},
    {CommSetupId::FirstPort + 7, D::RadioButton, "COM 8", 57, 46, 40, 11, kPort},
    {CommSetupId::FirstPort + 8, D::RadioButton, "COM 9", 57, 57, 40, 11, kPort},
    {CommSetupId::FirstPort + 9, D::RadioButton, "COM10", 57, 68, 40, 11, kPort},
    {CommSetupId::BoardGroup, D::GroupBox, QT_TRANSLATE_NOOP("CommSetupDialog", "CameraLink Board"),
     172, 4, 141, 98, 0},
    {CommSetupId::BoardMakerGroup, D::GroupBox,
     QT_TRANSLATE_NOOP("CommSetupDialog", "Select Board Maker"), 177, 14, 131, 83, 0},
    {CommSetupId::Euresys, D::RadioButton, "Euresys", 183, 25, 58, 13, kPort | D::TabStop},
    {CommSetupId::Matrox, D::RadioButton, "Matrox", 244, 25, 58, 13, kPort},
    {CommSetupId::OtherFactory, D::RadioButton,
     QT_TRANSLATE_NOOP("CommSetupDialog", "Other Factory"), 183, 42, 58, 13, kPort},
    {CommSetupId::LibraryPath, D::Edit, "", 183, 62, 74, 12,
     D::AutoHScroll | D::Disabled | D::GroupStart},
    {CommSetupId::LibrarySuffix, D::Label, ".dll", 259, 64, 14, 9, D::Disabled},
    {CommSetupId::Browse, D::PushButton, QT_TRANSLATE_NOOP("CommSetupDialog", "Browse"), 274, 61,
     30, 14, D::Disabled},
    {CommSetupId::GrabberPortLabel, D::Label, QT_TRANSLATE_NOOP("CommSetupDialog", "Port"), 183, 82,
     24, 9, D::Disabled},
    {CommSetupId::GrabberPort, D::ComboBox, "", 208, 80, 96, 13, D::Disabled},
    {CommSetupId::BaudGroup, D::GroupBox, QT_TRANSLATE_NOOP("CommSetupDialog", "Baud Rate"), 106,
     14, 56, 44, 0},
    {CommSetupId::Baud9600, D::RadioButton, " 9600", 112, 26, 44, 10, D::GroupStart},
    {CommSetupId::Baud115200, D::RadioButton, "115200", 112, 40, 44, 10, 0},
    // Below the rates, in the space the port group leaves free.
    {CommSetupId::Search, D::PushButton, QT_TRANSLATE_NOOP("CommSetupDialog", "Search"), 106, 65,
     56, 14, 0},
    {CommSetupId::Open, D::PushButton, QT_TRANSLATE_NOOP("CommSetupDialog", "OPEN"), 198, 107, 54,
     15, D::DefaultButton | D::GroupStart},
    {CommSetupId::Cancel, D::PushButton, QT_TRANSLATE_NOOP("CommSetupDialog", "CANCEL"), 258, 107,
     54, 15, 0},
};
} // namespace

extern const DialogTemplate kCommSetupDialog = {
    CommSetupId::Dialog,
    QT_TRANSLATE_NOOP("CommSetupDialog", "Select Communication System"),
    318,
    127,
    kItems,
    int(sizeof kItems / sizeof kItems[0]),
    "CommSetupDialog",
    0};
