#include "TestSupport.h"

#include "platform/DataFolder.h"
#include "platform/JapaneseText.h"
#include "profile/Derivation.h"
#include "profile/FormFill.h"
#include "profile/ProfileFile.h"

#include <QCryptographicHash>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
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

// The person whose record fills the test pages of tests/formfill.
Record corpusRecord()
{
    QFile file(QFINDTESTDATA("formfill/record.txt"));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("tests/formfill/record.txt is missing");
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    Record record;
    std::copy_n(lines.begin(), std::min<qsizetype>(lines.size(), kSlotCount), record.begin());
    return record;
}

using Boxes = QList<profile::FieldDescription>;

// The options of a select, written "value:text,value:text"; "prefectures"
// stands for the 47 prefectures by their JIS codes, "N..M" and "0N..M" for
// numbers with and without a leading zero.
QJsonArray optionsOf(const QString& written)
{
    static const QStringList kPrefectures =
        u"北海道 青森県 岩手県 宮城県 秋田県 山形県 福島県 茨城県 栃木県 群馬県 埼玉県 千葉県 "
        u"東京都 神奈川県 新潟県 富山県 石川県 福井県 山梨県 長野県 岐阜県 静岡県 愛知県 三重県 "
        u"滋賀県 京都府 大阪府 兵庫県 奈良県 和歌山県 鳥取県 島根県 岡山県 広島県 山口県 徳島県 "
        u"香川県 愛媛県 高知県 福岡県 佐賀県 長崎県 熊本県 大分県 宮崎県 鹿児島県 沖縄県"_s.split(
            u' ');
    QJsonArray options{QJsonObject{{"text", u"選択してください"_s}, {"value", ""}}};
    const auto add = [&](const QString& value, const QString& text) {
        options.append(QJsonObject{{"text", text}, {"value", value}});
    };
    if (written == u"prefectures") {
        for (int i = 0; i < kPrefectures.size(); ++i)
            add(QString::number(i + 1), kPrefectures[i]);
    } else if (const qsizetype dots = written.indexOf(u".."); dots > 0) {
        const int width = written.startsWith(u'0') ? 2 : 1;
        for (int n = written.left(dots).toInt(); n <= written.mid(dots + 2).toInt(); ++n)
            add(u"%1"_s.arg(n, width, 10, QChar(u'0')), u"%1"_s.arg(n, width, 10, QChar(u'0')));
    } else {
        for (const QString& option : written.split(u',')) {
            const qsizetype colon = option.indexOf(u':');
            add(option.left(colon), option.mid(colon + 1));
        }
    }
    return options;
}

// Boxes as the page side sends them, one per text: its type (or "select",
// "textarea"), then "|member=value" for the description's members.
Boxes boxes(const QStringList& texts)
{
    static const QStringList kNumbers{u"maxLength"_s, u"size"_s, u"row"_s, u"selectedIndex"_s};
    Boxes result;
    for (const QString& text : texts) {
        const QStringList parts = text.split(u'|');
        const QString& type = parts.front();
        const bool input = type != u"select" && type != u"textarea";
        QJsonObject object{{"tag", input ? u"input"_s : type}, {"type", input ? type : u""_s}};
        for (const QString& part : parts.mid(1)) {
            const qsizetype equals = part.indexOf(u'=');
            const QString key = part.left(equals);
            const QString value = part.mid(equals + 1);
            if (key == u"options")
                object.insert(key, optionsOf(value));
            else if (key == u"hasText")
                object.insert(key, true);
            else if (kNumbers.contains(key))
                object.insert(key, value.toInt());
            else
                object.insert(key, value);
        }
        result << profile::fieldDescriptionFromJson(object);
    }
    return result;
}

