// The profile editor on Qt's offscreen platform: its window and controls, the
// load from the palette, the commit onto the palette and NAME.txt, the clear
// buttons and the cancel button.

#include "WidgetTest.h"

#include "forms/Form1.h"
#include "forms/Form2.h"
#include "platform/Twips.h"

#include <QGroupBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include <sys/stat.h>

using profile::kSlotCount;

using SlotTexts = QMap<int, QString>;

namespace {

const QList<int> kEntrySlots{1,  2,  10, 11, 13, 14, 17, 18, 20, 21, 22, 23, 26,
                             27, 28, 31, 32, 33, 34, 35, 38, 39, 40, 42, 43, 44,
                             45, 47, 48, 49, 50, 51, 52, 53, 54, 55, 56};
const QList<int> kDerivedSlots{0,  3,  4,  5,  6,  7,  8,  9,  12, 15,
                               16, 19, 24, 25, 29, 30, 36, 37, 41, 46};

const QString kInstruction =
    u"『クリア』ボタンをクリックし、あなたの情報を入力した後、"
    u"『内容更新』ボタンをクリックして下さい（後から変更可能です）\n"
    u"このボタンをクリックする事で外部にデータが送信される事はありません。"_qs;

QString paletteValue(int slot)
{
    return QStringLiteral("値%1").arg(slot);
}

struct Session : ProgramSession
{
    using ProgramSession::ProgramSession;

    Form1& palette() { return windows.palette(); }

    void fillPalette()
    {
        for (int slot = 0; slot < kSlotCount; ++slot)
            palette().setSlotText(slot, paletteValue(slot));
    }

    profile::Record paletteRecord() { return palette().record(); }

    Form2& openEditor() { return windows.showEditor(); }
};

template <typename Widget> Widget* control(Form2& editor, const QString& name)
{
    auto* widget = editor.findChild<Widget*>(name);
    if (!widget)
        qFatal("no control %s", qPrintable(name));
    return widget;
}

void click(Form2& editor, const QString& button)
{
    QTest::mouseClick(control<QPushButton>(editor, button), Qt::LeftButton);
}

QStringList captionTexts(Form2& editor)
{
    QStringList texts;
    for (int index = 0; index < 46; ++index)
        texts << control<QLineEdit>(editor, QStringLiteral("項目%1").arg(index))->text();
    return texts;
}

QStringList editorTexts(Form2& editor)
{
    QStringList texts;
    for (int slot = 0; slot < kSlotCount; ++slot)
        texts << editor.slotText(slot);
    return texts;
}

// The file's bytes for a marker "1" and the given record.
QByteArray savedBytes(const profile::Record& record)
{
    QStringList lines{u"1"_qs};
    for (const QString& value : record)
        lines << value;
    return profileBytes(lines);
}

enum class SaveFault
{
    ReadOnlyDirectory,
    UnencodableCharacter
};

enum class Ending
{
    CancelButton,
    TitleBar
};

} // namespace

Q_DECLARE_METATYPE(SaveFault)
Q_DECLARE_METATYPE(Ending)

class TestForm2 : public QObject
{
    Q_OBJECT

private slots:
    void window();
    void boxKinds_data();
    void boxKinds();
    void captions_data();
    void captions();
    void hiddenBoxesOutOfReach();
    void toolTips();
    void inputMethodReachesEveryEntryBox();

    void load_data();
    void load();
    void openingWhileOpenKeepsEdits();
    void reopenAfterClosing_data();
    void reopenAfterClosing();

    void commit_data();
    void commit();
    void firstCommitOpensBrowser_data();
    void firstCommitOpensBrowser();
    void failingSave_data();
    void failingSave();

    void clear_data();
    void clear();
    void cancel_data();
    void cancel();

    void tabOrder();
    void enterAndEscapeDoNothing_data();
    void enterAndEscapeDoNothing();
};

