#pragma once

#include <QString>

class QMimeData;
class QWidget;

namespace platform {

// What a drag of `text` offers: Qt's plain text, and the same text under
// `text/plain;charset=utf-8`. GTK reads a bare `text/plain` from a Wayland
// source as Latin-1, so without the explicit charset 山田 arrives in gedit as
// mojibake; every reader that knows the charset form prefers it.
QMimeData* mimeDataForText(const QString& text);

// Drags `text` out of `source` as plain text, copy being the only action
// offered, and returns once the drop is over or cancelled. Qt offers the text
// as Unicode, so nothing outside the ANSI code page is lost on the way.
void dragText(QWidget& source, const QString& text);

} // namespace platform
