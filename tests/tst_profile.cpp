#include "TestSupport.h"

#include "platform/DataFolder.h"
#include "platform/JapaneseText.h"
#include "profile/Derivation.h"
#include "profile/ProfileFile.h"

#include <QCryptographicHash>
#include <QFileInfo>
#include <QScopeGuard>

#include <algorithm>

using platform::AppError;
using profile::kSlotCount;
using profile::Record;

// Texts by slot; slots not named are empty.
using Conversion = QString (*)(const QString&);
Q_DECLARE_METATYPE(Conversion)

// What lies in the user's data folder before the first start there.
enum class Planted
{
    Nothing,
    SharedFolder,
    Record,
    LinkToNothing
};
Q_DECLARE_METATYPE(Planted)

namespace {

Record recordOf(const SlotTexts& values)
{
    Record record;
    for (const auto& [slot, text] : values.asKeyValueRange())
        record[slot] = text;
    return record;
}

QStringList texts(const Record& record)
{
    return QStringList(record.begin(), record.end());
}

Record distinctRecord()
{
    Record record;
    std::ranges::copy(numberedSlots(kSlotCount), record.begin());
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
    loaded.values.fill(kEmptySlotText);
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
    for (const QString& text :
         QStringList{QString::number(loaded.error), loaded.marker} + texts(loaded.values)) {
        hash.addData(text.toUtf8());
        hash.addData(QByteArrayView("\0", 1));
    }
    return hash.result().toHex();
}

} // namespace

class TestProfile : public QObject
{
    Q_OBJECT

private slots:
    void japaneseText_data();
    void japaneseText();
    void derivation_data();
    void derivation();
    void codePage932_data();
    void codePage932();

    void saveThenLoad_data();
    void saveThenLoad();
    void savedFileHasExactBytes();
    void utf8FileIsReadThenSavedAsCp932_data();
    void utf8FileIsReadThenSavedAsCp932();
    void fixturesReadAsBefore_data();
    void fixturesReadAsBefore();

    void unencodableCharacterIsRefusedAndNamed_data();
    void unencodableCharacterIsRefusedAndNamed();
    void saveKeepsWhatTheFileIs_data();
    void saveKeepsWhatTheFileIs();
    void saveIntoMissingDirectoryFails();
    void firstRunFileInDataFolder_data();
    void firstRunFileInDataFolder();
};

void TestProfile::japaneseText_data()
{
    QTest::addColumn<Conversion>("convert");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");
    const Conversion wide = platform::toFullWidth;
    QTest::newRow("voiced mark composed") << wide << u"ﾀﾞｲｽｹ"_qs << u"ダイスケ"_qs;
    QTest::newRow("semi-voiced mark composed") << wide << u"ﾊﾟﾋﾟﾌﾟ"_qs << u"パピプ"_qs;
    QTest::newRow("long vowel and punctuation")
        << wide << u"ｽｰﾊﾟｰ｡｢｣､･"_qs << u"スーパー。「」、・"_qs;
    QTest::newRow("ascii letters and digits") << wide << u"Abc19"_qs << u"Ａｂｃ１９"_qs;
    QTest::newRow("space becomes ideographic") << wide << u"ﾀ ﾛ"_qs << u"タ\u3000ロ"_qs;
    QTest::newRow("full width and kanji stay") << wide << u"田中タロウ"_qs << u"田中タロウ"_qs;
    QTest::newRow("empty") << wide << QString() << QString();
    const Conversion hiragana = platform::katakanaToHiragana;
    QTest::newRow("hiragana") << hiragana << u"タナカタロウ"_qs << u"たなかたろう"_qs;
    QTest::newRow("long vowel mark stays") << hiragana << u"スーパー"_qs << u"すーぱー"_qs;
    QTest::newRow("small kana and edges of the range")
        << hiragana << u"ァィッャン"_qs << u"ぁぃっゃん"_qs;
    QTest::newRow("half width stays") << hiragana << u"ﾀﾅｶ"_qs << u"ﾀﾅｶ"_qs;
    QTest::newRow("full-width letters stay") << hiragana << u"ＡＢＣ１"_qs << u"ＡＢＣ１"_qs;
    QTest::newRow("beyond ン stays") << hiragana << u"ヴヵヶ"_qs << u"ヴヵヶ"_qs;
}

