#include "dialogtemplate.h"
#include "servicedialogids.h"

namespace {
using D = DialogItem;
const DialogItem kItems[] = {
    {WhiteSpotId::Detect, D::PushButton, QT_TRANSLATE_NOOP("WhiteSpotDialog", "DETECT"), 14, 18, 36,
     18, D::GroupStart},
    // 70 wide rather than 64, so the caption is not cut off in wider fonts.
    {-1, D::Label, QT_TRANSLATE_NOOP("WhiteSpotDialog", "THRESHOLD LEVEL"), 58, 16, 70, 8, 0},
    {WhiteSpotId::Threshold, D::Label, "", 128, 14, 25, 10, D::AlignRight | D::Sunken},
    {WhiteSpotId::ThresholdSlider, D::ScrollBar, "", 58, 27, 96, 11, 0},
    {-1, D::GroupBox, QT_TRANSLATE_NOOP("WhiteSpotDialog", "ADDRESS"), 7, 46, 150, 142, 0},
    {WhiteSpotId::Read, D::PushButton, QT_TRANSLATE_NOOP("WhiteSpotDialog", "READ"), 56, 57, 50, 14,
     D::GroupStart},
    {WhiteSpotId::AddressList, D::Edit, "", 13, 76, 136, 105,
     D::Multiline | D::ReadOnly | D::VScroll},
    {WhiteSpotId::CorrectionOff, D::RadioButton, "OFF", 122, 194, 17, 14,
     D::GroupStart | D::PushLike | D::Hidden},
    {WhiteSpotId::CorrectionOn, D::RadioButton, "ON", 139, 194, 18, 14, D::PushLike | D::Hidden},
    {WhiteSpotId::Close, D::PushButton, QT_TRANSLATE_NOOP("WhiteSpotDialog", "CLOSE"), 56, 193, 50,
     14, D::GroupStart},
};
} // namespace

extern const DialogTemplate kWhiteSpotDialog = {
    WhiteSpotId::Dialog,
    QT_TRANSLATE_NOOP("WhiteSpotDialog", "WHITE SPOT DETECT MENU"),
    164,
    215,
    kItems,
    int(sizeof kItems / sizeof kItems[0]),
    "WhiteSpotDialog",
    0};
