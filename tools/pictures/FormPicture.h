#pragma once

#include <QImage>
#include <QString>

namespace pictures {

// Where the guide windows' lines end in Image2: on the top edge of the name
// box, this many pixels right of and below the picture's top-left corner.
inline constexpr QPoint kNameBoxTop{144, 184};

// Image2: the program's start page, a practice registration form, in a
// browser window of the picture's size, its name box holding `name` with its
// top edge at kNameBoxTop. Needs a screen and the browser engine; returns a
// null image, with the reason in `error`, when that cannot be done.
QImage renderFormPicture(const QString& name, QString& error);

// True when a horizontal edge of a box passes through `point`: the pixel and
// its neighbours two to the left and right share one colour, the pixels just
// above and below have another.
bool horizontalEdgeAt(const QImage& image, QPoint point);

} // namespace pictures
