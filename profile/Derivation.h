#pragma once

#include "profile/SlotTable.h"

namespace profile {

// Builds the whole record from the entry slots of `entries`; its derived slots
// are never read. Entries are copied exactly as typed, without trimming.
Record derive(const Record& entries);

} // namespace profile
