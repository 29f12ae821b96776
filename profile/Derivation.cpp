#include "profile/Derivation.h"

#include "platform/JapaneseText.h"

namespace profile {

namespace {

enum class Rule
{
    Join,      // the parts with the separator between each two
    FullWidth, // narrow-to-wide conversion of the first part
    Hiragana   // katakana-to-hiragana conversion of the first part
};

struct Derived
{
    int slot;
    Rule rule;
    std::array<int, 4> parts;
    int partCount;
    const char16_t* separator;
};

// In evaluation order: the kana forms read slots that earlier rows wrote, so
// the full-width full name is the widened joined name, not a join of widened
// parts, and hiragana always comes from the full-width katakana.
constexpr std::array<Derived, 20> kRules{{
    {0, Rule::Join, {1, 2}, 2, u""},         {9, Rule::Join, {10, 11}, 2, u""},
    {6, Rule::FullWidth, {9}, 1, u""},       {7, Rule::FullWidth, {10}, 1, u""},
    {8, Rule::FullWidth, {11}, 1, u""},      {3, Rule::Hiragana, {6}, 1, u""},
    {4, Rule::Hiragana, {7}, 1, u""},        {5, Rule::Hiragana, {8}, 1, u""},
    {12, Rule::Join, {13, 14}, 2, u" "},     {15, Rule::Join, {17, 18}, 2, u"-"},
    {16, Rule::Join, {17, 18}, 2, u""},      {19, Rule::Join, {20, 21, 22, 23}, 4, u""},
    {24, Rule::Join, {26, 27, 28}, 3, u"-"}, {25, Rule::Join, {26, 27, 28}, 3, u""},
    {29, Rule::Join, {31, 32, 33}, 3, u"-"}, {30, Rule::Join, {31, 32, 33}, 3, u""},
    {36, Rule::Join, {38, 39, 40}, 3, u"/"}, {37, Rule::Join, {38, 39, 40}, 3, u"-"},
    {41, Rule::Join, {42, 43}, 2, u"@"},     {46, Rule::Join, {47, 48}, 2, u"/"},
}};

constexpr bool rulesCoverEveryDerivedSlotOnce()
{
    std::array<int, kSlotCount> written{};
    for (const Derived& rule : kRules) {
        if (isEntry(rule.slot))
            return false;
        ++written[rule.slot];
        for (int i = 0; i < rule.partCount; ++i) {
            const int part = rule.parts[i];
            if (!isEntry(part) && written[part] == 0)
                return false; // reads a derived slot before it is built
        }
    }
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (!isEntry(slot) && written[slot] != 1)
            return false;
    }
    return true;
}
static_assert(rulesCoverEveryDerivedSlotOnce());

QString evaluate(const Derived& rule, const Record& record)
{
    switch (rule.rule) {
    case Rule::FullWidth:
        return platform::toFullWidth(record[rule.parts[0]]);
    case Rule::Hiragana:
        return platform::katakanaToHiragana(record[rule.parts[0]]);
    case Rule::Join:
        break;
    }
    QString joined = record[rule.parts[0]];
    for (int i = 1; i < rule.partCount; ++i) {
        joined += QStringView(rule.separator);
        joined += record[rule.parts[i]];
    }
    return joined;
}

} // namespace

Record derive(const Record& entries)
{
    Record record;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (isEntry(slot))
            record[slot] = entries[slot];
    }
    for (const Derived& rule : kRules)
        record[rule.slot] = evaluate(rule, record);
    return record;
}

} // namespace profile