// The fills as "key=value", keyed as the answer files are: id, else name,
// else name=value for a radio.
QStringList filled(const Boxes& fields, const QList<profile::FieldFill>& fills)
{
    QStringList result;
    for (const profile::FieldFill& fill : fills) {
        const profile::FieldDescription& field = fields.value(fill.field);
        QString key = field.id.isEmpty() ? field.name : field.id;
        if (field.type == u"radio")
            key += u'=' + field.value;
        result << key + u'=' + fill.value;
    }
    return result;
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
    void formFill_data();
    void formFill();
    void fieldFromJson();
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
    QTest::newRow("voiced mark composed") << wide << u"ﾀﾞｲｽｹ"_s << u"ダイスケ"_s;
    QTest::newRow("semi-voiced mark composed") << wide << u"ﾊﾟﾋﾟﾌﾟ"_s << u"パピプ"_s;
    QTest::newRow("long vowel and punctuation")
        << wide << u"ｽｰﾊﾟｰ｡｢｣､･"_s << u"スーパー。「」、・"_s;
    QTest::newRow("ascii letters and digits") << wide << u"Abc19"_s << u"Ａｂｃ１９"_s;
    QTest::newRow("space becomes ideographic") << wide << u"ﾀ ﾛ"_s << u"タ\u3000ロ"_s;
    QTest::newRow("full width and kanji stay") << wide << u"田中タロウ"_s << u"田中タロウ"_s;
    QTest::newRow("empty") << wide << QString() << QString();
    const Conversion hiragana = platform::katakanaToHiragana;
    QTest::newRow("hiragana") << hiragana << u"タナカタロウ"_s << u"たなかたろう"_s;
    QTest::newRow("long vowel mark stays") << hiragana << u"スーパー"_s << u"すーぱー"_s;
    QTest::newRow("small kana and edges of the range")
        << hiragana << u"ァィッャン"_s << u"ぁぃっゃん"_s;
    QTest::newRow("half width stays") << hiragana << u"ﾀﾅｶ"_s << u"ﾀﾅｶ"_s;
    QTest::newRow("full-width letters stay") << hiragana << u"ＡＢＣ１"_s << u"ＡＢＣ１"_s;
    QTest::newRow("beyond ン stays") << hiragana << u"ヴヵヶ"_s << u"ヴヵヶ"_s;
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
        {17, u"123"_s},        {18, u"4567"_s},       {20, u"東京都"_s}, {21, u"千代田区"_s},
        {22, u"丸の内"_s},     {23, u"1-1"_s},        {26, u"03"_s},     {27, u"1234"_s},
        {28, u"5678"_s},       {31, u"090"_s},        {32, u"1111"_s},   {33, u"2222"_s},
        {38, u"1980"_s},       {39, u"4"_s},          {40, u"1"_s},      {42, u"taro"_s},
        {43, u"example.jp"_s}, {47, u"みどり銀行"_s}, {48, u"本店"_s}};
    entries.insert(kExampleNameTyped);
    SlotTexts derived{
        {15, u"123-4567"_s},        {16, u"1234567"_s},        {19, u"東京都千代田区丸の内1-1"_s},
        {24, u"03-1234-5678"_s},    {25, u"0312345678"_s},     {29, u"090-1111-2222"_s},
        {30, u"09011112222"_s},     {36, u"1980/4/1"_s},       {37, u"1980-4-1"_s},
        {41, u"taro@example.jp"_s}, {46, u"みどり銀行/本店"_s}};
    derived.insert(kExampleNameDerived);
    QTest::newRow("worked example") << entries << derived;
    // Blanks are kept; text in a derived slot, as a hidden editor box may
    // hold it, is not an input.
    const SlotTexts kept{{0, QString()}, {3, u"あ１だ"_s}, {4, u"あ１"_s},
                         {5, u"だ"_s},   {6, u"ア１ダ"_s}, {7, u"ア１"_s},
                         {8, u"ダ"_s},   {9, u"ｱ1ﾀﾞ"_s},   {12, u"TANAKA   TARO"_s}};
    derived = kSeparatorsAlone;
    derived.insert(kept);
    QTest::newRow("blanks kept, derived slots not read")
        << SlotTexts{{0, u"hidden box text"_s}, {9, u"ｽﾞﾚ"_s},   {10, u"ｱ1"_s}, {11, u"ﾀﾞ"_s},
                     {13, u"TANAKA "_s},        {14, u" TARO"_s}}
        << derived;
    // The test pages' person is a record as a commit leaves it.
    entries.clear();
    derived.clear();
    const Record corpus = corpusRecord();
    for (int slot = 0; slot < kSlotCount; ++slot)
        (profile::isEntry(slot) ? entries : derived).insert(slot, corpus[slot]);
    QTest::newRow("test pages' record") << entries << derived;
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