void TestForm2::window()
{
    Session session(1);
    Form2& editor = session.openEditor();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));

    QCOMPARE(editor.windowTitle(), u"内容変更"_qs);
    const QSize client = platform::twipsSize(8280, 7560);
    QCOMPARE(editor.size(), client);
    QCOMPARE(editor.minimumSize(), client);
    QCOMPARE(editor.maximumSize(), client);
    const Qt::WindowFlags flags = editor.windowFlags();
    QVERIFY(flags.testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QCOMPARE(editor.palette().color(QPalette::Window), QColor(Qt::white));
    QCOMPARE(editor.font().family(), QString::fromUtf16(platform::kJapaneseGothic));
    QCOMPARE(editor.font().pointSizeF(), 11.25);
    // Every control lies within the client area.
    for (QWidget* child : editor.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!child->isWindow())
            QVERIFY2(editor.rect().contains(child->geometry()), qPrintable(child->objectName()));
    }
}

void TestForm2::boxKinds_data()
{
    QTest::addColumn<int>("slot");
    QTest::addColumn<bool>("multiLine");
    QTest::addColumn<bool>("visible");
    for (int slot = 0; slot < kSlotCount; ++slot) {
        QTest::addRow("Text%d", slot) << slot << (slot >= 51) << kEntrySlots.contains(slot);
    }
}

void TestForm2::boxKinds()
{
    QFETCH(int, slot);
    QFETCH(bool, multiLine);
    QFETCH(bool, visible);

    Session session(1);
    Form2& editor = session.openEditor();
    QWidget* box = control<QWidget>(editor, QStringLiteral("Text%1").arg(slot));
    QCOMPARE(editor.Text[slot], box);
    QCOMPARE(qobject_cast<QPlainTextEdit*>(box) != nullptr, multiLine);
    QCOMPARE(box->isVisible(), visible);
    if (visible) {
        auto* line = qobject_cast<QLineEdit*>(box);
        QVERIFY(!(line && line->isReadOnly()));
        QVERIFY(!(line && line->echoMode() != QLineEdit::Normal));
    }
}

void TestForm2::captions_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QColor>("background");
    QTest::addColumn<QColor>("ink"); // the background where there is no text

    const QColor lightCyan(192, 255, 255), lightYellow(255, 255, 192), white(Qt::white),
        black(Qt::black), blue(0, 0, 255), lightRed(255, 128, 128);
    QTest::newRow("氏名 header") << 16 << u"氏　　名"_qs << lightCyan << blue;
    QTest::newRow("empty corner") << 5 << QString() << lightYellow << lightYellow;
    QTest::newRow("family column") << 1 << u"姓"_qs << lightYellow << lightRed;
    QTest::newRow("kana row") << 3 << u"ｶﾅ(半角)"_qs << lightYellow << lightRed;
    QTest::newRow("Latin row") << 4 << u"ｱﾙﾌｧﾍﾞｯﾄ(半角)"_qs << lightYellow << lightRed;
    QTest::newRow("postal hyphen") << 18 << u"-"_qs << white << lightRed;
    QTest::newRow("mobile") << 13 << u"携帯またはFAX"_qs << lightYellow << lightRed;
    QTest::newRow("bank header") << 34 << u"希望振込み先銀行情報"_qs << lightCyan << blue;
    QTest::newRow("divider") << 24 << QString() << black << black;
    QTest::newRow("at sign") << 27 << u"＠"_qs << white << lightRed;
    QTest::newRow("day") << 45 << u"日"_qs << white << lightRed;
    QTest::newRow("site header") << 41 << u"あなたのホームページの情報"_qs << lightCyan << blue;
    QTest::newRow("furigana") << 38 << u"サイト(フリガナ)"_qs << lightYellow << lightRed;
}

void TestForm2::captions()
{
    QFETCH(int, index);
    QFETCH(QString, text);
    QFETCH(QColor, background);
    QFETCH(QColor, ink);

    Session session(1);
    Form2& editor = session.openEditor();
    QVERIFY(QTest::qWaitForWindowActive(&editor));
    auto* caption = control<QLineEdit>(editor, QStringLiteral("項目%1").arg(index));
    QCOMPARE(caption->text(), text);
    QVERIFY(caption->isReadOnly());
    QVERIFY(caption->isVisible());
    const SeenColours seen = seenColours(*caption);
    QCOMPARE(seen.background, background);
    QCOMPARE(seen.ink, ink);
    // Typing into a caption changes nothing.
    QTest::keyClicks(caption, u"x"_qs);
    QTest::keyClick(caption, Qt::Key_Backspace);
    QCOMPARE(caption->text(), text);
}

