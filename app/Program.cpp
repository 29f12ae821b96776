#include "app/Program.h"

#include "app/Module1.h"
#include "forms/Form1.h"
#include "forms/ProgramWindows.h"
#include "platform/Application.h"
#include "platform/DataFolder.h"
#include "platform/ErrorReport.h"
#include "platform/SingleInstance.h"
#include "platform/Window.h"

#include <QApplication>
#include <QFile>

namespace {

// The profile file lies beside the executable, where the program's Windows
// users keep it. A system-wide install cannot: its folders belong to root, so
// there each user's file lives in the user's data folder and starts as a copy
// of the first-run file. That copy is compiled in rather than read from a
// system folder, so that a program unpacked or moved anywhere still finds it.
QString profileFolder()
{
    if constexpr (!PETATTO_RECORD_IN_DATA_FOLDER) {
        return platform::applicationDirectory();
    } else {
        QString folder = platform::userDataFolder(QStringLiteral("petatto-meibo"));
        QFile firstRun(QStringLiteral(":/NAME.txt"));
        if (firstRun.open(QIODevice::ReadOnly))
            platform::provideFirstRunFile(folder, QStringLiteral("NAME.txt"), firstRun.readAll());
        return folder;
    }
}

} // namespace

int runProgram(int argc, char* argv[], const std::function<void(ProgramWindows&)>& started)
{
    platform::Application application(argc, argv);

    const QString folder = profileFolder();
    platform::SingleInstance instance(folder);
    if (!instance.isFirst()) {
        if (instance.runningCopyAnswered())
            return 0;
        platform::reportError(platform::AppError::runningCopySilent());
        return 1;
    }
    Module1 module{0, folder};
    ProgramWindows windows(module);
    QObject::connect(&instance, &platform::SingleInstance::anotherStart, &instance,
                     [&windows] { platform::bringForward(windows.palette()); });
    windows.startUp();
    if (started)
        started(windows);
    return QApplication::exec();
}
