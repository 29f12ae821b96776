// The profile editor on Qt's offscreen platform: its window and controls, the
// load from the palette, the commit onto the palette and NAME.txt, the clear
// buttons and the cancel button.

#include "WidgetTest.h"

#include "forms/Form1.h"
#include "forms/Form2.h"
#include "platform/Twips.h"
#include "profile/ProfileFile.h"

#include <QGroupBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include <sys/stat.h>

using profile::kSlotCount;

namespace {

const QList<int> kEntrySlots{1,  2,  10, 11, 13, 14, 17, 18, 20, 21, 22, 23, 26,
                             27, 28, 31, 32, 33, 34, 35, 38, 39, 40, 42, 43, 44,
                             45, 47, 48, 49, 50, 51, 52, 53, 54, 55, 56};

const QString kInstruction =
    u"『クリア』ボタンをクリックし、あなたの情報を入力した後、"
    u"『内容更新』ボタンをクリックして下さい（後から変更可能です）\n"
    u"このボタンをクリックする事で外部にデータが送信される事はありません。"_s;

// What a filled palette holds: "値0" to "値56".
const QStringList kFilled = numberedSlots(kSlotCount);

template <typename Window> QStringList slotTexts(const Window& window)
{
    QStringList texts;
    for (int slot = 0; slot < kSlotCount; ++slot)
        texts << window.slotText(slot);
    return texts;
}

// A run whose palette is filled, or shows a first run's placeholders, and
// whose NAME.txt holds only its marker, so that any save shows in the file.
struct Session : ProgramSession
{
    explicit Session(qint16 hasProfile, bool filled = true)
        : ProgramSession(hasProfile),
          paletteAtStart(filled ? kFilled : QStringList(kSlotCount, kEmptySlotText))
    {
        if (filled) {
            for (int slot = 0; slot < kSlotCount; ++slot)
                palette().setSlotText(slot, kFilled[slot]);
        }
        dir.writeProfile(file);
    }

    Form1& palette() { return windows.palette(); }
    Form2& openEditor() { return windows.showEditor(); }

    // Nothing left the editor: the palette, NAME.txt and HasProfile are as
    // they were, nothing was reported, and the editor given is still open.
    void expectUntouched(const Form2* openEditor)
    {
        QCOMPARE(slotTexts(palette()), paletteAtStart);
        QCOMPARE(dir.readProfile(), file);
        QCOMPARE(int(module.HasProfile), hasProfileAtStart);
        QCOMPARE(errors.count(), std::size_t(0));
        if (openEditor) {
            QCOMPARE(windows.editor(), openEditor);
            QVERIFY(openEditor->isVisible());
            QVERIFY(!windows.browser());
        }
    }

    const QStringList paletteAtStart;
    const int hasProfileAtStart = module.HasProfile;
    const QByteArray file = profileBytes({QString::number(module.HasProfile)});
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

// The file's bytes for a marker "1" and the given record.
QByteArray savedBytes(const profile::Record& record)
{
    return profileBytes(QStringList{u"1"_s} + QStringList(record.cbegin(), record.cend()));
}

enum class Ending
{
    CancelButton,
    TitleBar
};

} // namespace

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
    void toolTips();

    void load_data();
    void load();

    void commit_data();
    void commit();
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

    QCOMPARE(editor.windowTitle(), u"内容変更"_s);
    const QSize client = platform::twipsSize(8280, 7560);
    QCOMPARE(editor.size(), client);
    QCOMPARE(editor.minimumSize(), client);
    QCOMPARE(editor.maximumSize(), client);
    const Qt::WindowFlags buttons = Qt::WindowStaysOnTopHint | Qt::WindowMinimizeButtonHint |
                                    Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint;
    QCOMPARE(editor.windowFlags() & buttons, Qt::WindowStaysOnTopHint | Qt::WindowCloseButtonHint);
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
    for (int slot = 0; slot < kSlotCount; ++slot)
        QTest::addRow("Text%d", slot) << slot << (slot >= 51) << kEntrySlots.contains(slot);
}

