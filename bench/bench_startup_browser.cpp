// Start-up and memory of the program when a profile exists, so that the
// service browser opens before the palette is shown, next to a bare Qt
// WebEngine window measured in the same run. Run it under a display
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

// The palette probe reads NAME.txt beside its executable: a saved profile, so
// the start-up opens the service browser.
QString installPaletteProbe(const QString& directory)
{
    const QString probe = directory + QStringLiteral("/probe-palette");
    QFile::copy(binary("probe-palette"), probe);
    profile::Record record;
    for (int slot = 0; slot < profile::kSlotCount; ++slot)
        record[slot] = QStringLiteral("値%1").arg(slot);
    profile::SaveProfile(directory + QStringLiteral("/NAME.txt"), record);
    return probe;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    QTemporaryDir directory;
    const QString bare = binary("probe-bare-webengine");
    const QString palette = installPaletteProbe(directory.path());

    constexpr int runs = 9;
    // The page keeps loading after the first paint; memory is read once it
    // has had time to settle.
    constexpr int settleMs = 3000;
    const double bareMs = medianStartupMilliseconds(bare, runs);
    const double paletteMs = medianStartupMilliseconds(palette, runs);
    printFigure("start -> bare Qt WebEngine window painted", bareMs, "ms", "yardstick");
    printFigure("start -> palette painted (browser at start-up)", paletteMs, "ms", "<= 1.0x bare");
    printFigure("  ratio to the bare window", paletteMs / bareMs, "x", "<= 1.0");

    const PeakMemory bareMemory = measurePeakMemory(bare, settleMs);
    const PeakMemory memory = measurePeakMemory(palette, settleMs);
    printFigure("peak RSS, bare WebEngine (main process)", bareMemory.mainProcess, "MiB",
                "yardstick");
    printFigure("peak RSS, bare WebEngine (process tree)", bareMemory.processTree, "MiB",
                "yardstick");
    printFigure("peak RSS, with browser (main process)", memory.mainProcess, "MiB", "-");
    printFigure("peak RSS, with browser (process tree)", memory.processTree, "MiB", "-");
    return 0;
}