void TestForm2::hiddenBoxesOutOfReach()
{
    Session session(1);
    Form2& editor = session.openEditor();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));
    auto* frame = control<QGroupBox>(editor, u"Frame1"_qs);
    QVERIFY(!frame->isVisible());
    for (int slot : kDerivedSlots) {
        QWidget* box = editor.Text[slot];
        QCOMPARE(box->parentWidget(), frame);
        QVERIFY(!box->isVisible());
        // The mouse finds whatever is shown there, never the hidden box.
        const QPoint centre = box->mapTo(&editor, box->rect().center());
        QWidget* hit = editor.childAt(centre);
        QVERIFY(hit != box && hit != frame);
    }
}

void TestForm2::toolTips()
{
    Session session(1);
    Form2& editor = session.openEditor();
    QStringList withTips;
    for (QWidget* child : editor.findChildren<QWidget*>()) {
        if (!child->toolTip().isEmpty()) {
            withTips << child->objectName();
            QCOMPARE(child->toolTip(), u"フォームのテキストボックスへDrag&Drop"_qs);
        }
    }
    withTips.sort();
    QCOMPARE(withTips, (QStringList{u"Text55"_qs, u"Text56"_qs}));
}

void TestForm2::inputMethodReachesEveryEntryBox()
{
    Session session(1);
    Form2& editor = session.openEditor();
    QVERIFY(QTest::qWaitForWindowActive(&editor));
    for (int slot : kEntrySlots) {
        QWidget* box = editor.Text[slot];
        box->setFocus();
        QVERIFY(box->testAttribute(Qt::WA_InputMethodEnabled));
        QInputMethodEvent composed;
        composed.setCommitString(u"山田"_qs);
        QApplication::sendEvent(box, &composed);
        QVERIFY2(editor.slotText(slot).contains(u"山田"_qs), qPrintable(box->objectName()));
    }
}

void TestForm2::load_data()
{
    QTest::addColumn<bool>("paletteFilled");
    QTest::addColumn<int>("hasProfile");
    QTest::addColumn<QString>("instruction");
    QTest::newRow("first run, placeholders") << false << 0 << kInstruction;
    QTest::newRow("first run, values") << true << 0 << kInstruction;
    QTest::newRow("profile exists") << true << 1 << QString();
}

void TestForm2::load()
{
    QFETCH(bool, paletteFilled);
    QFETCH(int, hasProfile);
    QFETCH(QString, instruction);

    Session session{qint16(hasProfile)};
    if (paletteFilled)
        session.fillPalette();
    const profile::Record before = session.paletteRecord();
    Form2& editor = session.openEditor();
    QVERIFY(QTest::qWaitForWindowActive(&editor));

    for (int slot = 0; slot < kSlotCount; ++slot) {
        const QString expected =
            paletteFilled ? paletteValue(slot) : QString::fromUtf16(profile::kPlaceholder);
        QCOMPARE(editor.slotText(slot), expected);
        // A long value shows its start, not its end.
        if (const auto* line = qobject_cast<QLineEdit*>(editor.Text[slot]))
            QCOMPARE(line->cursorPosition(), 0);
    }
    QCOMPARE(control<QLabel>(editor, u"Label1"_qs)->text(), instruction);
    QCOMPARE(control<QLabel>(editor, u"Label2"_qs)->text(),
             u"(半角)指示のあるものは、必ず、半角で入力して下さい。"_qs);
    QCOMPARE(QApplication::focusWidget(), editor.Text[1]);
    QCOMPARE(session.paletteRecord(), before);
    QVERIFY(!QFile::exists(session.dir.profilePath()));
    QCOMPARE(session.errors.count(), std::size_t(0));
}

void TestForm2::openingWhileOpenKeepsEdits()
{
    Session session(1);
    session.fillPalette();
    Form2& editor = session.openEditor();
    editor.setSlotText(1, u"編集中"_qs);
    session.palette().setSlotText(2, u"後から"_qs);

    Form2& again = session.openEditor();
    QCOMPARE(&again, &editor);
    QCOMPARE(again.slotText(1), u"編集中"_qs);
    QCOMPARE(again.slotText(2), paletteValue(2));
}

void TestForm2::reopenAfterClosing_data()
{
    QTest::addColumn<Ending>("ending");
    QTest::addColumn<int>("hasProfile");
    QTest::addColumn<bool>("browser");
    QTest::newRow("cancel, profile exists") << Ending::CancelButton << 1 << false;
    QTest::newRow("title bar, first run") << Ending::TitleBar << 0 << false;
    QTest::newRow("title bar, profile exists") << Ending::TitleBar << 1 << false;
}

