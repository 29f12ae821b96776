// A user's drag from end to end, on a real X server with a window manager:
// the program starts as it does for a user with a profile (palette and service
// browser with the start page), and xdotool moves the real pointer from a
// palette slot onto the practice form, or into another program's window. Qt's
// own drag loop and the receiver's drop handling both take part, as they do for
// the user.
#include "PageScript.h"
#include "WidgetTest.h"
#include "XDisplay.h"

#include "forms/Form1.h"
#include "forms/Form6.h"
#include "forms/PaletteSlotBox.h"
#include "platform/Browser.h"

#include <QStandardPaths>
#include <QTemporaryDir>

#include <memory>

namespace {

constexpr int kPageTimeout = 20000;

// Presses `button` at `from`, moves there from in small steps as a hand would,
// lingers so the target can answer, and releases.
bool dragWithRealMouse(const QPoint& from, const QPoint& to, int button)
{
    constexpr int kSteps = 16;
    QStringList args{QStringLiteral("mousemove"), QStringLiteral("--sync"),
                     QString::number(from.x()),   QString::number(from.y()),
                     QStringLiteral("sleep"),     QStringLiteral("0.2"),
                     QStringLiteral("mousedown"), QString::number(button)};
    for (int step = 1; step <= kSteps; ++step) {
        const QPoint at = from + (to - from) * step / kSteps;
        args << QStringLiteral("mousemove") << QString::number(at.x()) << QString::number(at.y())
             << QStringLiteral("sleep") << QStringLiteral("0.04");
    }
    args << QStringLiteral("sleep") << QStringLiteral("0.3") << QStringLiteral("mouseup")
         << QString::number(button);
    return xdotool(args);
}

// Where a drag ends.
enum class Receiver
{
    Page,     // a field of the service browser's practice form
    GtkEditor // gedit's text, a GTK program on X11 that reads what the drag offers
};

// gedit on an empty file of its own, its window out of the program's way.
// What a drop puts into its text is read back from the file it saves.
class GtkEditor
{
public:
    GtkEditor()
    {
        QFile file(path());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"GDK_BACKEND"_s, u"x11"_s);
        // No accessibility bus on the test's display: no wait for one.
        environment.insert(u"NO_AT_BRIDGE"_s, u"1"_s);
        // Its settings as shipped, kept in memory: no settings service to start.
        environment.insert(u"GSETTINGS_BACKEND"_s, u"memory"_s);
        m_process.setProcessEnvironment(environment);
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        // Its own process: not handed to a gedit the machine may run already.
        m_process.start(u"gedit"_s, {u"--standalone"_s, path()});
        QVERIFY(QTest::qWaitFor(
            [this] {
                m_window = xToolOutput(u"xdotool"_s, {u"search"_s, u"--onlyvisible"_s, u"--pid"_s,
                                                      QString::number(m_process.processId()),
                                                      u"--name"_s, u"^drop\\.txt"_s})
                               .trimmed()
                               .toULongLong();
                return m_window != 0;
            },
            kPageTimeout));
        QVERIFY(
            xdotool({u"windowsize"_s, u"--sync"_s, QString::number(m_window), u"600"_s, u"400"_s,
                     u"windowmove"_s, u"--sync"_s, QString::number(m_window), u"800"_s, u"400"_s}));
    }
    ~GtkEditor()
    {
        m_process.kill();
        m_process.waitForFinished();
    }

    // The middle of its window, inside the text.
    QPoint centre() const
    {
        const QByteArray shell = xToolOutput(
            u"xdotool"_s, {u"getwindowgeometry"_s, u"--shell"_s, QString::number(m_window)});
        QMap<QByteArray, int> geometry;
        for (const QByteArray& line : shell.split('\n')) {
            const qsizetype equals = line.indexOf('=');
            geometry.insert(line.left(equals), line.mid(equals + 1).toInt());
        }
        return {geometry.value("X") + geometry.value("WIDTH") / 2,
                geometry.value("Y") + geometry.value("HEIGHT") / 2};
    }

    // Saves the text the way the user would, and returns the file as saved.
    QByteArray saved()
    {
        if (!xdotool({u"windowactivate"_s, u"--sync"_s, QString::number(m_window), u"key"_s,
                      u"--clearmodifiers"_s, u"ctrl+s"_s}))
            return {};
        QFile file(path());
        (void)QTest::qWaitFor([&file] { return file.size() > 0; }, kPageTimeout);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private:
    QString path() const { return m_dir.filePath(u"drop.txt"_s); }

    QTemporaryDir m_dir;
    QProcess m_process;
    WId m_window = 0;
};

} // namespace

Q_DECLARE_METATYPE(Receiver)

class TestDragEndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void dropLandsInPageAndSourceKeepsText_data();
    void dropLandsInPageAndSourceKeepsText();
    void dropOnAnotherPaletteBoxChangesNothing();

private:
    QPoint slotCentre(int slot) const;
    // Drags from `from` onto the practice form's field `id` and awaits `text`
    // there and nothing in the other fields.
    void dragOntoField(const QPoint& from, const QString& id, int button, const QString& text);

    std::unique_ptr<ProgramSession> m_session;
    Form6* m_browser = nullptr;
};

