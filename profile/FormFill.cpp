#include "profile/FormFill.h"

#include "platform/JapaneseText.h"

#include <QHash>
#include <QJsonArray>
#include <QRegularExpression>

#include <array>
#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>
#include <tuple>

using namespace Qt::StringLiterals;

// Recognition reads every clue a page gives about a box, most telling first:
// the autocomplete token, the box's own label texts, the text just before it,
// its placeholder, its name and id, and last the heading of its row. Each kind
// of clue is looked up in a keyword table in which the more specific words
// stand first ("携帯" before "電話", "口座名義" before "名義", "コード" before
// "銀行"). Boxes of one kind standing side by side in one row are then read
// together (three telephone boxes, two postal-code boxes), the address boxes
// of the form share out the parts of the address, and every value is checked
// against the box's maxlength, pattern and type before it is taken. Whatever
// stays in doubt is left empty.

namespace profile {

namespace {

enum class Topic : std::uint8_t
{
    None,
    Ignore, // something the record does not hold: leave it alone
    Name,
    Postal,
    Prefecture,
    Address,
    Building,
    Phone,
    Mobile,
    Fax,
    Birthday,
    BirthEra, // the era of a birthday written in the Japanese calendar
    Age,
    Occupation,
    Email,
    LoginId,
    Password,
    Bank,
    Branch,
    AccountType,
    AccountNumber,
    AccountHolder,
    SiteTitle,
    SiteReading,
    SiteUrl,
    SiteDescription,
    VisitsPerDay,
    VisitsPerMonth
};

// Which box of a split value: family/given name, year/month/day, the three
// parts of a telephone number, the two of a postal code or an e-mail address.
enum class Part : std::uint8_t
{
    None,
    First,
    Second,
    Third
};

enum class Script : std::uint8_t
{
    Unknown,
    Kanji,
    Hiragana,
    Katakana,
    HalfKana,
    Latin
};

enum class Match : std::uint8_t
{
    Anywhere,
    Leading, // only at the start of the text, not followed by another letter
    Broad    // a heading that gives way to a more specific clue further down
};

using T = Topic;
using P = Part;
using S = Script;
using M = Match;

// Words in the box's texts, after NFKC and lower-casing: full-width letters
// and half-width kana are folded, so "ＴＥＬ" and "ﾌﾘｶﾞﾅ" read as "tel" and
// "フリガナ".
struct Word
{
    std::u16string_view text;
    Topic topic;
    Part part = P::None;
    Match match = M::Anywhere;
};

constexpr Word kWords[] = {
    // What the record cannot answer, including words that would otherwise
    // read as one of its values ("会社名", "銀行コード", "メールマガジン").
    {u"メールマガジン", T::Ignore},
    {u"メルマガ", T::Ignore},
    {u"ニュースレター", T::Ignore},
    {u"会社", T::Ignore},
    {u"法人", T::Ignore},
    {u"企業", T::Ignore},
    {u"団体", T::Ignore},
    {u"屋号", T::Ignore},
    {u"社名", T::Ignore},
    {u"部署", T::Ignore},
    {u"役職", T::Ignore},
    {u"店舗", T::Ignore},
    {u"学校", T::Ignore},
    // Other people's data.
    {u"お子", T::Ignore},
    {u"子ども", T::Ignore},
    {u"子供", T::Ignore},
    {u"家族", T::Ignore},
    {u"同行者", T::Ignore},
    {u"お届け先", T::Ignore},
    {u"配送先", T::Ignore},
    {u"送り先", T::Ignore},
    {u"緊急連絡先", T::Ignore},
    {u"携帯メール", T::Ignore},
    {u"ニックネーム", T::Ignore},
    {u"ハンドル", T::Ignore},
    {u"ペンネーム", T::Ignore},
    {u"表示名", T::Ignore},
    {u"性別", T::Ignore},
    {u"質問", T::Ignore},
    {u"答え", T::Ignore},
    {u"備考", T::Ignore},
    {u"問い合わせ", T::Ignore},
    {u"要望", T::Ignore},
    {u"紹介者", T::Ignore},
    {u"きっかけ", T::Ignore},
    {u"コード", T::Ignore},
    {u"記号", T::Ignore},
    {u"クーポン", T::Ignore},
    {u"キーワード", T::Ignore},
    {u"検索", T::Ignore},
    {u"出身", T::Ignore},
    {u"勤務地", T::Ignore},
    {u"勤務先", T::Ignore},
    {u"カテゴリ", T::Ignore},
    {u"ジャンル", T::Ignore},
    {u"国籍", T::Ignore},
    {u"暗証", T::Ignore},
    {u"カード", T::Ignore},
    {u"twitter", T::Ignore},
    {u"instagram", T::Ignore},
    {u"facebook", T::Ignore},
    {u"youtube", T::Ignore},
    {u"tiktok", T::Ignore},
    {u"sns", T::Ignore},
    {u"規約", T::Ignore},
    {u"同意", T::Ignore},
    // The own web site.
    {u"url", T::SiteUrl},
    {u"ホームページアドレス", T::SiteUrl},
    {u"サイトアドレス", T::SiteUrl},
    {u"ブログアドレス", T::SiteUrl},
    {u"サイトの説明", T::SiteDescription},
    {u"サイト説明", T::SiteDescription},
    {u"サイトの紹介", T::SiteDescription},
    {u"サイト紹介", T::SiteDescription},
    {u"サイトの概要", T::SiteDescription},
    {u"サイト概要", T::SiteDescription},
    {u"サイトの内容", T::SiteDescription},
    {u"サイト内容", T::SiteDescription},
    {u"紹介文", T::SiteDescription},
    {u"pr", T::SiteDescription, P::None, M::Leading},
    {u"日間アクセス", T::VisitsPerDay},
    {u"1日のアクセス", T::VisitsPerDay},
    {u"1日アクセス", T::VisitsPerDay},
    {u"日間pv", T::VisitsPerDay},
    {u"1日のpv", T::VisitsPerDay},
    {u"1日の訪問", T::VisitsPerDay},
    {u"日間訪問", T::VisitsPerDay},
    {u"1日のuu", T::VisitsPerDay},
    {u"日間uu", T::VisitsPerDay},
    {u"1日のユニーク", T::VisitsPerDay},
    {u"月間訪問", T::VisitsPerMonth},
    {u"1ヶ月の訪問", T::VisitsPerMonth},
    {u"月間uu", T::VisitsPerMonth},
    {u"月間ユニーク", T::VisitsPerMonth},
    {u"月間アクセス", T::VisitsPerMonth},
    {u"1ヶ月のアクセス", T::VisitsPerMonth},
    {u"1か月のアクセス", T::VisitsPerMonth},
    {u"1ヵ月のアクセス", T::VisitsPerMonth},
    {u"月間pv", T::VisitsPerMonth},
    {u"1ヶ月のpv", T::VisitsPerMonth},
    {u"月間ページビュー", T::VisitsPerMonth},
    {u"サイト名", T::SiteTitle},
    {u"サイトの名前", T::SiteTitle},
    {u"サイトのタイトル", T::SiteTitle},
    {u"サイトタイトル", T::SiteTitle},
    {u"ホームページ名", T::SiteTitle},
    {u"ホームページのタイトル", T::SiteTitle},
    {u"ブログ名", T::SiteTitle},
    {u"ブログのタイトル", T::SiteTitle},
    {u"ブログタイトル", T::SiteTitle},
    {u"メディア名", T::SiteTitle},
    // The bank account.
    {u"口座名義", T::AccountHolder},
    {u"名義", T::AccountHolder},
    {u"口座番号", T::AccountNumber},
    {u"口座種別", T::AccountType},
    {u"口座種類", T::AccountType},
    {u"口座の種類", T::AccountType},
    {u"口座の種別", T::AccountType},
    {u"預金種目", T::AccountType},
    {u"預金種別", T::AccountType},
    {u"預金の種類", T::AccountType},
    {u"種目", T::AccountType},
    {u"普通", T::AccountType},
    {u"当座", T::AccountType},
    {u"支店", T::Branch},
    {u"銀行", T::Bank},
    {u"金融機関", T::Bank},
    // Log-in data.
    {u"メール", T::Email},
    {u"e-mail", T::Email},
    {u"email", T::Email},
    {u"mail", T::Email},
    {u"ドメイン", T::Email},
    {u"パスワード", T::Password},
    {u"password", T::Password},
    {u"ログインid", T::LoginId},
    {u"ユーザーid", T::LoginId},
    {u"ユーザid", T::LoginId},
    {u"会員id", T::LoginId},
    {u"希望id", T::LoginId},
    {u"アカウントid", T::LoginId},
    {u"ログイン名", T::LoginId},
    {u"ユーザー名", T::LoginId},
    {u"ユーザ名", T::LoginId},
    {u"アカウント名", T::LoginId},
    {u"id", T::LoginId},
    {u"アドレス", T::Email},
    // The address.
    {u"郵便番号", T::Postal},
    {u"〒", T::Postal},
    {u"郵便", T::Postal},
    {u"都道府県から", T::Address},
    {u"都道府県より", T::Address},
    {u"都道府県", T::Prefecture},
    {u"番地", T::Address},
    {u"建物", T::Building},
    {u"ビル名", T::Building},
    {u"マンション", T::Building},
    {u"アパート", T::Building},
    {u"部屋番号", T::Building},
    {u"号室", T::Building},
    {u"市区町村", T::Address},
    {u"市区郡", T::Address},
    {u"市町村", T::Address},
    {u"丁目", T::Address},
    {u"町名", T::Address},
    {u"町域", T::Address},
    {u"住所", T::Address, P::None, M::Broad},
    {u"所在地", T::Address, P::None, M::Broad},
    // Telephone numbers.
    {u"携帯可", T::Phone},
    {u"携帯電話可", T::Phone},
    {u"携帯", T::Mobile},
    {u"ケータイ", T::Mobile},
    {u"モバイル", T::Mobile},
    {u"fax", T::Fax},
    {u"ファックス", T::Fax},
    {u"ファクス", T::Fax},
    {u"電話", T::Phone},
    {u"tel", T::Phone},
    {u"連絡先", T::Phone, P::None, M::Broad},
    // Other personal data.
    {u"生年月日", T::Birthday},
    {u"誕生日", T::Birthday},
    {u"生まれ", T::Birthday},
    {u"年齢", T::Age},
    {u"職業", T::Occupation},
    {u"職種", T::Occupation},
    // The name, last: many of the words above hold "名".
    {u"担当者", T::Name},
    {u"名前", T::Name},
    {u"氏名", T::Name},
    {u"姓名", T::Name},
    {u"フリガナ", T::Name},
    {u"ふりがな", T::Name},
    {u"よみがな", T::Name},
    {u"ヨミガナ", T::Name},
    {u"カナ", T::Name},
    {u"ローマ字", T::Name},
    {u"(姓)", T::Name, P::First},
    {u"(名)", T::Name, P::Second},
    {u"last name", T::Name, P::First},
    {u"family name", T::Name, P::First},
    {u"first name", T::Name, P::Second},
    {u"given name", T::Name, P::Second},
    {u"姓", T::Name, P::First, M::Leading},
    {u"苗字", T::Name, P::First, M::Leading},
    {u"名字", T::Name, P::First, M::Leading},
    {u"氏", T::Name, P::First, M::Leading},
    {u"セイ", T::Name, P::First, M::Leading},
    {u"せい", T::Name, P::First, M::Leading},
    {u"名", T::Name, P::Second, M::Leading},
    {u"メイ", T::Name, P::Second, M::Leading},
    {u"めい", T::Name, P::Second, M::Leading},
    {u"name", T::Name},
};

// Words in the name and id attributes, split at case changes, digits and
// punctuation and joined with "_", with "_" on both ends: "customer[name01]"
// reads "_customer_name_01_". A word ending in "_" must end a token.
struct IdWord
{
    std::u16string_view text;
    Topic topic;
};

constexpr IdWord kIdWords[] = {
    {u"_zip", T::Postal},
    {u"_postal", T::Postal},
    {u"_postcode", T::Postal},
    {u"_post_code", T::Postal},
    {u"_post_no", T::Postal},
    {u"_yubin", T::Postal},
    {u"_company", T::Ignore},
    {u"_corp", T::Ignore},
    {u"_organization", T::Ignore},
    {u"_nickname", T::Ignore},
    {u"_nick_", T::Ignore},
    {u"_handle", T::Ignore},
    {u"_coupon", T::Ignore},
    {u"_captcha", T::Ignore},
    {u"_card", T::Ignore},
    {u"_cc_", T::Ignore},
    {u"_token", T::Ignore},
    {u"_csrf", T::Ignore},
    {u"_search", T::Ignore},
    {u"_keyword", T::Ignore},
    {u"_mailmag", T::Ignore},
    {u"_mail_mag", T::Ignore},
    {u"_magazine", T::Ignore},
    {u"_newsletter", T::Ignore},
    {u"_melmaga", T::Ignore},
    {u"_sex_", T::Ignore},
    {u"_gender", T::Ignore},
    {u"_agree", T::Ignore},
    {u"_question", T::Ignore},
    {u"_answer", T::Ignore},
    {u"_code_", T::Ignore},
    {u"_cd_", T::Ignore},
    {u"_url", T::SiteUrl},
    {u"_homepage", T::SiteUrl},
    {u"_site_desc", T::SiteDescription},
    {u"_description", T::SiteDescription},
    {u"_site_pr", T::SiteDescription},
    {u"_pr_", T::SiteDescription},
    {u"_site", T::SiteTitle},
    {u"_blog", T::SiteTitle},
    {u"_media_name", T::SiteTitle},
    {u"_account_type", T::AccountType},
    {u"_kouza_type", T::AccountType},
    {u"_koza_type", T::AccountType},
    {u"_kouza_shubetsu", T::AccountType},
    {u"_koza_shubetsu", T::AccountType},
    {u"_deposit_type", T::AccountType},
    {u"_yokin", T::AccountType},
    {u"_account_number", T::AccountNumber},
    {u"_account_no", T::AccountNumber},
    {u"_account_num", T::AccountNumber},
    {u"_kouza_no", T::AccountNumber},
    {u"_koza_no", T::AccountNumber},
    {u"_kouza_num", T::AccountNumber},
    {u"_koza_num", T::AccountNumber},
    {u"_kouza_bango", T::AccountNumber},
    {u"_account_name", T::AccountHolder},
    {u"_account_holder", T::AccountHolder},
    {u"_holder", T::AccountHolder},
    {u"_meigi", T::AccountHolder},
    {u"_kouza_name", T::AccountHolder},
    {u"_koza_name", T::AccountHolder},
    {u"_branch", T::Branch},
    {u"_shiten", T::Branch},
    {u"_bank", T::Bank},
    {u"_ginko", T::Bank},
    {u"_email", T::Email},
    {u"_e_mail", T::Email},
    {u"_mail", T::Email},
    {u"_password", T::Password},
    {u"_passwd", T::Password},
    {u"_pass_", T::Password},
    {u"_pwd", T::Password},
    {u"_pw_", T::Password},
    {u"_login_id", T::LoginId},
    {u"_loginid", T::LoginId},
    {u"_userid", T::LoginId},
    {u"_user_id", T::LoginId},
    {u"_login_name", T::LoginId},
    {u"_account_id", T::LoginId},
    {u"_username_", T::LoginId},
    {u"_uid_", T::LoginId},
    {u"_pref", T::Prefecture},
    {u"_todofuken", T::Prefecture},
    {u"_building", T::Building},
    {u"_bldg", T::Building},
    {u"_tatemono", T::Building},
    {u"_apartment", T::Building},
    {u"_addr", T::Address},
    {u"_city", T::Address},
    {u"_street", T::Address},
    {u"_town", T::Address},
    {u"_banchi", T::Address},
    {u"_jusho", T::Address},
    {u"_juusho", T::Address},
    {u"_jyusho", T::Address},
    {u"_mobile", T::Mobile},
    {u"_keitai", T::Mobile},
    {u"_ktai", T::Mobile},
    {u"_cell", T::Mobile},
    {u"_fax", T::Fax},
    {u"_tel", T::Phone},
    {u"_phone", T::Phone},
    {u"_denwa", T::Phone},
    {u"_birth", T::Birthday},
    {u"_bday", T::Birthday},
    {u"_dob_", T::Birthday},
    {u"_seinengappi", T::Birthday},
    {u"_age_", T::Age},
    {u"_job", T::Occupation},
    {u"_occupation", T::Occupation},
    {u"_shokugyo", T::Occupation},
    {u"_name", T::Name},
    {u"_sei_", T::Name},
    {u"_mei_", T::Name},
    {u"_shimei", T::Name},
    {u"_namae", T::Name},
    {u"_kana", T::Name},
    {u"_furigana", T::Name},
    {u"_lastname", T::Name},
    {u"_firstname", T::Name},
    {u"_surname", T::Name},
    {u"_fname_", T::Name},
    {u"_lname_", T::Name},
};

// Which part of a name or birthday the name and id attributes point at.
struct IdPart
{
    std::u16string_view text;
    Topic topic;
    Part part;
};

constexpr IdPart kIdParts[] = {
    {u"_sei_", T::Name, P::First},       {u"_last", T::Name, P::First},
    {u"_family", T::Name, P::First},     {u"_surname", T::Name, P::First},
    {u"_lname_", T::Name, P::First},     {u"_mei_", T::Name, P::Second},
    {u"_first", T::Name, P::Second},     {u"_given", T::Name, P::Second},
    {u"_fname_", T::Name, P::Second},    {u"_year", T::Birthday, P::First},
    {u"_yyyy_", T::Birthday, P::First},  {u"_y_", T::Birthday, P::First},
    {u"_month", T::Birthday, P::Second}, {u"_mm_", T::Birthday, P::Second},
    {u"_m_", T::Birthday, P::Second},    {u"_day", T::Birthday, P::Third},
    {u"_dd_", T::Birthday, P::Third},    {u"_d_", T::Birthday, P::Third},
};

// The writing a box asks for, in its texts. Half-width words are looked up in
// the text as written, before folding; the others after it.
struct ScriptWord
{
    std::u16string_view text;
    Script script;
    Match match = M::Anywhere;
};

constexpr ScriptWord kHalfWidthWords[] = {
    {u"ｶﾅ", S::HalfKana}, {u"ﾌﾘｶﾞﾅ", S::HalfKana}, {u"ｶﾀｶﾅ", S::HalfKana},
    {u"ｾｲ", S::HalfKana}, {u"ﾒｲ", S::HalfKana},    {u"ﾖﾐ", S::HalfKana},
};

constexpr ScriptWord kScriptWords[] = {
    {u"半角カナ", S::HalfKana},
    {u"半角カタカナ", S::HalfKana},
    {u"半角フリガナ", S::HalfKana},
    {u"ひらがな", S::Hiragana},
    {u"カタカナ", S::Katakana},
    {u"ローマ字", S::Latin},
    {u"英字", S::Latin},
    {u"アルファベット", S::Latin},
    {u"英語", S::Latin},
    {u"半角英", S::Latin},
    {u"roman", S::Latin},
    {u"english", S::Latin},
    {u"ふりがな", S::Hiragana},
    {u"よみがな", S::Hiragana},
    {u"かな", S::Hiragana},
    {u"フリガナ", S::Katakana},
    {u"ヨミガナ", S::Katakana},
    {u"カナ", S::Katakana},
    {u"セイ", S::Katakana, M::Leading},
    {u"メイ", S::Katakana, M::Leading},
    {u"せい", S::Hiragana, M::Leading},
    {u"めい", S::Hiragana, M::Leading},
    {u"漢字", S::Kanji},
};

struct IdScript
{
    std::u16string_view text;
    Script script;
};

constexpr IdScript kIdScripts[] = {
    {u"_hira", S::Hiragana}, {u"_kana", S::Katakana}, {u"_furigana", S::Katakana},
    {u"_kn_", S::Katakana},  {u"_yomi", S::Katakana}, {u"_ruby", S::Katakana},
    {u"_roma", S::Latin},    {u"_en_", S::Latin},     {u"_eng_", S::Latin},
    {u"_english", S::Latin}, {u"_alpha", S::Latin},   {u"_latin", S::Latin},
};

// The autocomplete tokens of the HTML standard that the record answers.
struct Token
{
    std::u16string_view text;
    Topic topic;
    Part part = P::None;
};

constexpr Token kTokens[] = {
    {u"name", T::Name},
    {u"family-name", T::Name, P::First},
    {u"given-name", T::Name, P::Second},
    {u"additional-name", T::Ignore},
    {u"nickname", T::Ignore},
    {u"honorific-prefix", T::Ignore},
    {u"honorific-suffix", T::Ignore},
    {u"organization", T::Ignore},
    {u"organization-title", T::Ignore},
    {u"username", T::LoginId},
    {u"new-password", T::Password},
    {u"current-password", T::Ignore},
    {u"one-time-code", T::Ignore},
    {u"cc-name", T::Ignore},
    {u"cc-given-name", T::Ignore},
    {u"cc-family-name", T::Ignore},
    {u"cc-number", T::Ignore},
    {u"postal-code", T::Postal},
    {u"address-level1", T::Prefecture},
    {u"address-level2", T::Address},
    {u"address-level3", T::Address},
    {u"address-line1", T::Address},
    {u"street-address", T::Address},
    {u"address-line2", T::Building},
    {u"address-line3", T::Building},
    {u"country", T::Ignore},
    {u"country-name", T::Ignore},
    {u"bday", T::Birthday},
    {u"bday-year", T::Birthday, P::First},
    {u"bday-month", T::Birthday, P::Second},
    {u"bday-day", T::Birthday, P::Third},
    {u"sex", T::Ignore},
    {u"tel", T::Phone},
    {u"tel-national", T::Phone},
    {u"tel-area-code", T::Phone, P::First},
    {u"tel-local-prefix", T::Phone, P::Second},
    {u"tel-local-suffix", T::Phone, P::Third},
    {u"tel-country-code", T::Ignore},
    {u"tel-local", T::Ignore},
    {u"tel-extension", T::Ignore},
    {u"email", T::Email},
    {u"url", T::SiteUrl},
};

// The parts of the address a box asks for, as bits in the record's order.
enum AddressPart : std::uint8_t
{
    kPrefecturePart = 1,
    kCityPart = 2,
    kDistrictPart = 4,
    kBlockPart = 8,
    kAfterPrefecture = kCityPart | kDistrictPart | kBlockPart,
    kWholeAddress = kPrefecturePart | kAfterPrefecture
};

struct AddressWord
{
    std::u16string_view text;
    std::uint8_t parts;
};

constexpr AddressWord kAddressWords[] = {
    {u"都道府県", kPrefecturePart}, {u"市区町村", kCityPart},
    {u"区市町村", kCityPart},       {u"市区郡", kCityPart},
    {u"市町村", kCityPart},         {u"市郡", kCityPart},
    {u"町名", kDistrictPart},       {u"町域", kDistrictPart},
    {u"地区", kDistrictPart},       {u"番地", kBlockPart},
    {u"丁目", kBlockPart},          {u"_city", kCityPart},
    {u"_town", kDistrictPart},      {u"_street", kDistrictPart | kBlockPart},
    {u"_banchi", kBlockPart},
};

constexpr std::array<std::uint8_t, 4> kAddressPartOrder{kPrefecturePart, kCityPart, kDistrictPart,
                                                        kBlockPart};
constexpr std::array<int, 4> kAddressSlots{20, 21, 22, 23};

// The record's slots for a name: full, family and given, by writing.
struct NameSlots
{
    Script script;
    std::array<int, 3> indexes;
};

constexpr NameSlots kNameSlots[] = {
    {S::Kanji, {0, 1, 2}},      {S::Hiragana, {3, 4, 5}}, {S::Katakana, {6, 7, 8}},
    {S::HalfKana, {9, 10, 11}}, {S::Latin, {12, 13, 14}},
};

// Joined slot, then its parts, for the values a form may split.
struct SplitSlots
{
    Topic topic;
    int withSeparator;
    int withoutSeparator;
    std::array<int, 3> parts;
    int partCount;
};

constexpr SplitSlots kSplitSlots[] = {
    {T::Postal, 15, 16, {17, 18, -1}, 2},
    {T::Phone, 24, 25, {26, 27, 28}, 3},
    {T::Mobile, 29, 30, {31, 32, 33}, 3},
    {T::Fax, 29, 30, {31, 32, 33}, 3},
};

// Values that are the record's slot as it is.
struct PlainSlot
{
    Topic topic;
    int slot;
};

constexpr PlainSlot kPlainSlots[] = {
    {T::Age, 34},          {T::Occupation, 35},     {T::LoginId, 44},     {T::Password, 45},
    {T::Bank, 47},         {T::Branch, 48},         {T::AccountType, 49}, {T::AccountNumber, 50},
    {T::SiteTitle, 51},    {T::SiteReading, 52},    {T::SiteUrl, 53},     {T::SiteDescription, 54},
    {T::VisitsPerDay, 55}, {T::VisitsPerMonth, 56}, {T::Prefecture, 20},
};

// Page texts are hostile and may be of any length; clues sit at their start.
constexpr qsizetype kTextLimit = 200;

// Folds widths and case so that the keyword tables can be written once:
// "ＴＥＬ" and "ﾌﾘｶﾞﾅ" read as "tel" and "フリガナ". Marks that say whether a box
// is required are dropped. The compatibility folding is skipped for texts that
// hold nothing it would change, which is most of them.
QString folded(const QString& text)
{
    QString result = text.size() > kTextLimit ? text.left(kTextLimit) : text;
    const bool wide = std::any_of(result.cbegin(), result.cend(), [](QChar c) {
        return c.unicode() >= 0xFF00 || c.unicode() == 0x3000 ||
               (c.unicode() >= 0x2460 && c.unicode() <= 0x24FF);
    });
    if (wide)
        result = result.normalized(QString::NormalizationForm_KC);
    result = result.toLower();
    if (result.contains(u'必') || result.contains(u'任'))
        result.remove(u"必須"_s).remove(u"任意"_s);
    result.removeIf([](QChar c) {
        return c == u'*' || c == u'※' || c == u'[' || c == u']' || c == u'【' || c == u'】';
    });
    return result.trimmed();
}

bool isWordCharacter(QChar c)
{
    return c.isLetterOrNumber() && c != u'ー';
}

// Name and id split into lower-case tokens joined by "_", with "_" around.
QString identifierText(const FieldDescription& field)
{
    QString result = u"_"_s;
    for (const QString* source : {&field.name, &field.id}) {
        QChar previous = u'_';
        for (const QChar c : source->left(kTextLimit)) {
            const bool boundary = (c.isUpper() && previous.isLower()) ||
                                  (c.isDigit() != previous.isDigit() && previous != u'_' &&
                                   c.isLetterOrNumber() && previous.isLetterOrNumber());
            if (boundary)
                result += u'_';
            if (c.isLetterOrNumber() && c.unicode() < 0x80) {
                result += c.toLower();
            } else if (!result.endsWith(u'_')) {
                result += u'_';
            }
            previous = c.isLetterOrNumber() ? c : QChar(u'_');
        }
        if (!result.endsWith(u'_'))
            result += u'_';
    }
    return result;
}

QStringView view(std::u16string_view text)
{
    return QStringView(text.data(), qsizetype(text.size()));
}

// The rows of a keyword table by the first two characters of their word, so
// that a text is read once rather than once per row of the table.
template <class Entry> class KeywordIndex
{
public:
    template <std::size_t N> explicit KeywordIndex(const Entry (&table)[N]) : m_table(table)
    {
        for (std::size_t row = 0; row < N; ++row) {
            const std::u16string_view word = table[row].text;
            m_rows[key(word[0], word.size() > 1 ? word[1] : 0)].append(int(row));
        }
    }

    // The first row whose word stands in the text and that `accept`s, or null.
    template <class Accept> const Entry* first(QStringView text, Accept accept) const
    {
        int best = std::numeric_limits<int>::max();
        for (qsizetype at = 0; at < text.size(); ++at) {
            const char16_t next = at + 1 < text.size() ? text[at + 1].unicode() : 0;
            for (const char16_t second : {next, char16_t(0)}) {
                const auto rows = m_rows.constFind(key(text[at].unicode(), second));
                if (rows != m_rows.cend()) {
                    for (const int row : *rows) {
                        if (row >= best)
                            break;
                        if (accept(m_table[row]) && standsAt(text, at, m_table[row])) {
                            best = row;
                            break;
                        }
                    }
                }
                if (second == 0)
                    break;
            }
        }
        return best == std::numeric_limits<int>::max() ? nullptr : &m_table[best];
    }
    const Entry* first(QStringView text) const
    {
        return first(text, [](const Entry&) { return true; });
    }

private:
    static char32_t key(char16_t first, char16_t second) { return char32_t(first) << 16 | second; }

    static bool standsAt(QStringView text, qsizetype at, const Entry& entry)
    {
        const QStringView word = view(entry.text);
        if (!text.mid(at).startsWith(word))
            return false;
        if constexpr (requires { entry.match; }) {
            if (entry.match == M::Leading)
                return at == 0 &&
                       (text.size() == word.size() || !isWordCharacter(text[word.size()]));
        }
        return true;
    }

    const Entry* m_table;
    QHash<char32_t, QList<int>> m_rows;
};

// Everything recognition reads from one box, computed once.
struct Clues
{
    QString label, ariaLabel, title, before, placeholder, rowLabel, after, identifiers;
    QString rawOwn; // the box's own texts as written, for half-width words