void TestProfile::japaneseText()
{
    QFETCH(Conversion, convert);
    QFETCH(QString, input);
    QFETCH(QString, expected);
    QCOMPARE(convert(input), expected);
}

void TestProfile::derivation_data()
{
    QTest::addColumn<SlotTexts>("entries");
    // Every slot of the record: the derived ones as named, with the
    // separators alone where their parts are empty; the others as entered.
    QTest::addColumn<SlotTexts>("derived");
    QTest::newRow("nothing entered") << SlotTexts{} << kSeparatorsAlone;
    SlotTexts entries{
        {17, u"123"_qs},        {18, u"4567"_qs},       {20, u"東京都"_qs}, {21, u"千代田区"_qs},
        {22, u"丸の内"_qs},     {23, u"1-1"_qs},        {26, u"03"_qs},     {27, u"1234"_qs},
        {28, u"5678"_qs},       {31, u"090"_qs},        {32, u"1111"_qs},   {33, u"2222"_qs},
        {38, u"1980"_qs},       {39, u"4"_qs},          {40, u"1"_qs},      {42, u"taro"_qs},
        {43, u"example.jp"_qs}, {47, u"みどり銀行"_qs}, {48, u"本店"_qs}};
    entries.insert(kExampleNameTyped);
    SlotTexts derived{{15, u"123-4567"_qs},
                      {16, u"1234567"_qs},
                      {19, u"東京都千代田区丸の内1-1"_qs},
                      {24, u"03-1234-5678"_qs},
                      {25, u"0312345678"_qs},
                      {29, u"090-1111-2222"_qs},
                      {30, u"09011112222"_qs},
                      {36, u"1980/4/1"_qs},
                      {37, u"1980-4-1"_qs},
                      {41, u"taro@example.jp"_qs},
                      {46, u"みどり銀行/本店"_qs}};
    derived.insert(kExampleNameDerived);
    QTest::newRow("worked example") << entries << derived;
    // Blanks are kept; text in a derived slot, as a hidden editor box may
    // hold it, is not an input.
    const SlotTexts kept{{0, QString()}, {3, u"あ１だ"_qs}, {4, u"あ１"_qs},
                         {5, u"だ"_qs},  {6, u"ア１ダ"_qs}, {7, u"ア１"_qs},
                         {8, u"ダ"_qs},  {9, u"ｱ1ﾀﾞ"_qs},   {12, u"TANAKA   TARO"_qs}};
    derived = kSeparatorsAlone;
    derived.insert(kept);
    QTest::newRow("blanks kept, derived slots not read")
        << SlotTexts{{0, u"hidden box text"_qs}, {9, u"ｽﾞﾚ"_qs},   {10, u"ｱ1"_qs}, {11, u"ﾀﾞ"_qs},
                     {13, u"TANAKA "_qs},        {14, u" TARO"_qs}}
        << derived;
}

void TestProfile::derivation()
{
    QFETCH(SlotTexts, entries);
    QFETCH(SlotTexts, derived);
    QStringList expected;
    for (int slot = 0; slot < kSlotCount; ++slot)
        expected << derived.value(slot, entries.value(slot));
    QCOMPARE(texts(profile::derive(recordOf(entries))), expected);
}

