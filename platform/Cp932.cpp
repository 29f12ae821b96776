#include "platform/Cp932.h"

#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>
#include <unicode/ucnv_err.h>

#include <memory>
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

// Every invalid or unmapped byte sequence becomes the visible U+FFFD. ICU's
// own substitute callback writes the invisible U+001A for some single bytes,
// a control character a user could never spot in a slot.
void substituteReplacementCharacter(const void*, UConverterToUnicodeArgs* args, const char*,
                                    int32_t, UConverterCallbackReason reason, UErrorCode* status)
{
    if (reason > UCNV_IRREGULAR)
        return;
    static const UChar replacement = 0xFFFD;
    *status = U_ZERO_ERROR;
    ucnv_cbToUWriteUChars(args, &replacement, 1, 0, status);
}

} // namespace

QString decode(QByteArrayView bytes)
{
    if (bytes.isEmpty())
        return {};
    UConverter& conv = converter();
    UErrorCode status = U_ZERO_ERROR;
    ucnv_setToUCallBack(&conv, substituteReplacementCharacter, nullptr, nullptr, nullptr, &status);
    // Every byte yields at most one UTF-16 unit in code page 932.
    QString text(bytes.size(), Qt::Uninitialized);
    auto* target = reinterpret_cast<UChar*>(text.data());
    const char* source = bytes.data();
    const int32_t length =
        ucnv_toUChars(&conv, target, int32_t(text.size()), source, int32_t(bytes.size()), &status);
    if (U_FAILURE(status))
        throw std::runtime_error(u_errorName(status));
    text.truncate(length);
    return text;
}

Encoded encode(QStringView text)
{
    Encoded result;
    if (text.isEmpty())
        return result;
    UConverter& conv = converter();
    UErrorCode status = U_ZERO_ERROR;
    ucnv_setFallback(&conv, false);
    ucnv_setFromUCallBack(&conv, UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
    // Two bytes per UTF-16 unit is the most code page 932 ever needs.
    result.bytes.resize(text.size() * 2);
    char* target = result.bytes.data();
    const auto* source = reinterpret_cast<const UChar*>(text.data());
    const UChar* sourceEnd = source + text.size();
    const UChar* const sourceStart = source;
    ucnv_fromUnicode(&conv, &target, target + result.bytes.size(), &source, sourceEnd, nullptr,
                     true, &status);
    if (status == U_INVALID_CHAR_FOUND || status == U_ILLEGAL_CHAR_FOUND) {
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

} // namespace platform::cp932
