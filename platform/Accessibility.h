#pragma once

class QWidget;

namespace platform {

// Gives every button, label and read-only caption box of `window` that has no
// accessible name yet its own caption as one, so that screen readers and
// keyboard users hear what each control is.
void nameControlsFromCaptions(QWidget& window);

} // namespace platform
