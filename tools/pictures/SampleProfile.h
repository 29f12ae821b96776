#pragma once

#include "profile/SlotTable.h"

namespace pictures {

// A fictional person, as the pictures show the program filled in.
profile::Record sampleProfile();

} // namespace pictures