    std::array<const QString*, 5> own() const
    {
        return {&label, &ariaLabel, &title, &before, &placeholder};
    }
};

Clues cluesOf(const FieldDescription& field)
{
    Clues clues{folded(field.label),  folded(field.ariaLabel),   folded(field.title),
                folded(field.before), folded(field.placeholder), folded(field.rowLabel),
                folded(field.after),  identifierText(field),     QString()};
    // In a row without a heading cell the row's text leads the first box's
    // "before"; what is left is what stands next to the box.
    if (!clues.rowLabel.isEmpty() && clues.before.startsWith(clues.rowLabel))
        clues.before = clues.before.mid(clues.rowLabel.size()).trimmed();
    for (const QString* text : {&field.label, &field.ariaLabel, &field.title, &field.before,
                                &field.placeholder, &field.rowLabel})
        clues.rawOwn += text->left(kTextLimit) + u' ';
    return clues;
}

const KeywordIndex<Word>& wordIndex()
{
    static const KeywordIndex<Word> index(kWords);
    return index;
}

const Word* wordIn(const QString& text)
{
    return wordIndex().first(text);
}

Topic idTopic(const QString& identifiers)
{
    static const KeywordIndex<IdWord> index(kIdWords);
    const IdWord* word = index.first(identifiers);
    return word ? word->topic : T::None;
}

QString lastToken(const QString& autocomplete)
{
    const QStringList tokens = autocomplete.left(kTextLimit).split(u' ', Qt::SkipEmptyParts);
    for (auto it = tokens.crbegin(); it != tokens.crend(); ++it) {
        if (*it != u"webauthn")
            return *it;
    }
    return {};
}

const Token* tokenOf(const FieldDescription& field)
{
    // A shipping address may be someone else's; the record is the user's own.
    static constexpr Token kShipping{u"shipping", T::Ignore};
    if (field.autocomplete.left(kTextLimit).split(u' ').contains(u"shipping"))
        return &kShipping;
    const QString token = lastToken(field.autocomplete);
    for (const Token& entry : kTokens) {
        if (token == view(entry.text))
            return &entry;
    }
    return nullptr;
}

bool isPhoneKind(Topic topic)
{
    return topic == T::Phone || topic == T::Mobile || topic == T::Fax;
}

// The topic by the texts: the box's own, then its name and id, then its row.
// A broad heading ("住所") gives way to a specific clue found further down.
// Words written after a box as its unit: "[　　]銀行 [　　]支店", "[　]才".
struct Unit
{
    std::u16string_view text;
    Topic topic;
};

constexpr Unit kUnits[] = {{u"銀行", T::Bank},   {u"信用金庫", T::Bank}, {u"信金", T::Bank},
                           {u"支店", T::Branch}, {u"才", T::Age},        {u"歳", T::Age}};

const Unit* unitOf(const QString& text)
{
    for (const Unit& unit : kUnits) {
        const QStringView word = view(unit.text);
        if (text.startsWith(word) &&
            (text.size() == word.size() || !isWordCharacter(text.at(word.size()))))
            return &unit;
    }
    return nullptr;
}

Topic textTopic(const Clues& clues)
{
    std::optional<Topic> broad;
    for (const QString* text : clues.own()) {
        if (const Word* word = wordIn(*text)) {
            if (word->match != M::Broad)
                return word->topic;
            broad = broad.value_or(word->topic);
        }
    }
    if (const Unit* unit = unitOf(clues.after))
        return unit->topic;
    const Topic byId = idTopic(clues.identifiers);
    const Word* byRow = wordIn(clues.rowLabel);
    if (broad)
        return byId != T::None && byId != T::Ignore ? byId : *broad;
    if (byRow && byRow->match != M::Broad)
        return byRow->topic;
    if (byId != T::None)
        return byId;
    return byRow ? byRow->topic : T::None;
}

struct Reading
{
    Topic topic = T::None;
    Part part = P::None;
    Script script = S::Unknown;
    bool usable = false;  // a box that may be filled at all
    bool eraYear = false; // a birth year after an era select: the year of that era
    Clues clues;
};

bool isFillable(const FieldDescription& field)
{
    if (field.tag == u"select" || field.tag == u"textarea")
        return true;
    if (field.tag != u"input")
        return false;
    static const QStringList kTypes{u""_s,       u"text"_s, u"email"_s,    u"tel"_s,  u"url"_s,
                                    u"number"_s, u"date"_s, u"password"_s, u"radio"_s};
    return kTypes.contains(field.type);
}

Script scriptOfExample(const QString& placeholder)
{
    QString example = placeholder.left(kTextLimit);
    if (const qsizetype mark = example.indexOf(u'例'); mark >= 0 && mark < 3) {
        example = example.mid(mark + 1);
        while (!example.isEmpty() && !isWordCharacter(example.front()))
            example.remove(0, 1);
    }
    Script found = S::Unknown;
    for (const QChar c : example) {
        const char16_t u = c.unicode();
        Script script = S::Unknown;
        if (u >= 0x3041 && u <= 0x309F)
            script = S::Hiragana;
        else if (u >= 0x30A1 && u <= 0x30FA)
            script = S::Katakana;
        else if (u >= 0xFF66 && u <= 0xFF9D)
            script = S::HalfKana;
        else if ((u >= 0x4E00 && u <= 0x9FFF) || u == 0x3005)
            script = S::Kanji;
        else if ((u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z'))
            script = S::Latin;
        if (script == S::Unknown)
            continue;
        if (found != S::Unknown && found != script)
            return S::Unknown;
        found = script;
    }
    return found;
}

Script scriptOf(const FieldDescription& field, const Clues& clues)
{
    for (const ScriptWord& word : kHalfWidthWords) {
        if (clues.rawOwn.contains(view(word.text)))
            return word.script;
    }
    std::array<const QString*, 6> texts{&clues.label,  &clues.ariaLabel,   &clues.title,
                                        &clues.before, &clues.placeholder, &clues.rowLabel};
    static const KeywordIndex<ScriptWord> scriptWords(kScriptWords);
    static const KeywordIndex<IdScript> idScripts(kIdScripts);
    for (const QString* text : texts) {
        if (const ScriptWord* word = scriptWords.first(*text))
            return word->script;
    }
    // Names and ids are written in Latin letters and cannot tell katakana
    // from hiragana; they come after every text.
    if (const Script example = scriptOfExample(field.placeholder); example != S::Unknown)
        return example;
    const IdScript* word = idScripts.first(clues.identifiers);
    return word ? word->script : S::Unknown;
}

// Year, month or day by the numbers a select offers.
// The numbers written in a text, in any width: "1988年（昭和63年）" holds 1988
// and 63. Read by hand: options are many, and this runs for each of them.
QList<int> numbersIn(QStringView text)
{
    QList<int> numbers;
    int value = -1;
    for (const QChar c : text.left(kTextLimit)) {
        const int digit = c.digitValue();
        if (digit >= 0)
            value = value < 0 ? digit : std::min(value * 10 + digit, 1000000);
        else if (value >= 0)
            numbers << std::exchange(value, -1);
    }
    if (value >= 0)
        numbers << value;
    return numbers;
}

Part partByOptions(const FieldDescription& field)
{
    int highest = 0;
    int count = 0;
    for (const FieldOption& option : field.options) {
        const QList<int> numbers = numbersIn(option.text);
        if (!numbers.isEmpty()) {
            highest = std::max(highest, numbers.front());
            ++count;
        }
    }
    if (highest >= 1900)
        return P::First;
    if (highest == 12 && count >= 12)
        return P::Second;
    if (highest >= 28 && highest <= 31 && count >= 28)
        return P::Third;
    return P::None;
}

bool offersEras(const FieldDescription& field)
{
    bool showa = false;
    bool heisei = false;
    for (const FieldOption& option : field.options) {
        showa = showa || option.text.contains(u"昭和");
        heisei = heisei || option.text.contains(u"平成");
    }
    return showa && heisei;
}

bool offersPrefectures(const FieldDescription& field)
{
    bool north = false;
    bool south = false;
    for (const FieldOption& option : field.options) {
        north = north || option.text.contains(u"北海道");
        south = south || option.text.contains(u"沖縄");
    }
    return north && south;
}

Part namePartIn(const QString& text)
{
    const Word* word = wordIndex().first(text, [](const Word& w) { return w.part != P::None; });
    return word ? word->part : P::None;
}

Part partOf(const FieldDescription& field, const Clues& clues, Topic topic, const Token* token)
{
    if (token && token->topic == topic && token->part != P::None)
        return token->part;
    if (topic == T::Birthday) {
        for (const auto& [unit, part] :
             {std::pair{u"年", P::First}, {u"月", P::Second}, {u"日", P::Third}}) {
            if (clues.after.startsWith(QStringView(unit)) ||
                clues.placeholder == QStringView(unit) || clues.label == QStringView(unit) ||
                clues.ariaLabel == QStringView(unit))
                return part;
        }
    }
    if (topic == T::Name) {
        for (const QString* text : clues.own()) {
            if (const Part part = namePartIn(*text); part != P::None)
                return part;
        }
    }
    static const KeywordIndex<IdPart> idParts(kIdParts);
    if (const IdPart* entry =
            idParts.first(clues.identifiers, [topic](const IdPart& e) { return e.topic == topic; }))
        return entry->part;
    if (topic == T::Name)
        return namePartIn(clues.rowLabel);
    if (topic == T::Birthday && field.tag == u"select")
        return partByOptions(field);
    return P::None;
}

// A password box of a log-in or a change of password asks for the password
// in use, which the record does not hold.
bool isCurrentPassword(const FieldDescription& field, const Clues& clues)
{
    if (lastToken(field.autocomplete) == u"current-password")
        return true;
    for (const QString* text : clues.own()) {
        if (text->contains(u"現在") || text->contains(u"旧パスワード"))
            return true;
    }
    return false;
}

// `unitBefore`: the text before the box is the unit of the box before it
// ("[　]銀行[　]支店"), which says nothing about this box.
Reading read(const FieldDescription& field, bool unitBefore)
{
    Reading reading;
    reading.usable = isFillable(field);
    if (!reading.usable)
        return reading;
    reading.clues = cluesOf(field);
    if (unitBefore)
        reading.clues.before.clear();
    const Clues& clues = reading.clues;
    // A name that puts the box in a delivery section outweighs its label,
    // which says only "お名前" or "郵便番号".
    for (const char16_t* other : {u"_deliv", u"_shipping", u"_otodoke", u"_okurisaki"}) {
        if (clues.identifiers.contains(QStringView(other))) {
            reading.topic = T::Ignore;
            return reading;
        }
    }
    const Token* token = tokenOf(field);
    const Topic byText = textTopic(clues);
    Topic topic = byText;
    if (token) {
        const bool refines = (isPhoneKind(token->topic) && isPhoneKind(byText)) ||
                             (token->topic == T::Name && byText == T::AccountHolder);
        topic = refines ? byText : token->topic;
    }
    if (field.type == u"password")
        topic = isCurrentPassword(field, clues) ? T::Ignore : T::Password;
    else if (field.type == u"email" && topic != T::Ignore)
        topic = T::Email;
    else if (field.type == u"url" && topic != T::Ignore)
        topic = T::SiteUrl;
    else if (field.tag == u"select" && (topic == T::None || topic == T::Address) &&
             offersPrefectures(field))
        topic = T::Prefecture;
    else if (field.tag == u"select" && (topic == T::None || topic == T::Birthday) &&
             offersEras(field))
        topic = T::BirthEra;
    else if (topic == T::None && field.type == u"tel")
        topic = T::Phone;
    if (topic == T::Name || topic == T::AccountHolder || topic == T::SiteTitle)
        reading.script = scriptOf(field, clues);
    if (topic == T::SiteTitle && reading.script != S::Unknown && reading.script != S::Kanji)
        topic = T::SiteReading;
    reading.topic = topic;
    reading.part = partOf(field, clues, topic, token);
    return reading;
}

bool isSeparator(const QString& text)
{
    static const QRegularExpression kSeparator(u"\\A[\\s\\-－ー―‐~〜/@＠]*\\z"_s);
    return text.size() <= 3 && kSeparator.match(text).hasMatch();
}

bool isDateUnit(const QString& text)
{
    const QString unit = text.trimmed();
    return unit == u"年" || unit == u"月" || unit == u"日";
}

bool isSplittable(Topic topic)
{
    return topic == T::Name || topic == T::Postal || isPhoneKind(topic) || topic == T::Birthday ||
           topic == T::Email;
}

// A box standing in line after a box of a split value, with only a separator
// between, continues that value: "〒[zip1]-[zip2]", "[tel1]-[tel2]-[tel3]".
void continueSplitValues(const QList<FieldDescription>& fields, QList<Reading>& readings)
{
    for (qsizetype i = 1; i < fields.size(); ++i) {
        Reading& reading = readings[i];
        const Reading& previous = readings[i - 1];
        const Topic continued = previous.topic == T::BirthEra ? T::Birthday : previous.topic;
        if (reading.usable && reading.topic == T::None && previous.usable &&
            fields[i].row == fields[i - 1].row && isSplittable(continued) &&
            (isSeparator(fields[i].before.left(kTextLimit)) ||
             (continued == T::Birthday && isDateUnit(fields[i].before)))) {
            reading.topic = continued;
            reading.script = previous.script;
        }
    }
}

// Gives each box of a split value its part: boxes of one topic side by side in
// one row are read as the parts of that value, when there are as many as the
// value has parts.
void assignParts(const QList<FieldDescription>& fields, QList<Reading>& readings)
{
    qsizetype start = 0;
    while (start < fields.size()) {
        qsizetype end = start + 1;
        const Reading& first = readings[start];
        while (end < fields.size() && readings[end].usable && first.usable &&
               readings[end].topic == first.topic && readings[end].script == first.script &&
               fields[end].row == fields[start].row && fields[end].type != u"radio")
            ++end;
        const qsizetype count = end - start;
        const Topic topic = first.topic;
        const bool emailAroundAt =
            topic == T::Email && count == 2 &&
            (fields[start].after.contains(u'@') || fields[start].after.contains(u'＠') ||
             fields[start + 1].before.contains(u'@') || fields[start + 1].before.contains(u'＠'));
        int parts = 0;
        if (topic == T::Name || topic == T::Postal || emailAroundAt)
            parts = 2;
        else if (isPhoneKind(topic) || topic == T::Birthday)
            parts = 3;
        if (parts > 0 && count == parts) {
            for (qsizetype i = start; i < end; ++i) {
                const Part position = Part(int(P::First) + int(i - start));
                Reading& reading = readings[i];
                // A box that names another part than its place says is in doubt.
                reading.part =
                    reading.part == P::None || reading.part == position ? position : P::None;
                if (reading.part == P::None)
                    reading.topic = T::None;
            }
        } else if (parts > 0 && count > 1 && topic != T::Email) {
            for (qsizetype i = start; i < end; ++i) {
                if (readings[i].part == P::None)
                    readings[i].topic = T::None;
            }
        }
        start = end;
    }
}

// A birth year that follows an era select in its row is a year of that era.
void markEraYears(const QList<FieldDescription>& fields, QList<Reading>& readings)
{
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (readings[i].topic != T::Birthday || readings[i].part != P::First)
            continue;
        for (qsizetype j = i - 1; j >= 0 && fields[j].row == fields[i].row; --j)
            readings[i].eraYear = readings[i].eraYear || readings[j].topic == T::BirthEra;
    }
}

bool isUsableValue(const QString& value)
{
    for (const QChar c : value) {
        if (!c.isSpace() && c != u'-' && c != u'/' && c != u'@')
            return true;
    }
    return false;
}

bool fits(const FieldDescription& field, const QString& value)
{
    if (!isUsableValue(value))
        return false;
    if (field.maxLength >= 0 && value.size() > field.maxLength)
        return false;
    if (field.type == u"email" && !value.contains(u'@'))
        return false;
    if (field.type == u"number") {
        for (const QChar c : value) {
            if (!c.isDigit())
                return false;
        }
    }
    if (!field.pattern.isEmpty() && field.pattern.size() <= kTextLimit) {
        // The limit keeps a page's pattern from spending our time budget on
        // backtracking; it must lead the pattern, so the page cannot raise it.
        const QRegularExpression pattern(u"(*LIMIT_MATCH=20000)\\A(?:"_s + field.pattern +
                                         u")\\z"_s);
        if (pattern.isValid() && !pattern.match(value).hasMatch())
            return false;
    }
    return true;
}

QString firstFitting(const FieldDescription& field, const QStringList& candidates)
{
    for (const QString& candidate : candidates) {
        if (fits(field, candidate))
            return candidate;
    }
    return {};
}

// Texts that may show an example or a rule for the value's form.
QStringList hintTexts(const Clues& clues)
{
    return {clues.placeholder, clues.title,  clues.after,   clues.label,
            clues.ariaLabel,   clues.before, clues.rowLabel};
}

enum class Hyphen
{
    Unknown,
    With,
    Without
};

Hyphen hyphenRule(const FieldDescription& field, const Clues& clues)
{
    // What a rule says shortly after the word ハイフン: "ハイフンは入力不要",
    // "ハイフン(-)を含めて", "ハイフンなしで".
    static constexpr std::u16string_view kWithout[] = {
        u"なし", u"無し", u"不要", u"除", u"抜", u"入れず", u"含めず", u"含まず", u"省略", u"不可"};
    static constexpr std::u16string_view kWith[] = {u"あり", u"有",   u"含め", u"付",
                                                    u"入れ", u"必要", u"必須"};
    static const QRegularExpression kExample(u"\\d[\\d\\-]{4,}\\d"_s);
    const QStringList texts = hintTexts(clues);
    for (const QString& text : texts) {
        const qsizetype at = text.indexOf(u"ハイフン");
        const QStringView rule =
            at >= 0 ? QStringView(text).mid(at + 4, 10)
                    : (text.contains(u"-なし") || text.contains(u"-無し") ? QStringView(u"なし")
                                                                          : QStringView());
        for (const auto word : kWithout) {
            if (rule.contains(view(word)))
                return Hyphen::Without;
        }
        for (const auto word : kWith) {
            if (rule.contains(view(word)))
                return Hyphen::With;
        }
        if (text.contains(u"数字のみ"))
            return Hyphen::Without;
    }
    for (const QString& text : texts) {
        const auto match = kExample.match(text);
        if (match.hasMatch())
            return match.captured().contains(u'-') ? Hyphen::With : Hyphen::Without;
    }
    if (field.inputMode == u"numeric" || field.type == u"number")
        return Hyphen::Without;
    return Hyphen::Unknown;
}

QStringList joinedCandidates(const FieldDescription& field, const Clues& clues, const QString& with,
                             const QString& without)
{
    if (hyphenRule(field, clues) == Hyphen::Without)
        return {without, with};
    return {with, without};
}

struct Date
{
    int year, month, day;
};

std::optional<Date> birthday(const Record& record)
{
    bool ok[3];
    const Date date{record[38].trimmed().toInt(&ok[0]), record[39].trimmed().toInt(&ok[1]),
                    record[40].trimmed().toInt(&ok[2])};
    if (!ok[0] || !ok[1] || !ok[2] || date.month < 1 || date.month > 12 || date.day < 1 ||
        date.day > 31)
        return std::nullopt;
    return date;
}

struct Era
{
    const char16_t* name;
    Date start;
};

// The eras of the Japanese calendar since the modern one, newest first.
constexpr Era kEras[] = {{u"令和", {2019, 5, 1}},
                         {u"平成", {1989, 1, 8}},
                         {u"昭和", {1926, 12, 25}},
                         {u"大正", {1912, 7, 30}},
                         {u"明治", {1868, 10, 23}}};

constexpr bool startsBy(const Date& start, const Date& date)
{
    return std::tie(start.year, start.month, start.day) <=
           std::tie(date.year, date.month, date.day);
}

// The era of a date and the year within it.
std::optional<std::pair<QString, int>> eraOf(const Date& date)
{
    for (const Era& era : kEras) {
        if (startsBy(era.start, date))
            return std::pair{QString::fromUtf16(era.name), date.year - era.start.year + 1};
    }
    return std::nullopt;
}

QString number(int value, bool padded)
{
    return padded ? QStringLiteral("%1").arg(value, 2, 10, QChar(u'0')) : QString::number(value);
}

QString dateText(const Date& date, const QString& first, const QString& second, const QString& last,
                 bool padded)
{
    return QString::number(date.year) + first + number(date.month, padded) + second +
           number(date.day, padded) + last;
}

// The birthday in one box, in the form its example shows, else in the common
// ones that its length and pattern allow.
QStringList dateCandidates(const FieldDescription& field, const Clues& clues, const Date& date)
{
    if (field.type == u"date")
        return {dateText(date, u"-"_s, u"-"_s, QString(), true)};
    static const QRegularExpression kExample(
        u"(\\d{4}|yyyy)\\s*([/\\-.年]?)\\s*(\\d{1,2}|mm?)\\s*([/\\-.月]?)\\s*(\\d{1,2}|dd?)\\s*(日?)"_s);
    for (const QString& text : hintTexts(clues)) {
        const auto match = kExample.match(text);
        if (!match.hasMatch())
            continue;
        const bool padded = match.captured(3).size() == 2 || match.captured(5).size() == 2;
        if (match.captured(2).isEmpty() != match.captured(4).isEmpty())
            return {};
        return {dateText(date, match.captured(2), match.captured(4), match.captured(6), padded)};
    }
    QStringList candidates{dateText(date, u"/"_s, u"/"_s, QString(), false),
                           dateText(date, u"/"_s, u"/"_s, QString(), true),
                           dateText(date, u"-"_s, u"-"_s, QString(), true),
                           dateText(date, u"-"_s, u"-"_s, QString(), false),
                           dateText(date, QString(), QString(), QString(), true)};
    if (field.maxLength == 8)
        candidates.move(4, 0);
    return candidates;
}

// A month or day in its own text box: with a leading zero when its example
// shows one.
bool wantsPadding(const Clues& clues)
{
    const QString& example = clues.placeholder;
    return example == u"01" || example == u"mm" || example == u"dd" ||
           (example.size() == 2 && example.startsWith(u'0'));
}

QString nameSlotValue(const Record& record, Script script, Part part, const QString& example)
{
    for (const NameSlots& entry : kNameSlots) {
        if (entry.script != script)
            continue;
        if (part != P::None)
            return record[entry.indexes[int(part)]];
        // A full name whose example parts stand apart by a space gets one too.
        static const QRegularExpression kSpaced(u"\\S([ \u3000])\\S"_s);
        const auto match = kSpaced.match(example);
        if (match.hasMatch() && script != S::Latin) {
            const QChar space = script == S::HalfKana ? QChar(u' ') : match.captured(1).front();
            return record[entry.indexes[1]] + space + record[entry.indexes[2]];
        }
        return record[entry.indexes[0]];
    }
    return {};
}

// The value of a box that is not an address part, before it is checked.
QStringList candidatesFor(const FieldDescription& field, const Reading& reading,
                          const Record& record)
{
    const Topic topic = reading.topic;
    const Part part = reading.part;
    if (topic == T::Name) {
        const Script script = reading.script == S::Unknown ? S::Kanji : reading.script;
        return {nameSlotValue(record, script, part, field.placeholder)};
    }
    if (topic == T::AccountHolder) {
        const Script script = reading.script == S::Unknown ? S::Katakana : reading.script;
        return {nameSlotValue(record, script, P::None, field.placeholder)};
    }
    for (const SplitSlots& entry : kSplitSlots) {
        if (entry.topic != topic)
            continue;
        if (part == P::None)
            return joinedCandidates(field, reading.clues, record[entry.withSeparator],
                                    record[entry.withoutSeparator]);
        return int(part) <= entry.partCount ? QStringList{record[entry.parts[int(part) - 1]]}
                                            : QStringList{};
    }
    if (topic == T::Birthday) {
        const auto date = birthday(record);
        if (!date)
            return {};
        switch (part) {
        case P::None:
            return dateCandidates(field, reading.clues, *date);
        case P::First:
            if (reading.eraYear) {
                const auto era = eraOf(*date);
                return era ? QStringList{QString::number(era->second)} : QStringList{};
            }
            return {QString::number(date->year)};
        case P::Second:
            return {number(date->month, wantsPadding(reading.clues))};
        case P::Third:
            return {number(date->day, wantsPadding(reading.clues))};
        }
    }
    if (topic == T::BirthEra) {
        const auto date = birthday(record);
        const auto era = date ? eraOf(*date) : std::nullopt;
        return era ? QStringList{era->first} : QStringList{};
    }
    // "[　　　]@example.co.jp": the page fixes the domain, which is not ours.
    if (topic == T::Email && part == P::None && reading.clues.after.size() > 1 &&
        (reading.clues.after.startsWith(u'@')))
        return {};
    if (topic == T::Email) {
        const int slot = part == P::First ? 42 : part == P::Second ? 43 : 41;
        return {record[slot]};
    }
    for (const PlainSlot& entry : kPlainSlots) {
        if (entry.topic != topic)
            continue;
        // "[あおば]銀行": the box's unit is not typed again.
        QString value = record[entry.slot];
        const Unit* unit = unitOf(reading.clues.after);
        if (unit && unit->topic == topic && value.endsWith(view(unit->text)))
            value.chop(qsizetype(unit->text.size()));
        return {value};
    }
    return {};
}

QString comparable(const QString& text)
{
    QString result = folded(text);
    result.remove(u' ');
    return result;
}

// "東京都" and "東京", but never "京都" for "東京都".
QString withoutPrefectureSuffix(const QString& text)
{
    if (text.size() > 2 && (text.endsWith(u'都') || text.endsWith(u'府') || text.endsWith(u'県')))
        return text.chopped(1);
    return text;
}

bool isNumericTopic(Topic topic)
{
    return topic == T::Birthday || topic == T::Age;
}

// The option of a select that says the wanted value: by its text, by its
// number, or for the account type by the word inside its text.
QString chooseOption(const FieldDescription& field, Topic topic, const QString& wanted)
{
    if (!isUsableValue(wanted))
        return {};
    const QString target = comparable(wanted);
    bool numeric = false;
    const int wantedNumber = isNumericTopic(topic) ? wanted.trimmed().toInt(&numeric) : 0;
    QList<const FieldOption*> found;
    for (const FieldOption& option : field.options) {
        if (option.value.isEmpty())
            continue;
        if (numeric) {
            const QList<int> numbers = numbersIn(option.text);
            if (numbers.contains(wantedNumber) ||
                (numbers.isEmpty() && numbersIn(option.value) == QList<int>{wantedNumber}))
                found << &option;
            continue;
        }
        const QString text = comparable(option.text);
        bool same = text == target || comparable(option.value) == target;
        if (topic == T::Prefecture)
            same = same || withoutPrefectureSuffix(text) == withoutPrefectureSuffix(target);
        if ((topic == T::AccountType || topic == T::BirthEra) && !same)
            same = !text.isEmpty() && (text.contains(target) || target.contains(text));
        if (same)
            found << &option;
    }
    return found.size() == 1 ? found.front()->value : QString();
}

// Address parts a box names, as bits.
// A house-number box whose example starts with a town name ("番地・ビル名
// (例:西梅田1丁目6-8)") asks for the district too.
std::uint8_t districtByExample(const QString& text, std::uint8_t parts)
{
    const qsizetype example = text.indexOf(u'例');
    if (!(parts & kBlockPart) || (parts & kDistrictPart) || example < 0)
        return 0;
    for (const QChar c : QStringView(text).mid(example + 1)) {
        if (c.isDigit())
            return 0;
        if (c.isLetter())
            return c.unicode() >= 0x3040 ? kDistrictPart : 0;
    }
    return 0;
}

std::uint8_t addressPartsOf(const FieldDescription& field, const Clues& clues)
{
    // What the user sees comes first: a box labelled 番地 takes the house
    // number whatever its autocomplete token says.
    const QStringList texts{clues.label,
                            clues.ariaLabel,
                            clues.title,
                            clues.placeholder,
                            clues.before.isEmpty() ? clues.after : clues.before,
                            clues.rowLabel};
    for (const QString& text : texts) {
        std::uint8_t parts = 0;
        for (const AddressWord& word : kAddressWords) {
            const qsizetype at = text.indexOf(view(word.text));
            if (at < 0)
                continue;
            parts |= word.parts;
            // "市区町村以下" asks for that part and all after it.
            const QStringView rest = QStringView(text).mid(at + qsizetype(word.text.size()));
            if (rest.startsWith(u"以下") || rest.startsWith(u"以降") || rest.startsWith(u"から"))
                parts |= std::uint8_t(~(word.parts - 1) & kWholeAddress);
        }
        if (parts != 0)
            return parts | districtByExample(text, parts);
    }
    const QString token = lastToken(field.autocomplete);
    if (token == u"address-level2")
        return kCityPart;
    if (token == u"address-level3")
        return kDistrictPart;
    if (token == u"address-line1")
        return kDistrictPart | kBlockPart;
    std::uint8_t parts = 0;
    for (const AddressWord& word : kAddressWords) {
        if (clues.identifiers.contains(view(word.text)))
            parts |= word.parts;
    }
    return parts;
}

QString addressText(const Record& record, std::uint8_t parts)
{
    QString text;
    for (std::size_t i = 0; i < kAddressPartOrder.size(); ++i) {
        if (parts & kAddressPartOrder[i])
            text += record[kAddressSlots[i]];
    }
    return text;
}

// Shares the parts of the address out among the form's address boxes: each
// box takes what it names, boxes that name nothing take what is left in
// order, and the district goes with the city unless a box asks for it.
QHash<qsizetype, std::uint8_t> shareAddress(const QList<FieldDescription>& fields,
                                            const QList<Reading>& readings)
{
    QList<qsizetype> boxes;
    bool hasPrefectureBox = false;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (!readings[i].usable)
            continue;
        hasPrefectureBox = hasPrefectureBox || readings[i].topic == T::Prefecture;
        if (readings[i].topic == T::Address && fields[i].tag != u"select")
            boxes << i;
    }
    QHash<qsizetype, std::uint8_t> shares;
    QList<qsizetype> unnamed;
    std::uint8_t named = 0;
    for (const qsizetype box : boxes) {
        const std::uint8_t parts = addressPartsOf(fields[box], readings[box].clues);
        if (parts == 0)
            unnamed << box;
        shares[box] = parts;
        named |= parts;
    }
    const std::uint8_t needed = hasPrefectureBox ? kAfterPrefecture : kWholeAddress;
    const std::uint8_t left = needed & ~named;
    if (unnamed.size() == 1) {
        shares[unnamed[0]] = left;
    } else if (unnamed.size() >= 2) {
        shares[unnamed[0]] = left & ~kBlockPart;
        shares[unnamed[1]] = left & kBlockPart;
    } else {
        // A part no box names goes with the box of the part before it, else
        // of the part after it: the district with the city ("横浜市青葉区美しが丘"
        // in a 市区町村 box), the city and district before the house number
        // when the form asks only for 番地.
        for (const std::uint8_t part : {kCityPart, kDistrictPart, kBlockPart}) {
            if (!(left & part))
                continue;
            const auto holds = [&](std::uint8_t neighbour) {
                return std::find_if(boxes.cbegin(), boxes.cend(),
                                    [&](qsizetype b) { return shares[b] & neighbour; });
            };
            auto box = holds(std::uint8_t(part >> 1));
            if (box == boxes.cend())
                box = std::find_if(boxes.cbegin(), boxes.cend(),
                                   [&](qsizetype b) { return shares[b] > part; });
            if (box != boxes.cend())
                shares[*box] |= part;
        }
    }
    return shares;
}

// A number that starts as a mobile one does goes into mobile boxes only, any
// other into fax boxes only: the record keeps one "mobile or fax" number.
bool suitsPhoneKind(Topic topic, const Record& record)
{
    static const QRegularExpression kMobile(u"\\A0[6789]0"_s);
    const bool mobile = kMobile.match(record[31].trimmed()).hasMatch();
    return topic == T::Mobile ? mobile : topic == T::Fax ? !mobile : true;
}

struct RadioChoice
{
    int field;
    Topic topic;
};

// The text a radio button shows for itself.
QString radioText(const FieldDescription& field)
{
    for (const QString* text : {&field.label, &field.ariaLabel, &field.after, &field.value}) {
        if (!text->trimmed().isEmpty())
            return *text;
    }
    return {};
}

// Radio buttons are answered by group, for the questions whose answer is a
// word of the record (the account type, the occupation): the one button that
// shows that word is checked, unless the group already has a choice.
QList<RadioChoice> radioChoices(const QList<FieldDescription>& fields,
                                const QList<Reading>& readings, const Record& record)
{
    QHash<QString, QList<qsizetype>> groups;
    QStringList order;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (readings[i].usable && fields[i].type == u"radio" && !fields[i].name.isEmpty()) {
            if (!groups.contains(fields[i].name))
                order << fields[i].name;
            groups[fields[i].name].append(i);
        }
    }
    QList<RadioChoice> choices;
    for (const QString& name : std::as_const(order)) {
        const QList<qsizetype>& group = groups[name];
        if (std::any_of(group.cbegin(), group.cend(),
                        [&](qsizetype i) { return fields[i].hasText; }))
            continue;
        const auto asked = std::find_if(group.cbegin(), group.cend(), [&](qsizetype i) {
            return readings[i].topic == T::AccountType || readings[i].topic == T::Occupation;
        });
        if (asked == group.cend())
            continue;
        const Topic topic = readings[*asked].topic;
        FieldDescription asSelect;
        for (const qsizetype i : group)
            asSelect.options.append({radioText(fields[i]), QString::number(i)});
        const QStringList wanted = candidatesFor(asSelect, readings[*asked], record);
        const QString chosen =
            wanted.isEmpty() ? QString() : chooseOption(asSelect, topic, wanted.front());
        if (!chosen.isEmpty())
            choices.append({chosen.toInt(), topic});
    }
    return choices;
}

// The part of an e-mail address before "@" alone would make the page's
// address another one when its domain box cannot take ours (a select of
// carriers' domains): both parts go in, or neither.
void dropLonePartOfAddress(const QList<FieldDescription>& fields, const QList<Reading>& readings,
                           QList<FieldFill>& fills, QList<Topic>& topics)
{
    const auto filled = [&](qsizetype field) {
        return std::any_of(fills.cbegin(), fills.cend(),
                           [field](const FieldFill& fill) { return fill.field == field; });
    };
    for (qsizetype i = 0; i + 1 < fields.size(); ++i) {
        if (readings[i].topic != T::Email || readings[i].part != P::First ||
            fields[i + 1].hasText || filled(i + 1))
            continue;
        for (qsizetype k = fills.size() - 1; k >= 0; --k) {
            if (fills[k].field == i) {
                fills.removeAt(k);
                topics.removeAt(k);
            }
        }
    }
}

} // namespace

