// The least a Qt WebEngine program does to show a page in a window: the
// yardstick for the program's start-up with the service browser.
#include "bench/PaintProbe.h"
#include "platform/Application.h"

#include <QApplication>
#include <QWebEngineView>

int main(int argc, char* argv[])
{
    // The same process settings the engine needs in the program.
    platform::prepareProcess();
    QApplication application(argc, argv);
    QWebEngineView view;
    view.resize(680, 550);
    view.load(QUrl(QStringLiteral("qrc:/start/index.html")));
    view.show();
    // The view paints through the engine's own child widget, which exists once
    // the view is shown; that child's first paint is the window's.
    if (!view.focusProxy())
        qFatal("the browser view has no painting child");
    exitOnFirstPaint(*view.focusProxy());
    return QApplication::exec();
}