void TestForm2::boxKinds()
{
    QFETCH(int, slot);
    QFETCH(bool, multiLine);
    QFETCH(bool, visible);

    Session session(1);
    Form2& editor = session.openEditor();
    QVERIFY(QTest::qWaitForWindowActive(&editor));
    QWidget* box = control<QWidget>(editor, QStringLiteral("Text%1").arg(slot));
    QCOMPARE(editor.Text[slot], box);
    QCOMPARE(qobject_cast<QPlainTextEdit*>(box) != nullptr, multiLine);
    QCOMPARE(box->isVisible(), visible);
    if (visible) {
        auto* line = qobject_cast<QLineEdit*>(box);
        QVERIFY(!(line && line->isReadOnly()));
        QVERIFY(!(line && line->echoMode() != QLineEdit::Normal));
        // Japanese reaches the box through the input method.
        box->setFocus();
        QVERIFY(box->testAttribute(Qt::WA_InputMethodEnabled));
        QInputMethodEvent composed;
        composed.setCommitString(u"山田"_s);
        QApplication::sendEvent(box, &composed);
        QCOMPARE(editor.slotText(slot), u"山田"_s + kFilled[slot]);
    } else {
        // A derived slot's box sits in a frame that is never shown; the mouse
        // finds whatever is shown there instead.
        auto* frame = control<QGroupBox>(editor, u"Frame1"_s);
        QCOMPARE(box->parentWidget(), frame);
        QVERIFY(!frame->isVisible());
        QWidget* hit = editor.childAt(box->mapTo(&editor, box->rect().center()));
        QVERIFY(hit != box && hit != frame);
    }
}

void TestForm2::captions_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QColor>("background");
    QTest::addColumn<QColor>("ink"); // the background where there is no text
    QTest::addColumn<bool>("framed");

    const QColor lightCyan(192, 255, 255), lightYellow(255, 255, 192), white(Qt::white),
        black(Qt::black), blue(0, 0, 255), lightRed(255, 128, 128);
    QTest::newRow("氏名 header") << 16 << u"氏　　名"_s << lightCyan << blue << true;
    QTest::newRow("empty corner") << 5 << QString() << lightYellow << lightYellow << true;
    QTest::newRow("family column") << 1 << u"姓"_s << lightYellow << lightRed << true;
    QTest::newRow("kana row") << 3 << u"ｶﾅ(半角)"_s << lightYellow << lightRed << true;
    QTest::newRow("Latin row") << 4 << u"ｱﾙﾌｧﾍﾞｯﾄ(半角)"_s << lightYellow << lightRed << true;
    QTest::newRow("postal hyphen") << 18 << u"-"_s << white << lightRed << false;
    QTest::newRow("mobile") << 13 << u"携帯またはFAX"_s << lightYellow << lightRed << true;
    QTest::newRow("bank header") << 34 << u"希望振込み先銀行情報"_s << lightCyan << blue << true;
    QTest::newRow("divider") << 24 << QString() << black << black << true;
    QTest::newRow("at sign") << 27 << u"＠"_s << white << lightRed << false;
    QTest::newRow("day") << 45 << u"日"_s << white << lightRed << false;
    QTest::newRow("site header") << 41 << u"あなたのホームページの情報"_s << lightCyan << blue
                                 << true;
    QTest::newRow("furigana") << 38 << u"サイト(フリガナ)"_s << lightYellow << lightRed << true;
}

void TestForm2::captions()
{
    QFETCH(int, index);
    QFETCH(QString, text);
    QFETCH(QColor, background);
    QFETCH(QColor, ink);
    QFETCH(bool, framed);

    Session session(1);
    Form2& editor = session.openEditor();
    QVERIFY(QTest::qWaitForWindowActive(&editor));
    auto* caption = control<QLineEdit>(editor, QStringLiteral("項目%1").arg(index));
    QCOMPARE(caption->text(), text);
    QVERIFY(caption->isVisible());
    const SeenColours seen = seenColours(*caption);
    QCOMPARE(seen.background, background);
    QCOMPARE(seen.ink, ink);
    QCOMPARE(caption->hasFrame(), framed);
    // Typing into a caption changes nothing.
    QTest::keyClicks(caption, u"x"_s);
    QCOMPARE(caption->text(), text);
}