void TestProfile::formFill_data()
{
    QTest::addColumn<Boxes>("fields");
    QTest::addColumn<QStringList>("expected");
    // Slots of the test pages' record that a row changes.
    QTest::addColumn<SlotTexts>("changes");
    QTest::newRow("shop sign-up table: split name, reading, postal code and telephone")
        << boxes(
               {u"text|name=name01|rowLabel=お名前必須|before=姓|after=名|row=1"_s,
                u"text|name=name02|rowLabel=お名前必須|before=名|row=1"_s,
                u"text|name=kana01|rowLabel=お名前(フリガナ)|before=セイ|after=メイ|row=2"_s,
                u"text|name=kana02|rowLabel=お名前(フリガナ)|before=メイ|row=2"_s,
                u"text|name=company_name|rowLabel=会社名|row=3"_s,
                u"text|name=zip01|rowLabel=郵便番号|before=〒|after=-|maxLength=3|row=4"_s,
                u"text|name=zip02|rowLabel=郵便番号|before=-|maxLength=4|row=4"_s,
                u"select|name=pref|rowLabel=住所|options=prefectures|row=5"_s,
                u"text|name=addr01|rowLabel=住所|after=市区町村名（例：千代田区神田神保町）|row=6"_s,
                u"text|name=addr02|rowLabel=住所|after=番地・ビル名（例：1-3-5）|row=7"_s,
                u"text|name=tel01|rowLabel=電話番号|after=-|maxLength=5|row=8"_s,
                u"text|name=tel02|rowLabel=電話番号|before=-|after=-|maxLength=4|row=8"_s,
                u"text|name=tel03|rowLabel=電話番号|before=-|maxLength=4|row=8"_s,
                u"text|name=fax01|rowLabel=FAX|after=-|row=9"_s,
                u"text|name=fax02|rowLabel=FAX|before=-|after=-|row=9"_s,
                u"text|name=fax03|rowLabel=FAX|before=-|row=9"_s})
        << QStringList{u"name01=渡辺"_s,     u"name02=健太"_s,
                       u"kana01=ワタナベ"_s, u"kana02=ケンタ"_s,
                       u"zip01=225"_s,       u"zip02=0002"_s,
                       u"pref=14"_s,         u"addr01=横浜市青葉区美しが丘"_s,
                       u"addr02=3-21-8"_s,   u"tel01=045"_s,
                       u"tel02=903"_s,       u"tel03=2817"_s}
        << SlotTexts{};
    QTest::newRow("readings: hiragana, half-width kana, Latin family name first")
        << boxes({u"text|name=f1|rowLabel=ふりがな|before=せい|row=1"_s,
                  u"text|name=f2|rowLabel=ふりがな|before=めい|row=1"_s,
                  u"text|name=h1|label=姓（半角カナ）|row=2"_s,
                  u"text|name=h2|label=名（半角カナ）|row=3"_s,
                  u"text|name=full_half|rowLabel=ﾌﾘｶﾞﾅ|row=4"_s,
                  u"text|name=last_name_en|label=Last name（ローマ字）|row=5"_s,
                  u"text|name=first_name_en|label=First name（ローマ字）|row=6"_s,
                  u"text|name=roman|rowLabel=氏名（ローマ字）|row=7"_s})
        << QStringList{u"f1=わたなべ"_s,
                       u"f2=けんた"_s,
                       u"h1=ﾜﾀﾅﾍﾞ"_s,
                       u"h2=ｹﾝﾀ"_s,
                       u"full_half=ﾜﾀﾅﾍﾞｹﾝﾀ"_s,
                       u"last_name_en=WATANABE"_s,
                       u"first_name_en=KENTA"_s,
                       u"roman=WATANABE KENTA"_s}
        << SlotTexts{};
    QTest::newRow("joined boxes follow their example, maxlength and rule")
        << boxes({u"text|name=zip|label=郵便番号|maxLength=8|placeholder=123-4567|row=1"_s,
                  u"text|name=zip7|label=郵便番号|maxLength=7|row=2"_s,
                  u"tel|name=tel|label=電話番号|after=ハイフンなしで入力してください|row=3"_s,
                  u"tel|name=mobile|label=携帯電話番号|placeholder=090-1234-5678|row=4"_s,
                  u"text|name=full|label=氏名|placeholder=例）山田 太郎|row=5"_s,
                  u"text|name=kana|label=フリガナ|placeholder=ヤマダ　タロウ|row=6"_s})
        << QStringList{u"zip=225-0002"_s,         u"zip7=2250002"_s,   u"tel=0459032817"_s,
                       u"mobile=090-4417-6382"_s, u"full=渡辺 健太"_s, u"kana=ワタナベ　ケンタ"_s}
        << SlotTexts{};
    QTest::newRow("birthday: date box, example, selects as their options write")
        << boxes({u"date|id=bd|label=生年月日|row=1"_s,
                  u"text|id=bd2|label=誕生日|placeholder=1990/01/01|row=2"_s,
                  u"text|id=bd3|label=誕生日|maxLength=8|row=3"_s,
                  u"select|name=y|rowLabel=生年月日|options=1930..2010|after=年|row=4"_s,
                  u"select|name=m|rowLabel=生年月日|options=01..12|before=年|after=月|row=4"_s,
                  u"select|name=d|rowLabel=生年月日|options=1..31|before=月|after=日|row=4"_s})
        << QStringList{u"bd=1988-04-07"_s, u"bd2=1988/04/07"_s, u"bd3=19880407"_s,
                       u"y=1988"_s,        u"m=04"_s,           u"d=7"_s}
        << SlotTexts{};
    QTest::newRow("site and bank of a partner sign-up")
        << boxes({u"text|id=site_name|label=サイト名|row=1"_s,
                  u"text|id=site_kana|label=サイト名（フリガナ）|row=2"_s,
                  u"url|id=site_url|label=サイトURL|row=3"_s,
                  u"textarea|id=site_description|label=サイトの説明|row=4"_s,
                  u"text|id=pv|label=月間PV数|row=5"_s, u"text|id=bank_name|label=銀行名|row=6"_s,
                  u"text|id=bank_code|label=銀行コード|row=7"_s,
                  u"text|id=branch_name|label=支店名|row=8"_s,
                  u"radio|name=type|value=1|label=普通|rowLabel=口座種別|row=9"_s,
                  u"radio|name=type|value=2|label=当座|rowLabel=口座種別|row=9"_s,
                  u"text|id=account_number|label=口座番号|maxLength=7|row=10"_s,
                  u"text|id=holder|label=口座名義（カナ）|row=11"_s})
        << QStringList{u"site_name=ケンタの自転車旅日記"_s,
                       u"site_kana=ケンタノジテンシャタビニッキ"_s,
                       u"site_url=https://kenta-cycling.example.jp/"_s,
                       u"site_description=週末の自転車旅と道具の手入れを写真付きで紹介するブログです。"_s,
                       u"pv=3500"_s,
                       u"bank_name=あおば銀行"_s,
                       u"branch_name=青葉台支店"_s,
                       u"type=1=checked"_s,
                       u"account_number=1234567"_s,
                       u"holder=ワタナベケンタ"_s}
        << SlotTexts{};
    QTest::newRow("log-in form: no password")
        << boxes({u"email|name=login_email|label=メールアドレス|row=1"_s,
                  u"password|name=login_pass|label=パスワード|row=2"_s})
        << QStringList{u"login_email=kenta.watanabe@example.jp"_s} << SlotTexts{};
    QTest::newRow("new password box, confirmation and a current password")
        << boxes({u"text|name=n|label=氏名|row=0"_s,
                  u"password|name=current|label=現在のパスワード|row=1"_s,
                  u"password|name=p1|autocomplete=new-password|row=2"_s,
                  u"password|name=p2|autocomplete=new-password|row=3"_s})
        << QStringList{u"n=渡辺健太"_s, u"p1=Blue7Harbor2"_s, u"p2=Blue7Harbor2"_s} << SlotTexts{};
    QTest::newRow("never a box that holds text, a checkbox or a button")
        << boxes({u"text|name=name01|rowLabel=お名前|before=姓|row=1|hasText=1"_s,
                  u"text|name=name02|rowLabel=お名前|before=名|row=1"_s,
                  u"checkbox|name=mail|value=1|label=メールアドレスを公開する|row=2"_s,
                  u"submit|name=email|row=3"_s, u"hidden|name=tel|row=4"_s})
        << QStringList{u"name02=健太"_s} << SlotTexts{};
    QTest::newRow("in doubt: two telephone boxes, a pattern that refuses")
        << boxes({u"text|name=t1|label=電話番号|row=1"_s, u"text|name=t2|label=電話番号|row=1"_s,
                  u"text|name=z|label=郵便番号|pattern=\\d{3}-\\d{4}|maxLength=7|row=2"_s,
                  u"text|name=k|label=フリガナ|pattern=[ぁ-ん]+|row=3"_s})
        << QStringList{} << SlotTexts{};
    QTest::newRow("address shared out as the boxes ask")
        << boxes({u"select|name=pref|label=都道府県|options=prefectures|row=1"_s,
                  u"text|name=c1|label=市区町村|row=2"_s, u"text|name=b1|label=番地|row=3"_s,
                  u"text|name=c2|label=市区町村|row=4"_s, u"text|name=s2|label=町名・番地|row=5"_s,
                  u"text|name=house|label=建物名・部屋番号|row=6"_s})
        << QStringList{u"pref=14"_s, u"c1=横浜市青葉区"_s, u"b1=3-21-8"_s, u"c2=横浜市青葉区"_s,
                       u"s2=美しが丘3-21-8"_s}
        << SlotTexts{};
    QTest::newRow("one address box without a prefecture box: the whole address")
        << boxes({u"text|name=a|label=住所|row=1"_s})
        << QStringList{u"a=神奈川県横浜市青葉区美しが丘3-21-8"_s} << SlotTexts{};
    QTest::newRow("an address box that asks from the prefecture on")
        << boxes({u"select|name=pref|label=都道府県|options=prefectures|row=1"_s,
                  u"text|name=b|label=ご住所|placeholder=都道府県から入力|row=2"_s})
        << QStringList{u"pref=14"_s, u"b=神奈川県横浜市青葉区美しが丘3-21-8"_s} << SlotTexts{};
    QTest::newRow("era select, its year, and a house number box that mentions the building")
        << boxes(
               {u"select|name=era|rowLabel=生年月日|options=M:明治,T:大正,S:昭和,H:平成,R:令和|row=1"_s,
                u"text|name=ny|rowLabel=生年月日|after=年|maxLength=2|row=1"_s,
                u"select|name=nm|rowLabel=生年月日|before=年|after=月|options=1..12|row=1"_s,
                u"select|name=nd|rowLabel=生年月日|before=月|after=日|options=1..31|row=1"_s,
                u"select|name=pref|rowLabel=都道府県|options=13:東京,14:神奈川,26:京都|row=2"_s,
                u"text|name=street|rowLabel=番地・建物名|row=3"_s})
        << QStringList{u"era=S"_s, u"ny=63"_s,   u"nm=4"_s,
                       u"nd=7"_s,  u"pref=14"_s, u"street=横浜市青葉区美しが丘3-21-8"_s}
        << SlotTexts{};
    QTest::newRow("other people's boxes stay empty")
        << boxes({u"text|name=child|label=お子さまのお名前|row=1"_s,
                  u"text|name=s_last|autocomplete=shipping family-name|label=お名前（姓）|row=2"_s,
                  u"text|name=deliv_zip|label=郵便番号|row=3"_s,
                  u"tel|name=sos|label=緊急連絡先電話番号|row=4"_s,
                  u"text|name=office|label=勤務先名|row=5"_s,
                  u"text|name=m_mail|label=携帯メールアドレス|row=6"_s,
                  u"text|name=staff_mail|label=社内メール|after=@example.co.jp|row=7"_s,
                  u"text|name=card|label=カード名義|row=8"_s,
                  u"url|name=sns|label=InstagramのURL|row=9"_s})
        << QStringList{} << SlotTexts{};
    QTest::newRow("occupation by radio, account type by select, telephone rule in words")
        << boxes(
               {u"radio|name=job|value=1|after=学生|rowLabel=職業|row=1"_s,
                u"radio|name=job|value=2|after=会社員|rowLabel=職業|row=1"_s,
                u"select|name=kind|label=預金種目|options=1:普通預金,2:当座預金,4:貯蓄預金|row=2"_s,
                u"text|name=tel|rowLabel=電話番号|after=※ハイフンは入力不要です。|row=3"_s,
                u"text|name=mail_user|rowLabel=メールアドレス|after=@|row=4"_s,
                u"text|name=mail_domain|rowLabel=メールアドレス|before=@|row=4"_s})
        << QStringList{u"job=2=checked"_s, u"kind=1"_s, u"tel=0459032817"_s,
                       u"mail_user=kenta.watanabe"_s, u"mail_domain=example.jp"_s}
        << SlotTexts{};
    QTest::newRow("the mobile-or-fax number goes where its kind fits")
        << boxes({u"tel|name=mobile|label=携帯電話|row=1"_s, u"tel|name=fax|label=FAX|row=2"_s})
        << QStringList{u"fax=045-903-2818"_s}
        << SlotTexts{{29, u"045-903-2818"_s},
                     {30, u"0459032818"_s},
                     {31, u"045"_s},
                     {32, u"903"_s},
                     {33, u"2818"_s}};
    QTest::newRow("units after the boxes, a house-number example that starts with the town")
        << boxes({u"text|name=bn|rowLabel=銀行名・支店名|before=銀行名・支店名|after=銀行|row=1"_s,
                  u"text|name=br|rowLabel=銀行名・支店名|before=銀行|after=支店|row=1"_s,
                  u"select|name=pref|label=都道府県|options=prefectures|row=2"_s,
                  u"text|name=c|placeholder=市区町村名(例：大阪市北区)|row=3"_s,
                  u"text|name=s|placeholder=番地・ビル名(例：西梅田1丁目6-8)|row=4"_s})
        << QStringList{u"bn=あおば"_s, u"br=青葉台"_s, u"pref=14"_s, u"c=横浜市青葉区"_s,
                       u"s=美しが丘3-21-8"_s}
        << SlotTexts{};
    QTest::newRow("an e-mail address split at @ whose domain list lacks ours")
        << boxes(
               {u"text|name=local|rowLabel=メールアドレス|after=@|row=1"_s,
                u"select|name=domain|rowLabel=メールアドレス|before=@|options=1:docomo.ne.jp,2:ezweb.ne.jp|row=1"_s})
        << QStringList{} << SlotTexts{};
}

