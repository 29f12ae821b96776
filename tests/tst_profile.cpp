#include "TestSupport.h"

#include "platform/JapaneseText.h"
#include "profile/Derivation.h"
#include "profile/ProfileFile.h"

#include <QCryptographicHash>
#include <QFileInfo>

using platform::AppError;
using profile::kSlotCount;
using profile::Record;

namespace {

Record entriesFrom(std::initializer_list<std::pair<int, QString>> values)
{
    Record entries;
    for (const auto& [slot, text] : values)
        entries[slot] = text;
    return entries;
}

Record distinctRecord()
{
    Record record;
    for (int slot = 0; slot < kSlotCount; ++slot)
        record[slot] = QStringLiteral("値%1").arg(slot);
    return record;
}

// Loads a file the way start-up does, into a record that starts as the
// palette does, and returns the marker together with the error number (0 when
// none).
struct Loaded
{
    QString marker;
    Record values;
    int error = 0;
};

Loaded load(const QString& path)
{
    Loaded loaded;
    loaded.values.fill(QString::fromUtf16(profile::kPlaceholder));
    try {
        loaded.marker = profile::LoadProfile(
            path, [&](int slot, const QString& text) { loaded.values[slot] = text; });
    } catch (const AppError& error) {
        loaded.error = error.number();
    }
    return loaded;
}

// What a reading gave, error and texts, as a digest to compare with one
// recorded earlier.
QByteArray digestOf(const Loaded& loaded)
{
    QCryptographicHash hash(QCryptographicHash::Sha1);
    for (const QString& text : QStringList{QString::number(loaded.error), loaded.marker} +
                                   QStringList(loaded.values.begin(), loaded.values.end())) {
        hash.addData(text.toUtf8());
        hash.addData(QByteArrayView("\0", 1));
    }
    return hash.result().toHex();
}

// The error 5 a save of `record` fails with; an empty description when it
// succeeds or fails otherwise.
QString refusal(const Record& record)
{
    try {
        profile::encodeProfile(record);
    } catch (const AppError& error) {
        if (error.number() == ErrorNumber::invalidArgument)
            return error.description();
    }
    return {};
}

} // namespace

class TestProfile : public QObject
{
    Q_OBJECT

private slots:
    void fullWidth_data();
    void fullWidth();
    void hiragana_data();
    void hiragana();

    void derivationOfWorkedExample();
    void derivationOfEmptyEntries();
    void derivationKeepsBlanksAndIgnoresDerivedInputs();

    void encodesKnownBytes_data();
    void encodesKnownBytes();
    void decodesInvalidSequencesVisibly_data();
    void decodesInvalidSequencesVisibly();
    void jisTwinsAreSavedAsMicrosoftBytes_data();
    void jisTwinsAreSavedAsMicrosoftBytes();
    void controlBytesAreTheirOwnCharacters_data();
    void controlBytesAreTheirOwnCharacters();

    void saveThenLoadGivesBackEveryValue();
    void savedFileHasExactBytes();
    void lineBreaksInValuesAreStoredAsLF();
    void readerLineEnds_data();
    void readerLineEnds();
    void shortFileKeepsSlotsReadSoFar_data();
    void shortFileKeepsSlotsReadSoFar();
    void missingFileIsFileNotFound();
    void utf8FileIsReadThenSavedAsCp932_data();
    void utf8FileIsReadThenSavedAsCp932();
    void fixturesReadAsBefore_data();
    void fixturesReadAsBefore();

    void unencodableCharacterIsRefusedAndNamed_data();
    void unencodableCharacterIsRefusedAndNamed();
    void unpairedSurrogateIsRefusedByItsCodePoint_data();
    void unpairedSurrogateIsRefusedByItsCodePoint();
    void saveKeepsWhatTheFileIs_data();
    void saveKeepsWhatTheFileIs();
    void saveIntoMissingDirectoryFails();

    void marker_data();
    void marker();
};

void TestProfile::fullWidth_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");
    QTest::newRow("voiced mark composed") << u"ﾀﾞｲｽｹ"_qs << u"ダイスケ"_qs;
    QTest::newRow("semi-voiced mark composed") << u"ﾊﾟﾋﾟﾌﾟ"_qs << u"パピプ"_qs;
    QTest::newRow("long vowel and punctuation") << u"ｽｰﾊﾟｰ｡｢｣､･"_qs << u"スーパー。「」、・"_qs;
    QTest::newRow("ascii letters and digits") << u"Abc19"_qs << u"Ａｂｃ１９"_qs;
    QTest::newRow("space becomes ideographic") << u"ﾀ ﾛ"_qs << u"タ\u3000ロ"_qs;
    QTest::newRow("full width and kanji stay") << u"田中タロウ"_qs << u"田中タロウ"_qs;
    QTest::newRow("empty") << QString() << QString();
}

