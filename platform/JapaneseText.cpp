#include "platform/JapaneseText.h"

#include <unicode/translit.h>
#include <unicode/unistr.h>

#include <memory>
#include <stdexcept>

namespace platform {

namespace {

// The first transliterator of a process makes ICU load its rule data (about
// ten milliseconds), so each one is built on first use, never at start-up.
std::unique_ptr<icu::Transliterator> makeTransliterator(const char16_t* id)
{
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::Transliterator> transliterator(
        icu::Transliterator::createInstance(icu::UnicodeString(id), UTRANS_FORWARD, status));
    if (U_FAILURE(status) || !transliterator)
        throw std::runtime_error("ICU transliterator missing");
    return transliterator;
}

QString transliterate(const icu::Transliterator& transliterator, const QString& text)
{
    icu::UnicodeString buffer(reinterpret_cast<const UChar*>(text.utf16()), int32_t(text.size()));
    transliterator.transliterate(buffer);
    return QString(reinterpret_cast<const QChar*>(buffer.getBuffer()), buffer.length());
}

} // namespace

QString toFullWidth(const QString& text)
{
    static const auto transliterator = makeTransliterator(u"Halfwidth-Fullwidth");
    return transliterate(*transliterator, text);
}

QString katakanaToHiragana(const QString& text)
{
    // Workaround: ICU's plain Katakana-Hiragana turns ー after a kana into the
    // vowel it lengthens (スーパー→すうぱあ); the filter keeps it to ァ..ン.
    static const auto transliterator = makeTransliterator(u"[\\u30A1-\\u30F3] Katakana-Hiragana");
    return transliterate(*transliterator, text);
}

} // namespace platform
