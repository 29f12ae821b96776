// Prints the figures the program is held to: the data core's operations and
// the start-up of the palette next to a bare Qt window. Run it under a display
// (xvfb-run) for start-up figures that include real window mapping.
#include "bench/Bench.h"
#include "bench/StartupTimer.h"
#include "profile/Derivation.h"
#include "profile/ProfileFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

namespace {

profile::Record sampleEntries()
{
    profile::Record entries;
    for (int slot = 0; slot < profile::kSlotCount; ++slot)
        entries[slot] = QStringLiteral("値%1").arg(slot);
    entries[1] = QStringLiteral("山田");
    entries[2] = QStringLiteral("花子");
    entries[10] = QStringLiteral("ﾔﾏﾀﾞ");
    entries[11] = QStringLiteral("ﾊﾅｺ");
    return entries;
}

void benchDataCore(const QString& directory)
{
    const profile::Record entries = sampleEntries();
    profile::derive(entries); // ICU loads its transliterator data once
    printFigure("derive (57 slots from 37 entries)",
                medianMilliseconds(1000, [&] { profile::derive(entries); }), "ms", "-");

    const QString path = directory + QStringLiteral("/NAME.txt");
    const profile::Record record = profile::derive(entries);
    printFigure("SaveProfile (atomic, synced to disk)",
                medianMilliseconds(200, [&] { profile::SaveProfile(path, record); }), "ms",
                "<= 10 ms");
    printFigure(
        "LoadProfile",
        medianMilliseconds(1000, [&] { profile::LoadProfile(path, [](int, const QString&) {}); }),
        "ms", "<= 1 ms");
}

// The palette probe reads NAME.txt beside its executable, so it runs from a
// copy in a directory of its own, on a first-run file: no browser opens.
QString installPaletteProbe(const QString& directory)
{
    const QString binDir = QCoreApplication::applicationDirPath();
    const QString probe = directory + QStringLiteral("/probe-palette");
    QFile::copy(binDir + QStringLiteral("/probe-palette"), probe);
    QFile::copy(QStringLiteral(PETATTO_FIRST_RUN_FILE), directory + QStringLiteral("/NAME.txt"));
    return probe;
}

void benchStartUp(const QString& directory)
{
    const QString bareWidget = QCoreApplication::applicationDirPath() + "/probe-bare-widget";
    const QString palette = installPaletteProbe(directory);
    constexpr int runs = 15;
    printFigure("start -> bare Qt window painted", medianStartupMilliseconds(bareWidget, runs),
                "ms", "yardstick");
    printFigure("start -> palette painted (no browser)", medianStartupMilliseconds(palette, runs),
                "ms", "<= 60 ms");
    const PeakMemory bare = measurePeakMemory(bareWidget, 500);
    const PeakMemory memory = measurePeakMemory(palette, 500);
    printFigure("peak RSS, bare Qt window", bare.mainProcess, "MiB", "yardstick");
    printFigure("peak RSS, palette only (main process)", memory.mainProcess, "MiB", "<= 45 MB");
    printFigure("peak RSS, palette only (process tree)", memory.processTree, "MiB", "-");
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    QTemporaryDir directory;
    benchDataCore(directory.path());
    QTemporaryDir startUpDirectory;
    benchStartUp(startUpDirectory.path());
    return 0;
}
