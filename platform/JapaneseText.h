#pragma once

#include <QString>

namespace platform {

// Narrow-to-wide: half-width katakana (voiced marks composed), ASCII and the
// space become their full-width forms; everything else stays.
QString toFullWidth(const QString& text);

// Full-width katakana ァ to ン become hiragana; the long-vowel mark ー and
// everything else stay.
QString katakanaToHiragana(const QString& text);

} // namespace platform
