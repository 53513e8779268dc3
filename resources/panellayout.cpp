#include "dialogtemplate.h"
#include "panelids.h"

// The control panel (dialog 101): every camera setting on one form. The
// first button of each radio group starts its group.
namespace {
using D = DialogItem;
constexpr quint32 kPush = D::PushLike | D::AlignCenter;
constexpr quint32 kFirst = D::PushLike | D::AlignCenter | D::GroupStart;
constexpr quint32 kRight = D::Sunken | D::AlignRight;
constexpr quint32 kLeft = D::Sunken | D::AlignLeft;

const DialogItem kItems[] = {
    // TRIGGER
    {-1, D::GroupBox, "TRIGGER", 7, 7, 102, 104, 0},
    {-1, D::GroupBox, "MODE", 12, 17, 46, 73, 0},
    {PanelId::ModeOff, D::RadioButton, "OFF", 16, 28, 38, 13, kFirst},
    {PanelId::ModeFixed, D::RadioButton, "FIXED", 16, 43, 38, 13, kPush},
    {PanelId::Mode1Trig, D::RadioButton, "1TRIG", 16, 58, 38, 13, kPush},
    {PanelId::ModeVdCont, D::RadioButton, "VD CONT", 16, 73, 38, 13, kPush},
    {PanelId::SourceGroup, D::GroupBox, "SOURCE", 59, 17, 46, 44, 0},
    {PanelId::SourceCc1, D::RadioButton, "CC1", 63, 28, 38, 13, kFirst},
    {PanelId::Source12pin, D::RadioButton, "12pin", 63, 43, 38, 13, kPush},
    {PanelId::PolarityGroup, D::GroupBox, "POLARITY", 60, 63, 45, 44, 0},
    {PanelId::PolarityPosi, D::RadioButton, "POSI", 64, 74, 37, 13, kFirst},
    {PanelId::PolarityNega, D::RadioButton, "NEGA", 64, 89, 37, 13, kPush},
    // SHUTTER SPEED
    {PanelId::ShutterGroup, D::GroupBox, "SHUTTER SPEED", 114, 7, 99, 104, 0},
    {PanelId::ShutterOff, D::RadioButton, "OFF", 119, 18, 43, 10, D::GroupStart},
    {PanelId::Shutter16, D::RadioButton, "1/16", 119, 29, 43, 10, 0},
    {PanelId::Shutter60, D::RadioButton, "1/60", 119, 40, 43, 10, 0},
    {PanelId::Shutter100, D::RadioButton, "1/100", 119, 51, 43, 10, 0},
    {PanelId::Shutter250, D::RadioButton, "1/250", 119, 62, 43, 10, 0},
    {PanelId::Shutter1000, D::RadioButton, "1/1000", 164, 18, 46, 10, 0},
    {PanelId::Shutter2000, D::RadioButton, "1/2000", 164, 29, 46, 10, 0},
    {PanelId::Shutter10000, D::RadioButton, "1/10000", 164, 40, 46, 10, 0},
    {PanelId::Shutter50000, D::RadioButton, "1/50000", 164, 51, 46, 10, 0},
    {PanelId::ShutterVariable, D::RadioButton, "VARIABLE", 164, 62, 46, 10, 0},
    {PanelId::VariableCaption, D::Label, "Variable Value", 119, 75, 60, 8, D::GroupStart},
    {PanelId::VariableValue, D::Label, "", 119, 84, 90, 10, kRight},
    {PanelId::VariableSlider, D::ScrollBar, "", 119, 97, 90, 9, 0},
    // PARTIAL SCAN
    {PanelId::PartialGroup, D::GroupBox, "PARTIAL SCAN", 216, 7, 120, 104, 0},
    {PanelId::PartialOff, D::RadioButton, "OFF", 221, 17, 32, 10, D::GroupStart},
    {PanelId::PartialOn, D::RadioButton, "ON", 256, 17, 32, 10, 0},
    {PanelId::StartCaption, D::Label, "START", 221, 29, 27, 8, D::GroupStart},
    {PanelId::StartValue, D::Label, "", 221, 38, 27, 10, kRight},
    {PanelId::StartSlider, D::ScrollBar, "", 251, 28, 9, 78, D::Vertical},
    {PanelId::WidthCaption, D::Label, "WIDTH", 266, 29, 27, 8, 0},
    {PanelId::WidthValue, D::Label, "", 266, 38, 27, 10, kRight},
    {PanelId::WidthSlider, D::ScrollBar, "", 296, 28, 9, 78, D::Vertical},
    {-1, D::Label, "Bporch", 221, 52, 27, 8, 0},
    {PanelId::BporchValue, D::Label, "", 221, 61, 27, 10, kRight},
    {-1, D::Label, "Fporch", 221, 76, 27, 8, 0},
    {PanelId::FporchValue, D::Label, "", 221, 85, 27, 10, kRight},
    {-1, D::Label, "Active", 266, 52, 27, 8, 0},
    {PanelId::ActiveValue, D::Label, "", 266, 61, 27, 10, kRight},
    {-1, D::Label, "Total", 266, 76, 27, 8, 0},
    {PanelId::TotalValue, D::Label, "", 266, 85, 27, 10, kRight},
    // FACTORY, 2xACCEL
    {PanelId::FactoryGroup, D::GroupBox, "FACTORY", 339, 9, 44, 35, 0},
    {PanelId::FactorySet, D::PushButton, "SET", 344, 21, 34, 16, D::GroupStart},
    {PanelId::AccelGroup, D::GroupBox, "2xACCEL", 337, 51, 47, 48, 0},
    {PanelId::AccelOff, D::RadioButton, "OFF", 342, 62, 37, 13, kFirst},
    {PanelId::AccelOn, D::RadioButton, "ON", 342, 79, 37, 13, kPush},
    // CAMERA LINK
    {-1, D::GroupBox, "CAMERA LINK", 7, 116, 222, 76, 0},
    {-1, D::GroupBox, "DATA BIT", 12, 128, 39, 59, 0},
    {PanelId::DataBit8, D::RadioButton, "8bit", 16, 139, 31, 13, kFirst},
    {PanelId::DataBit10, D::RadioButton, "10bit", 16, 154, 31, 13, kPush},
    {PanelId::DataBit12, D::RadioButton, "12bit", 16, 169, 31, 13, kPush},
    {-1, D::GroupBox, "SYNC", 56, 128, 73, 59, 0},
    {PanelId::SyncVd, D::RadioButton, "VD", 60, 139, 31, 13, kFirst},
    {PanelId::SyncFval, D::RadioButton, "FVAL", 60, 154, 31, 13, kPush},
    {PanelId::SyncHd, D::RadioButton, "HD", 94, 139, 31, 13, kFirst},
    {PanelId::SyncLval, D::RadioButton, "LVAL", 94, 154, 31, 13, kPush},
    {PanelId::SyncLval2, D::RadioButton, "LVAL2", 94, 169, 31, 13, kPush},
    {-1, D::GroupBox, "CONFIG", 134, 128, 41, 45, 0},
    {PanelId::ConfigBase, D::RadioButton, "BASE", 138, 139, 33, 13, kFirst},
    {PanelId::ConfigMedium, D::RadioButton, "MEDIUM", 138, 154, 33, 13, kPush},
    {PanelId::SortGroup, D::GroupBox, "SORT", 179, 128, 41, 45, 0},
    {PanelId::SortOff, D::RadioButton, "OFF", 183, 139, 33, 13, kFirst},
    {PanelId::SortOn, D::RadioButton, "ON", 183, 154, 33, 13, kPush},
    // 12pinOUT, TEST PATTERN
    {PanelId::PinOutGroup, D::GroupBox, "12pinOUT", 234, 117, 47, 63, 0},
    {PanelId::PinOutOff, D::RadioButton, "OFF", 239, 128, 37, 13, kFirst},
    {PanelId::PinOutFlash, D::RadioButton, "FLASH", 239, 143, 37, 13, kPush},
    {PanelId::PinOutVd, D::RadioButton, "VD", 239, 158, 37, 13, kPush},
    {PanelId::TestPatternGroup, D::GroupBox, "TEST PATTERN", 286, 117, 87, 47, 0},
    {PanelId::TestPatternOff, D::RadioButton, "OFF", 291, 128, 38, 13, kFirst},
    {PanelId::TestPatternV, D::RadioButton, "V", 331, 128, 38, 13, kPush},
    {PanelId::TestPatternH, D::RadioButton, "H", 291, 144, 38, 13, kPush},
    {PanelId::TestPatternHv, D::RadioButton, "HV", 331, 144, 38, 13, kPush},
    // GAIN, BLACK LEVEL
    {-1, D::Label, "GAIN", 9, 205, 30, 8, D::GroupStart},
    {PanelId::GainValue, D::Label, "", 40, 204, 49, 10, kRight},
    {PanelId::GainSlider, D::ScrollBar, "", 9, 216, 80, 9, 0},
    {PanelId::BlackLevelCaption, D::Label, "BLACK LEVEL", 9, 236, 45, 8, 0},
    {PanelId::BlackLevelValue, D::Label, "", 55, 235, 34, 10, kLeft},
    {PanelId::BlackLevelSlider, D::ScrollBar, "", 9, 247, 80, 9, 0},
    // BALANCE ADJUST
    {PanelId::BalanceGroup, D::GroupBox, "BALANCE ADJUST", 96, 195, 134, 68, 0},
    {PanelId::BalanceOff, D::RadioButton, "OFF", 101, 206, 40, 13, kFirst},
    {PanelId::BalanceManual, D::RadioButton, "MANUAL", 143, 206, 40, 13, kPush},
    {PanelId::BalanceAuto, D::RadioButton, "AUTO", 185, 206, 40, 13, kPush},
    {PanelId::RightGainCaption, D::Label, "RIGHT GAIN", 101, 223, 50, 8, D::GroupStart},
    {PanelId::RightGainValue, D::Label, "", 155, 222, 70, 10, kLeft},
    {PanelId::RightGainSlider, D::ScrollBar, "", 101, 233, 124, 8, 0},
    {PanelId::RightBlackCaption, D::Label, "RIGHT BLACK", 101, 243, 50, 8, 0},
    {PanelId::RightBlackValue, D::Label, "", 155, 242, 70, 10, kLeft},
    {PanelId::RightBlackSlider, D::ScrollBar, "", 101, 253, 124, 8, 0},
    // WHITE SPOT CORRECT
    {PanelId::WhiteSpotGroup, D::GroupBox, "WHITE SPOT CORRECT", 236, 195, 104, 37, 0},
    {PanelId::WhiteSpotOff, D::RadioButton, "OFF", 241, 209, 28, 10, D::GroupStart},
    {PanelId::WhiteSpotOn, D::RadioButton, "ON", 270, 209, 28, 10, 0},
    {PanelId::Detect, D::PushButton, "DETECT", 301, 206, 34, 15, D::GroupStart},
    // SUB-V, Adjust-GAIN: hidden at set-up
    {PanelId::SubVCaption, D::Label, "SUB-V", 248, 238, 30, 8, 0},
    {PanelId::SubVValue, D::Label, "", 280, 237, 30, 10, kLeft},
    {PanelId::SubVSlider, D::ScrollBar, "", 248, 248, 90, 9, 0},
    {PanelId::AdjustGainLCaption, D::Label, "Adjust-GAIN(L)", 8, 279, 55, 8, 0},
    {PanelId::AdjustGainLValue, D::Label, "", 64, 278, 30, 10, kLeft},
    {PanelId::AdjustGainLSlider, D::ScrollBar, "", 8, 289, 85, 9, 0},
    {PanelId::AdjustGainRCaption, D::Label, "Adjust-GAIN(R)", 8, 309, 55, 8, 0},
    {PanelId::AdjustGainRValue, D::Label, "", 64, 308, 30, 10, kLeft},
    {PanelId::AdjustGainRSlider, D::ScrollBar, "", 8, 319, 85, 9, 0},
    // SET SERIAL NUMBER
    {PanelId::SerialGroup, D::GroupBox, "SET SERIAL NUMBER", 98, 272, 131, 63, 0},
    {PanelId::SerialEdit, D::Edit, "", 104, 284, 68, 12, D::GroupStart | D::AutoHScroll},
    {PanelId::SerialSpin, D::SpinButton, "", 172, 284, 9, 12, 0},
    {PanelId::SerialWrite, D::PushButton, "WRITE", 186, 283, 38, 14, D::GroupStart},
    {PanelId::SevenDigits, D::RadioButton, "7 digits", 104, 304, 50, 10, D::GroupStart},
    {PanelId::EightDigits, D::RadioButton, "8 digits", 158, 304, 50, 10, 0},
    // CAMERA INFORMATION
    {PanelId::InfoGroup, D::GroupBox, "CAMERA INFORMATION", 235, 272, 146, 63, 0},
    {PanelId::VendorCaption, D::Label, "VNEDOR NAME : ", 240, 282, 62, 8, D::GroupStart},
    {PanelId::ModelCaption, D::Label, "MODEL NAME : ", 240, 292, 62, 8, 0},
    {PanelId::SerialCaption, D::Label, "SERIAL NUMBER : ", 240, 302, 62, 8, 0},
    {PanelId::VersionCaption, D::Label, "VERSION : ", 240, 312, 62, 8, 0},
    {PanelId::VendorValue, D::Label, "****************", 303, 282, 74, 8, 0},
    {PanelId::ModelValue, D::Label, "**********", 303, 292, 74, 8, 0},
    {PanelId::SerialValue, D::Label, "*******", 303, 302, 74, 8, 0},
    {PanelId::VersionValue, D::Label, "******", 303, 312, 74, 8, 0},
    {PanelId::ReadAndReset, D::PushButton, "READ && RESET", 303, 321, 60, 12,
     D::Hidden | D::GroupStart},
};
} // namespace

extern const DialogTemplate kPanelDialog = {
    PanelId::Dialog, "", 391, 345, kItems, int(sizeof kItems / sizeof kItems[0])};
