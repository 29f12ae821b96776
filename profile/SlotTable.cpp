#include "profile/SlotTable.h"

namespace profile {

namespace {

constexpr int countKind(Kind kind)
{
    int count = 0;
    for (const Slot& slot : kSlots)
        count += slot.kind == kind ? 1 : 0;
    return count;
}

constexpr bool groupsAreContiguousAndOrdered()
{
    for (int i = 1; i < kSlotCount; ++i) {
        if (kSlots[i].group < kSlots[i - 1].group)
            return false;
    }
    return true;
}

static_assert(countKind(Kind::Entry) == 37);
static_assert(countKind(Kind::Derived) == 20);
static_assert(groupsAreContiguousAndOrdered());
static_assert(kSlots[kSlotCount - 1].row == kPaletteRowCount - 1);

} // namespace

QString fieldName(int slot)
{
    return QString::fromUtf16(kSlots[slot].field);
}

} // namespace profile
