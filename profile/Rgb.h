#pragma once

#include <cstdint>

namespace profile {

// A colour as the layout tables give it, free of any toolkit type: the slot
// table's colours belong to the data core, which knows no widgets.
struct Rgb
{
    std::uint8_t red, green, blue;
};

} // namespace profile
