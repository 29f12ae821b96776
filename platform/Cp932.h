#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace platform::cp932 {

// Code page 932 (Windows Shift_JIS), the encoding of the profile file that the
// program's Windows users already have. ICU's "windows-31j" is the Microsoft
// variant: 0x5C and 0x7E stay backslash and tilde, 0x8160 is U+FF5E. As on
// Windows, the bytes 0x00-0x1F and 0x7F are the control characters of the same
// code point.

// Decodes bytes; an invalid or unmapped sequence becomes the visible U+FFFD.
QString decode(QByteArrayView bytes);

// True when every byte sequence is valid and mapped, so that decode() gives
// no U+FFFD of its own. Every encode() result is such a text.
bool isValid(QByteArrayView bytes);

struct Encoded
{
    QByteArray bytes;
    // Index in the source text of the first character the code page cannot
    // hold; empty when every character was encoded.
    std::optional<qsizetype> unencodable;
};

// Encodes text strictly: no best-fit substitutes, so a character that would
// not come back unchanged is reported instead of being silently replaced.
// The one exception are the JIS forms of seven characters that Linux input
// methods type (U+301C WAVE DASH and its kin): they are saved as the bytes of
// their Microsoft twins, as Windows itself saves them, and read back as those.
Encoded encode(QStringView text);

// The full-width form of a character the code page lacks, when the code page
// holds that form (U+00A5 ¥ gives U+FFE5 ￥): what a user can type instead.
std::optional<char32_t> fullWidthTwin(char32_t codePoint);

} // namespace platform::cp932
