#pragma once

#include <QWidget>

// For start-up measurements: once the awaited moment has come, a probe prints
// "painted" on standard output and, unless the program was started with
// "--stay" (for memory readings), ends the program.

// The moment `window` has been painted for the first time.
void exitOnFirstPaint(QWidget& window);

// The moment the web view `view` has painted after its page finished loading:
// the page on the screen, not just the empty view. `view` is a
// QWebEngineView, taken as a plain widget so that the program's probe needs
// no browser engine of its own.
void exitOnPagePainted(QWidget& view);

// The same for the web view named `viewName` that the program creates later.
void exitOnPagePainted(const QString& viewName);
