#pragma once

#include "profile/Rgb.h"

#include <QColor>
#include <QPalette>
#include <QWidget>

namespace colours {
// The red of the guide windows' captions, and the pale red of the captions
// of their "release the mouse" step and of the editor's caption boxes.
inline constexpr profile::Rgb kRed{255, 0, 0}, kPaleRed{255, 128, 128};
} // namespace colours

// The windows' colours are kept as RGB triples in their layout tables.
inline QColor toColor(profile::Rgb rgb)
{
    return {rgb.red, rgb.green, rgb.blue};
}

// Every window of the program, and the guide windows' labels, are white.
inline void paintWhite(QWidget& widget)
{
    widget.setAutoFillBackground(true);
    QPalette colours = widget.palette();
    colours.setColor(QPalette::Window, Qt::white);
    widget.setPalette(colours);
}
