// The editor as a user meets it, on a real X server with a window manager:
// a first run, the palette's "内容変更", a clear button, typing (kanji
// included) through the X keyboard, and the commit. Pointer and keyboard come
// from xdotool, so they travel the same way as a user's.

#include "WidgetTest.h"
#include "XDisplay.h"

#include "forms/Form1.h"
#include "forms/Form2.h"
#include "forms/Form4.h"

#include <QLabel>
#include <QPushButton>

namespace {

// Types `text` into an editor box one character at a time, awaiting each.
// Workaround: xdotool types a character missing from the keymap by binding
// it to a spare key for a moment; when the program reads the key after the
// binding was undone, the character is lost or another one arrives. Such a
// character is taken back and typed again.
bool typeInto(Form2& editor, int slot, const QString& text)
{
    for (const char32_t codePoint : text.toUcs4()) {
        const QString before = editor.slotText(slot);
        const QString expected = before + QString::fromUcs4(&codePoint, 1);
        bool typed = false;
        for (int attempt = 0; attempt < 3 && !typed; ++attempt) {
            if (!xdotool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("100"),
                          expected.sliced(before.size())}))
                return false;
            typed = QTest::qWaitFor([&] { return editor.slotText(slot) == expected; }, 2000);
            while (!typed && editor.slotText(slot).size() > before.size()) {
                if (!xdotool({QStringLiteral("key"), QStringLiteral("BackSpace")}))
                    return false;
                const qsizetype length = editor.slotText(slot).size();
                if (!QTest::qWaitFor([&] { return editor.slotText(slot).size() < length; }, 2000))
                    return false;
            }
        }
        if (!typed)
            return false;
    }
    return true;
}

} // namespace

class TestEditorEndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void firstProfile();
};

void TestEditorEndToEnd::firstProfile()
{
    // The rest of the first-run file's placeholders stay, joined where the
    // palette joins them.
    SlotTexts shown{{15, kEmptySlotText + u"-"_s + kEmptySlotText},
                    {20, kEmptySlotText},
                    {41, kEmptySlotText + u"@"_s + kEmptySlotText},
                    {56, kEmptySlotText}};
    shown.insert(kExampleNameTyped);
    shown.insert(kExampleNameDerived);

    // The program's start, on an application directory of its own that holds
    // the file a fresh installation ships.
    QFile firstRun(QStringLiteral(PETATTO_FIRST_RUN_FILE));
    QVERIFY(firstRun.open(QIODevice::ReadOnly) && firstRun.size() > 0);
    ProgramSession session;
    session.dir.writeProfile(firstRun.readAll());
    ProgramWindows& windows = session.windows;
    QVERIFY(startUpAndWait(windows));
    Form1& palette = windows.palette();
    QVERIFY(QTest::qWaitForWindowExposed(&palette));
    QCOMPARE(session.module.HasProfile, qint16(0));
    // A first run greets the user, who closes the welcome window before
    // turning to the palette.
    QVERIFY(windows.welcome());
    QVERIFY(QTest::qWaitForWindowExposed(windows.welcome()));
    windows.welcome()->close();

    QVERIFY(clickOn(*palette.Command1));
    QTRY_VERIFY(windows.editor() && windows.editor()->isVisible());
    Form2& editor = *windows.editor();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));
    QCOMPARE(editor.slotText(1), kEmptySlotText);
    QVERIFY(!editor.findChild<QLabel*>(QStringLiteral("Label1"))->text().isEmpty());

    QVERIFY(clickOn(*editor.findChild<QPushButton*>(QStringLiteral("Command1_0"))));
    QTRY_COMPARE(editor.slotText(1), QString());
    QCOMPARE(editor.slotText(14), QString());
    QCOMPARE(editor.slotText(20), kEmptySlotText);

    for (auto entry = kExampleNameTyped.cbegin(); entry != kExampleNameTyped.cend(); ++entry) {
        QVERIFY(clickOn(*editor.Text[entry.key()]));
        QTRY_COMPARE(QApplication::focusWidget(), editor.Text[entry.key()]);
        QVERIFY(typeInto(editor, entry.key(), entry.value()));
        QTRY_COMPARE(editor.slotText(entry.key()), entry.value());
    }
    // A wave dash as Linux input methods type it, in 市町村 emptied by hand.
    QVERIFY(clickOn(*editor.Text[21]));
    QTRY_COMPARE(QApplication::focusWidget(), editor.Text[21]);
    QVERIFY(
        xdotool({QStringLiteral("key"), QStringLiteral("ctrl+a"), QStringLiteral("BackSpace")}));
    QTRY_COMPARE(editor.slotText(21), QString());
    QVERIFY(typeInto(editor, 21, u"\u301C"_s));

    QVERIFY(clickOn(*editor.findChild<QPushButton*>(QStringLiteral("btn内容更新"))));
    QTRY_VERIFY(!windows.editor());
    QVERIFY(windows.browser());
    QTRY_COMPARE(shownBrowsers().size(), 1);
    QCOMPARE(session.module.HasProfile, qint16(1));
    for (auto slot = shown.cbegin(); slot != shown.cend(); ++slot)
        QCOMPARE(palette.slotText(slot.key()), slot.value());

    const profile::Record record = palette.record();
    QCOMPARE(session.dir.readProfile(),
             profileBytes(QStringList{u"1"_s} + QStringList(record.begin(), record.end())));
    QCOMPARE(session.dir.readProfile().split('\n').value(22), QByteArray("\x81\x60\r"));
    QCOMPARE(session.errors.numbers(), QList<int>());
}

PETATTO_WIDGET_TEST_MAIN(TestEditorEndToEnd)

#include "tst_editor_e2e.moc"
