#pragma once

#include "forms/Colour.h"
#include "profile/Rgb.h"
#include "profile/SlotTable.h"
#include "profile/TableCheck.h"

#include <array>
#include <cstdint>

// The editor window's layout: every control with its place in twips, its text
// and its look, and the order the Tab key walks them in.
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

struct StyleRow
{
    Style style;
    profile::Rgb background;
    bool ownTextColour; // false: the system's colour, or no text at all
    profile::Rgb text;
};

inline constexpr std::array<StyleRow, 7> kStyles{{
    {Style::Header, {192, 255, 255}, true, {0, 0, 255}},
    {Style::Caption, {255, 255, 192}, true, colours::kPaleRed},
    {Style::Mark, {255, 255, 255}, true, colours::kPaleRed},
    {Style::Divider, {0, 0, 0}, false, {}},
    {Style::Entry, {255, 255, 255}, true, {0, 0, 0}},
    {Style::MultiLine, {255, 255, 255}, true, {0, 0, 0}},
    {Style::Button, {192, 255, 192}, false, {}},
}};

static_assert(profile::firstRow(kStyles,
                                [](const StyleRow& row, int index) {
                                    return static_cast<int>(row.style) != index;
                                }) == -1,
              "kStyles: this row is not in the place of its style in the enum");

// Control arrays and single controls, named as the window's members are.
enum class Name : std::uint8_t
{
    Text,
    項目,
    Command1,
    btn内容更新,
    btnキャンセル,
    Label1,
    Label2,
    Frame1
};

// A control: an element of a control array, or a single control with index 0.
struct ControlId
{
    Name name;
    int index = 0;

    friend constexpr bool operator==(const ControlId&, const ControlId&) = default;
};

// In twips within the client area.
struct Place
{
    int left, top, width, height;
};

struct Control
{
    Name name;
    int index = 0; // within its control array
    Place place;
    const char16_t* text = u"";
    Style style;
    double points;
    const char16_t* toolTip = nullptr;

    constexpr ControlId id() const { return {name, index}; }
};

inline constexpr int kCaptionCount = 46;
inline constexpr int kClearButtonCount = 6;
inline constexpr char16_t kDropTip[] = u"フォームのテキストボックスへDrag&Drop";

using N = Name;
using S = Style;