void TestProfile::codePage932_data()
{
    // A null text: bytes that no text is saved as.
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("read");
    const auto both = [](const char* name, const QString& text, const char* hex) {
        QTest::newRow(name) << text << QByteArray::fromHex(hex) << text;
    };
    both("kanji", u"田中"_qs, "93639286");
    both("wave dash of code page 932", u"～"_qs, "8160");
    both("black square", u"■"_qs, "81a1");
    both("half-width kana", u"ﾀﾞ"_qs, "c0de");
    both("backslash and tilde stay ascii", u"\\~"_qs, "5c7e");
    both("NEC special character", u"①"_qs, "8740");
    for (int byte = 0x00; byte <= 0x7F; ++byte) {
        if (byte < 0x20 || byte == 0x7F)
            QTest::addRow("control 0x%02X", byte)
                << u"a"_qs + QChar(byte) + u"b"_qs << QByteArray("a") + char(byte) + "b"
                << u"a"_qs + QChar(byte) + u"b"_qs;
    }
    // The JIS forms a Linux input method types, within a value, are saved as
    // the bytes of their Microsoft twins and read back as those.
    const auto twin = [](const char* name, char16_t typed, const char* hex, char16_t read) {
        QTest::newRow(name) << u"1"_qs + QChar(typed) + u"2"_qs
                            << "1" + QByteArray::fromHex(hex) + "2"
                            << u"1"_qs + QChar(read) + u"2"_qs;
    };
    twin("wave dash", 0x301C, "8160", 0xFF5E);
    twin("minus sign", 0x2212, "817c", 0xFF0D);
    twin("em dash", 0x2014, "815c", 0x2015);
    twin("double vertical line", 0x2016, "8161", 0x2225);
    twin("cent sign", 0x00A2, "8191", 0xFFE0);
    twin("pound sign", 0x00A3, "8192", 0xFFE1);
    twin("not sign", 0x00AC, "81ca", 0xFFE2);
    QTest::newRow("lone lead byte at the end") << QString() << QByteArray("A\x81") << u"A\uFFFD"_qs;
    QTest::newRow("lead byte with invalid trail")
        << QString() << QByteArray("\x81\x20Z") << u"\uFFFD Z"_qs;
    QTest::newRow("unassigned single byte") << QString() << QByteArray("\x80") << u"\uFFFD"_qs;
}

void TestProfile::codePage932()
{
    QFETCH(QString, typed);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, read);
    if (!typed.isNull()) {
        const auto encoded = platform::cp932::encode(typed);
        QVERIFY(!encoded.unencodable);
        QCOMPARE(encoded.bytes.toHex(), bytes.toHex());
    }
    QCOMPARE(platform::cp932::decode(bytes), read);
    QCOMPARE(platform::cp932::isValid(bytes), !typed.isNull());
}

void TestProfile::saveThenLoad_data()
{
    QTest::addColumn<Record>("record");
    QTest::addColumn<Record>("loaded");
    Record record = distinctRecord();
    record[3] = QString();
    record[4] = u"  blanks around  "_qs;
    record[5] = u"line\nfeed inside"_qs;
    record[6] = u"ﾀﾞ～①■\\~"_qs;
    QTest::newRow("every value comes back") << record << record;
    Record loaded = record;
    record[54] = u"一行目\r\n二行目\r三行目\n四行目"_qs;
    loaded[54] = u"一行目\n二行目\n三行目\n四行目"_qs;
    QTest::newRow("line breaks in values are stored as LF") << record << loaded;
}

void TestProfile::saveThenLoad()
{
    QFETCH(Record, record);
    QFETCH(Record, loaded);
    AppDirectory dir;
    profile::SaveProfile(dir.profilePath(), record);
    // The marker's and each slot's line end, and no other CR: the reader ends
    // a line at a CR.
    const QByteArray bytes = dir.readProfile();
    QCOMPARE(bytes.count("\r\n"), 58);
    QCOMPARE(bytes.count('\r'), 58);

    const Loaded read = load(dir.profilePath());
    QCOMPARE(QStringList({QString::number(read.error), read.marker}), QStringList({"0", "1"}));
    QCOMPARE(texts(read.values), texts(loaded));
}