void TestProfile::fullWidth()
{
    QFETCH(QString, input);
    QFETCH(QString, expected);
    QCOMPARE(platform::toFullWidth(input), expected);
}

void TestProfile::hiragana_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");
    QTest::newRow("plain") << u"タナカタロウ"_qs << u"たなかたろう"_qs;
    QTest::newRow("long vowel mark stays") << u"スーパー"_qs << u"すーぱー"_qs;
    QTest::newRow("small kana and edges of the range") << u"ァィッャン"_qs << u"ぁぃっゃん"_qs;
    QTest::newRow("half width stays") << u"ﾀﾅｶ"_qs << u"ﾀﾅｶ"_qs;
    QTest::newRow("full-width letters stay") << u"ＡＢＣ１"_qs << u"ＡＢＣ１"_qs;
    QTest::newRow("beyond ン stays") << u"ヴヵヶ"_qs << u"ヴヵヶ"_qs;
}

void TestProfile::hiragana()
{
    QFETCH(QString, input);
    QFETCH(QString, expected);
    QCOMPARE(platform::katakanaToHiragana(input), expected);
}

void TestProfile::derivationOfWorkedExample()
{
    const Record record = profile::derive(entriesFrom({{1, u"田中"_qs},
                                                       {2, u"太郎"_qs},
                                                       {10, u"ﾀﾅｶ"_qs},
                                                       {11, u"ﾀﾛｳ"_qs},
                                                       {13, u"TANAKA"_qs},
                                                       {14, u"TARO"_qs}}));
    QCOMPARE(record[0], u"田中太郎"_qs);
    QCOMPARE(record[9], u"ﾀﾅｶﾀﾛｳ"_qs);
    QCOMPARE(record[6], u"タナカタロウ"_qs);
    QCOMPARE(record[7], u"タナカ"_qs);
    QCOMPARE(record[8], u"タロウ"_qs);
    QCOMPARE(record[3], u"たなかたろう"_qs);
    QCOMPARE(record[4], u"たなか"_qs);
    QCOMPARE(record[5], u"たろう"_qs);
    QCOMPARE(record[12], u"TANAKA TARO"_qs);
    QCOMPARE(record[1], u"田中"_qs);
    QCOMPARE(record[14], u"TARO"_qs);

    const Record numbers = profile::derive(entriesFrom({{17, u"123"_qs},
                                                        {18, u"4567"_qs},
                                                        {20, u"東京都"_qs},
                                                        {21, u"千代田区"_qs},
                                                        {22, u"丸の内"_qs},
                                                        {23, u"1-1"_qs},
                                                        {26, u"03"_qs},
                                                        {27, u"1234"_qs},
                                                        {28, u"5678"_qs},
                                                        {31, u"090"_qs},
                                                        {32, u"1111"_qs},
                                                        {33, u"2222"_qs},
                                                        {38, u"1980"_qs},
                                                        {39, u"4"_qs},
                                                        {40, u"1"_qs},
                                                        {42, u"taro"_qs},
                                                        {43, u"example.jp"_qs},
                                                        {47, u"みどり銀行"_qs},
                                                        {48, u"本店"_qs}}));
    QCOMPARE(numbers[15], u"123-4567"_qs);
    QCOMPARE(numbers[16], u"1234567"_qs);
    QCOMPARE(numbers[19], u"東京都千代田区丸の内1-1"_qs);
    QCOMPARE(numbers[24], u"03-1234-5678"_qs);
    QCOMPARE(numbers[25], u"0312345678"_qs);
    QCOMPARE(numbers[29], u"090-1111-2222"_qs);
    QCOMPARE(numbers[30], u"09011112222"_qs);
    QCOMPARE(numbers[36], u"1980/4/1"_qs);
    QCOMPARE(numbers[37], u"1980-4-1"_qs);
    QCOMPARE(numbers[41], u"taro@example.jp"_qs);
    QCOMPARE(numbers[46], u"みどり銀行/本店"_qs);
}