// Every visible control of the window. Entry boxes have no fixed text: the
// load fills them from the palette. One control a line, as a table is read.
// clang-format off
inline constexpr std::array<Control, 93> kControls{{
    {.name = N::Label2, .place = {1560, 0, 5415, 255}, .text = u"(半角)指示のあるものは、必ず、半角で入力して下さい。", .style = S::None, .points = 11.25},

    {.name = N::項目, .index = 16, .place = {120, 360, 3375, 375}, .text = u"氏　　名", .style = S::Header, .points = 12},
    {.name = N::Command1, .index = 0, .place = {3480, 360, 615, 375}, .text = u"クリア", .style = S::Button, .points = 9},
    {.name = N::項目, .index = 5, .place = {120, 720, 1335, 375}, .style = S::Caption, .points = 12},
    {.name = N::項目, .index = 1, .place = {1440, 720, 1335, 375}, .text = u"姓", .style = S::Caption, .points = 12},
    {.name = N::項目, .index = 2, .place = {2760, 720, 1335, 375}, .text = u"名", .style = S::Caption, .points = 12},
    {.name = N::項目, .index = 0, .place = {120, 1080, 1335, 375}, .text = u"漢字", .style = S::Caption, .points = 12},
    {.name = N::Text, .index = 1, .place = {1440, 1080, 1335, 375}, .style = S::Entry, .points = 12},
    {.name = N::Text, .index = 2, .place = {2760, 1080, 1335, 375}, .style = S::Entry, .points = 12},
    {.name = N::項目, .index = 3, .place = {120, 1440, 1335, 375}, .text = u"ｶﾅ(半角)", .style = S::Caption, .points = 12},
    {.name = N::Text, .index = 10, .place = {1440, 1440, 1335, 375}, .style = S::Entry, .points = 12},
    {.name = N::Text, .index = 11, .place = {2760, 1440, 1335, 375}, .style = S::Entry, .points = 12},
    {.name = N::項目, .index = 4, .place = {120, 1800, 1335, 375}, .text = u"ｱﾙﾌｧﾍﾞｯﾄ(半角)", .style = S::Caption, .points = 9},
    {.name = N::Text, .index = 14, .place = {1440, 1800, 1335, 375}, .style = S::Entry, .points = 9},
    {.name = N::Text, .index = 13, .place = {2760, 1800, 1335, 375}, .style = S::Entry, .points = 9},

    {.name = N::項目, .index = 17, .place = {120, 2280, 3375, 375}, .text = u"住　　所", .style = S::Header, .points = 12},
    {.name = N::Command1, .index = 1, .place = {3480, 2280, 615, 375}, .text = u"クリア", .style = S::Button, .points = 9},
    {.name = N::項目, .index = 19, .place = {120, 2640, 1335, 375}, .text = u"郵便番号", .style = S::Caption, .points = 12},
    {.name = N::Text, .index = 17, .place = {1440, 2640, 1215, 375}, .style = S::Entry, .points = 12},
    {.name = N::項目, .index = 18, .place = {2640, 2640, 165, 375}, .text = u"-", .style = S::Mark, .points = 12},
    {.name = N::Text, .index = 18, .place = {2760, 2640, 1335, 375}, .style = S::Entry, .points = 12},
    {.name = N::項目, .index = 6, .place = {120, 3000, 1335, 375}, .text = u"都道府県", .style = S::Caption, .points = 12},
    {.name = N::Text, .index = 20, .place = {1440, 3000, 2655, 375}, .style = S::Entry, .points = 12},
    {.name = N::項目, .index = 7, .place = {120, 3360, 1335, 375}, .text = u"市町村", .style = S::Caption, .points = 12},
    {.name = N::Text, .index = 21, .place = {1440, 3360, 2655, 375}, .style = S::Entry, .points = 12},
    {.name = N::項目, .index = 8, .place = {120, 3720, 1335, 375}, .text = u"地区", .style = S::Caption, .points = 12},
    {.name = N::Text, .index = 22, .place = {1440, 3720, 2655, 375}, .style = S::Entry, .points = 12},
    {.name = N::項目, .index = 9, .place = {120, 4080, 1335, 375}, .text = u"番地", .style = S::Caption, .points = 12},
    {.name = N::Text, .index = 23, .place = {1440, 4080, 2655, 375}, .style = S::Entry, .points = 12},

    {.name = N::項目, .index = 20, .place = {120, 4560, 3375, 375}, .text = u"電　話　番　号", .style = S::Header, .points = 12},
    {.name = N::Command1, .index = 2, .place = {3480, 4560, 615, 375}, .text = u"クリア", .style = S::Button, .points = 9},
    {.name = N::項目, .index = 10, .place = {120, 4920, 1335, 375}, .text = u"電話番号", .style = S::Caption, .points = 12},
    {.name = N::Text, .index = 26, .place = {1440, 4920, 735, 375}, .style = S::Entry, .points = 12},
    {.name = N::項目, .index = 11, .place = {2160, 4920, 165, 375}, .text = u"-", .style = S::Mark, .points = 12},
    {.name = N::Text, .index = 27, .place = {2280, 4920, 735, 375}, .style = S::Entry, .points = 12},
    {.name = N::項目, .index = 12, .place = {3000, 4920, 165, 375}, .text = u"-", .style = S::Mark, .points = 12},
    {.name = N::Text, .index = 28, .place = {3120, 4920, 975, 375}, .style = S::Entry, .points = 12},
    {.name = N::項目, .index = 13, .place = {120, 5280, 1335, 375}, .text = u"携帯またはFAX", .style = S::Caption, .points = 9},
    {.name = N::Text, .index = 31, .place = {1440, 5280, 735, 375}, .style = S::Entry, .points = 12},
    {.name = N::項目, .index = 15, .place = {2160, 5280, 165, 375}, .text = u"-", .style = S::Mark, .points = 12},
    {.name = N::Text, .index = 32, .place = {2280, 5280, 735, 375}, .style = S::Entry, .points = 12},
    {.name = N::項目, .index = 14, .place = {3000, 5280, 165, 375}, .text = u"-", .style = S::Mark, .points = 12},
    {.name = N::Text, .index = 33, .place = {3120, 5280, 975, 375}, .style = S::Entry, .points = 12},

    {.name = N::Label1, .place = {120, 5760, 3975, 1215}, .style = S::None, .points = 11.25},
    {.name = N::btn内容更新, .place = {120, 6960, 1935, 495}, .text = u"内　容　更　新", .style = S::Button, .points = 12},
    {.name = N::btnキャンセル, .place = {2160, 6960, 1935, 495}, .text = u"キ　ャ　ン　セ　ル", .style = S::Button, .points = 12},

    {.name = N::項目, .index = 34, .place = {4200, 360, 3375, 375}, .text = u"希望振込み先銀行情報", .style = S::Header, .points = 12},
    {.name = N::Command1, .index = 4, .place = {7560, 360, 615, 375}, .text = u"クリア", .style = S::Button, .points = 9},
    {.name = N::項目, .index = 30, .place = {4200, 720, 1335, 375}, .text = u"銀行名", .style = S::Caption, .points = 12},
    {.name = N::Text, .index = 47, .place = {5520, 720, 2655, 375}, .style = S::Entry, .points = 12},
    {.name = N::項目, .index = 31, .place = {4200, 1080, 1335, 375}, .text = u"支店名", .style = S::Caption, .points = 12},
    {.name = N::Text, .index = 48, .place = {5520, 1080, 2655, 375}, .style = S::Entry, .points = 12},
    {.name = N::項目, .index = 32, .place = {4200, 1440, 1335, 375}, .text = u"普通・当座", .style = S::Caption, .points = 12},
    {.name = N::Text, .index = 49, .place = {5520, 1440, 2655, 375}, .style = S::Entry, .points = 12},
    {.name = N::項目, .index = 33, .place = {4200, 1800, 1335, 375}, .text = u"口座番号", .style = S::Caption, .points = 12},
    {.name = N::Text, .index = 50, .place = {5520, 1800, 2655, 375}, .style = S::Entry, .points = 12},

    {.name = N::項目, .index = 25, .place = {4200, 2280, 3375, 375}, .text = u"そ　の　他", .style = S::Header, .points = 12},
    {.name = N::Command1, .index = 3, .place = {7560, 2280, 615, 375}, .text = u"クリア", .style = S::Button, .points = 9},
    {.name = N::項目, .index = 42, .place = {4200, 2640, 1095, 375}, .text = u"生年月日", .style = S::Caption, .points = 12},
    {.name = N::Text, .index = 38, .place = {5280, 2640, 735, 375}, .style = S::Entry, .points = 12},
    {.name = N::項目, .index = 43, .place = {6000, 2640, 285, 375}, .text = u"年", .style = S::Mark, .points = 12},
    {.name = N::Text, .index = 39, .place = {6240, 2640, 735, 375}, .style = S::Entry, .points = 12},
    {.name = N::項目, .index = 44, .place = {6960, 2640, 285, 375}, .text = u"月", .style = S::Mark, .points = 12},
    {.name = N::Text, .index = 40, .place = {7200, 2640, 735, 375}, .style = S::Entry, .points = 12},
    {.name = N::項目, .index = 45, .place = {7920, 2640, 255, 375}, .text = u"日", .style = S::Mark, .points = 12},
    {.name = N::項目, .index = 21, .place = {4200, 3000, 735, 375}, .text = u"年齢", .style = S::Caption, .points = 12},
    {.name = N::Text, .index = 34, .place = {4920, 3000, 615, 375}, .style = S::Entry, .points = 12},
    {.name = N::項目, .index = 22, .place = {5520, 3000, 375, 375}, .text = u"才", .style = S::Mark, .points = 12},
    {.name = N::項目, .index = 24, .place = {5880, 3000, 165, 375}, .style = S::Divider, .points = 12},
    {.name = N::項目, .index = 23, .place = {6000, 3000, 735, 375}, .text = u"職業", .style = S::Caption, .points = 12},
    {.name = N::Text, .index = 35, .place = {6720, 3000, 1455, 375}, .style = S::Entry, .points = 12},
    {.name = N::項目, .index = 26, .place = {4200, 3360, 975, 375}, .text = u"ﾒｰﾙｱﾄﾞﾚｽ", .style = S::Caption, .points = 9.75},
    {.name = N::Text, .index = 42, .place = {5160, 3360, 975, 375}, .style = S::Entry, .points = 12},
    {.name = N::項目, .index = 27, .place = {6120, 3360, 285, 375}, .text = u"＠", .style = S::Mark, .points = 12},
    {.name = N::Text, .index = 43, .place = {6360, 3360, 1815, 375}, .style = S::Entry, .points = 12},
    {.name = N::項目, .index = 28, .place = {4200, 3720, 1455, 375}, .text = u"希望ＩＤ", .style = S::Caption, .points = 12},
    {.name = N::Text, .index = 44, .place = {5640, 3720, 2535, 375}, .style = S::Entry, .points = 12},
    {.name = N::項目, .index = 29, .place = {4200, 4080, 1455, 375}, .text = u"希望パスワード", .style = S::Caption, .points = 9.75},
    {.name = N::Text, .index = 45, .place = {5640, 4080, 2535, 375}, .style = S::Entry, .points = 12},

    {.name = N::項目, .index = 41, .place = {4200, 4560, 3375, 375}, .text = u"あなたのホームページの情報", .style = S::Header, .points = 12},
    {.name = N::Command1, .index = 5, .place = {7560, 4560, 615, 375}, .text = u"クリア", .style = S::Button, .points = 9},
    {.name = N::項目, .index = 39, .place = {4200, 4920, 1335, 375}, .text = u"サイトのタイトル", .style = S::Caption, .points = 9},
    {.name = N::Text, .index = 51, .place = {5520, 4920, 2655, 375}, .style = S::MultiLine, .points = 9},
    {.name = N::項目, .index = 38, .place = {4200, 5280, 1335, 375}, .text = u"サイト(フリガナ)", .style = S::Caption, .points = 9},
    {.name = N::Text, .index = 52, .place = {5520, 5280, 2655, 375}, .style = S::MultiLine, .points = 9},
    {.name = N::項目, .index = 37, .place = {4200, 5640, 1335, 375}, .text = u"サイトＵＲＬ", .style = S::Caption, .points = 9},
    {.name = N::Text, .index = 53, .place = {5520, 5640, 2655, 375}, .style = S::MultiLine, .points = 9},
    {.name = N::項目, .index = 36, .place = {4200, 6000, 1335, 735}, .text = u"サイトの説明", .style = S::Caption, .points = 9},
    {.name = N::Text, .index = 54, .place = {5520, 6000, 2655, 735}, .style = S::MultiLine, .points = 9},
    {.name = N::項目, .index = 35, .place = {4200, 6720, 1335, 375}, .text = u"1日アクセス数", .style = S::Caption, .points = 9},
    {.name = N::Text, .index = 55, .place = {5520, 6720, 2655, 375}, .style = S::MultiLine, .points = 12, .toolTip = kDropTip},
    {.name = N::項目, .index = 40, .place = {4200, 7080, 1335, 375}, .text = u"1月アクセス数", .style = S::Caption, .points = 9},
    {.name = N::Text, .index = 56, .place = {5520, 7080, 2655, 375}, .style = S::MultiLine, .points = 12, .toolTip = kDropTip},
}};
// clang-format on