void TestForm2::reopenAfterClosing()
{
    QFETCH(Ending, ending);
    QFETCH(int, hasProfile);
    QFETCH(bool, browser);

    Session session{qint16(hasProfile)};
    session.fillPalette();
    Form2& editor = session.openEditor();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));
    click(editor, u"Command1_0"_qs);
    editor.setSlotText(20, u"捨てる"_qs);
    if (ending == Ending::CancelButton)
        click(editor, u"btnキャンセル"_qs);
    else
        QVERIFY(editor.close());
    QTRY_VERIFY(!session.windows.editor());
    QCOMPARE(session.windows.browser() != nullptr, browser);
    QCOMPARE(int(session.module.HasProfile), hasProfile);

    Form2& reopened = session.openEditor();
    for (int slot = 0; slot < kSlotCount; ++slot)
        QCOMPARE(reopened.slotText(slot), paletteValue(slot));
    QCOMPARE(control<QLabel>(reopened, u"Label1"_qs)->text().isEmpty(), hasProfile != 0);
    QVERIFY(!QFile::exists(session.dir.profilePath()));
    QCOMPARE(session.errors.count(), std::size_t(0));
}

void TestForm2::commit_data()
{
    QTest::addColumn<bool>("clearAll");
    QTest::addColumn<SlotTexts>("entries");
    QTest::addColumn<SlotTexts>("expected");

    QTest::newRow("worked example")
        << false << SlotTexts{{1, u"田中"_qs}, {2, u"太郎"_qs},    {10, u"ﾀﾅｶ"_qs},
                              {11, u"ﾀﾛｳ"_qs}, {13, u"TANAKA"_qs}, {14, u"TARO"_qs}}
        << SlotTexts{{0, u"田中太郎"_qs},
                     {1, u"田中"_qs},
                     {2, u"太郎"_qs},
                     {3, u"たなかたろう"_qs},
                     {4, u"たなか"_qs},
                     {5, u"たろう"_qs},
                     {6, u"タナカタロウ"_qs},
                     {7, u"タナカ"_qs},
                     {8, u"タロウ"_qs},
                     {9, u"ﾀﾅｶﾀﾛｳ"_qs},
                     {12, u"TANAKA TARO"_qs},
                     {15, u"値17-値18"_qs},
                     {19, u"値20値21値22値23"_qs},
                     {24, u"値26-値27-値28"_qs},
                     {36, u"値38/値39/値40"_qs},
                     {41, u"値42@値43"_qs},
                     {46, u"値47/値48"_qs}};

    SlotTexts empty;
    for (int slot = 0; slot < kSlotCount; ++slot)
        empty[slot] = QString();
    empty[12] = u" "_qs;
    empty[15] = u"-"_qs;
    empty[24] = u"--"_qs;
    empty[29] = u"--"_qs;
    empty[36] = u"//"_qs;
    empty[37] = u"--"_qs;
    empty[41] = u"@"_qs;
    empty[46] = u"/"_qs;
    QTest::newRow("every entry empty") << true << SlotTexts{} << empty;

    QTest::newRow("hidden boxes given text")
        << false << SlotTexts{{0, u"隠し"_qs}, {9, u"ｶｸｼ"_qs}, {41, u"x@y"_qs}}
        << SlotTexts{{0, u"値1値2"_qs}, {9, u"値10値11"_qs}, {41, u"値42@値43"_qs}};
    QTest::newRow("spaces kept") << false << SlotTexts{{13, u"TANAKA "_qs}, {14, u" TARO"_qs}}
                                 << SlotTexts{{12, u"TANAKA   TARO"_qs}, {13, u"TANAKA "_qs}};
    QTest::newRow("line break in site description")
        << false << SlotTexts{{54, u"一行目\n二行目"_qs}} << SlotTexts{{54, u"一行目\n二行目"_qs}};
    QTest::newRow("voiced kana composed") << false << SlotTexts{{11, u"ﾀﾞｲｽｹ"_qs}}
                                          << SlotTexts{{8, u"ダイスケ"_qs}, {5, u"だいすけ"_qs}};
    const QString longValue(40000, QLatin1Char('x'));
    QTest::newRow("value past a line edit's default length")
        << false << SlotTexts{{44, longValue}} << SlotTexts{{44, longValue}};
}

