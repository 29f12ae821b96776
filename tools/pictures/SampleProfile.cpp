#include "tools/pictures/SampleProfile.h"

#include "profile/Derivation.h"

#include <array>

namespace pictures {

namespace {

struct Entry
{
    int slot;
    const char16_t* text;
};

// Made-up values only: the name is the customary sample name, the postal
// code, numbers and addresses belong to nobody.
constexpr std::array<Entry, 37> kEntries{{
    {1, u"山田"},
    {2, u"花子"},
    {10, u"ﾔﾏﾀﾞ"},
    {11, u"ﾊﾅｺ"},
    {13, u"Yamada"},
    {14, u"Hanako"},
    {17, u"123"},
    {18, u"4567"},
    {20, u"東京都"},
    {21, u"見本市"},
    {22, u"見本町"},
    {23, u"1-2-3"},
    {26, u"012"},
    {27, u"345"},
    {28, u"6789"},
    {31, u"090"},
    {32, u"0000"},
    {33, u"1111"},
    {34, u"30"},
    {35, u"会社員"},
    {38, u"1995"},
    {39, u"4"},
    {40, u"1"},
    {42, u"hanako"},
    {43, u"example.com"},
    {44, u"hanako01"},
    {45, u"sample123"},
    {47, u"見本銀行"},
    {48, u"本店"},
    {49, u"普通"},
    {50, u"1234567"},
    {51, u"花子の料理日記"},
    {52, u"ハナコノリョウリニッキ"},
    {53, u"https://example.com/hanako/"},
    {54, u"毎日の料理を紹介します"},
    {55, u"100"},
    {56, u"3000"},
}};

} // namespace

profile::Record sampleProfile()
{
    profile::Record entries;
    for (const Entry& entry : kEntries)
        entries[entry.slot] = QString::fromUtf16(entry.text);
    return profile::derive(entries);
}

} // namespace pictures