void TestDragEndToEnd::initTestCase()
{
    QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty(),
             "xdotool is needed to move the real pointer");
    m_session = std::make_unique<ProgramSession>();
    m_session->dir.writeProfile(fileWithMarker(u"1"_s));
    QVERIFY(startUpAndWait(m_session->windows));

    m_browser = m_session->windows.browser();
    QVERIFY2(m_browser, "a profile exists, so the service browser opens at start-up");
    QVERIFY(QTest::qWaitForWindowExposed(&m_session->windows.palette()));
    QVERIFY(QTest::qWaitForWindowExposed(m_browser));
    QTRY_COMPARE_WITH_TIMEOUT(
        evaluate(*m_browser->brwWebBrowser, QStringLiteral("document.readyState")).toString(),
        QStringLiteral("complete"), kPageTimeout);
    QCOMPARE(m_browser->brwWebBrowser->url(), QUrl(QString::fromLatin1(Form6::kStartPage)));
    // Both windows sit where the window manager was asked to put them.
    QTRY_COMPARE(m_browser->frameGeometry().topLeft(),
                 m_session->windows.palette().frameGeometry().topRight() + QPoint(1, 0));
}

void TestDragEndToEnd::init()
{
    evaluate(*m_browser->brwWebBrowser,
             QStringLiteral("document.getElementById('practice').reset(); true;"));
}

void TestDragEndToEnd::cleanupTestCase()
{
    if (m_session)
        QCOMPARE(m_session->errors.numbers(), QList<int>());
    m_session.reset();
}

QPoint TestDragEndToEnd::slotCentre(int slot) const
{
    const PaletteSlotBox& box = *m_session->windows.palette().Text[slot];
    return box.mapToGlobal(box.rect().center());
}

void TestDragEndToEnd::dragOntoField(const QPoint& from, const QString& id, int button,
                                     const QString& text)
{
    platform::Browser& view = *m_browser->brwWebBrowser;
    QPoint target;
    QTRY_VERIFY(!(target = elementCentre(view, id)).isNull());
    QVERIFY(dragWithRealMouse(from, view.mapToGlobal(target), button));
    const auto fieldValues = [&view] {
        return evaluate(view, QStringLiteral("Object.fromEntries(new FormData("
                                             "document.getElementById('practice')))"))
            .toMap();
    };
    QTRY_COMPARE_WITH_TIMEOUT(fieldValues().value(id).toString(), text, kPageTimeout);
    const QVariantMap values = fieldValues();
    for (auto field = values.cbegin(); field != values.cend(); ++field)
        QCOMPARE(field.value().toString(), field.key() == id ? text : QString());
}

void TestDragEndToEnd::dropLandsInPageAndSourceKeepsText_data()
{
    QTest::addColumn<int>("slot");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("button"); // X button: 1 left, 2 middle, 3 right
    QTest::addColumn<Receiver>("receiver");
    QTest::addColumn<QString>("field"); // of the practice form
    QTest::newRow("e-mail, right button")
        << 42 << u"hanako.yamada@example.jp"_s << 3 << Receiver::Page << u"email"_s;
    QTest::newRow("postal code, middle button")
        << 16 << u"1000005"_s << 2 << Receiver::Page << u"postal-code"_s;
    QTest::newRow("kanji name, left button")
        << 0 << u"山田　花子"_s << 1 << Receiver::Page << u"name-kanji"_s;
    QTest::newRow("line break into a textarea")
        << 54 << u"一行目の説明\n二行目の説明"_s << 1 << Receiver::Page << u"description"_s;
    QTest::newRow("outside code page 932")
        << 28 << u"𠮷野家と🍣のサイト"_s << 1 << Receiver::Page << u"site-name"_s;
    QTest::newRow("placeholder of an unloaded slot")
        << 19 << kEmptySlotText << 1 << Receiver::Page << u"address"_s;
    QTest::newRow("kanji and half-width kana into a GTK editor")
        << 0 << u"山田　花子 ﾔﾏﾀﾞ ﾊﾅｺ"_s << 1 << Receiver::GtkEditor << QString();
}

void TestDragEndToEnd::dropLandsInPageAndSourceKeepsText()
{
    QFETCH(int, slot);
    QFETCH(QString, text);
    QFETCH(int, button);
    QFETCH(Receiver, receiver);
    QFETCH(QString, field);
    Form1& palette = m_session->windows.palette();
    palette.setSlotText(slot, text);

    if (receiver == Receiver::Page) {
        dragOntoField(slotCentre(slot), field, button, text);
    } else {
        GtkEditor editor;
        if (QTest::currentTestFailed())
            return;
        QVERIFY(dragWithRealMouse(slotCentre(slot), editor.centre(), button));
        // gedit ends the file it saves with a line break of its own.
        QCOMPARE(QString::fromUtf8(editor.saved()), text + u'\n');
    }
    QCOMPARE(palette.slotText(slot), text);
    // No menu may be left open to swallow the user's next click; the engine
    // would open one a moment after a right-button drop.
    QTest::qWait(500);
    QVERIFY(!QApplication::activePopupWidget());
}

void TestDragEndToEnd::dropOnAnotherPaletteBoxChangesNothing()
{
    constexpr int kSource = 1;
    constexpr int kTarget = 2;
    const QString sourceText = QStringLiteral("山田");
    const QString targetText = QStringLiteral("花子");
    Form1& palette = m_session->windows.palette();
    palette.setSlotText(kSource, sourceText);
    palette.setSlotText(kTarget, targetText);

    QVERIFY(dragWithRealMouse(slotCentre(kSource), slotCentre(kTarget), 1));

    // A second drag from the box dropped on shows the first one is over and
    // that the box still offers its own text.
    dragOntoField(slotCentre(kTarget), QStringLiteral("login-id"), 1, targetText);
    QCOMPARE(palette.slotText(kSource), sourceText);
    QCOMPARE(palette.slotText(kTarget), targetText);
    QCOMPARE(m_session->windows.browser(), m_browser);
}

PETATTO_WIDGET_TEST_MAIN(TestDragEndToEnd)

#include "tst_drag_e2e.moc"
