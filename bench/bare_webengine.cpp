// The least a Qt WebEngine program does to show a page in a window: the
// yardstick for the program's start-up with the service browser.
#include "bench/PaintProbe.h"
#include "platform/Application.h"

#include <QApplication>
#include <QVBoxLayout>
#include <QWebEngineView>

int main(int argc, char* argv[])
{
    // The same process settings the engine needs in the program.
    platform::prepareProcess();
    QApplication application(argc, argv);
    // The view paints through the engine's own child widget, so the window
    // is a plain one holding the view: its first paint is the window's, as
    // the palette's is in the program.
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(1, 1, 1, 1);
    auto* view = new QWebEngineView(&window);
    layout->addWidget(view);
    window.resize(680, 550);
    view->load(QUrl(QStringLiteral("qrc:/start/index.html")));
    exitOnFirstPaint(window);
    window.show();
    return QApplication::exec();
}