void TestProfile::derivationOfEmptyEntries()
{
    const Record record = profile::derive(Record{});
    const QHash<int, QString> separators{{12, u" "_qs},  {15, u"-"_qs},  {24, u"--"_qs},
                                         {29, u"--"_qs}, {36, u"//"_qs}, {37, u"--"_qs},
                                         {41, u"@"_qs},  {46, u"/"_qs}};
    for (int slot = 0; slot < kSlotCount; ++slot)
        QCOMPARE(record[slot], separators.value(slot));
}

void TestProfile::derivationKeepsBlanksAndIgnoresDerivedInputs()
{
    Record entries =
        entriesFrom({{13, u"TANAKA "_qs}, {14, u" TARO"_qs}, {10, u"ｱ1"_qs}, {11, u"ﾀﾞ"_qs}});
    entries[0] = u"hidden box text"_qs;
    entries[9] = u"ｽﾞﾚ"_qs;
    const Record record = profile::derive(entries);
    QCOMPARE(record[12], u"TANAKA   TARO"_qs);
    QCOMPARE(record[13], u"TANAKA "_qs);
    QCOMPARE(record[0], QString());
    QCOMPARE(record[9], u"ｱ1ﾀﾞ"_qs);
    QCOMPARE(record[6], u"ア１ダ"_qs);
    QCOMPARE(record[3], u"あ１だ"_qs);
}

void TestProfile::encodesKnownBytes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("kanji") << u"田中"_qs << QByteArray::fromHex("93639286");
    QTest::newRow("wave dash of code page 932") << u"～"_qs << QByteArray::fromHex("8160");
    QTest::newRow("black square") << u"■"_qs << QByteArray::fromHex("81a1");
    QTest::newRow("half-width kana") << u"ﾀﾞ"_qs << QByteArray::fromHex("c0de");
    QTest::newRow("backslash and tilde stay ascii") << u"\\~"_qs << QByteArray::fromHex("5c7e");
    QTest::newRow("NEC special character") << u"①"_qs << QByteArray::fromHex("8740");
}

void TestProfile::encodesKnownBytes()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    const auto encoded = platform::cp932::encode(text);
    QVERIFY(!encoded.unencodable);
    QCOMPARE(encoded.bytes.toHex(), bytes.toHex());
    QCOMPARE(platform::cp932::decode(bytes), text);
}

void TestProfile::decodesInvalidSequencesVisibly_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("lone lead byte at the end") << QByteArray("A\x81", 2) << u"A\uFFFD"_qs;
    QTest::newRow("lead byte with invalid trail") << QByteArray("\x81\x20Z", 3) << u"\uFFFD Z"_qs;
    QTest::newRow("unassigned single byte") << QByteArray("\x80", 1) << u"\uFFFD"_qs;
    QTest::newRow("NUL is kept") << QByteArray("a\0b", 3) << u"a\0b"_qs;
}

void TestProfile::decodesInvalidSequencesVisibly()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(platform::cp932::decode(bytes), text);
}

void TestProfile::jisTwinsAreSavedAsMicrosoftBytes_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("readBack");
    QTest::newRow("wave dash") << u"\u301C"_qs << QByteArray::fromHex("8160") << u"\uFF5E"_qs;
    QTest::newRow("minus sign") << u"\u2212"_qs << QByteArray::fromHex("817c") << u"\uFF0D"_qs;
    QTest::newRow("em dash") << u"\u2014"_qs << QByteArray::fromHex("815c") << u"\u2015"_qs;
    QTest::newRow("double vertical line")
        << u"\u2016"_qs << QByteArray::fromHex("8161") << u"\u2225"_qs;
    QTest::newRow("cent sign") << u"\u00A2"_qs << QByteArray::fromHex("8191") << u"\uFFE0"_qs;
    QTest::newRow("pound sign") << u"\u00A3"_qs << QByteArray::fromHex("8192") << u"\uFFE1"_qs;
    QTest::newRow("not sign") << u"\u00AC"_qs << QByteArray::fromHex("81ca") << u"\uFFE2"_qs;
}

void TestProfile::jisTwinsAreSavedAsMicrosoftBytes()
{
    QFETCH(QString, typed);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, readBack);
    // Within a value, as a user types it between digits.
    const auto encoded = platform::cp932::encode(u"1"_qs + typed + u"2"_qs);
    QVERIFY(!encoded.unencodable);
    QCOMPARE(encoded.bytes.toHex(), ("31" + bytes.toHex() + "32"));
    QCOMPARE(platform::cp932::decode(bytes), readBack);
    QVERIFY(platform::cp932::isValid(bytes));
}

