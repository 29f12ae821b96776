#pragma once

#include "profile/SlotTable.h"

// The records the crash-safety writer cycles through. They differ in every
// slot and in length, so a file holding parts of two of them, or a cut-off
// one, matches none.
inline constexpr int kCrashRecordCount = 5;

inline profile::Record crashRecord(int index)
{
    profile::Record record;
    const QString filler(qsizetype(index) * 40, QChar(u'字'));
    for (int slot = 0; slot < profile::kSlotCount; ++slot)
        record[slot] = QStringLiteral("記録%1の値%2%3").arg(index).arg(slot).arg(filler);
    return record;
}