QList<FieldFill> planFormFill(const QList<FieldDescription>& fields, const Record& record)
{
    QList<Reading> readings;
    readings.reserve(fields.size());
    for (qsizetype i = 0; i < fields.size(); ++i) {
        const bool unitBefore = i > 0 && fields[i].row == fields[i - 1].row &&
                                fields[i].before == fields[i - 1].after &&
                                unitOf(folded(fields[i].before)) != nullptr;
        readings << read(fields[i], unitBefore);
    }
    continueSplitValues(fields, readings);
    assignParts(fields, readings);
    markEraYears(fields, readings);
    const QHash<qsizetype, std::uint8_t> addressShares = shareAddress(fields, readings);

    QList<FieldFill> fills;
    QList<Topic> topics;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        const FieldDescription& field = fields[i];
        const Reading& reading = readings[i];
        if (!reading.usable || reading.topic == T::None || reading.topic == T::Ignore ||
            field.type == u"radio" || !suitsPhoneKind(reading.topic, record))
            continue;
        QString value;
        if (reading.topic == T::Address) {
            value = addressText(record, addressShares.value(i));
            value = fits(field, value) ? value : QString();
        } else if (field.tag == u"select") {
            const QStringList wanted = candidatesFor(field, reading, record);
            value = wanted.isEmpty() ? QString() : chooseOption(field, reading.topic, wanted[0]);
        } else {
            value = firstFitting(field, candidatesFor(field, reading, record));
        }
        if (value.isEmpty() || field.hasText)
            continue;
        fills.append({int(i), value});
        topics << reading.topic;
    }
    for (const RadioChoice& choice : radioChoices(fields, readings, record)) {
        fills.append({choice.field, u"checked"_s});
        topics << choice.topic;
    }
    dropLonePartOfAddress(fields, readings, fills, topics);

    // A password goes only into a form that asks for more than log-in data,
    // or into a box that says it wants a new password.
    const bool asksForProfile = std::any_of(topics.cbegin(), topics.cend(), [](Topic topic) {
        return topic != T::Email && topic != T::LoginId && topic != T::Password;
    });
    QList<FieldFill> result;
    for (qsizetype k = 0; k < fills.size(); ++k) {
        const FieldDescription& field = fields[fills[k].field];
        if (topics[k] == T::Password && !asksForProfile &&
            lastToken(field.autocomplete) != u"new-password")
            continue;
        result << fills[k];
    }
    std::sort(result.begin(), result.end(),
              [](const FieldFill& a, const FieldFill& b) { return a.field < b.field; });
    return result;
}

