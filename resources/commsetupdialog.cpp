#include "dialogtemplate.h"

// "Select Communication System": the COM ports on the left, the frame
// grabber's library on the right. The 13 port and board buttons are one
// radio group, so choosing a board deselects the port; the board buttons
// are a tab stop of their own.
namespace {
using D = DialogItem;
constexpr quint32 kPort = D::PushLike | D::AlignCenter;

const DialogItem kItems[] = {
    {1040, D::GroupBox, "RS-232C Setting", 5, 4, 162, 82, 0},
    {1041, D::GroupBox, "Open Port", 10, 14, 92, 68, 0},
    {1000, D::RadioButton, "COM 1", 15, 24, 40, 11, kPort | D::GroupStart},
    {1001, D::RadioButton, "COM 2", 15, 35, 40, 11, kPort},
    {1002, D::RadioButton, "COM 3", 15, 46, 40, 11, kPort},
    {1003, D::RadioButton, "COM 4", 15, 57, 40, 11, kPort},
    {1004, D::RadioButton, "COM 5", 15, 68, 40, 11, kPort},
    {1005, D::RadioButton, "COM 6", 57, 24, 40, 11, kPort},
    {1006, D::RadioButton, "COM 7", 57, 35, 40, 11, kPort},
    {1007, D::RadioButton, "COM 8", 57, 46, 40, 11, kPort},
    {1008, D::RadioButton, "COM 9", 57, 57, 40, 11, kPort},
    {1009, D::RadioButton, "COM10", 57, 68, 40, 11, kPort},
    {1043, D::GroupBox, "CameraLink Board", 172, 4, 141, 82, 0},
    {1044, D::GroupBox, "Select Board Maker", 177, 14, 131, 67, 0},
    {1010, D::RadioButton, "Euresys", 183, 25, 58, 13, kPort | D::TabStop},
    {1011, D::RadioButton, "Matrox", 244, 25, 58, 13, kPort},
    {1012, D::RadioButton, "Other Factory", 183, 42, 58, 13, kPort},
    {1030, D::Edit, "", 183, 62, 74, 12, D::AutoHScroll | D::Disabled | D::GroupStart},
    {1031, D::Label, ".dll", 259, 64, 14, 9, D::Disabled},
    {1032, D::PushButton, "Browse", 274, 61, 30, 14, D::Disabled},
    {1042, D::GroupBox, "Baud Rate", 106, 14, 56, 44, 0},
    {1020, D::RadioButton, " 9600", 112, 26, 44, 10, D::GroupStart},
    {1021, D::RadioButton, "115200", 112, 40, 44, 10, 0},
    {1, D::PushButton, "OPEN", 198, 91, 54, 15, D::DefaultButton | D::GroupStart},
    {2, D::PushButton, "CANCEL", 258, 91, 54, 15, 0},
};
} // namespace

extern const DialogTemplate kCommSetupDialog = {102, "Select Communication System", 318, 111,
                                                kItems, int(sizeof kItems / sizeof kItems[0])};