void TestProfile::controlBytesAreTheirOwnCharacters_data()
{
    QTest::addColumn<char>("control");
    for (int byte = 0x00; byte <= 0x1F; ++byte)
        QTest::addRow("0x%02X", byte) << char(byte);
    QTest::newRow("0x7F") << char(0x7F);
}

void TestProfile::controlBytesAreTheirOwnCharacters()
{
    QFETCH(char, control);
    const QByteArray bytes = QByteArray("a") + control + "b";
    const QString text = u"a"_qs + QChar(control) + u"b"_qs;
    const auto encoded = platform::cp932::encode(text);
    QVERIFY(!encoded.unencodable);
    QCOMPARE(encoded.bytes.toHex(), bytes.toHex());
    QCOMPARE(platform::cp932::decode(bytes), text);
}

void TestProfile::saveThenLoadGivesBackEveryValue()
{
    AppDirectory dir;
    Record record = distinctRecord();
    record[3] = QString();
    record[4] = u"  blanks around  "_qs;
    record[5] = u"line\nfeed inside"_qs;
    record[6] = u"ﾀﾞ～①■\\~"_qs;
    profile::SaveProfile(dir.profilePath(), record);

    const Loaded loaded = load(dir.profilePath());
    QCOMPARE(loaded.error, 0);
    QCOMPARE(loaded.marker, u"1"_qs);
    for (int slot = 0; slot < kSlotCount; ++slot)
        QCOMPARE(loaded.values[slot], record[slot]);
}

void TestProfile::savedFileHasExactBytes()
{
    AppDirectory dir;
    Record record;
    record[0] = u"田中"_qs;
    record[56] = u"～"_qs;
    profile::SaveProfile(dir.profilePath(), record);
    QByteArray expected = QByteArray::fromHex("310d0a") + QByteArray::fromHex("936392860d0a");
    for (int slot = 1; slot < 56; ++slot)
        expected += "\r\n";
    expected += QByteArray::fromHex("81600d0a");
    QCOMPARE(dir.readProfile().toHex(), expected.toHex());
}

void TestProfile::lineBreaksInValuesAreStoredAsLF()
{
    AppDirectory dir;
    Record record = distinctRecord();
    record[54] = u"一行目\r\n二行目\r三行目\n四行目"_qs;
    profile::SaveProfile(dir.profilePath(), record);

    const QByteArray bytes = dir.readProfile();
    QCOMPARE(bytes.count("\r\n"), 58);
    QCOMPARE(bytes.count('\r'), 58);

    const Loaded loaded = load(dir.profilePath());
    QCOMPARE(loaded.error, 0);
    QCOMPARE(loaded.values[54], u"一行目\n二行目\n三行目\n四行目"_qs);
    QCOMPARE(loaded.values[55], record[55]);
}

void TestProfile::readerLineEnds_data()
{
    QTest::addColumn<QByteArray>("ending");
    QTest::addColumn<QString>("lastSlot");
    QTest::addColumn<QString>("slot0");
    const QByteArray body = profileBytes(QStringList{u"1"_qs} + numberedSlots(56));
    QTest::newRow("last line without line end")
        << body + cp932(u"最後"_qs) << u"最後"_qs << u"値0"_qs;
    QTest::newRow("extra lines ignored") << body + cp932(u"最後"_qs) + "\r\nextra\r\nmore\r\n"
                                         << u"最後"_qs << u"値0"_qs;
    QTest::newRow("LF alone is part of a line")
        << QByteArray("1\r\nA\nB\r\n") + profileBytes(numberedSlots(56).mid(1)) + "Z\r\n"
        << u"Z"_qs << u"A\nB"_qs;
    QTest::newRow("CR alone ends a line")
        << QByteArray("1\rA\r") + profileBytes(numberedSlots(56).mid(1)) + "Z" << u"Z"_qs
        << u"A"_qs;
}

void TestProfile::readerLineEnds()
{
    QFETCH(QByteArray, ending);
    QFETCH(QString, lastSlot);
    QFETCH(QString, slot0);
    AppDirectory dir;
    dir.writeProfile(ending);
    const Loaded loaded = load(dir.profilePath());
    QCOMPARE(loaded.error, 0);
    QCOMPARE(loaded.marker, u"1"_qs);
    QCOMPARE(loaded.values[0], slot0);
    QCOMPARE(loaded.values[56], lastSlot);
}

