#pragma once

#include <QString>

namespace platform {

// Settings that must be made before the QApplication object exists.
void prepareProcess();

// Fonts and the application icon; call once the QApplication exists.
void prepareApplication();

// The directory that holds the executable, without a trailing separator.
QString applicationDirectory();

// The family the windows ask for; substitutes map it to an installed Gothic.
inline constexpr char16_t kJapaneseGothic[] = u"ＭＳ Ｐゴシック";

} // namespace platform
