#pragma once

#include <QImage>

namespace pictures {

// Image3 of the help window: a speech balloon whose tail points up and to the
// right, at the palette picture's edit button, asking the user to start there.
QImage renderBalloon();

// The application icon: 32 x 32 pixels in the 16 colours of the classic
// desktop palette, the rest transparent.
QImage renderIcon();

} // namespace pictures