void TestForm2::commit()
{
    QFETCH(bool, clearAll);
    QFETCH(SlotTexts, entries);
    QFETCH(SlotTexts, expected);

    Session session(1);
    session.fillPalette();
    session.dir.writeProfile(profileBytes({u"1"_qs, u"古い"_qs}));
    Form2& editor = session.openEditor();
    if (clearAll) {
        for (int button = 0; button < 6; ++button)
            click(editor, QStringLiteral("Command1_%1").arg(button));
    }
    for (auto entry = entries.cbegin(); entry != entries.cend(); ++entry)
        editor.setSlotText(entry.key(), entry.value());
    QStringList typed;
    for (int slot = 0; slot < kSlotCount; ++slot)
        typed << editor.slotText(slot);

    click(editor, u"btn内容更新"_qs);

    QCOMPARE(session.errors.count(), std::size_t(0));
    const profile::Record record = session.paletteRecord();
    for (auto slot = expected.cbegin(); slot != expected.cend(); ++slot)
        QCOMPARE(record[slot.key()], slot.value());
    // Every entry slot is copied unchanged from its own box.
    for (int slot : kEntrySlots)
        QCOMPARE(record[slot], typed[slot]);
    QCOMPARE(session.dir.readProfile(), savedBytes(record));
    QCOMPARE(session.dir.readProfile().count("\r\n"), 58);
    QTRY_VERIFY(!session.windows.editor());
    QVERIFY(!session.windows.browser());
    QCOMPARE(int(session.module.HasProfile), 1);
}

void TestForm2::firstCommitOpensBrowser_data()
{
    QTest::addColumn<int>("hasProfile");
    QTest::addColumn<bool>("browser");
    QTest::newRow("first profile") << 0 << true;
    QTest::newRow("profile exists") << 1 << false;
}

void TestForm2::firstCommitOpensBrowser()
{
    QFETCH(int, hasProfile);
    QFETCH(bool, browser);

    Session session{qint16(hasProfile)};
    session.fillPalette();
    click(session.openEditor(), u"btn内容更新"_qs);
    QCOMPARE(session.windows.browser() != nullptr, browser);
    QCOMPARE(shownBrowsers().size(), browser ? 1 : 0);
    QCOMPARE(int(session.module.HasProfile), 1);
    QTRY_VERIFY(!session.windows.editor());

    // The user closes the browser; the next commit does not bring it back.
    for (QWidget* shown : shownBrowsers())
        shown->close();
    QTRY_VERIFY(!session.windows.browser());
    click(session.openEditor(), u"btn内容更新"_qs);
    QTRY_VERIFY(!session.windows.editor());
    QVERIFY(!session.windows.browser());
    QCOMPARE(int(session.module.HasProfile), 1);
    QCOMPARE(session.errors.count(), std::size_t(0));
}

void TestForm2::failingSave_data()
{
    QTest::addColumn<SaveFault>("fault");
    QTest::addColumn<QString>("entry");
    QTest::newRow("read-only directory") << SaveFault::ReadOnlyDirectory << u"新しい"_qs;
    QTest::newRow("character outside code page 932")
        << SaveFault::UnencodableCharacter << u"𠮷野"_qs;
}