void TestForm2::toolTips()
{
    Session session(1);
    Form2& editor = session.openEditor();
    QStringList withTips;
    for (QWidget* child : editor.findChildren<QWidget*>()) {
        if (!child->toolTip().isEmpty()) {
            withTips << child->objectName();
            QCOMPARE(child->toolTip(), u"フォームのテキストボックスへDrag&Drop"_s);
        }
    }
    withTips.sort();
    QCOMPARE(withTips, (QStringList{u"Text55"_s, u"Text56"_s}));
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

    Session session(qint16(hasProfile), paletteFilled);
    Form2& editor = session.openEditor();
    QVERIFY(QTest::qWaitForWindowActive(&editor));

    QCOMPARE(slotTexts(editor), session.paletteAtStart);
    // A long value shows its start, not its end.
    for (const QWidget* box : editor.Text) {
        if (const auto* line = qobject_cast<const QLineEdit*>(box))
            QCOMPARE(line->cursorPosition(), 0);
    }
    QCOMPARE(control<QLabel>(editor, u"Label1"_s)->text(), instruction);
    QCOMPARE(control<QLabel>(editor, u"Label2"_s)->text(),
             u"(半角)指示のあるものは、必ず、半角で入力して下さい。"_s);
    QCOMPARE(QApplication::focusWidget(), editor.Text[1]);
    session.expectUntouched(&editor);

    // Opening it while it is open only brings it forward, with the user's edits.
    editor.setSlotText(1, u"編集中"_s);
    session.palette().setSlotText(2, u"後から"_s);
    QCOMPARE(&session.openEditor(), &editor);
    QCOMPARE(editor.slotText(1), u"編集中"_s);
    QCOMPARE(editor.slotText(2), session.paletteAtStart[2]);
}

void TestForm2::commit_data()
{
    QTest::addColumn<SlotTexts>("entries");
    QTest::addColumn<SlotTexts>("expected");

    SlotTexts example{{15, u"値17-値18"_s},      {19, u"値20値21値22値23"_s},
                      {24, u"値26-値27-値28"_s}, {36, u"値38/値39/値40"_s},
                      {41, u"値42@値43"_s},      {46, u"値47/値48"_s}};
    example.insert(kExampleNameDerived);
    QTest::newRow("worked example") << kExampleNameTyped << example;

    // With every entry empty, the derived slots keep only their separators
    // and every other slot is empty.
    SlotTexts noEntries;
    for (int slot : kEntrySlots)
        noEntries.insert(slot, QString());
    SlotTexts empty = kSeparatorsAlone;
    for (int slot = 0; slot < kSlotCount; ++slot)
        empty.insert(slot, empty.value(slot));
    QTest::newRow("every entry empty") << noEntries << empty;

    QTest::newRow("hidden boxes given text")
        << SlotTexts{{0, u"隠し"_s}, {9, u"ｶｸｼ"_s}, {41, u"x@y"_s}}
        << SlotTexts{{0, u"値1値2"_s}, {9, u"値10値11"_s}, {41, u"値42@値43"_s}};
    QTest::newRow("spaces kept") << SlotTexts{{13, u"TANAKA "_s}, {14, u" TARO"_s}}
                                 << SlotTexts{{12, u"TANAKA   TARO"_s}, {13, u"TANAKA "_s}};
    QTest::newRow("line break in site description")
        << SlotTexts{{54, u"一行目\n二行目"_s}} << SlotTexts{{54, u"一行目\n二行目"_s}};
    QTest::newRow("voiced kana composed")
        << SlotTexts{{11, u"ﾀﾞｲｽｹ"_s}} << SlotTexts{{8, u"ダイスケ"_s}, {5, u"だいすけ"_s}};
    const QString longValue(40000, QLatin1Char('x'));
    QTest::newRow("value past a line edit's default length")
        << SlotTexts{{44, longValue}} << SlotTexts{{44, longValue}};
    const QString unbroken(1'000'000, QLatin1Char('x'));
    QTest::newRow("megabyte without a break in a multi-line box")
        << SlotTexts{{54, unbroken}} << SlotTexts{{54, unbroken}};
}

