#pragma once

#include "profile/SlotTable.h"

#include <QColor>

// The windows' colours are kept as RGB triples in their layout tables.
inline QColor toColor(profile::Rgb rgb)
{
    return {rgb.red, rgb.green, rgb.blue};
}
