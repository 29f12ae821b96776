#pragma once

#include <QImage>

namespace pictures {

// Image3 of the help window: a speech balloon whose tail points up and to the
// right, at the palette picture's edit button, asking the user to start there.
QImage renderBalloon();

// The application icon: `size` pixels square (the windows' icon is 32) in
// the 16 colours of the classic desktop palette, the rest transparent.
QImage renderIcon(int size = 32);

// The sizes of the icon that desktops' menus and docks look up.
inline constexpr int kMenuIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

} // namespace pictures
