// Feeds arbitrary bytes as NAME.txt to the reader and the marker conversion.
// Beyond not crashing, the reader must keep its promises on any input: slots
// arrive in order, no slot holds a CR, and a record it read, saved again,
// reads back as the same texts (but for the JIS forms saved as their Microsoft
// twins) and saves again as the same bytes.

#include "../TestSupport.h"

#include "profile/ProfileFile.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace {

const QString& scratchPath()
{
    static QTemporaryDir dir;
    static const QString path = dir.filePath(QStringLiteral("NAME.txt"));
    return path;
}

void writeScratch(const char* data, qsizetype size)
{
    QFile file(scratchPath());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(data, size) != size)
        std::abort();
}

void check(bool promise)
{
    if (!promise)
        std::abort();
}

// The characters a save writes as the bytes of their Microsoft twins; a
// record read from a UTF-8 file may hold them, and reads back with the twins.
bool sameButSavedTwins(const QString& readBack, const QString& original)
{
    static const QString savedAsTwins =
        QStringLiteral(u"\u301C\u2212\u2014\u2016\u00A2\u00A3\u00AC");
    return std::ranges::equal(readBack, original, [](QChar read, QChar written) {
        return read == written || savedAsTwins.contains(written);
    });
}

// Reads the scratch file; true with the marker and record when it is whole.
bool load(QString& marker, profile::Record& record)
{
    int expected = 0;
    try {
        marker = profile::LoadProfile(scratchPath(), [&](int slot, const QString& text) {
            check(slot == expected++);
            check(!text.contains(QLatin1Char('\r')));
            record[slot] = text;
        });
    } catch (const platform::AppError& error) {
        check(error.number() == ErrorNumber::inputPastEnd ||
              error.number() == ErrorNumber::outOfMemory);
        return false;
    }
    check(expected == profile::kSlotCount);
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    writeScratch(reinterpret_cast<const char*>(data), qsizetype(size));
    QString marker;
    profile::Record record;
    if (!load(marker, record))
        return 0;
    try {
        profile::markerSaysProfileExists(marker);
    } catch (const platform::AppError& error) {
        check(error.number() == ErrorNumber::typeMismatch);
    }

    QByteArray saved;
    try {
        saved = profile::encodeProfile(record);
    } catch (const platform::AppError& error) {
        // A text the code page cannot hold, such as U+FFFD for bytes that were
        // not code page 932, is refused rather than saved changed.
        check(error.number() == ErrorNumber::invalidArgument);
        return 0;
    }
    writeScratch(saved.constData(), saved.size());
    QString markerAgain;
    profile::Record again;
    check(load(markerAgain, again));
    check(markerAgain == QLatin1String("1"));
    for (int slot = 0; slot < profile::kSlotCount; ++slot)
        check(sameButSavedTwins(again[slot], record[slot]));
    check(profile::encodeProfile(again) == saved);
    return 0;
}
