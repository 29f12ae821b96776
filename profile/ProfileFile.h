#pragma once

#include "profile/SlotTable.h"

#include <functional>

namespace profile {

// NAME.txt: a marker line, then one line per slot in index order, in code
// page 932 with CR LF line ends. The reader also takes a file in UTF-8 (see
// LoadProfile); the writer always writes code page 932. Both operations throw
// platform::AppError.

// Receives each slot's text as soon as its line has been read, so that the
// slots read before a failure stay set.
using SlotSink = std::function<void(int slot, const QString& text)>;

// The most the file may hold. A whole record takes a few kilobytes; the limit
// keeps a hostile file from filling the memory or a palette box.
inline constexpr qsizetype kMaxFileBytes = qsizetype{1024} * 1024;

// Reads the file and returns its marker line. Fails with 53 when the file is
// missing, 75 when it cannot be read or is no ordinary file (a folder, a pipe,
// a device), 7 when it is larger than kMaxFileBytes, 62 when it ends before
// the last slot.
// A file with a UTF-8 byte order mark is read as UTF-8, and so is one without
// it that is UTF-8 throughout, goes beyond ASCII and is not valid code page
// 932; any other file as code page 932.
QString LoadProfile(const QString& path, const SlotSink& setSlot);

// Replaces the file atomically with marker "1" and the record's 57 slots. On
// any failure the previous file stays as it was; a record larger than
// kMaxFileBytes fails with 7. A line break inside a value
// is stored as LF, which the reader takes as an ordinary character.
void SaveProfile(const QString& path, const Record& record);

// The marker line converted as a typed number: true for non-zero, false for
// zero. Anything that is not a decimal number fails with 13.
bool markerSaysProfileExists(const QString& marker);

// The file's bytes for a record, exactly as SaveProfile writes them.
QByteArray encodeProfile(const Record& record);

} // namespace profile
