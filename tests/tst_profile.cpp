#include "TestSupport.h"

#include "platform/JapaneseText.h"
#include "profile/Derivation.h"
#include "profile/ProfileFile.h"

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

    void saveThenLoadGivesBackEveryValue();
    void savedFileHasExactBytes();
    void lineBreaksInValuesAreStoredAsLF();
    void readerLineEnds_data();
    void readerLineEnds();
    void shortFileKeepsSlotsReadSoFar_data();
    void shortFileKeepsSlotsReadSoFar();
    void missingFileIsFileNotFound();

    void unencodableCharacterIsRefusedAndNamed();
    void newFileIsForItsOwnerOnly();
    void existingFileKeepsItsPermissions();
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

void TestProfile::unencodableCharacterIsRefusedAndNamed()
{
    AppDirectory dir;
    profile::SaveProfile(dir.profilePath(), distinctRecord());
    const QByteArray before = dir.readProfile();

    Record record = profile::derive(distinctRecord());
    record[45] = u"pass☃word"_qs;
    try {
        profile::SaveProfile(dir.profilePath(), record);
        QFAIL("a character outside code page 932 was saved");
    } catch (const AppError& error) {
        QVERIFY2(error.description().contains(u"希望パスワード"_qs),
                 qPrintable(error.description()));
        QVERIFY2(error.description().contains(u"☃"_qs), qPrintable(error.description()));
        QVERIFY(error.description().contains(u"U+2603"_qs));
    }
    QCOMPARE(dir.readProfile(), before);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{u"NAME.txt"_qs});
}

void TestProfile::newFileIsForItsOwnerOnly()
{
    AppDirectory dir;
    profile::SaveProfile(dir.profilePath(), distinctRecord());
    QCOMPARE(QFileInfo(dir.profilePath()).permissions() & 0x0777,
             QFileDevice::ReadUser | QFileDevice::WriteUser);
}

void TestProfile::existingFileKeepsItsPermissions()
{
    AppDirectory dir;
    dir.writeProfile("old");
    const auto shared = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser |
                        QFileDevice::WriteUser | QFileDevice::ReadGroup | QFileDevice::ReadOther;
    QVERIFY(QFile::setPermissions(dir.profilePath(), shared));
    profile::SaveProfile(dir.profilePath(), distinctRecord());
    QCOMPARE(QFileInfo(dir.profilePath()).permissions(), shared);
    QCOMPARE(load(dir.profilePath()).values[56], u"値56"_qs);
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
