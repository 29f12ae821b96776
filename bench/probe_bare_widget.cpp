// The least a Qt Widgets program does to show a window: the yardstick for the
// palette's start-up.
#include "bench/PaintProbe.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QWidget window;
    window.resize(120, 579);
    exitOnFirstPaint(window);
    window.show();
    return QApplication::exec();
}
