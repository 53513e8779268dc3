#include "dialogtemplate.h"
#include "servicedialogids.h"

namespace {
using D = DialogItem;
using R = RegisterEditorId::Id;

// Rows 0 to 15 in the left column, 16 to 31 in the right one.
constexpr int kRowTop = 106;
constexpr int kRowStep = 13;
constexpr int RowX(int k)
{
    return k < 16 ? 14 : 164;
}
constexpr int RowY(int k)
{
    return kRowTop + (k % 16) * kRowStep;
}
// The pages in two lines of four: eight captions do not fit in one.
constexpr int PageX(int page)
{
    return 14 + (page % 4) * 66;
}
constexpr int PageY(int page)
{
    return page < 4 ? 61 : 75;
}

// clang-format off
#define ROW(k)                                                                                \
    {R::AddressFirst + k, D::Edit, "", RowX(k), RowY(k), 28, 12, D::AlignRight | D::UpperCase},   \
    {R::DataFirst + k, D::Edit, "", RowX(k) + 32, RowY(k), 38, 12, D::AlignRight | D::UpperCase}, \
    {R::WriteFirst + k, D::PushButton, "W", RowX(k) + 74, RowY(k), 16, 12, 0},                \
    {R::ReadFirst + k, D::PushButton, "R", RowX(k) + 92, RowY(k), 16, 12, 0}
// clang-format on

const DialogItem kItems[] = {
    {-1, D::GroupBox, "ﾓｰﾄﾞ", 7, 4, 60, 42, 0},
    {R::Fpga, D::RadioButton, "FPGA", 14, 16, 46, 10, D::GroupStart},
    {R::Eeprom, D::RadioButton, "EEPROM", 14, 30, 46, 10, 0},

    {-1, D::GroupBox, "ｴﾘｱ", 72, 4, 144, 42, 0},
    {R::AreaCommon, D::RadioButton, "ｺﾓﾝ", 79, 16, 32, 10, D::GroupStart},
    {R::AreaDsp, D::RadioButton, "DSP", 113, 16, 32, 10, 0},
    {R::AreaTg, D::RadioButton, "TG", 147, 16, 32, 10, 0},
    {R::AreaAfe, D::RadioButton, "AFE", 181, 16, 32, 10, 0},
    {R::AreaIf, D::RadioButton, "I/F", 79, 30, 32, 10, 0},
    {R::AreaInfo, D::RadioButton, "INFO", 113, 30, 32, 10, 0},
    {R::AreaLr, D::RadioButton, "LR", 147, 30, 32, 10, 0},

    {-1, D::GroupBox, "全ﾃﾞｰﾀ", 221, 4, 58, 42, 0},
    {R::ReadPage, D::PushButton, "読み出し", 227, 15, 46, 12, D::GroupStart},
    {R::WritePage, D::PushButton, "書き込み", 227, 30, 46, 12, 0},

    {-1, D::GroupBox, "ｱﾄﾞﾚｽ", 7, 50, 272, 40, 0},
    {R::PageFirst + 0, D::RadioButton, "00-1F", PageX(0), PageY(0), 50, 10, D::GroupStart},
    {R::PageFirst + 1, D::RadioButton, "20-3F", PageX(1), PageY(1), 50, 10, 0},
    {R::PageFirst + 2, D::RadioButton, "40-5F", PageX(2), PageY(2), 50, 10, 0},
    {R::PageFirst + 3, D::RadioButton, "60-7F", PageX(3), PageY(3), 50, 10, 0},
    {R::PageFirst + 4, D::RadioButton, "80-9F", PageX(4), PageY(4), 50, 10, 0},
    {R::PageFirst + 5, D::RadioButton, "A0-BF", PageX(5), PageY(5), 50, 10, 0},
    {R::PageFirst + 6, D::RadioButton, "C0-DF", PageX(6), PageY(6), 50, 10, 0},
    {R::PageFirst + 7, D::RadioButton, "E0-FF", PageX(7), PageY(7), 50, 10, 0},

    {-1, D::Label, "ｱﾄﾞﾚｽ", RowX(0), 96, 28, 8, D::AlignCenter},
    {-1, D::Label, "ﾃﾞｰﾀ", RowX(0) + 32, 96, 38, 8, D::AlignCenter},
    {-1, D::Label, "ｱﾄﾞﾚｽ", RowX(16), 96, 28, 8, D::AlignCenter},
    {-1, D::Label, "ﾃﾞｰﾀ", RowX(16) + 32, 96, 38, 8, D::AlignCenter},
    ROW(0),
    ROW(1),
    ROW(2),
    ROW(3),
    ROW(4),
    ROW(5),
    ROW(6),
    ROW(7),
    ROW(8),
    ROW(9),
    ROW(10),
    ROW(11),
    ROW(12),
    ROW(13),
    ROW(14),
    ROW(15),
    ROW(16),
    ROW(17),
    ROW(18),
    ROW(19),
    ROW(20),
    ROW(21),
    ROW(22),
    ROW(23),
    ROW(24),
    ROW(25),
    ROW(26),
    ROW(27),
    ROW(28),
    ROW(29),
    ROW(30),
    ROW(31),
};
#undef ROW
} // namespace

extern const DialogTemplate kRegisterEditorDialog = {
    R::Dialog,
    QT_TRANSLATE_NOOP("RegisterEditorDialog", "Command Menu"),
    286,
    326,
    kItems,
    int(sizeof kItems / sizeof kItems[0]),
    "RegisterEditorDialog",
    0};