// The invisible frame that holds the boxes of the derived slots.
inline constexpr Place kFrame1{0, 240, 2535, 975};

// The hidden boxes, in the order of the derived slots of the slot table.
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

// The tab order, first to last: every control above, Frame1 and the hidden
// boxes. The window chains only the controls that can take the focus.
// clang-format off
inline constexpr std::array<ControlId, kControls.size() + 1 + kHiddenBoxes.size()> kTabOrder{{
    // The name entry boxes.
    {N::Text, 1}, {N::Text, 2}, {N::Text, 10}, {N::Text, 11}, {N::Text, 14}, {N::Text, 13},
    // The account number, the site group from the bottom up, the rest of the
    // bank group from the bottom up, the その他 group from the bottom up without
    // the birthday, then the telephone and address groups from the bottom up,
    // each row from right to left.
    {N::Text, 50}, {N::Text, 56}, {N::Text, 55}, {N::Text, 54}, {N::Text, 53}, {N::Text, 52},
    {N::Text, 51}, {N::Text, 49}, {N::Text, 48}, {N::Text, 47}, {N::Text, 45}, {N::Text, 44},
    {N::Text, 43}, {N::Text, 42}, {N::Text, 35}, {N::Text, 34}, {N::Text, 33}, {N::Text, 32},
    {N::Text, 31}, {N::Text, 28}, {N::Text, 27}, {N::Text, 26}, {N::Text, 23}, {N::Text, 22},
    {N::Text, 21}, {N::Text, 20}, {N::Text, 18}, {N::Text, 17},
    // The caption boxes 0 to 26 and 28 to 41.
    {N::項目, 0}, {N::項目, 1}, {N::項目, 2}, {N::項目, 3}, {N::項目, 4}, {N::項目, 5},
    {N::項目, 6}, {N::項目, 7}, {N::項目, 8}, {N::項目, 9}, {N::項目, 10}, {N::項目, 11},
    {N::項目, 12}, {N::項目, 13}, {N::項目, 14}, {N::項目, 15}, {N::項目, 16}, {N::項目, 17},
    {N::項目, 18}, {N::項目, 19}, {N::項目, 20}, {N::項目, 21}, {N::項目, 22}, {N::項目, 23},
    {N::項目, 24}, {N::項目, 25}, {N::項目, 26}, {N::項目, 28}, {N::項目, 29}, {N::項目, 30},
    {N::項目, 31}, {N::項目, 32}, {N::項目, 33}, {N::項目, 34}, {N::項目, 35}, {N::項目, 36},
    {N::項目, 37}, {N::項目, 38}, {N::項目, 39}, {N::項目, 40}, {N::項目, 41},
    // Frame1 and its boxes, in the order of kHiddenBoxes.
    {N::Frame1}, {N::Text, 0}, {N::Text, 3}, {N::Text, 4}, {N::Text, 5}, {N::Text, 6},
    {N::Text, 7}, {N::Text, 8}, {N::Text, 9}, {N::Text, 12}, {N::Text, 15}, {N::Text, 16},
    {N::Text, 19}, {N::Text, 24}, {N::Text, 25}, {N::Text, 29}, {N::Text, 30}, {N::Text, 36},
    {N::Text, 37}, {N::Text, 41}, {N::Text, 46},
    // The clear buttons 0 to 5, the commit button, the birthday entry boxes,
    // the caption boxes 42 to 45, the cancel button, the caption box 27 and the
    // two labels.
    {N::Command1, 0}, {N::Command1, 1}, {N::Command1, 2}, {N::Command1, 3}, {N::Command1, 4},
    {N::Command1, 5}, {N::btn内容更新}, {N::Text, 40}, {N::Text, 39}, {N::Text, 38},
    {N::項目, 42}, {N::項目, 43}, {N::項目, 44}, {N::項目, 45}, {N::btnキャンセル}, {N::項目, 27},
    {N::Label1}, {N::Label2},
}};
// clang-format on