void TestForm2::commit()
{
    QFETCH(SlotTexts, entries);
    QFETCH(SlotTexts, expected);

    Session session(1);
    Form2& editor = session.openEditor();
    for (auto entry = entries.cbegin(); entry != entries.cend(); ++entry)
        editor.setSlotText(entry.key(), entry.value());
    const QStringList typed = slotTexts(editor);

    click(editor, u"btn内容更新"_s);

    QCOMPARE(session.errors.count(), std::size_t(0));
    const profile::Record record = session.palette().record();
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

void TestForm2::failingSave_data()
{
    QTest::addColumn<bool>("readOnly"); // the directory; else the save refuses the entry
    QTest::addColumn<bool>("cleared");  // every group, before the entry is typed
    QTest::addColumn<int>("slot");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("named"); // the character the report names

    const QString refused = u"会社員😀"_s;
    QTest::newRow("read-only directory")
        << true << false << 1 << u"新しい"_s << ErrorNumber::permissionDenied << QString();
    QTest::newRow("character outside code page 932")
        << false << false << 1 << u"𠮷野"_s << ErrorNumber::invalidArgument << u"𠮷"_s;
    QTest::newRow("emoji in 職業")
        << false << false << 35 << refused << ErrorNumber::invalidArgument << u"😀"_s;
    QTest::newRow("emoji in 職業 after a clear")
        << false << true << 35 << refused << ErrorNumber::invalidArgument << u"😀"_s;
    // With the other values, a value as long as the largest file is more than
    // the file may hold, and more than the next start would read.
    QTest::newRow("record larger than the file may hold")
        << false << false << 44 << QString(profile::kMaxFileBytes, QLatin1Char('x'))
        << ErrorNumber::outOfMemory << QString();
}

// On a first run: a commit whose save fails changes neither the palette nor
// the file, and keeps the editor and the first-run state; the first commit
// that saves opens the browser, and later ones do not.
void TestForm2::failingSave()
{
    QFETCH(bool, readOnly);
    QFETCH(bool, cleared);
    QFETCH(int, slot);
    QFETCH(QString, entry);
    QFETCH(int, number);
    QFETCH(QString, named);

    Session session(0);
    const QByteArray directory = QFile::encodeName(session.dir.path());
    Form2& editor = session.openEditor();
    for (int group = 0; cleared && group < int(editor.Command1.size()); ++group)
        click(editor, QStringLiteral("Command1_%1").arg(group));
    editor.setSlotText(slot, entry);
    QCOMPARE(::chmod(directory.constData(), readOnly ? 0555 : 0777), 0);
    {
        OrdinaryUser user;
        click(editor, u"btn内容更新"_s);
    }

    QCOMPARE(session.errors.numbers(), QList<int>{number});
    QVERIFY(session.errors.reports().front().description().contains(named));
    // The palette never shows what the file does not hold: no value of the
    // refused record can be dragged out.
    QCOMPARE(slotTexts(session.palette()), session.paletteAtStart);
    QCOMPARE(session.dir.readProfile(), session.file);
    QCOMPARE(int(session.module.HasProfile), 0);
    QVERIFY(!session.windows.browser());
    QCOMPARE(session.windows.editor(), &editor);
    QVERIFY(editor.isVisible());
    QCOMPARE(editor.slotText(slot), entry);

    // Once the cause is gone, committing again succeeds.
    QCOMPARE(::chmod(directory.constData(), 0700), 0);
    editor.setSlotText(slot, u"吉野"_s);
    click(editor, u"btn内容更新"_s);
    QCOMPARE(session.dir.readProfile(), savedBytes(session.palette().record()));
    QCOMPARE(int(session.module.HasProfile), 1);
    QVERIFY(session.windows.browser());
    QCOMPARE(shownBrowsers().size(), 1);
    QTRY_VERIFY(!session.windows.editor());

    // The user closes the browser; the next commit does not bring it back.
    shownBrowsers().front()->close();
    QTRY_VERIFY(!session.windows.browser());
    click(session.openEditor(), u"btn内容更新"_s);
    QTRY_VERIFY(!session.windows.editor());
    QVERIFY(!session.windows.browser());
    QCOMPARE(int(session.module.HasProfile), 1);
    QCOMPARE(session.errors.count(), std::size_t(1));
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
    Form2& editor = session.openEditor();
    const auto captionTexts = [&editor] {
        QStringList texts;
        for (const QLineEdit* caption : editor.項目)
            texts << caption->text();
        return texts;
    };
    const QStringList captions = captionTexts();
    QStringList expected = kFilled;
    for (int slot = first; slot <= last; ++slot)
        expected[slot].clear();

    // A second click on an emptied group changes nothing more.
    for (int clicks = 0; clicks < 2; ++clicks) {
        click(editor, QStringLiteral("Command1_%1").arg(button));
        QCOMPARE(slotTexts(editor), expected);
    }
    QCOMPARE(control<QPushButton>(editor, QStringLiteral("Command1_%1").arg(button))->text(),
             u"クリア"_s);
    QCOMPARE(captionTexts(), captions);
    session.expectUntouched(&editor);
}

void TestForm2::cancel_data()
{
    QTest::addColumn<Ending>("ending");
    QTest::addColumn<int>("hasProfile");
    QTest::addColumn<bool>("browserOpen");
    QTest::addColumn<bool>("browserAfter");
    QTest::newRow("first run") << Ending::CancelButton << 0 << false << true;
    QTest::newRow("first run, browser open") << Ending::CancelButton << 0 << true << true;
    QTest::newRow("profile exists") << Ending::CancelButton << 1 << false << false;
    QTest::newRow("profile exists, browser open") << Ending::CancelButton << 1 << true << true;
    QTest::newRow("title bar, first run") << Ending::TitleBar << 0 << false << false;
    QTest::newRow("title bar, profile exists") << Ending::TitleBar << 1 << false << false;
}

void TestForm2::cancel()
{
    QFETCH(Ending, ending);
    QFETCH(int, hasProfile);
    QFETCH(bool, browserOpen);
    QFETCH(bool, browserAfter);

    Session session{qint16(hasProfile)};
    Form6* openBrowser = browserOpen ? &session.windows.showBrowser() : nullptr;
    Form2& editor = session.openEditor();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));
    click(editor, u"Command1_0"_s);
    editor.setSlotText(20, u"捨てる"_s);

    ShowWatch browserShows(u"Form6"_s);
    if (ending == Ending::CancelButton)
        click(editor, u"btnキャンセル"_s);
    else
        QVERIFY(editor.close());

    QVERIFY(!editor.isVisible());
    QTRY_VERIFY(!session.windows.editor());
    QCOMPARE(session.windows.browser() != nullptr, browserAfter);
    if (openBrowser)
        QCOMPARE(session.windows.browser(), openBrowser);
    QCOMPARE(shownBrowsers().size(), browserAfter ? 1 : 0);
    // The editor was gone before the browser was shown.
    QCOMPARE(browserShows.visibleAtShow.size(), browserAfter && !browserOpen ? 1 : 0);
    for (const QStringList& visible : browserShows.visibleAtShow)
        QVERIFY(!visible.contains(u"Form2"_s));

    // Opened again, the editor shows the palette, not what was discarded.
    Form2& reopened = session.openEditor();
    QCOMPARE(slotTexts(reopened), kFilled);
    QCOMPARE(control<QLabel>(reopened, u"Label1"_s)->text().isEmpty(), hasProfile != 0);
    session.expectUntouched(nullptr);
}