void TestProfile::shortFileKeepsSlotsReadSoFar_data()
{
    QTest::addColumn<int>("lines");
    QTest::newRow("empty file") << 0;
    QTest::newRow("marker only") << 1;
    QTest::newRow("30 lines") << 30;
    QTest::newRow("57 lines") << 57;
}

void TestProfile::shortFileKeepsSlotsReadSoFar()
{
    QFETCH(int, lines);
    AppDirectory dir;
    QStringList content{u"1"_qs};
    content += numberedSlots(kSlotCount);
    dir.writeProfile(profileBytes(content.mid(0, lines)));

    const Loaded loaded = load(dir.profilePath());
    QCOMPARE(loaded.error, ErrorNumber::inputPastEnd);
    const int slotsRead = std::max(0, lines - 1);
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const QString expected = slot < slotsRead ? QStringLiteral("値%1").arg(slot)
                                                  : QString::fromUtf16(profile::kPlaceholder);
        QCOMPARE(loaded.values[slot], expected);
    }
}

void TestProfile::missingFileIsFileNotFound()
{
    AppDirectory dir;
    const Loaded loaded = load(dir.profilePath());
    QCOMPARE(loaded.error, ErrorNumber::fileNotFound);
    QCOMPARE(loaded.values[0], QString::fromUtf16(profile::kPlaceholder));
}

void TestProfile::utf8FileIsReadThenSavedAsCp932_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<Record>("values");
    QTest::addColumn<QByteArray>("saved");

    // A derived record, as the program saves it, with a wave dash typed on
    // Linux in 市町村 (slot 21).
    Record record = profile::derive(entriesFrom({{1, u"田中"_qs},
                                                 {2, u"太郎"_qs},
                                                 {10, u"ﾀﾅｶ"_qs},
                                                 {11, u"ﾀﾛｳ"_qs},
                                                 {21, u"千代田区1\u301C2"_qs},
                                                 {45, u"ｐａｓｓ　word"_qs}}));
    QByteArray utf8 = "1\r\n";
    for (const QString& value : record)
        utf8 += value.toUtf8() + "\r\n";
    QStringList onWindows{u"1"_qs};
    for (const QString& value : record)
        onWindows << QString(value).replace(QChar(0x301C), QChar(0xFF5E));
    const QByteArray saved = profileBytes(onWindows);
    QVERIFY(saved.contains(cp932(u"千代田区1"_qs) + "\x81\x60" + "2\r\n"));
    QTest::newRow("with byte order mark") << "\xEF\xBB\xBF" + utf8 << record << saved;
    QTest::newRow("without byte order mark") << utf8 << record << saved;

    Record ascii;
    ascii.fill(u"plain"_qs);
    const QByteArray asciiFile = "1\r\n" + QByteArray("plain\r\n").repeated(kSlotCount);
    QTest::newRow("ASCII with byte order mark") << "\xEF\xBB\xBF" + asciiFile << ascii << asciiFile;

    // Half-width kana whose code page 932 bytes happen to form UTF-8 (0xC2
    // 0xA1 is U+00A1): the file reads as it was saved.
    Record kana;
    kana.fill(u"ﾂ｡"_qs);
    const QByteArray kanaFile = "1\r\n" + QByteArray("\xC2\xA1\r\n").repeated(kSlotCount);
    QVERIFY(kanaFile.isValidUtf8());
    QTest::newRow("code page 932 that is also UTF-8") << kanaFile << kana << kanaFile;
}

void TestProfile::utf8FileIsReadThenSavedAsCp932()
{
    QFETCH(QByteArray, file);
    QFETCH(Record, values);
    QFETCH(QByteArray, saved);
    AppDirectory dir;
    dir.writeProfile(file);
    const Loaded loaded = load(dir.profilePath());
    QCOMPARE(QStringList({QString::number(loaded.error), loaded.marker}), QStringList({"0", "1"}));
    QCOMPARE(QStringList(loaded.values.begin(), loaded.values.end()),
             QStringList(values.begin(), values.end()));

    profile::SaveProfile(dir.profilePath(), loaded.values);
    QCOMPARE(dir.readProfile(), saved);
}

