#include "app/Program.h"

#include "app/Module1.h"
#include "forms/Form1.h"
#include "forms/ProgramWindows.h"
#include "platform/Application.h"
#include "platform/SingleInstance.h"
#include "platform/Window.h"

#include <QApplication>

int runProgram(int argc, char* argv[], const std::function<void(ProgramWindows&)>& started)
{
    platform::Application application(argc, argv);

    const QString folder = platform::applicationDirectory();
    platform::SingleInstance instance(folder);
    if (!instance.isFirst())
        return 0;
    Module1 module{0, folder};
    ProgramWindows windows(module);
    QObject::connect(&instance, &platform::SingleInstance::anotherStart, &instance,
                     [&windows] { platform::bringForward(windows.palette()); });
    windows.startUp();
    if (started)
        started(windows);
    return QApplication::exec();
}