void TestForm2::tabOrder()
{
    const QStringList expected =
        u"Text1 Text2 Text10 Text11 Text14 Text13 Text50 Text56 Text55 Text54 Text53 Text52 "
        u"Text51 Text49 Text48 Text47 Text45 Text44 Text43 Text42 Text35 Text34 Text33 Text32 "
        u"Text31 Text28 Text27 Text26 Text23 Text22 Text21 Text20 Text18 Text17 Command1_0 "
        u"Command1_1 Command1_2 Command1_3 Command1_4 Command1_5 btn内容更新 Text40 Text39 "
        u"Text38 btnキャンセル Text1"_s.split(u' ');

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
    QTest::newRow("entry box") << u"Text1"_s << QString();
    QTest::newRow("multi-line box") << u"Text54"_s << u"\n\n"_s;
    QTest::newRow("clear button") << u"Command1_0"_s << QString();
    QTest::newRow("commit button") << u"btn内容更新"_s << QString();
    QTest::newRow("cancel button") << u"btnキャンセル"_s << QString();
}

void TestForm2::enterAndEscapeDoNothing()
{
    QFETCH(QString, focus);
    QFETCH(QString, typed);

    Session session(0);
    Form2& editor = session.openEditor();
    QVERIFY(QTest::qWaitForWindowActive(&editor));
    QWidget* target = control<QWidget>(editor, focus);
    target->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), target);
    QStringList expected = kFilled;
    if (focus.startsWith(u"Text"_s))
        expected[focus.mid(4).toInt()].prepend(typed); // the cursor is at the start after the load

    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
        QTest::keyClick(target, key);

    QCOMPARE(slotTexts(editor), expected);
    session.expectUntouched(&editor);
}

PETATTO_WIDGET_TEST_MAIN(TestForm2)

#include "tst_form2.moc"
