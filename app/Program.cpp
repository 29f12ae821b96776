#include "app/Program.h"

#include "app/Module1.h"
#include "forms/Windows.h"
#include "platform/Application.h"

#include <QApplication>

int runProgram(int argc, char* argv[], const std::function<void(Windows&)>& started)
{
    platform::Application application(argc, argv);

    Module1 module{0, platform::applicationDirectory()};
    Windows windows(module);
    windows.startUp();
    if (started)
        started(windows);
    return QApplication::exec();
}
