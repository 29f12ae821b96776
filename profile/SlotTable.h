#pragma once

#include "profile/Rgb.h"

#include <QString>

#include <array>
#include <cstdint>

namespace profile {

inline constexpr int kSlotCount = 57;

// One person's sign-up data: 57 ready-to-paste texts, by slot index.
using Record = std::array<QString, kSlotCount>;

// The editor's six groups, each cleared by its own button.
enum class Group : std::uint8_t
{
    Name,
    Address,
    Phone,
    Other,
    Bank,
    Site
};
inline constexpr int kGroupCount = 6;

enum class Kind : std::uint8_t
{
    Entry,  // typed in the editor
    Derived // computed from entries by the commit
};

struct Slot
{
    Group group;
    Kind kind;
    int row;   // palette row, 0 at the top
    int left;  // palette box left edge, twips
    int width; // palette box width, twips
    Rgb colour;
    const char16_t* field; // what the slot holds, as error reports name it
};

inline constexpr Rgb kOrange{255, 128, 0}, kBlue{0, 0, 255}, kMagenta{255, 0, 255},
    kTeal{0, 192, 192}, kGreen{0, 192, 0}, kPink{255, 192, 192}, kBlack{0, 0, 0}, kRed{255, 0, 0};

// Palette box widths and lefts in twips. Neighbours overlap by one pixel so
// that their borders coincide.
inline constexpr int kFull = 1695, kHalf = 855, kThird = 495, kWideThird = 735;
inline constexpr int kRight = 840, kMiddleThird = 480, kRightThird = 960;
// The birthday row: a wide year box, then month and day boxes of a third.
inline constexpr int kMiddleAfterWide = 720, kRightAfterWide = 1200;

using G = Group;
using K = Kind;

inline constexpr std::array<Slot, kSlotCount> kSlots{{
    {G::Name, K::Derived, 0, 0, kFull, kOrange, u"氏名（漢字）"},
    {G::Name, K::Entry, 1, 0, kHalf, kOrange, u"姓（漢字）"},
    {G::Name, K::Entry, 1, kRight, kHalf, kOrange, u"名（漢字）"},
    {G::Name, K::Derived, 2, 0, kFull, kOrange, u"氏名（ひらがな）"},
    {G::Name, K::Derived, 3, 0, kHalf, kOrange, u"姓（ひらがな）"},
    {G::Name, K::Derived, 3, kRight, kHalf, kOrange, u"名（ひらがな）"},
    {G::Name, K::Derived, 4, 0, kFull, kOrange, u"氏名（全角カナ）"},
    {G::Name, K::Derived, 5, 0, kHalf, kOrange, u"姓（全角カナ）"},
    {G::Name, K::Derived, 5, kRight, kHalf, kOrange, u"名（全角カナ）"},
    {G::Name, K::Derived, 6, 0, kFull, kOrange, u"氏名（半角カナ）"},
    {G::Name, K::Entry, 7, 0, kHalf, kOrange, u"姓（ｶﾅ）"},
    {G::Name, K::Entry, 7, kRight, kHalf, kOrange, u"名（ｶﾅ）"},
    {G::Name, K::Derived, 8, 0, kFull, kOrange, u"氏名（ｱﾙﾌｧﾍﾞｯﾄ）"},
    {G::Name, K::Entry, 9, 0, kHalf, kOrange, u"姓（ｱﾙﾌｧﾍﾞｯﾄ）"},
    {G::Name, K::Entry, 9, kRight, kHalf, kOrange, u"名（ｱﾙﾌｧﾍﾞｯﾄ）"},
    {G::Address, K::Derived, 10, 0, kHalf, kBlue, u"郵便番号（ハイフンあり）"},
    {G::Address, K::Derived, 10, kRight, kHalf, kBlue, u"郵便番号（ハイフンなし）"},
    {G::Address, K::Entry, 11, 0, kHalf, kBlue, u"郵便番号（前半）"},
    {G::Address, K::Entry, 11, kRight, kHalf, kBlue, u"郵便番号（後半）"},
    {G::Address, K::Derived, 12, 0, kFull, kMagenta, u"住所"},
    {G::Address, K::Entry, 13, 0, kHalf, kMagenta, u"都道府県"},
    {G::Address, K::Entry, 13, kRight, kHalf, kMagenta, u"市町村"},
    {G::Address, K::Entry, 14, 0, kHalf, kMagenta, u"地区"},
    {G::Address, K::Entry, 14, kRight, kHalf, kMagenta, u"番地"},
    {G::Phone, K::Derived, 15, 0, kHalf, kTeal, u"電話番号（ハイフンあり）"},
    {G::Phone, K::Derived, 15, kRight, kHalf, kTeal, u"電話番号（ハイフンなし）"},
    {G::Phone, K::Entry, 16, 0, kThird, kTeal, u"電話番号（市外局番）"},
    {G::Phone, K::Entry, 16, kMiddleThird, kThird, kTeal, u"電話番号（市内局番）"},
    {G::Phone, K::Entry, 16, kRightThird, kWideThird, kTeal, u"電話番号（加入者番号）"},
    {G::Phone, K::Derived, 17, 0, kHalf, kGreen, u"携帯またはFAX（ハイフンあり）"},
    {G::Phone, K::Derived, 17, kRight, kHalf, kGreen, u"携帯またはFAX（ハイフンなし）"},
    {G::Phone, K::Entry, 18, 0, kThird, kGreen, u"携帯またはFAX（1つ目）"},
    {G::Phone, K::Entry, 18, kMiddleThird, kThird, kGreen, u"携帯またはFAX（2つ目）"},
    {G::Phone, K::Entry, 18, kRightThird, kWideThird, kGreen, u"携帯またはFAX（3つ目）"},
    {G::Other, K::Entry, 19, 0, kHalf, kPink, u"年齢"},
    {G::Other, K::Entry, 19, kRight, kHalf, kPink, u"職業"},
    {G::Other, K::Derived, 20, 0, kHalf, kBlack, u"生年月日（スラッシュ）"},
    {G::Other, K::Derived, 20, kRight, kHalf, kBlack, u"生年月日（ハイフン）"},
    {G::Other, K::Entry, 21, 0, kWideThird, kBlack, u"生年月日（年）"},
    {G::Other, K::Entry, 21, kMiddleAfterWide, kThird, kBlack, u"生年月日（月）"},
    {G::Other, K::Entry, 21, kRightAfterWide, kThird, kBlack, u"生年月日（日）"},
    {G::Other, K::Derived, 22, 0, kFull, kRed, u"ﾒｰﾙｱﾄﾞﾚｽ"},
    {G::Other, K::Entry, 23, 0, kHalf, kRed, u"ﾒｰﾙｱﾄﾞﾚｽ（＠の前）"},
    {G::Other, K::Entry, 23, kRight, kHalf, kRed, u"ﾒｰﾙｱﾄﾞﾚｽ（＠の後）"},
    {G::Other, K::Entry, 24, 0, kHalf, kBlue, u"希望ＩＤ"},
    {G::Other, K::Entry, 24, kRight, kHalf, kBlue, u"希望パスワード"},
    {G::Bank, K::Derived, 25, 0, kFull, kMagenta, u"銀行名／支店名"},
    {G::Bank, K::Entry, 26, 0, kHalf, kMagenta, u"銀行名"},
    {G::Bank, K::Entry, 26, kRight, kHalf, kMagenta, u"支店名"},
    {G::Bank, K::Entry, 27, 0, kHalf, kMagenta, u"普通・当座"},
    {G::Bank, K::Entry, 27, kRight, kHalf, kMagenta, u"口座番号"},
    {G::Site, K::Entry, 28, 0, kFull, kTeal, u"サイトのタイトル"},
    {G::Site, K::Entry, 29, 0, kFull, kTeal, u"サイト(フリガナ)"},
    {G::Site, K::Entry, 30, 0, kFull, kTeal, u"サイトＵＲＬ"},
    {G::Site, K::Entry, 31, 0, kFull, kTeal, u"サイトの説明"},
    {G::Site, K::Entry, 32, 0, kHalf, kTeal, u"1日アクセス数"},
    {G::Site, K::Entry, 32, kRight, kHalf, kTeal, u"1月アクセス数"},
}};

inline constexpr int kPaletteRowCount = 33;

// The first and one past the last slot of a group; groups are contiguous.
struct SlotRange
{
    int first;
    int end;
};

constexpr SlotRange slotRange(Group group)
{
    int first = 0;
    while (kSlots[first].group != group)
        ++first;
    int end = first;
    while (end < kSlotCount && kSlots[end].group == group)
        ++end;
    return {first, end};
}

constexpr bool isEntry(int slot)
{
    return kSlots[slot].kind == Kind::Entry;
}

// Text every slot shows until a profile has been loaded.
inline constexpr char16_t kPlaceholder[] = u"■■■■■■";

QString fieldName(int slot);

} // namespace profile
