#include "app/Program.h"

#include "app/Module1.h"
#include "forms/ProgramWindows.h"
#include "platform/Application.h"

#include <QApplication>

int runProgram(int argc, char* argv[], const std::function<void(ProgramWindows&)>& started)
{
    platform::Application application(argc, argv);

    Module1 module{0, platform::applicationDirectory()};
    ProgramWindows windows(module);
    windows.startUp();
    if (started)
        started(windows);
    return QApplication::exec();
}