void TestProfile::formFill()
{
    QFETCH(Boxes, fields);
    QFETCH(QStringList, expected);
    QFETCH(SlotTexts, changes);
    Record record = corpusRecord();
    for (const auto& [slot, text] : changes.asKeyValueRange())
        record[slot] = text;
    QCOMPARE(filled(fields, profile::planFormFill(fields, record)), expected);
}

void TestProfile::fieldFromJson()
{
    const auto field = profile::fieldDescriptionFromJson(
        QJsonDocument::fromJson(R"({"tag": "select", "maxLength": "7", "row": 3, "hasText": 1,
            "name": 5, "options": [{"text": "東京都", "value": "13"}, 7]})")
            .object());
    QCOMPARE(field.tag, u"select"_s);
    QCOMPARE(field.maxLength, -1);
    QCOMPARE(field.row, 3);
    QCOMPARE(field.hasText, false);
    QCOMPARE(field.name, QString());
    QCOMPARE(field.options.size(), 2);
    QCOMPARE(field.options[0].value, u"13"_s);
    QCOMPARE(field.options[1].text, QString());
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
    both("kanji", u"田中"_s, "93639286");
    both("wave dash of code page 932", u"～"_s, "8160");
    both("black square", u"■"_s, "81a1");
    both("half-width kana", u"ﾀﾞ"_s, "c0de");
    both("backslash and tilde stay ascii", u"\\~"_s, "5c7e");
    both("NEC special character", u"①"_s, "8740");
    for (int byte = 0x00; byte <= 0x7F; ++byte) {
        if (byte < 0x20 || byte == 0x7F)
            QTest::addRow("control 0x%02X", byte)
                << u"a"_s + QChar(byte) + u"b"_s << QByteArray("a") + char(byte) + "b"
                << u"a"_s + QChar(byte) + u"b"_s;
    }
    // The JIS forms a Linux input method types, within a value, are saved as
    // the bytes of their Microsoft twins and read back as those.
    const auto twin = [](const char* name, char16_t typed, const char* hex, char16_t read) {
        QTest::newRow(name) << u"1"_s + QChar(typed) + u"2"_s
                            << "1" + QByteArray::fromHex(hex) + "2"
                            << u"1"_s + QChar(read) + u"2"_s;
    };
    twin("wave dash", 0x301C, "8160", 0xFF5E);
    twin("minus sign", 0x2212, "817c", 0xFF0D);
    twin("em dash", 0x2014, "815c", 0x2015);
    twin("double vertical line", 0x2016, "8161", 0x2225);
    twin("cent sign", 0x00A2, "8191", 0xFFE0);
    twin("pound sign", 0x00A3, "8192", 0xFFE1);
    twin("not sign", 0x00AC, "81ca", 0xFFE2);
    QTest::newRow("lone lead byte at the end") << QString() << QByteArray("A\x81") << u"A\uFFFD"_s;
    QTest::newRow("lead byte with invalid trail")
        << QString() << QByteArray("\x81\x20Z") << u"\uFFFD Z"_s;
    QTest::newRow("unassigned single byte") << QString() << QByteArray("\x80") << u"\uFFFD"_s;
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
    record[4] = u"  blanks around  "_s;
    record[5] = u"line\nfeed inside"_s;
    record[6] = u"ﾀﾞ～①■\\~"_s;
    QTest::newRow("every value comes back") << record << record;
    Record loaded = record;
    record[54] = u"一行目\r\n二行目\r三行目\n四行目"_s;
    loaded[54] = u"一行目\n二行目\n三行目\n四行目"_s;
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
    record[0] = u"田中"_s;
    record[56] = u"～"_s;
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
    const Record record = profile::derive(recordOf({{1, u"田中"_s},
                                                    {2, u"太郎"_s},
                                                    {10, u"ﾀﾅｶ"_s},
                                                    {11, u"ﾀﾛｳ"_s},
                                                    {21, u"千代田区1\u301C2"_s},
                                                    {45, u"ｐａｓｓ　word"_s}}));
    const QStringList lines = QStringList{u"1"_s} + texts(record);
    const QByteArray utf8 = (lines.join(u"\r\n"_s) + u"\r\n"_s).toUtf8();
    const QByteArray saved =
        profileBytes(QStringList(lines).replaceInStrings(QChar(0x301C), QChar(0xFF5E)));
    QVERIFY(saved.contains(cp932(u"千代田区1"_s) + "\x81\x60" + "2\r\n"));
    QTest::newRow("with byte order mark") << "\xEF\xBB\xBF" + utf8 << record << saved;
    QTest::newRow("without byte order mark") << utf8 << record << saved;

    Record ascii;
    ascii.fill(u"plain"_s);
    const QByteArray asciiFile = "1\r\n" + QByteArray("plain\r\n").repeated(kSlotCount);
    QTest::newRow("ASCII with byte order mark") << "\xEF\xBB\xBF" + asciiFile << ascii << asciiFile;

    // Half-width kana whose code page 932 bytes happen to form UTF-8 (0xC2
    // 0xA1 is U+00A1): the file reads as it was saved.
    Record kana;
    kana.fill(u"ﾂ｡"_s);
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
    const QString named = u"の文字「%1」(U+%2) は保存できません。"_s;
    const QString other = u"この文字を別の文字に置き換えてから、もう一度保存して下さい。"_s;
    const QString fullWidth = u"この文字を全角の「%1」に置き換えてから、もう一度保存して下さい。"_s;
    auto row = [&](const char* name, int slot, const QString& text, const QString& character,
                   const char* codePoint, const QString& advice) {
        QTest::newRow(name) << slot << text
                            << u"「"_s + profile::fieldName(slot) + u"」"_s +
                                   named.arg(character, QLatin1String(codePoint)) + advice;
    };
    row("snowman", 45, u"pass☃word"_s, u"☃"_s, "2603", other);
    row("emoji, a surrogate pair", 21, u"町\U0001F600"_s, u"\U0001F600"_s, "1F600", other);
    // Slot 1 is copied into the full name, which the file holds first; the
    // report names the box the user typed in.
    row("byte order mark", 1, u"\uFEFF田中"_s, u"\uFEFF"_s, "FEFF", other);
    row("zero width space", 1, u"田\u200B中"_s, u"\u200B"_s, "200B", other);
    row("replacement character", 21, u"\uFFFD"_s, u"\uFFFD"_s, "FFFD", other);
    row("won sign has no full-width form in the code page", 21, u"\u20A9"_s, u"\u20A9"_s, "20A9",
        other);
    row("yen sign", 47, u"100¥"_s, u"¥"_s, "00A5", fullWidth.arg(u"￥"_s));
    row("broken bar", 56, u"a¦b"_s, u"¦"_s, "00A6", fullWidth.arg(u"￤"_s));
    row("macron", 13, u"T¯"_s, u"¯"_s, "00AF", fullWidth.arg(u"￣"_s));
    // An unpaired surrogate cannot be shown; the report names its code point.
    const QChar high(0xD83D);
    const QChar low(0xDE00);
    const QString unshown = u"\uFFFD"_s;
    row("high surrogate ending the value", 21, u"abc"_s + high, unshown, "D83D", other);
    row("high surrogate alone", 21, QString(high), unshown, "D83D", other);
    row("high surrogate before a letter", 21, u"a"_s + high + u"b"_s, unshown, "D83D", other);
    row("two high surrogates", 21, QString(high) + high + low, unshown, "D83D", other);
    row("low surrogate alone", 21, u"a"_s + low + u"b"_s, unshown, "DE00", other);
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
    QTest::addColumn<int>("permissions"); // before the save
    QTest::addColumn<int>("saved");       // after it
    // A link to another file waits where the save puts its temporary.
    QTest::addColumn<bool>("planted");
    const int ownerOnly = QFileDevice::ReadUser | QFileDevice::WriteUser;
    const int shared = ownerOnly | QFileDevice::ReadGroup | QFileDevice::ReadOther;
    const int everyone = shared | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    const int ownerRunnable = ownerOnly | QFileDevice::ExeUser;
    const struct
    {
        const char* name;
        bool exists, link;
        int permissions, saved;
        bool planted;
    } rows[] = {
        {"new file is for its owner only", false, false, ownerOnly, ownerOnly, false},
        {"file readable by all becomes its owner's alone", true, false, shared, ownerOnly, false},
        {"file writable by all becomes its owner's alone", true, false, everyone, ownerOnly, false},
        {"owner's permissions stay", true, false, ownerRunnable, ownerRunnable, false},
        {"symbolic link stays, its target is saved", true, true, shared, ownerOnly, false},
        {"link planted as the temporary is not written through", true, false, shared, ownerOnly,
         true},
    };
    for (const auto& row : rows)
        QTest::newRow(row.name) << row.exists << row.link << row.permissions << row.saved
                                << row.planted;
}