void TestForm2::failingSave()
{
    QFETCH(SaveFault, fault);
    QFETCH(QString, entry);

    Session session(0);
    session.fillPalette();
    const QByteArray previous = profileBytes({u"0"_qs, u"前の内容"_qs});
    session.dir.writeProfile(previous);
    const QByteArray directory = QFile::encodeName(session.dir.path());
    Form2& editor = session.openEditor();
    editor.setSlotText(1, entry);

    if (fault == SaveFault::ReadOnlyDirectory) {
        QCOMPARE(::chmod(directory.constData(), 0555), 0);
        OrdinaryUser user;
        click(editor, u"btn内容更新"_qs);
    } else {
        click(editor, u"btn内容更新"_qs);
    }

    QCOMPARE(session.errors.count(), std::size_t(1));
    if (fault == SaveFault::ReadOnlyDirectory)
        QCOMPARE(session.errors.numbers(), QList<int>{ErrorNumber::permissionDenied});
    else
        QVERIFY(session.errors.reports().front().description().contains(u"𠮷"_qs));
    QCOMPARE(session.palette().slotText(1), entry);
    QCOMPARE(session.palette().slotText(0), entry + paletteValue(2));
    QCOMPARE(session.dir.readProfile(), previous);
    QCOMPARE(int(session.module.HasProfile), 0);
    QVERIFY(!session.windows.browser());
    QCOMPARE(session.windows.editor(), &editor);
    QVERIFY(editor.isVisible());
    QCOMPARE(editor.slotText(1), entry);

    // Once the cause is gone, committing again succeeds.
    if (fault == SaveFault::ReadOnlyDirectory)
        QCOMPARE(::chmod(directory.constData(), 0700), 0);
    else
        editor.setSlotText(1, u"吉野"_qs);
    click(editor, u"btn内容更新"_qs);
    QCOMPARE(session.errors.count(), std::size_t(1));
    QCOMPARE(session.dir.readProfile(), savedBytes(session.paletteRecord()));
    QCOMPARE(int(session.module.HasProfile), 1);
    QVERIFY(session.windows.browser());
    QTRY_VERIFY(!session.windows.editor());
}

void TestForm2::clear_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    QTest::newRow("氏名") << 0 << 0 << 14;
    QTest::newRow("住所") << 1 << 15 << 23;
    QTest::newRow("電話番号") << 2 << 24 << 33;
    QTest::newRow("その他 (index 3, right column middle)") << 3 << 34 << 45;
    QTest::newRow("銀行 (index 4, right column top)") << 4 << 46 << 50;
    QTest::newRow("サイト") << 5 << 51 << 56;
}

void TestForm2::clear()
{
    QFETCH(int, button);
    QFETCH(int, first);
    QFETCH(int, last);

    Session session(0);
    session.fillPalette();
    const QByteArray file = profileBytes({u"0"_qs});
    session.dir.writeProfile(file);
    Form2& editor = session.openEditor();
    const QStringList captions = captionTexts(editor);

    // A second click on an emptied group changes nothing more.
    for (int clicks = 0; clicks < 2; ++clicks) {
        click(editor, QStringLiteral("Command1_%1").arg(button));
        for (int slot = 0; slot < kSlotCount; ++slot) {
            const bool cleared = slot >= first && slot <= last;
            QCOMPARE(editor.slotText(slot), cleared ? QString() : paletteValue(slot));
        }
    }
    QCOMPARE(control<QPushButton>(editor, QStringLiteral("Command1_%1").arg(button))->text(),
             u"クリア"_qs);
    QCOMPARE(captionTexts(editor), captions);
    for (int slot = 0; slot < kSlotCount; ++slot)
        QCOMPARE(session.palette().slotText(slot), paletteValue(slot));
    QCOMPARE(session.dir.readProfile(), file);
    QCOMPARE(int(session.module.HasProfile), 0);
    QVERIFY(editor.isVisible());
    QVERIFY(!session.windows.browser());
    QCOMPARE(session.errors.count(), std::size_t(0));
}

void TestForm2::cancel_data()
{
    QTest::addColumn<int>("hasProfile");
    QTest::addColumn<bool>("browserOpen");
    QTest::addColumn<bool>("browserAfter");
    QTest::newRow("first run") << 0 << false << true;
    QTest::newRow("first run, browser open") << 0 << true << true;
    QTest::newRow("profile exists") << 1 << false << false;
    QTest::newRow("profile exists, browser open") << 1 << true << true;
}

void TestForm2::cancel()
{
    QFETCH(int, hasProfile);
    QFETCH(bool, browserOpen);
    QFETCH(bool, browserAfter);

    Session session{qint16(hasProfile)};
    session.fillPalette();
    const QByteArray file = profileBytes({QString::number(hasProfile)});
    session.dir.writeProfile(file);
    Form6* openBrowser = browserOpen ? &session.windows.showBrowser() : nullptr;
    Form2& editor = session.openEditor();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));
    editor.setSlotText(1, u"捨てる"_qs);

    ShowWatch browserShows(u"Form6"_qs);
    click(editor, u"btnキャンセル"_qs);

    QVERIFY(!editor.isVisible());
    QTRY_VERIFY(!session.windows.editor());
    QCOMPARE(session.windows.browser() != nullptr, browserAfter);
    if (openBrowser)
        QCOMPARE(session.windows.browser(), openBrowser);
    QCOMPARE(shownBrowsers().size(), browserAfter ? 1 : 0);
    // The editor was gone before the browser was shown.
    QCOMPARE(browserShows.visibleAtShow.size(), hasProfile == 0 && !browserOpen ? 1 : 0);
    for (const QStringList& visible : browserShows.visibleAtShow)
        QVERIFY(!visible.contains(u"Form2"_qs));
    QCOMPARE(int(session.module.HasProfile), hasProfile);
    for (int slot = 0; slot < kSlotCount; ++slot)
        QCOMPARE(session.palette().slotText(slot), paletteValue(slot));
    QCOMPARE(session.dir.readProfile(), file);
    QCOMPARE(session.errors.count(), std::size_t(0));
}

