#include "profile/Derivation.h"

#include "platform/JapaneseText.h"
#include "profile/TableCheck.h"

#include <concepts>

namespace profile {

namespace {

enum class Rule
{
    Join,      // the parts with the separator between each two
    FullWidth, // narrow-to-wide conversion of the first part
    Hiragana   // katakana-to-hiragana conversion of the first part
};

// The slots a rule reads, in the order they are joined; their count is that
// of the slots listed, so the two cannot disagree.
class Parts
{
public:
    template <std::same_as<int>... Indexes>
    constexpr Parts(Indexes... parts) : m_slots{parts...}, m_count(sizeof...(Indexes))
    {
        static_assert(sizeof...(Indexes) >= 1 && sizeof...(Indexes) <= kMaxParts);
    }

    constexpr int count() const { return m_count; }
    constexpr int operator[](int i) const { return m_slots[i]; }
    constexpr const int* begin() const { return m_slots.data(); }
    constexpr const int* end() const { return m_slots.data() + m_count; }

private:
    static constexpr int kMaxParts = 4;
    std::array<int, kMaxParts> m_slots;
    int m_count;
};

struct Derived
{
    int slot;
    Rule rule;
    Parts parts;
    const char16_t* separator = u"";
};

using R = Rule;

// In evaluation order: the kana forms read slots that earlier rows wrote, so
// the full-width full name is the widened joined name, not a join of widened
// parts, and hiragana always comes from the full-width katakana.
constexpr std::array<Derived, 20> kRules{{
    {.slot = 0, .rule = R::Join, .parts = {1, 2}},
    {.slot = 9, .rule = R::Join, .parts = {10, 11}},
    {.slot = 6, .rule = R::FullWidth, .parts = {9}},
    {.slot = 7, .rule = R::FullWidth, .parts = {10}},
    {.slot = 8, .rule = R::FullWidth, .parts = {11}},
    {.slot = 3, .rule = R::Hiragana, .parts = {6}},
    {.slot = 4, .rule = R::Hiragana, .parts = {7}},
    {.slot = 5, .rule = R::Hiragana, .parts = {8}},
    {.slot = 12, .rule = R::Join, .parts = {13, 14}, .separator = u" "},
    {.slot = 15, .rule = R::Join, .parts = {17, 18}, .separator = u"-"},
    {.slot = 16, .rule = R::Join, .parts = {17, 18}},
    {.slot = 19, .rule = R::Join, .parts = {20, 21, 22, 23}},
    {.slot = 24, .rule = R::Join, .parts = {26, 27, 28}, .separator = u"-"},
    {.slot = 25, .rule = R::Join, .parts = {26, 27, 28}},
    {.slot = 29, .rule = R::Join, .parts = {31, 32, 33}, .separator = u"-"},
    {.slot = 30, .rule = R::Join, .parts = {31, 32, 33}},
    {.slot = 36, .rule = R::Join, .parts = {38, 39, 40}, .separator = u"/"},
    {.slot = 37, .rule = R::Join, .parts = {38, 39, 40}, .separator = u"-"},
    {.slot = 41, .rule = R::Join, .parts = {42, 43}, .separator = u"@"},
    {.slot = 46, .rule = R::Join, .parts = {47, 48}, .separator = u"/"},
}};

// The checks below fail to compile with the number of the offending row.

constexpr bool isSlot(int slot)
{
    return slot >= 0 && slot < kSlotCount;
}

constexpr int firstRuleWriting(int slot)
{
    return firstRow(kRules, [slot](const Derived& rule, int) { return rule.slot == slot; });
}

constexpr auto writesNoDerivedSlot = [](const Derived& rule, int) {
    return !isSlot(rule.slot) || isEntry(rule.slot);
};
static_assert(firstRow(kRules, writesNoDerivedSlot) == -1,
              "kRules: this rule writes no derived slot");

constexpr auto readsWrongNumberOfParts = [](const Derived& rule, int) {
    return (rule.rule == Rule::Join) != (rule.parts.count() > 1);
};
static_assert(firstRow(kRules, readsWrongNumberOfParts) == -1,
              "kRules: a join reads several slots, a conversion one");

constexpr auto readsUnbuiltSlot = [](const Derived& rule, int index) {
    for (const int part : rule.parts) {
        if (!isSlot(part) || (!isEntry(part) && !(firstRuleWriting(part) < index)))
            return true;
    }
    return false;
};
static_assert(firstRow(kRules, readsUnbuiltSlot) == -1,
              "kRules: this rule reads a derived slot before a rule builds it");

constexpr auto isBuiltAgain = [](const Derived& rule, int index) {
    return firstRuleWriting(rule.slot) != index;
};
static_assert(firstRow(kRules, isBuiltAgain) == -1,
              "kRules: this rule builds a slot that an earlier rule built");

constexpr auto isNeverBuilt = [](const Slot&, int slot) {
    return !isEntry(slot) && firstRuleWriting(slot) == -1;
};
static_assert(firstRow(kSlots, isNeverBuilt) == -1, "kRules: no rule builds this derived slot");

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
    for (int i = 1; i < rule.parts.count(); ++i) {
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