void TestProfile::saveKeepsWhatTheFileIs()
{
    QFETCH(bool, exists);
    QFETCH(bool, link);
    QFETCH(int, permissions);
    QFETCH(int, saved);
    QFETCH(bool, planted);
    AppDirectory dir;
    const QString other = dir.path() + u"/other.txt"_s;
    if (planted) {
        QFile file(other);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("someone else's") > 0);
        QVERIFY(QFile::link(other, dir.profilePath() + u".tmp"_s));
    }
    const QString target = link ? dir.path() + u"/elsewhere.txt"_s : dir.profilePath();
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
    QCOMPARE(int(QFileInfo(target).permissions() & 0x0777), saved);
    QCOMPARE(texts(load(target).values), numberedSlots(kSlotCount));
    if (planted) {
        QCOMPARE(dir.strayEntries(), QStringList{u"other.txt"_s});
        QFile file(other);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("someone else's"));
    }
}

void TestProfile::saveIntoMissingDirectoryFails()
{
    AppDirectory dir;
    try {
        profile::SaveProfile(dir.path() + u"/missing/NAME.txt"_s, distinctRecord());
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
    const QString usual = u".local/share/petatto-meibo"_s;
    QTest::newRow("empty home") << QString() << usual << Planted::Nothing;
    QTest::newRow("XDG_DATA_HOME") << u"~/data"_s << u"data/petatto-meibo"_s << Planted::Nothing;
    QTest::newRow("relative XDG_DATA_HOME is ignored") << u"data"_s << usual << Planted::Nothing;
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
    const QString record = expected.filePath(u"NAME.txt"_s);
    const QString elsewhere = home.path() + u"/elsewhere.txt"_s;
    const QByteArray firstRun = fileWithMarker(u"0"_s), mine = fileWithMarker(u"1"_s);
    const auto ownerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    const auto shared =
        ownerOnly | QFileDevice::ExeOwner | QFileDevice::ReadOther | QFileDevice::ExeOther;
    if (planted != Planted::Nothing) {
        QVERIFY(expected.mkpath(u"."_s));
        QVERIFY(QFile::setPermissions(expected.path(), shared));
    }
    if (planted == Planted::Record) {
        QFile file(record);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(mine) == mine.size());
        QVERIFY(file.setPermissions(ownerOnly | QFileDevice::ReadOther));
    }
    if (planted == Planted::LinkToNothing)
        QVERIFY(QFile::link(elsewhere, record));

    const QString made = platform::userDataFolder(u"petatto-meibo"_s);
    QCOMPARE(made, expected.path());
    platform::provideFirstRunFile(made, u"NAME.txt"_s, firstRun);

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
