#include "app/Module1.h"
#include "forms/Windows.h"
#include "platform/Application.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    platform::prepareProcess();
    QApplication application(argc, argv);
    platform::prepareApplication();

    Module1 module{0, platform::applicationDirectory()};
    Windows windows(module);
    windows.startUp();
    return QApplication::exec();
}