FieldDescription fieldDescriptionFromJson(const QJsonObject& object)
{
    const auto text = [&](const char* key) {
        return object.value(QLatin1StringView(key)).toString();
    };
    const auto integer = [&](const char* key, int fallback) {
        const QJsonValue value = object.value(QLatin1StringView(key));
        return value.isDouble() ? value.toInt(fallback) : fallback;
    };
    FieldDescription field;
    field.tag = text("tag");
    field.type = text("type");
    field.autocomplete = text("autocomplete");
    field.inputMode = text("inputMode");
    field.name = text("name");
    field.id = text("id");
    field.placeholder = text("placeholder");
    field.pattern = text("pattern");
    field.title = text("title");
    field.label = text("label");
    field.ariaLabel = text("ariaLabel");
    field.rowLabel = text("rowLabel");
    field.before = text("before");
    field.after = text("after");
    field.value = text("value");
    field.maxLength = integer("maxLength", -1);
    field.size = integer("size", -1);
    field.row = integer("row", 0);
    field.selectedIndex = integer("selectedIndex", -1);
    field.hasText = object.value(u"hasText").toBool();
    for (const QJsonValue option : object.value(u"options").toArray()) {
        const QJsonObject entry = option.toObject();
        field.options.append({entry.value(u"text").toString(), entry.value(u"value").toString()});
    }
    return field;
}

} // namespace profile
