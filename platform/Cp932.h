#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace platform::cp932 {

// Code page 932 (Windows Shift_JIS), the encoding of the profile file that the
// program's Windows users already have. ICU's "windows-31j" is the Microsoft
// variant: 0x5C and 0x7E stay backslash and tilde, 0x8160 is U+FF5E.

// Decodes bytes; an invalid or unmapped sequence becomes the visible U+FFFD.
QString decode(QByteArrayView bytes);

struct Encoded
{
    QByteArray bytes;
    // Index in the source text of the first character the code page cannot
    // hold; empty when every character was encoded.
    std::optional<qsizetype> unencodable;
};

// Encodes text strictly: no best-fit substitutes, so a character that would
// not come back unchanged is reported instead of being silently replaced.
Encoded encode(QStringView text);

} // namespace platform::cp932
