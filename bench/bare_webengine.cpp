// The least a Qt WebEngine program does to show a page in a window: the
// yardstick for the service browser's page at the program's start-up.
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
    // A plain window holding the view, as the service browser is.
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(1, 1, 1, 1);
    auto* view = new QWebEngineView(&window);
    layout->addWidget(view);
    window.resize(680, 550);
    view->load(QUrl(QStringLiteral("qrc:/start/index.html")));
    exitOnPagePainted(*view);
    window.show();
    return QApplication::exec();
}
