#pragma once

#include <QWidget>

// For start-up measurements: once `window` has been painted for the first
// time, prints "painted" on standard output and, unless the program was
// started with "--stay" (for memory readings), ends the program.
void exitOnFirstPaint(QWidget& window);
