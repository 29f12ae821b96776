#pragma once

#include "profile/SlotTable.h"

#include <array>
#include <cstdint>

// The editor window's layout: every control with its place in twips, its text,
// its look and its place in the tab order.
namespace editor {

inline constexpr int kClientWidth = 8280;
inline constexpr int kClientHeight = 7560;
inline constexpr double kWindowPoints = 11.25;

enum class Style : std::uint8_t
{
    Header,    // group header caption box
    Caption,   // row, column or field caption box
    Mark,      // separator or unit mark caption box
    Divider,   // empty black divider caption box
    Entry,     // single-line entry box
    MultiLine, // multi-line entry box
    Button,
    None // the labels: window font and the system's colours
};

struct StyleSpec
{
    Style style;
    profile::Rgb background;
    bool ownTextColour; // false: the system's colour, or no text at all
    profile::Rgb text;
};

inline constexpr std::array<StyleSpec, 7> kStyles{{
    {Style::Header, {192, 255, 255}, true, {0, 0, 255}},
    {Style::Caption, {255, 255, 192}, true, {255, 128, 128}},
    {Style::Mark, {255, 255, 255}, true, {255, 128, 128}},
    {Style::Divider, {0, 0, 0}, false, {}},
    {Style::Entry, {255, 255, 255}, true, {0, 0, 0}},
    {Style::MultiLine, {255, 255, 255}, true, {0, 0, 0}},
    {Style::Button, {192, 255, 192}, false, {}},
}};

constexpr bool stylesInEnumOrder()
{
    for (std::size_t i = 0; i < kStyles.size(); ++i) {
        if (static_cast<std::size_t>(kStyles[i].style) != i)
            return false;
    }
    return true;
}
static_assert(stylesInEnumOrder());

// Control arrays and single controls, named as the window's members are.
enum class Name : std::uint8_t
{
    Text,
    項目,
    Command1,
    btn内容更新,
    btnキャンセル,
    Label1,
    Label2
};

struct Control
{
    Name name;
    int index; // within its control array; 0 for single controls
    int left, top, width, height;
    const char16_t* text;
    Style style;
    double points;
    int tab; // place in the tab order, 0 first
    const char16_t* toolTip = nullptr;
};

inline constexpr int kCaptionCount = 46;
inline constexpr int kClearButtonCount = 6;
inline constexpr char16_t kDropTip[] = u"フォームのテキストボックスへDrag&Drop";

using N = Name;
using S = Style;

// Every visible control of the window. Entry boxes have no fixed text: the
// load fills them from the palette.
inline constexpr std::array<Control, 93> kControls{{
    {N::Label2, 0, 1560, 0, 5415, 255, u"(半角)指示のあるものは、必ず、半角で入力して下さい。",
     S::None, 11.25, 113},

    {N::項目, 16, 120, 360, 3375, 375, u"氏　　名", S::Header, 12, 50},
    {N::Command1, 0, 3480, 360, 615, 375, u"クリア", S::Button, 9, 96},
    {N::項目, 5, 120, 720, 1335, 375, u"", S::Caption, 12, 39},
    {N::項目, 1, 1440, 720, 1335, 375, u"姓", S::Caption, 12, 35},
    {N::項目, 2, 2760, 720, 1335, 375, u"名", S::Caption, 12, 36},
    {N::項目, 0, 120, 1080, 1335, 375, u"漢字", S::Caption, 12, 34},
    {N::Text, 1, 1440, 1080, 1335, 375, u"", S::Entry, 12, 0},
    {N::Text, 2, 2760, 1080, 1335, 375, u"", S::Entry, 12, 1},
    {N::項目, 3, 120, 1440, 1335, 375, u"ｶﾅ(半角)", S::Caption, 12, 37},
    {N::Text, 10, 1440, 1440, 1335, 375, u"", S::Entry, 12, 2},
    {N::Text, 11, 2760, 1440, 1335, 375, u"", S::Entry, 12, 3},
    {N::項目, 4, 120, 1800, 1335, 375, u"ｱﾙﾌｧﾍﾞｯﾄ(半角)", S::Caption, 9, 38},
    {N::Text, 14, 1440, 1800, 1335, 375, u"", S::Entry, 9, 4},
    {N::Text, 13, 2760, 1800, 1335, 375, u"", S::Entry, 9, 5},

    {N::項目, 17, 120, 2280, 3375, 375, u"住　　所", S::Header, 12, 51},
    {N::Command1, 1, 3480, 2280, 615, 375, u"クリア", S::Button, 9, 97},
    {N::項目, 19, 120, 2640, 1335, 375, u"郵便番号", S::Caption, 12, 53},
    {N::Text, 17, 1440, 2640, 1215, 375, u"", S::Entry, 12, 33},
    {N::項目, 18, 2640, 2640, 165, 375, u"-", S::Mark, 12, 52},
    {N::Text, 18, 2760, 2640, 1335, 375, u"", S::Entry, 12, 32},
    {N::項目, 6, 120, 3000, 1335, 375, u"都道府県", S::Caption, 12, 40},
    {N::Text, 20, 1440, 3000, 2655, 375, u"", S::Entry, 12, 31},
    {N::項目, 7, 120, 3360, 1335, 375, u"市町村", S::Caption, 12, 41},
    {N::Text, 21, 1440, 3360, 2655, 375, u"", S::Entry, 12, 30},
    {N::項目, 8, 120, 3720, 1335, 375, u"地区", S::Caption, 12, 42},
    {N::Text, 22, 1440, 3720, 2655, 375, u"", S::Entry, 12, 29},
    {N::項目, 9, 120, 4080, 1335, 375, u"番地", S::Caption, 12, 43},
    {N::Text, 23, 1440, 4080, 2655, 375, u"", S::Entry, 12, 28},

    {N::項目, 20, 120, 4560, 3375, 375, u"電　話　番　号", S::Header, 12, 54},
    {N::Command1, 2, 3480, 4560, 615, 375, u"クリア", S::Button, 9, 98},
    {N::項目, 10, 120, 4920, 1335, 375, u"電話番号", S::Caption, 12, 44},
    {N::Text, 26, 1440, 4920, 735, 375, u"", S::Entry, 12, 27},
    {N::項目, 11, 2160, 4920, 165, 375, u"-", S::Mark, 12, 45},
    {N::Text, 27, 2280, 4920, 735, 375, u"", S::Entry, 12, 26},
    {N::項目, 12, 3000, 4920, 165, 375, u"-", S::Mark, 12, 46},
    {N::Text, 28, 3120, 4920, 975, 375, u"", S::Entry, 12, 25},
    {N::項目, 13, 120, 5280, 1335, 375, u"携帯またはFAX", S::Caption, 9, 47},
    {N::Text, 31, 1440, 5280, 735, 375, u"", S::Entry, 12, 24},
    {N::項目, 15, 2160, 5280, 165, 375, u"-", S::Mark, 12, 49},
    {N::Text, 32, 2280, 5280, 735, 375, u"", S::Entry, 12, 23},
    {N::項目, 14, 3000, 5280, 165, 375, u"-", S::Mark, 12, 48},
    {N::Text, 33, 3120, 5280, 975, 375, u"", S::Entry, 12, 22},

    {N::Label1, 0, 120, 5760, 3975, 1215, u"", S::None, 11.25, 112},
    {N::btn内容更新, 0, 120, 6960, 1935, 495, u"内　容　更　新", S::Button, 12, 102},
    {N::btnキャンセル, 0, 2160, 6960, 1935, 495, u"キ　ャ　ン　セ　ル", S::Button, 12, 110},

    {N::項目, 34, 4200, 360, 3375, 375, u"希望振込み先銀行情報", S::Header, 12, 67},
    {N::Command1, 4, 7560, 360, 615, 375, u"クリア", S::Button, 9, 100},
    {N::項目, 30, 4200, 720, 1335, 375, u"銀行名", S::Caption, 12, 63},
    {N::Text, 47, 5520, 720, 2655, 375, u"", S::Entry, 12, 15},
    {N::項目, 31, 4200, 1080, 1335, 375, u"支店名", S::Caption, 12, 64},
    {N::Text, 48, 5520, 1080, 2655, 375, u"", S::Entry, 12, 14},
    {N::項目, 32, 4200, 1440, 1335, 375, u"普通・当座", S::Caption, 12, 65},
    {N::Text, 49, 5520, 1440, 2655, 375, u"", S::Entry, 12, 13},
    {N::項目, 33, 4200, 1800, 1335, 375, u"口座番号", S::Caption, 12, 66},
    {N::Text, 50, 5520, 1800, 2655, 375, u"", S::Entry, 12, 6},

    {N::項目, 25, 4200, 2280, 3375, 375, u"そ　の　他", S::Header, 12, 59},
    {N::Command1, 3, 7560, 2280, 615, 375, u"クリア", S::Button, 9, 99},
    {N::項目, 42, 4200, 2640, 1095, 375, u"生年月日", S::Caption, 12, 106},
    {N::Text, 38, 5280, 2640, 735, 375, u"", S::Entry, 12, 105},
    {N::項目, 43, 6000, 2640, 285, 375, u"年", S::Mark, 12, 107},
    {N::Text, 39, 6240, 2640, 735, 375, u"", S::Entry, 12, 104},
    {N::項目, 44, 6960, 2640, 285, 375, u"月", S::Mark, 12, 108},
    {N::Text, 40, 7200, 2640, 735, 375, u"", S::Entry, 12, 103},
    {N::項目, 45, 7920, 2640, 255, 375, u"日", S::Mark, 12, 109},
    {N::項目, 21, 4200, 3000, 735, 375, u"年齢", S::Caption, 12, 55},
    {N::Text, 34, 4920, 3000, 615, 375, u"", S::Entry, 12, 21},
    {N::項目, 22, 5520, 3000, 375, 375, u"才", S::Mark, 12, 56},
    {N::項目, 24, 5880, 3000, 165, 375, u"", S::Divider, 12, 58},
    {N::項目, 23, 6000, 3000, 735, 375, u"職業", S::Caption, 12, 57},
    {N::Text, 35, 6720, 3000, 1455, 375, u"", S::Entry, 12, 20},
    {N::項目, 26, 4200, 3360, 975, 375, u"ﾒｰﾙｱﾄﾞﾚｽ", S::Caption, 9.75, 60},
    {N::Text, 42, 5160, 3360, 975, 375, u"", S::Entry, 12, 19},
    {N::項目, 27, 6120, 3360, 285, 375, u"＠", S::Mark, 12, 111},
    {N::Text, 43, 6360, 3360, 1815, 375, u"", S::Entry, 12, 18},
    {N::項目, 28, 4200, 3720, 1455, 375, u"希望ＩＤ", S::Caption, 12, 61},
    {N::Text, 44, 5640, 3720, 2535, 375, u"", S::Entry, 12, 17},
    {N::項目, 29, 4200, 4080, 1455, 375, u"希望パスワード", S::Caption, 9.75, 62},
    {N::Text, 45, 5640, 4080, 2535, 375, u"", S::Entry, 12, 16},

    {N::項目, 41, 4200, 4560, 3375, 375, u"あなたのホームページの情報", S::Header, 12, 74},
    {N::Command1, 5, 7560, 4560, 615, 375, u"クリア", S::Button, 9, 101},
    {N::項目, 39, 4200, 4920, 1335, 375, u"サイトのタイトル", S::Caption, 9, 72},
    {N::Text, 51, 5520, 4920, 2655, 375, u"", S::MultiLine, 9, 12},
    {N::項目, 38, 4200, 5280, 1335, 375, u"サイト(フリガナ)", S::Caption, 9, 71},
    {N::Text, 52, 5520, 5280, 2655, 375, u"", S::MultiLine, 9, 11},
    {N::項目, 37, 4200, 5640, 1335, 375, u"サイトＵＲＬ", S::Caption, 9, 70},
    {N::Text, 53, 5520, 5640, 2655, 375, u"", S::MultiLine, 9, 10},
    {N::項目, 36, 4200, 6000, 1335, 735, u"サイトの説明", S::Caption, 9, 69},
    {N::Text, 54, 5520, 6000, 2655, 735, u"", S::MultiLine, 9, 9},
    {N::項目, 35, 4200, 6720, 1335, 375, u"1日アクセス数", S::Caption, 9, 68},
    {N::Text, 55, 5520, 6720, 2655, 375, u"", S::MultiLine, 12, 8, kDropTip},
    {N::項目, 40, 4200, 7080, 1335, 375, u"1月アクセス数", S::Caption, 9, 73},
    {N::Text, 56, 5520, 7080, 2655, 375, u"", S::MultiLine, 12, 7, kDropTip},
}};

// The invisible frame that holds the boxes of the derived slots.
struct FramePlace
{
    int left, top, width, height, tab;
};
inline constexpr FramePlace kFrame1{0, 240, 2535, 975, 75};

// The hidden boxes, in the order of the derived slots of the slot table; their
// tab places follow the frame's.
struct HiddenPlace
{
    int left, top;
};
inline constexpr int kHiddenWidth = 255;
inline constexpr int kHiddenHeight = 270;
inline constexpr std::array<HiddenPlace, 20> kHiddenBoxes{{
    {0, 0},      {240, 0},    {480, 0},    {720, 0},    {960, 0},   {1200, 0},  {1440, 0},
    {1680, 0},   {1920, 0},   {0, 240},    {240, 240},  {480, 240}, {720, 240}, {960, 240},
    {1200, 240}, {1440, 240}, {1680, 240}, {1920, 240}, {720, 480}, {960, 480},
}};

// The layout must hold each entry slot's box exactly once, each caption and
// clear button exactly once, a hidden place for every derived slot, and no
// two controls on one tab place.
constexpr bool layoutMatchesSlotTable()
{
    std::array<int, profile::kSlotCount> boxes{};
    std::array<int, kCaptionCount> captions{};
    std::array<int, kClearButtonCount> clearButtons{};
    std::array<int, kControls.size() + 1 + kHiddenBoxes.size()> tabs{};
    for (const Control& control : kControls) {
        if (control.name == Name::Text && !profile::isEntry(control.index))
            return false;
        if (control.name == Name::Text)
            ++boxes[control.index];
        if (control.name == Name::項目)
            ++captions[control.index];
        if (control.name == Name::Command1)
            ++clearButtons[control.index];
        ++tabs[control.tab];
    }
    int derived = 0;
    for (int slot = 0; slot < profile::kSlotCount; ++slot) {
        if (profile::isEntry(slot) && boxes[slot] != 1)
            return false;
        derived += profile::isEntry(slot) ? 0 : 1;
    }
    for (const int count : captions) {
        if (count != 1)
            return false;
    }
    for (const int count : clearButtons) {
        if (count != 1)
            return false;
    }
    if (derived != int(kHiddenBoxes.size()))
        return false;
    // The frame and its boxes take the places from the frame's on.
    for (int place = 0; place < int(tabs.size()); ++place) {
        const bool frameOrHidden = place >= kFrame1.tab && place <= kFrame1.tab + derived;
        if (tabs[place] != (frameOrHidden ? 0 : 1))
            return false;
    }
    return true;
}
static_assert(layoutMatchesSlotTable());

} // namespace editor