void TestProfile::fixturesReadAsBefore_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("digest");
    // One line per fixture: its path, then the digest of what the reader gave
    // for it; lines starting with # are comments.
    QFile list(QFINDTESTDATA("fixture-readings.txt"));
    QVERIFY(list.open(QIODevice::ReadOnly | QIODevice::Text));
    const QDir root = QFileInfo(list.fileName()).dir();
    while (!list.atEnd()) {
        const QByteArray line = list.readLine().trimmed();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const QList<QByteArray> fields = line.split(' ');
        QCOMPARE(fields.size(), 2);
        const QString path = root.filePath(QString::fromUtf8(fields[0]));
        QTest::newRow(fields[0].constData()) << path << fields[1];
    }
}

void TestProfile::fixturesReadAsBefore()
{
    QFETCH(QString, path);
    QFETCH(QByteArray, digest);
    QVERIFY2(QFileInfo::exists(path), qPrintable(path));
    QCOMPARE(digestOf(load(path)), digest);
}

void TestProfile::unencodableCharacterIsRefusedAndNamed_data()
{
    QTest::addColumn<int>("slot");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    const QString named = u"の文字「%1」(U+%2) は保存できません。"_qs;
    const QString other = u"この文字を別の文字に置き換えてから、もう一度保存して下さい。"_qs;
    const QString fullWidth =
        u"この文字を全角の「%1」に置き換えてから、もう一度保存して下さい。"_qs;
    auto row = [&](const char* name, int slot, const QString& text, const QString& character,
                   const char* codePoint, const QString& advice) {
        QTest::newRow(name) << slot << text
                            << u"「"_qs + profile::fieldName(slot) + u"」"_qs +
                                   named.arg(character, QLatin1String(codePoint)) + advice;
    };
    row("snowman", 45, u"pass☃word"_qs, u"☃"_qs, "2603", other);
    row("emoji, a surrogate pair", 21, u"町\U0001F600"_qs, u"\U0001F600"_qs, "1F600", other);
    // Slot 1 is copied into the full name, which the file holds first; the
    // report names the box the user typed in.
    row("byte order mark", 1, u"\uFEFF田中"_qs, u"\uFEFF"_qs, "FEFF", other);
    row("zero width space", 1, u"田\u200B中"_qs, u"\u200B"_qs, "200B", other);
    row("replacement character", 21, u"\uFFFD"_qs, u"\uFFFD"_qs, "FFFD", other);
    row("won sign has no full-width form in the code page", 21, u"\u20A9"_qs, u"\u20A9"_qs, "20A9",
        other);
    row("yen sign", 47, u"100¥"_qs, u"¥"_qs, "00A5", fullWidth.arg(u"￥"_qs));
    row("broken bar", 56, u"a¦b"_qs, u"¦"_qs, "00A6", fullWidth.arg(u"￤"_qs));
    row("macron", 13, u"T¯"_qs, u"¯"_qs, "00AF", fullWidth.arg(u"￣"_qs));
}

void TestProfile::unencodableCharacterIsRefusedAndNamed()
{
    QFETCH(int, slot);
    QFETCH(QString, text);
    QFETCH(QString, message);
    AppDirectory dir;
    profile::SaveProfile(dir.profilePath(), distinctRecord());
    const QByteArray before = dir.readProfile();

    Record entries = distinctRecord();
    entries[slot] = text;
    try {
        profile::SaveProfile(dir.profilePath(), profile::derive(entries));
        QFAIL("a character outside code page 932 was saved");
    } catch (const AppError& error) {
        QCOMPARE(error.number(), ErrorNumber::invalidArgument);
        QCOMPARE(error.description(), message);
    }
    QCOMPARE(dir.readProfile(), before);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{u"NAME.txt"_qs});
}

void TestProfile::unpairedSurrogateIsRefusedByItsCodePoint_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("codePoint");
    const QChar high(0xD83D);
    const QChar low(0xDE00);
    QTest::newRow("high surrogate ending the value") << u"abc"_qs + high << u"U+D83D"_qs;
    QTest::newRow("high surrogate alone") << QString(high) << u"U+D83D"_qs;
    QTest::newRow("high surrogate before a letter") << u"a"_qs + high + u"b"_qs << u"U+D83D"_qs;
    QTest::newRow("two high surrogates") << QString(high) + high + low << u"U+D83D"_qs;
    QTest::newRow("low surrogate alone") << u"a"_qs + low + u"b"_qs << u"U+DE00"_qs;
    QTest::newRow("pair in the wrong order") << QString(low) + high << u"U+DE00"_qs;
}