void TestProfile::savedFileHasExactBytes()
{
    AppDirectory dir;
    Record record;
    record[0] = u"田中"_qs;
    record[56] = u"～"_qs;
    profile::SaveProfile(dir.profilePath(), record);
    const QByteArray expected = QByteArray::fromHex("310d0a936392860d0a") +
                                QByteArray("\r\n").repeated(55) + QByteArray::fromHex("81600d0a");
    QCOMPARE(dir.readProfile().toHex(), expected.toHex());
}

void TestProfile::utf8FileIsReadThenSavedAsCp932_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<Record>("values");
    QTest::addColumn<QByteArray>("saved");

    // A derived record, as the program saves it, with a wave dash typed on
    // Linux in 市町村 (slot 21).
    const Record record = profile::derive(recordOf({{1, u"田中"_qs},
                                                    {2, u"太郎"_qs},
                                                    {10, u"ﾀﾅｶ"_qs},
                                                    {11, u"ﾀﾛｳ"_qs},
                                                    {21, u"千代田区1\u301C2"_qs},
                                                    {45, u"ｐａｓｓ　word"_qs}}));
    const QStringList lines = QStringList{u"1"_qs} + texts(record);
    const QByteArray utf8 = (lines.join(u"\r\n"_qs) + u"\r\n"_qs).toUtf8();
    const QByteArray saved =
        profileBytes(QStringList(lines).replaceInStrings(QChar(0x301C), QChar(0xFF5E)));
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
    QCOMPARE(texts(loaded.values), texts(values));

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
    // An unpaired surrogate cannot be shown; the report names its code point.
    const QChar high(0xD83D);
    const QChar low(0xDE00);
    const QString unshown = u"\uFFFD"_qs;
    row("high surrogate ending the value", 21, u"abc"_qs + high, unshown, "D83D", other);
    row("high surrogate alone", 21, QString(high), unshown, "D83D", other);
    row("high surrogate before a letter", 21, u"a"_qs + high + u"b"_qs, unshown, "D83D", other);
    row("two high surrogates", 21, QString(high) + high + low, unshown, "D83D", other);
    row("low surrogate alone", 21, u"a"_qs + low + u"b"_qs, unshown, "DE00", other);
    row("pair in the wrong order", 21, QString(low) + high, unshown, "DE00", other);
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
    QCOMPARE(dir.strayEntries(), QStringList());
}
void TestProfile::saveKeepsWhatTheFileIs_data()
{
    QTest::addColumn<bool>("exists");
    QTest::addColumn<bool>("link");
    QTest::addColumn<int>("permissions");
    // A link to another file waits where the save puts its temporary.
    QTest::addColumn<bool>("planted");
    const int ownerOnly = QFileDevice::ReadUser | QFileDevice::WriteUser;
    const int shared = ownerOnly | QFileDevice::ReadGroup | QFileDevice::ReadOther;
    QTest::newRow("new file is for its owner only") << false << false << ownerOnly << false;
    QTest::newRow("existing file keeps its permissions") << true << false << shared << false;
    QTest::newRow("symbolic link stays, its target is saved") << true << true << shared << false;
    QTest::newRow("link planted as the temporary is not written through")
        << true << false << shared << true;
}

void TestProfile::saveKeepsWhatTheFileIs()
{
    QFETCH(bool, exists);
    QFETCH(bool, link);
    QFETCH(int, permissions);
    QFETCH(bool, planted);
    AppDirectory dir;
    const QString other = dir.path() + u"/other.txt"_qs;
    if (planted) {
        QFile file(other);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("someone else's") > 0);
        QVERIFY(QFile::link(other, dir.profilePath() + u".tmp"_qs));
    }
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
    QCOMPARE(texts(load(target).values), numberedSlots(kSlotCount));
    if (planted) {
        QCOMPARE(dir.strayEntries(), QStringList{u"other.txt"_qs});
        QFile file(other);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("someone else's"));
    }
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

