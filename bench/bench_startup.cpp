// Start-up and memory of the program next to bare Qt windows started the same
// way in the same run: the palette on a first run and when a profile exists,
// and the service browser's page when a profile exists. Run it under a display
// (tests/with-display.sh) so that real windows are mapped and painted.
#include "bench/Bench.h"
#include "bench/StartupTimer.h"
#include "profile/ProfileFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

namespace {

QString binary(const char* name)
{
    return QCoreApplication::applicationDirPath() + QLatin1Char('/') + QLatin1String(name);
}

// The palette probe reads NAME.txt beside its executable, so each case runs
// a copy in a directory of its own.
QString installPaletteProbe(const QString& directory)
{
    QString probe = directory + QStringLiteral("/probe-palette");
    QFile::copy(binary("probe-palette"), probe);
    return probe;
}

// A first run: the file a fresh installation ships, so the welcome window
// opens.
QString firstRunProbe(const QString& directory)
{
    QFile::copy(QStringLiteral(PETATTO_FIRST_RUN_FILE), directory + QStringLiteral("/NAME.txt"));
    return installPaletteProbe(directory);
}

// A saved profile, so the service browser opens.
QString profileProbe(const QString& directory)
{
    profile::Record record;
    for (int slot = 0; slot < profile::kSlotCount; ++slot)
        record[slot] = QStringLiteral("値%1").arg(slot);
    profile::SaveProfile(directory + QStringLiteral("/NAME.txt"), record);
    return installPaletteProbe(directory);
}

void printRatio(double value, double yardstick, const char* target)
{
    printFigure("  ratio to its yardstick", value / yardstick, "x", target);
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    // As in a desktop session, the runtime directory, where the program keeps
    // its single-instance lock, lies in memory. Without one Qt falls back to a
    // folder on disk, and taking the lock would wait for the disk to sync.
    QTemporaryDir runtime(QStringLiteral("/dev/shm/petatto-bench-XXXXXX"));
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR") && runtime.isValid())
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    QTemporaryDir firstRunDirectory, profileDirectory;
    const Probe bareWidget{binary("probe-bare-widget"), {}};
    const Probe barePalette{binary("probe-bare-palette"), {}};
    const Probe bareWebEngine{binary("probe-bare-webengine"), {}};
    const Probe firstRun{firstRunProbe(firstRunDirectory.path()), {}};
    const Probe withProfile{profileProbe(profileDirectory.path()), {}};
    const Probe browserPage{withProfile.program, {QStringLiteral("--page")}};

    const std::vector<double> palettes =
        medianStartupMilliseconds({bareWidget, barePalette, firstRun, withProfile}, 15);
    printFigure("start -> bare Qt window painted", palettes[0], "ms", "yardstick");
    printFigure("start -> bare palette painted", palettes[1], "ms", "yardstick");
    printFigure("start -> palette painted, first run (welcome)", palettes[2], "ms",
                "<= 1.3x bare palette");
    printRatio(palettes[2], palettes[1], "<= 1.3");
    printFigure("start -> palette painted, profile exists", palettes[3], "ms",
                "<= 1.3x bare palette");
    printRatio(palettes[3], palettes[1], "<= 1.3");

    const std::vector<double> pages = medianStartupMilliseconds({bareWebEngine, browserPage}, 9);
    printFigure("start -> bare Qt WebEngine page painted", pages[0], "ms", "yardstick");
    printFigure("start -> browser page painted, profile exists", pages[1], "ms",
                "<= 1.05x bare WebEngine");
    printRatio(pages[1], pages[0], "<= 1.05");

    // Memory is read once the windows have settled; a page keeps loading
    // after its first paint.
    const PeakMemory barePaletteMemory = measurePeakMemory(barePalette, 500);
    const PeakMemory paletteMemory = measurePeakMemory(firstRun, 500);
    printFigure("peak RSS, bare palette", barePaletteMemory.mainProcess, "MiB", "yardstick");
    printFigure("peak RSS, palette only (main process)", paletteMemory.mainProcess, "MiB",
                "<= 45 MiB");
    const PeakMemory bareWebEngineMemory = measurePeakMemory(bareWebEngine, 3000);
    const PeakMemory browserMemory = measurePeakMemory(browserPage, 3000);
    printFigure("peak RSS, bare WebEngine (main process)", bareWebEngineMemory.mainProcess, "MiB",
                "yardstick");
    printFigure("peak RSS, bare WebEngine (process tree)", bareWebEngineMemory.processTree, "MiB",
                "yardstick");
    printFigure("peak RSS, with browser (main process)", browserMemory.mainProcess, "MiB", "-");
    printFigure("peak RSS, with browser (process tree)", browserMemory.processTree, "MiB", "-");
    return 0;
}
