#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace platform {

// The program's geometry is laid out in twips; Qt works in device-independent
// pixels. 15 twips make one pixel at 96 dots per inch, Qt's logical DPI.
inline constexpr int kTwipsPerPixel = 15;

constexpr int twips(int value)
{
    return value / kTwipsPerPixel;
}

constexpr QPoint twips(int x, int y)
{
    return {twips(x), twips(y)};
}

constexpr QSize twipsSize(int width, int height)
{
    return {twips(width), twips(height)};
}

constexpr QRect twips(int left, int top, int width, int height)
{
    return {twips(left), twips(top), twips(width), twips(height)};
}

} // namespace platform
