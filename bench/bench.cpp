// Prints the figures the data core is held to.
#include "bench/Bench.h"
#include "profile/Derivation.h"
#include "profile/ProfileFile.h"

#include <QCoreApplication>
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

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    QTemporaryDir directory;
    benchDataCore(directory.path());
    return 0;
}