void TestProfile::unpairedSurrogateIsRefusedByItsCodePoint()
{
    QFETCH(QString, text);
    QFETCH(QString, codePoint);
    Record record = distinctRecord();
    record[21] = text;
    const QString message = refusal(record);
    QVERIFY2(message.startsWith(u"「市町村」の文字「\uFFFD」("_qs + codePoint + u")"_qs),
             qPrintable(message));
}

void TestProfile::saveKeepsWhatTheFileIs_data()
{
    QTest::addColumn<bool>("exists");
    QTest::addColumn<bool>("link");
    QTest::addColumn<int>("permissions");
    const int ownerOnly = QFileDevice::ReadUser | QFileDevice::WriteUser;
    const int shared = ownerOnly | QFileDevice::ReadGroup | QFileDevice::ReadOther;
    QTest::newRow("new file is for its owner only") << false << false << ownerOnly;
    QTest::newRow("existing file keeps its permissions") << true << false << shared;
    QTest::newRow("symbolic link stays, its target is saved") << true << true << shared;
}

void TestProfile::saveKeepsWhatTheFileIs()
{
    QFETCH(bool, exists);
    QFETCH(bool, link);
    QFETCH(int, permissions);
    AppDirectory dir;
    const QString target = link ? dir.path() + u"/elsewhere.txt"_qs : dir.profilePath();
    if (exists) {
        QFile file(target);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.setPermissions(QFileDevice::Permissions(permissions) | QFileDevice::ReadOwner |
                                    QFileDevice::WriteOwner));
    }
    if (link)
        QVERIFY(QFile::link(target, dir.profilePath()));

    profile::SaveProfile(dir.profilePath(), distinctRecord());
    QCOMPARE(QFileInfo(dir.profilePath()).isSymLink(), link);
    QCOMPARE(int(QFileInfo(target).permissions() & 0x0777), permissions);
    QCOMPARE(load(target).values, distinctRecord());
}

void TestProfile::saveIntoMissingDirectoryFails()
{
    AppDirectory dir;
    try {
        profile::SaveProfile(dir.path() + u"/missing/NAME.txt"_qs, distinctRecord());
        QFAIL("saved into a directory that does not exist");
    } catch (const AppError& error) {
        QCOMPARE(error.number(), ErrorNumber::pathNotFound);
    }
}

void TestProfile::marker_data()
{
    QTest::addColumn<QString>("marker");
    QTest::addColumn<int>("expected"); // 1 profile, 0 none, -1 type mismatch
    QTest::newRow("1") << u"1"_qs << 1;
    QTest::newRow("2") << u"2"_qs << 1;
    QTest::newRow("-1") << u"-1"_qs << 1;
    QTest::newRow("+2") << u"+2"_qs << 1;
    QTest::newRow("blanks around") << u" 1 "_qs << 1;
    QTest::newRow("exponent") << u"1e0"_qs << 1;
    QTest::newRow("fraction") << u"0.5"_qs << 1;
    QTest::newRow("0") << u"0"_qs << 0;
    QTest::newRow("0.0") << u"0.0"_qs << 0;
    QTest::newRow("-0") << u"-0"_qs << 0;
    QTest::newRow(".0") << u".0"_qs << 0;
    QTest::newRow("0e5") << u"0e5"_qs << 0;
    QTest::newRow("empty") << QString() << -1;
    QTest::newRow("blank") << u" "_qs << -1;
    QTest::newRow("word") << u"abc"_qs << -1;
    QTest::newRow("hex") << u"0x1"_qs << -1;
    QTest::newRow("full-width digit") << u"１"_qs << -1;
    QTest::newRow("two numbers") << u"1 2"_qs << -1;
    QTest::newRow("replacement character") << u"\uFFFD"_qs << -1;
}

void TestProfile::marker()
{
    QFETCH(QString, marker);
    QFETCH(int, expected);
    try {
        QCOMPARE(int(profile::markerSaysProfileExists(marker)), expected);
    } catch (const AppError& error) {
        QCOMPARE(expected, -1);
        QCOMPARE(error.number(), ErrorNumber::typeMismatch);
    }
}

QTEST_GUILESS_MAIN(TestProfile)
#include "tst_profile.moc"
