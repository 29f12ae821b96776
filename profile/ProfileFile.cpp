#include "profile/ProfileFile.h"

#include "platform/AppError.h"
#include "platform/Cp932.h"
#include "platform/FileSystem.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>
#include <QStringDecoder>

#include <algorithm>

namespace profile {

using platform::AppError;

namespace {

constexpr char kCR = '\r';
constexpr char kLF = '\n';

using Decoder = QString (*)(QByteArrayView line);

// Splits the file's bytes into lines at CR, skipping an LF right after a CR.
// Splitting before decoding is safe: 0x0D is never part of a multi-byte
// character, neither in code page 932 nor in UTF-8.
class LineReader
{
public:
    LineReader(QByteArrayView bytes, Decoder decode) : m_bytes(bytes), m_decode(decode) {}

    QString next()
    {
        if (m_position >= m_bytes.size())
            throw AppError::inputPastEnd();
        qsizetype end = m_bytes.indexOf(kCR, m_position);
        if (end < 0)
            end = m_bytes.size();
        const QByteArrayView line = m_bytes.sliced(m_position, end - m_position);
        m_position = end + 1;
        if (m_position < m_bytes.size() && m_bytes[m_position] == kLF)
            ++m_position;
        return m_decode(line);
    }

private:
    QByteArrayView m_bytes;
    Decoder m_decode;
    qsizetype m_position = 0;
};

constexpr QByteArrayView kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// Each line as it is: QString::fromUtf8() would drop a U+FEFF that starts one.
QString decodeUtf8(QByteArrayView line)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless |
                                                     QStringDecoder::Flag::ConvertInitialBom);
    return decoder.decode(line);
}

// A profile copied from another tool or saved by a Linux text editor may be
// UTF-8. With a byte order mark it says so. Without one it is taken for UTF-8
// only when it is UTF-8 throughout, has a character beyond ASCII, and is not
// valid code page 932: every file this program writes is valid code page 932,
// so a saved record always reads back as it was saved, even in the rare file
// whose code page 932 bytes happen to form UTF-8.
bool isUnmarkedUtf8(QByteArrayView bytes)
{
    const bool beyondAscii =
        std::any_of(bytes.begin(), bytes.end(), [](char byte) { return uchar(byte) >= 0x80; });
    return beyondAscii && bytes.isValidUtf8() && !platform::cp932::isValid(bytes);
}

LineReader linesOf(QByteArrayView bytes)
{
    if (bytes.startsWith(kUtf8ByteOrderMark))
        return {bytes.sliced(kUtf8ByteOrderMark.size()), decodeUtf8};
    if (isUnmarkedUtf8(bytes))
        return {bytes, decodeUtf8};
    return {bytes, platform::cp932::decode};
}

QString withLineBreaksAsLF(const QString& value)
{
    QString text = value;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QChar(kCR), QChar(kLF));
    return text;
}

// The code point that starts at `index`; an unpaired surrogate is its own.
char32_t codePointAt(QStringView text, qsizetype index)
{
    const QChar unit = text[index];
    if (unit.isHighSurrogate() && index + 1 < text.size() && text[index + 1].isLowSurrogate())
        return QChar::surrogateToUcs4(unit, text[index + 1]);
    return unit.unicode();
}

AppError unencodableCharacter(int slot, QStringView text, qsizetype index)
{
    const char32_t codePoint = codePointAt(text, index);
    // An unpaired surrogate cannot be shown; the replacement character stands
    // in for it, beside its own code point.
    const QString shown = QChar::isSurrogate(codePoint)
                              ? QString(QChar::ReplacementCharacter)
                              : QStringView(QChar::fromUcs4(codePoint)).toString();
    const std::optional<char32_t> twin = platform::cp932::fullWidthTwin(codePoint);
    const QString replacement =
        twin ? QStringLiteral("全角の「%1」").arg(QStringView(QChar::fromUcs4(*twin)).toString())
             : QStringLiteral("別の文字");
    return AppError::invalidArgument(
        QStringLiteral("「%1」の文字「%2」(U+%3) は保存できません。"
                       "この文字を%4に置き換えてから、もう一度保存して下さい。")
            .arg(fieldName(slot), shown,
                 QStringLiteral("%1").arg(quint32(codePoint), 4, 16, QLatin1Char('0')).toUpper(),
                 replacement));
}

// Slots the user typed come first, so that a character the code page cannot
// hold is reported in the field where it was typed, not in a derived copy.
constexpr std::array<int, kSlotCount> entriesFirst()
{
    std::array<int, kSlotCount> order{};
    int next = 0;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (isEntry(slot))
            order[next++] = slot;
    }
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (!isEntry(slot))
            order[next++] = slot;
    }
    return order;
}

std::array<QByteArray, kSlotCount> encodeSlots(const Record& record)
{
    std::array<QByteArray, kSlotCount> encoded;
    for (const int slot : entriesFirst()) {
        const QString text = withLineBreaksAsLF(record[slot]);
        platform::cp932::Encoded line = platform::cp932::encode(text);
        if (line.unencodable)
            throw unencodableCharacter(slot, text, *line.unencodable);
        encoded[slot] = std::move(line.bytes);
    }
    return encoded;
}

} // namespace

QString LoadProfile(const QString& path, const SlotSink& setSlot)
{
    const QByteArray bytes = platform::readOrdinaryFile(path, kMaxFileBytes);
    LineReader lines = linesOf(bytes);
    QString marker = lines.next();
    for (int slot = 0; slot < kSlotCount; ++slot)
        setSlot(slot, lines.next());
    return marker;
}

QByteArray encodeProfile(const Record& record)
{
    static constexpr char kLineEnd[] = "\r\n";
    const std::array<QByteArray, kSlotCount> lines = encodeSlots(record);
    QByteArray bytes = QByteArrayLiteral("1\r\n");
    for (const QByteArray& line : lines)
        bytes += line + kLineEnd;
    return bytes;
}

void SaveProfile(const QString& path, const Record& record)
{
    const QByteArray bytes = encodeProfile(record);
    // A file the next start would refuse to read is never written.
    if (bytes.size() > kMaxFileBytes)
        throw AppError::recordTooLarge(QFileInfo(path).fileName(), kMaxFileBytes);
    const QFileInfo target(path);
    if (target.isDir() || !target.dir().exists())
        throw AppError::pathNotFound();

    // The record holds a password and a bank account: the file is for its
    // owner only.
    platform::replaceFile(path, bytes, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

bool markerSaysProfileExists(const QString& marker)
{
    // A typed decimal number: blanks around it, sign, fraction and exponent.
    static const QRegularExpression number(
        QStringLiteral(R"(^[ \t]*[+-]?([0-9]+\.?[0-9]*|\.[0-9]+)([eE][+-]?[0-9]+)?[ \t]*$)"));
    if (!number.match(marker).hasMatch())
        throw AppError::typeMismatch();
    bool ok = false;
    const double value = QLocale::c().toDouble(marker.trimmed(), &ok);
    // Past the syntax check, only a value out of range is refused, and such a
    // value is not zero either.
    return !ok || value != 0.0;
}

} // namespace profile
