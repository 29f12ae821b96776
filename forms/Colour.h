#pragma once

#include "profile/SlotTable.h"

#include <QColor>
#include <QPalette>
#include <QWidget>

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