void TestForm2::tabOrder()
{
    const QStringList expected{
        u"Text1"_qs,         u"Text2"_qs,      u"Text10"_qs,     u"Text11"_qs,
        u"Text14"_qs,        u"Text13"_qs,     u"Text50"_qs,     u"Text56"_qs,
        u"Text55"_qs,        u"Text54"_qs,     u"Text53"_qs,     u"Text52"_qs,
        u"Text51"_qs,        u"Text49"_qs,     u"Text48"_qs,     u"Text47"_qs,
        u"Text45"_qs,        u"Text44"_qs,     u"Text43"_qs,     u"Text42"_qs,
        u"Text35"_qs,        u"Text34"_qs,     u"Text33"_qs,     u"Text32"_qs,
        u"Text31"_qs,        u"Text28"_qs,     u"Text27"_qs,     u"Text26"_qs,
        u"Text23"_qs,        u"Text22"_qs,     u"Text21"_qs,     u"Text20"_qs,
        u"Text18"_qs,        u"Text17"_qs,     u"Command1_0"_qs, u"Command1_1"_qs,
        u"Command1_2"_qs,    u"Command1_3"_qs, u"Command1_4"_qs, u"Command1_5"_qs,
        u"btn内容更新"_qs,   u"Text40"_qs,     u"Text39"_qs,     u"Text38"_qs,
        u"btnキャンセル"_qs, u"Text1"_qs};

    Session session(1);
    Form2& editor = session.openEditor();
    QVERIFY(QTest::qWaitForWindowActive(&editor));
    QStringList visited{QApplication::focusWidget()->objectName()};
    while (visited.size() < expected.size()) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited, expected);
    QCOMPARE(session.errors.count(), std::size_t(0));
}

void TestForm2::enterAndEscapeDoNothing_data()
{
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QString>("typed");
    QTest::newRow("entry box") << u"Text1"_qs << QString();
    QTest::newRow("multi-line box") << u"Text54"_qs << u"\n\n"_qs;
    QTest::newRow("clear button") << u"Command1_0"_qs << QString();
    QTest::newRow("commit button") << u"btn内容更新"_qs << QString();
    QTest::newRow("cancel button") << u"btnキャンセル"_qs << QString();
}

void TestForm2::enterAndEscapeDoNothing()
{
    QFETCH(QString, focus);
    QFETCH(QString, typed);

    Session session(0);
    session.fillPalette();
    Form2& editor = session.openEditor();
    QVERIFY(QTest::qWaitForWindowActive(&editor));
    QWidget* target = control<QWidget>(editor, focus);
    target->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), target);
    QStringList expected = editorTexts(editor);
    const int focusedSlot = focus.startsWith(u"Text"_qs) ? focus.mid(4).toInt() : -1;
    if (focusedSlot >= 0)
        expected[focusedSlot].prepend(typed); // the cursor is at the start after the load

    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
        QTest::keyClick(target, key);

    QCOMPARE(editorTexts(editor), expected);
    QVERIFY(editor.isVisible());
    QCOMPARE(session.windows.editor(), &editor);
    QVERIFY(!session.windows.browser());
    QCOMPARE(int(session.module.HasProfile), 0);
    for (int slot = 0; slot < kSlotCount; ++slot)
        QCOMPARE(session.palette().slotText(slot), paletteValue(slot));
    QVERIFY(!QFile::exists(session.dir.profilePath()));
    QCOMPARE(session.errors.count(), std::size_t(0));
}

PETATTO_WIDGET_TEST_MAIN(TestForm2)

#include "tst_form2.moc"
