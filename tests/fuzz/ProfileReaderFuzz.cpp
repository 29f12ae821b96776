// Feeds arbitrary bytes as NAME.txt to the reader and the marker conversion.
// Beyond not crashing, the reader must keep its promises on any input: slots
// arrive in order, no slot holds a CR, and a record it read, saved again,
// reads back as the same texts.

#include "platform/AppError.h"
#include "profile/ProfileFile.h"

#include <QFile>
#include <QTemporaryDir>

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
        check(error.number() == 62);
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
        check(error.number() == 13);
    }

    QByteArray saved;
    try {
        saved = profile::encodeProfile(record);
    } catch (const platform::AppError& error) {
        // A text the code page cannot hold, such as U+FFFD for bytes that were
        // not code page 932, is refused rather than saved changed.
        check(error.number() == 5);
        return 0;
    }
    writeScratch(saved.constData(), saved.size());
    QString markerAgain;
    profile::Record again;
    check(load(markerAgain, again));
    check(markerAgain == QLatin1String("1"));
    check(again == record);
    return 0;
}