// The checks below fail to compile with the number of the offending row.

constexpr int arraySize(Name name)
{
    switch (name) {
    case Name::Text:
        return profile::kSlotCount;
    case Name::項目:
        return kCaptionCount;
    case Name::Command1:
        return kClearButtonCount;
    default:
        return 1;
    }
}

constexpr int rowOf(ControlId id)
{
    return profile::firstRow(kControls, [id](const Control& row, int) { return row.id() == id; });
}

inline constexpr auto liesOutsideItsArray = [](const Control& row, int) {
    return row.index < 0 || row.index >= arraySize(row.name);
};
static_assert(profile::firstRow(kControls, liesOutsideItsArray) == -1,
              "kControls: this row's index lies outside its control array");

// The hidden box of a derived slot.
constexpr bool isHiddenBox(ControlId id)
{
    return id.name == Name::Text && id.index >= 0 && id.index < profile::kSlotCount &&
           !profile::isEntry(id.index);
}

inline constexpr auto showsDerivedSlot = [](const Control& row, int) {
    return isHiddenBox(row.id());
};
static_assert(profile::firstRow(kControls, showsDerivedSlot) == -1,
              "kControls: this row shows the box of a derived slot, which stays hidden");

inline constexpr auto repeatsAControl = [](const Control& row, int index) {
    return rowOf(row.id()) != index;
};
static_assert(profile::firstRow(kControls, repeatsAControl) == -1,
              "kControls: this row repeats an earlier row's control");

