// Times the editor's commit as a click triggers it: deriving the 57 slots from
// the entry boxes, writing them into the palette and saving NAME.txt durably;
// and the editor given a value too long to word-wrap. Opening the editor
// before each run is not timed. Run it with
// QT_QPA_PLATFORM=offscreen or under a display.
#include "app/Module1.h"
#include "bench/Bench.h"
#include "forms/Form1.h"
#include "forms/Form2.h"
#include "forms/ProgramWindows.h"
#include "platform/Application.h"

#include <QApplication>
#include <QPushButton>
#include <QTemporaryDir>

int main(int argc, char* argv[])
{
    platform::Application application(argc, argv);

    // Beside the executable, on the disk the program's own file would be on.
    QTemporaryDir directory(QCoreApplication::applicationDirPath() +
                            QStringLiteral("/bench-commit-XXXXXX"));
    if (!directory.isValid())
        return 1;
    // A profile exists, so the commit opens no browser.
    Module1 module{1, directory.path()};
    ProgramWindows windows(module);
    windows.palette();

    Form2* editor = nullptr;
    const auto openEditor = [&] {
        // The previous run's editor is really gone before the next one opens.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        editor = &windows.showEditor();
        for (int slot = 0; slot < profile::kSlotCount; ++slot)
            editor->setSlotText(slot, QStringLiteral("値%1").arg(slot));
        editor->setSlotText(1, QStringLiteral("山田"));
        editor->setSlotText(10, QStringLiteral("ﾔﾏﾀﾞ"));
        editor->setSlotText(11, QStringLiteral("ﾊﾅｺ"));
    };
    const auto commit = [&] { editor->btn内容更新->click(); };
    // ICU loads its conversion data on first use.
    openEditor();
    commit();

    printFigure("commit (derive + palette + durable save)",
                medianMilliseconds(200, openEditor, commit), "ms", "<= 10 ms");

    // A damaged or hostile file may hold a value of a megabyte with no place
    // to break it; the editor still shows it at once.
    const QString unbroken(1'000'000, QLatin1Char('x'));
    printFigure("editor shows 1 MB with no break (multi-line box)",
                medianMilliseconds(3, openEditor,
                                   [&] {
                                       editor->setSlotText(54, unbroken);
                                       QCoreApplication::processEvents();
                                   }),
                "ms", "<= 2000 ms");
    commit();
    return windows.editor() == nullptr || windows.editor()->isHidden() ? 0 : 1;
}
