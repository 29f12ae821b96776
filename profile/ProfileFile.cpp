#include "profile/ProfileFile.h"

#include "platform/AppError.h"
#include "platform/Cp932.h"
#include "platform/FileSystem.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>

namespace profile {

using platform::AppError;

namespace {

constexpr char kCR = '\r';
constexpr char kLF = '\n';

// Splits the file's bytes into lines at CR, skipping an LF right after a CR.
// Splitting before decoding is safe: 0x0D is never a trail byte in cp932.
class LineReader
{
public:
    explicit LineReader(QByteArrayView bytes) : m_bytes(bytes) {}

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
        return platform::cp932::decode(line);
    }

private:
    QByteArrayView m_bytes;
    qsizetype m_position = 0;
};

QByteArray readWholeFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (!QFileInfo::exists(path))
            throw AppError::fileNotFound();
        throw AppError::pathNotFound();
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw AppError::pathNotFound();
    return bytes;
}

QString withLineBreaksAsLF(const QString& value)
{
    QString text = value;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QChar(kCR), QChar(kLF));
    return text;
}

AppError unencodableCharacter(int slot, QStringView text, qsizetype index)
{
    const char32_t codePoint = QStringView(text).sliced(index).toUcs4().value(0);
    const qsizetype length = QChar::requiresSurrogates(codePoint) ? 2 : 1;
    return AppError::invalidArgument(
        QStringLiteral("「%1」の文字「%2」(U+%3) は保存できません。"
                       "この文字を別の文字に置き換えてから、もう一度保存して下さい。")
            .arg(fieldName(slot), text.sliced(index, length).toString(),
                 QStringLiteral("%1").arg(quint32(codePoint), 4, 16, QLatin1Char('0')).toUpper()));
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
    const QByteArray bytes = readWholeFile(path);
    LineReader lines(bytes);
    const QString marker = lines.next();
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
    const QFileInfo target(path);
    if (target.isDir() || !target.dir().exists())
        throw AppError::pathNotFound();

    // The record holds a password and a bank account: a new file is for its
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