inline constexpr auto entryBoxIsMissing = [](const profile::Slot&, int slot) {
    return profile::isEntry(slot) && rowOf({Name::Text, slot}) == -1;
};
static_assert(profile::firstRow(profile::kSlots, entryBoxIsMissing) == -1,
              "kControls: no row shows the box of this entry slot");

inline constexpr auto captionIsMissing = [](int index) { return rowOf({Name::項目, index}) == -1; };
static_assert(profile::firstIndex(kCaptionCount, captionIsMissing) == -1,
              "kControls: no row shows this caption box");

inline constexpr auto clearButtonIsMissing = [](int index) {
    return rowOf({Name::Command1, index}) == -1;
};
static_assert(profile::firstIndex(kClearButtonCount, clearButtonIsMissing) == -1,
              "kControls: no row shows this clear button");

constexpr int derivedSlotCount()
{
    int count = 0;
    for (int slot = 0; slot < profile::kSlotCount; ++slot)
        count += profile::isEntry(slot) ? 0 : 1;
    return count;
}
static_assert(int(kHiddenBoxes.size()) == derivedSlotCount(),
              "kHiddenBoxes: one place for each derived slot");

// A place in the tab order belongs to a control of the table, to Frame1 or to
// the hidden box of a derived slot.
constexpr bool hasTabPlace(ControlId id)
{
    if (id.name == Name::Frame1)
        return id.index == 0;
    return isHiddenBox(id) || rowOf(id) != -1;
}

inline constexpr auto namesNoControl = [](ControlId id, int) { return !hasTabPlace(id); };
static_assert(profile::firstRow(kTabOrder, namesNoControl) == -1,
              "kTabOrder: this place names no control of the window");

// With no place repeated, the list's length makes it hold every control.
inline constexpr auto repeatsAPlace = [](ControlId id, int place) {
    return profile::firstRow(kTabOrder, [id](ControlId other, int) { return other == id; }) !=
           place;
};
static_assert(profile::firstRow(kTabOrder, repeatsAPlace) == -1,
              "kTabOrder: this place repeats an earlier place's control");

} // namespace editor