void TestProfile::firstRunFileInDataFolder_data()
{
    // $XDG_DATA_HOME ("~" for the home folder, null when unset) and where the
    // program's folder then is, inside the home folder.
    QTest::addColumn<QString>("dataHome");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<Planted>("planted");
    const QString usual = u".local/share/petatto-meibo"_qs;
    QTest::newRow("empty home") << QString() << usual << Planted::Nothing;
    QTest::newRow("XDG_DATA_HOME") << u"~/data"_qs << u"data/petatto-meibo"_qs << Planted::Nothing;
    QTest::newRow("relative XDG_DATA_HOME is ignored") << u"data"_qs << usual << Planted::Nothing;
    QTest::newRow("existing folder keeps its permissions")
        << QString() << usual << Planted::SharedFolder;
    QTest::newRow("the user's record stays") << QString() << usual << Planted::Record;
    QTest::newRow("a link in the record's place is not followed")
        << QString() << usual << Planted::LinkToNothing;
}

void TestProfile::firstRunFileInDataFolder()
{
    QFETCH(QString, dataHome);
    QFETCH(QString, folder);
    QFETCH(Planted, planted);
    AppDirectory home;
    const QByteArray oldHome = qgetenv("HOME"), oldDataHome = qgetenv("XDG_DATA_HOME");
    const auto restore = qScopeGuard([&] {
        qputenv("HOME", oldHome);
        qputenv("XDG_DATA_HOME", oldDataHome);
    });
    qputenv("HOME", QFile::encodeName(home.path()));
    if (dataHome.isNull())
        qunsetenv("XDG_DATA_HOME");
    else
        qputenv("XDG_DATA_HOME", QFile::encodeName(dataHome.replace(u'~', home.path())));

    const QDir expected(home.path() + u'/' + folder);
    const QString record = expected.filePath(u"NAME.txt"_qs);
    const QString elsewhere = home.path() + u"/elsewhere.txt"_qs;
    const QByteArray firstRun = fileWithMarker(u"0"_qs), mine = fileWithMarker(u"1"_qs);
    const auto ownerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    const auto shared =
        ownerOnly | QFileDevice::ExeOwner | QFileDevice::ReadOther | QFileDevice::ExeOther;
    if (planted != Planted::Nothing) {
        QVERIFY(expected.mkpath(u"."_qs));
        QVERIFY(QFile::setPermissions(expected.path(), shared));
    }
    if (planted == Planted::Record) {
        QFile file(record);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(mine) == mine.size());
        QVERIFY(file.setPermissions(ownerOnly | QFileDevice::ReadOther));
    }
    if (planted == Planted::LinkToNothing)
        QVERIFY(QFile::link(elsewhere, record));

    const QString made = platform::userDataFolder(u"petatto-meibo"_qs);
    QCOMPARE(made, expected.path());
    platform::provideFirstRunFile(made, u"NAME.txt"_qs, firstRun);

    const auto permissions = [](const QString& path) {
        return QFileInfo(path).permissions() &
               ~(QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser);
    };
    QCOMPARE(permissions(expected.path()),
             planted == Planted::Nothing ? ownerOnly | QFileDevice::ExeOwner : shared);
    switch (planted) {
    case Planted::Nothing:
    case Planted::SharedFolder:
        QCOMPARE(permissions(record), ownerOnly);
        QCOMPARE(AppDirectory::read(record), firstRun);
        break;
    case Planted::Record:
        QCOMPARE(permissions(record), ownerOnly | QFileDevice::ReadOther);
        QCOMPARE(AppDirectory::read(record), mine);
        break;
    case Planted::LinkToNothing:
        QVERIFY(QFileInfo(record).isSymLink());
        QVERIFY(!QFileInfo::exists(elsewhere));
        break;
    }
}

QTEST_GUILESS_MAIN(TestProfile)
#include "tst_profile.moc"
