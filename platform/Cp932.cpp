#include "platform/Cp932.h"

#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>
#include <unicode/ucnv_err.h>

#include <algorithm>
#include <memory>
#include <span>
#include <stdexcept>

namespace platform::cp932 {

namespace {

struct ConverterCloser
{
    void operator()(UConverter* converter) const { ucnv_close(converter); }
};
using Converter = std::unique_ptr<UConverter, ConverterCloser>;

Converter openConverter()
{
    UErrorCode status = U_ZERO_ERROR;
    Converter converter(ucnv_open("windows-31j", &status));
    if (U_FAILURE(status))
        throw std::runtime_error("ICU has no windows-31j converter");
    return converter;
}

// ICU keeps one shared table per code page; one converter per thread holds the
// streaming state, reset before each use so calls never leak into each other.
UConverter& converter()
{
    thread_local Converter instance = openConverter();
    ucnv_reset(instance.get());
    return *instance;
}

struct UnitPair
{
    char16_t windows; // the character as Windows' code page 932 has it
    char16_t icu;     // the character ICU's table has in its place
};

// ICU's table gives three control bytes their IBM meanings, where Windows maps
// every control byte to the control character of the same code point. ICU has
// no option for Windows' controls, so these three are exchanged around each
// conversion: ICU reads byte 0x1A as U+001C, and so on.
constexpr UnitPair kIbmControls[] = {{0x1A, 0x1C}, {0x1C, 0x7F}, {0x7F, 0x1A}};

// The JIS mappings of seven characters, which Linux input methods type, and
// the Microsoft code points of the same characters that code page 932 holds.
// Windows saves the JIS forms as these bytes; reading gives the Microsoft forms.
constexpr UnitPair kJisTwins[] = {
    {0x301C, 0xFF5E}, // WAVE DASH, 0x8160
    {0x2212, 0xFF0D}, // MINUS SIGN, 0x817C
    {0x2014, 0x2015}, // EM DASH, 0x815C
    {0x2016, 0x2225}, // DOUBLE VERTICAL LINE, 0x8161
    {0x00A2, 0xFFE0}, // CENT SIGN, 0x8191
    {0x00A3, 0xFFE1}, // POUND SIGN, 0x8192
    {0x00AC, 0xFFE2}, // NOT SIGN, 0x81CA
};

char16_t forIcu(char16_t unit)
{
    using Pairs = std::span<const UnitPair>;
    for (const Pairs pairs : {Pairs(kIbmControls), Pairs(kJisTwins)}) {
        for (const UnitPair& pair : pairs) {
            if (unit == pair.windows)
                return pair.icu;
        }
    }
    return unit;
}

char16_t fromIcu(char16_t unit)
{
    for (const UnitPair& pair : kIbmControls) {
        if (unit == pair.icu)
            return pair.windows;
    }
    return unit;
}

// Every invalid or unmapped byte sequence becomes the visible U+FFFD. ICU's
// own substitute callback writes the invisible U+001A for some single bytes,
// a control character a user could never spot in a slot. The context counts
// the substitutions.
void substituteReplacementCharacter(const void* context, UConverterToUnicodeArgs* args, const char*,
                                    int32_t, UConverterCallbackReason reason, UErrorCode* status)
{
    if (reason > UCNV_IRREGULAR)
        return;
    ++*static_cast<qsizetype*>(const_cast<void*>(context));
    static const UChar replacement = 0xFFFD;
    *status = U_ZERO_ERROR;
    ucnv_cbToUWriteUChars(args, &replacement, 1, 0, status);
}

// Stops at the first character the code page cannot hold. ICU's own stop
// callback is not used: with it ICU drops default-ignorable characters such
// as U+FEFF and U+200B without a word.
void stopAtUnencodable(const void*, UConverterFromUnicodeArgs*, const UChar*, int32_t, UChar32,
                       UConverterCallbackReason, UErrorCode*)
{
}

struct Decoded
{
    QString text;
    qsizetype substitutions = 0;
};

Decoded decodeCounting(QByteArrayView bytes)
{
    Decoded result;
    if (bytes.isEmpty())
        return result;
    UConverter& conv = converter();
    UErrorCode status = U_ZERO_ERROR;
    ucnv_setToUCallBack(&conv, substituteReplacementCharacter, &result.substitutions, nullptr,
                        nullptr, &status);
    // Every byte yields at most one UTF-16 unit in code page 932.
    result.text.resize(bytes.size());
    auto* target = reinterpret_cast<UChar*>(result.text.data());
    const int32_t length = ucnv_toUChars(&conv, target, int32_t(result.text.size()), bytes.data(),
                                         int32_t(bytes.size()), &status);
    if (U_FAILURE(status))
        throw std::runtime_error(u_errorName(status));
    result.text.truncate(length);
    std::transform(result.text.cbegin(), result.text.cend(), result.text.begin(),
                   [](QChar unit) { return QChar(fromIcu(unit.unicode())); });
    return result;
}

} // namespace

QString decode(QByteArrayView bytes)
{
    return decodeCounting(bytes).text;
}

bool isValid(QByteArrayView bytes)
{
    return decodeCounting(bytes).substitutions == 0;
}

Encoded encode(QStringView text)
{
    Encoded result;
    if (text.isEmpty())
        return result;
    // One unit for one unit, so that an index into it is one into `text`.
    QString prepared(text.size(), Qt::Uninitialized);
    std::transform(text.begin(), text.end(), prepared.begin(),
                   [](QChar unit) { return QChar(forIcu(unit.unicode())); });

    UConverter& conv = converter();
    UErrorCode status = U_ZERO_ERROR;
    ucnv_setFallback(&conv, false);
    ucnv_setFromUCallBack(&conv, stopAtUnencodable, nullptr, nullptr, nullptr, &status);
    // Two bytes per UTF-16 unit is the most code page 932 ever needs.
    result.bytes.resize(prepared.size() * 2);
    char* target = result.bytes.data();
    const auto* source = reinterpret_cast<const UChar*>(prepared.constData());
    const UChar* const sourceStart = source;
    ucnv_fromUnicode(&conv, &target, target + result.bytes.size(), &source,
                     source + prepared.size(), nullptr, true, &status);
    // A lone surrogate is illegal; one at the very end is a truncated pair.
    if (status == U_INVALID_CHAR_FOUND || status == U_ILLEGAL_CHAR_FOUND ||
        status == U_TRUNCATED_CHAR_FOUND) {
        // ICU has consumed the offending unit(s); step back to where it starts.
        char16_t units[4];
        int8_t count = 4;
        UErrorCode ignored = U_ZERO_ERROR;
        ucnv_getInvalidUChars(&conv, reinterpret_cast<UChar*>(units), &count, &ignored);
        result.unencodable = qsizetype(source - sourceStart) - count;
        result.bytes.clear();
        return result;
    }
    if (U_FAILURE(status))
        throw std::runtime_error(u_errorName(status));
    result.bytes.truncate(target - result.bytes.data());
    return result;
}

std::optional<char32_t> fullWidthTwin(char32_t codePoint)
{
    // The full-width forms of the Halfwidth and Fullwidth Forms block
    // decompose, tagged as wide, into the character they widen.
    const QString character = QStringView(QChar::fromUcs4(codePoint)).toString();
    for (char32_t wide = 0xFF01; wide <= 0xFFEE; ++wide) {
        if (QChar::decompositionTag(wide) == QChar::Wide &&
            QChar::decomposition(wide) == character &&
            !encode(QStringView(QChar::fromUcs4(wide))).unencodable)
            return wide;
    }
    return std::nullopt;
}

} // namespace platform::cp932
