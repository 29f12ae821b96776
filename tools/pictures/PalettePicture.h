#pragma once

#include <QImage>
#include <QRect>

namespace pictures {

// Where the guide windows' lines start in Image1: on the full-name slot, this
// many pixels right of and below the picture's top-left corner.
inline constexpr QPoint kFullNameSlotPoint{96, 56};

struct PalettePicture
{
    QImage image;
    QRect fullNameSlot; // where the full-name slot lies in the picture
};

// The program's own palette filled with the sample profile, framed as a
// window of the palette's outer size.
PalettePicture renderPalette();

} // namespace pictures
