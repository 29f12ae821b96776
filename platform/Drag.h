#pragma once

#include <QString>

class QWidget;

namespace platform {

// Drags `text` out of `source` as plain text, copy being the only action
// offered, and returns once the drop is over or cancelled. Qt offers the text
// as Unicode, so nothing outside the ANSI code page is lost on the way.
void dragText(QWidget& source, const QString& text);

} // namespace platform
