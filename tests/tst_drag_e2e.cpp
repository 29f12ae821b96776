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

#include <QLibraryInfo>
#include <QScopeGuard>
#include <QScreen>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <memory>

namespace {

constexpr int kPageTimeout = 20000;

// xdotool's steps that press `button` at `from` and move to `to` in small
// steps as a hand would.
QStringList pressAndMove(const QPoint& from, const QPoint& to, int button)
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
    return args;
}

// Drags as a hand would, lingers so the target can answer, and releases.
bool dragWithRealMouse(const QPoint& from, const QPoint& to, int button)
{
    QStringList args = pressAndMove(from, to, button);
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

// The flat colour of the drop reader, which fills the Wayland screen.
constexpr QRgb kReaderColour = qRgb(255, 0, 255);

// The part of the X screen that something other than the drop reader covers;
// empty when the reader alone is there.
QRect coveredArea()
{
    const QImage screen = QGuiApplication::primaryScreen()->grabWindow(0).toImage().convertToFormat(
        QImage::Format_RGB32);
    int left = screen.width();
    int top = screen.height();
    int right = -1;
    int bottom = -1;
    for (int y = 0; y < screen.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(screen.constScanLine(y));
        for (int x = 0; x < screen.width(); ++x) {
            if (qRgb(qRed(line[x]), qGreen(line[x]), qBlue(line[x])) != kReaderColour) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

// A Wayland compositor filling the X screen: xdotool's pointer is its pointer,
// which its clients take for a user's hand. A compositor without a screen has
// no pointer that anything outside it could move.
class NestedWayland
{
public:
    static constexpr char kSocket[] = "wayland-petatto";

    void start()
    {
        QVERIFY2(m_runtime.isValid(), "no runtime folder for the compositor");
        QFile settings(m_runtime.filePath(u"weston.ini"_s));
        QVERIFY(settings.open(QIODevice::WriteOnly));
        // No panel: the drop reader is then all there is besides the program.
        settings.write("[shell]\npanel-position=none\n");
        settings.close();
        m_compositor.setProcessEnvironment(environment());
        // Its log, which it would otherwise print at length, is shown only
        // when it fails.
        const QString log = m_runtime.filePath(u"weston.log"_s);
        // Its screen takes the X screen's size; only the window is made to
        // fill it.
        const QSize size = QGuiApplication::primaryScreen()->size();
        m_compositor.start(u"weston"_s,
                           {u"--backend=x11-backend.so"_s, u"--use-pixman"_s, u"--fullscreen"_s,
                            u"--width="_s + QString::number(size.width()),
                            u"--height="_s + QString::number(size.height()),
                            u"--socket="_s + QLatin1String(kSocket),
                            u"--config="_s + settings.fileName(), u"--log="_s + log});
        const QString socket = m_runtime.filePath(QLatin1String(kSocket));
        if (!QTest::qWaitFor([&] { return QFileInfo::exists(socket); }, 20000))
            QFAIL(qPrintable(u"The compositor did not start: "_s +
                             QString::fromUtf8(AppDirectory::read(log))));
    }

    // What a client of the compositor runs with, as a user who chose native
    // Wayland over XWayland.
    QProcessEnvironment environment() const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"XDG_RUNTIME_DIR"_s, m_runtime.path());
        environment.insert(u"WAYLAND_DISPLAY"_s, QLatin1String(kSocket));
        environment.insert(u"QT_QPA_PLATFORM"_s, u"wayland"_s);
        return environment;
    }

private:
    QTemporaryDir m_runtime;
    Run m_compositor;
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
    void dropUnderNativeWayland_data();
    void dropUnderNativeWayland();

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
    // The view's first, empty document is complete too: the start page's is
    // the one awaited.
    platform::Browser& view = *m_browser->brwWebBrowser;
    const QUrl startPage(QString::fromLatin1(Form6::kStartPage));
    QVERIFY(QTest::qWaitFor(
        [&] {
            return view.url() == startPage &&
                   evaluate(view, QStringLiteral("document.readyState")) == u"complete"_s;
        },
        kPageTimeout));
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

void TestDragEndToEnd::dropUnderNativeWayland_data()
{
    QTest::addColumn<int>("slot");
    QTest::addColumn<QString>("text");
    QTest::newRow("kanji name") << 0 << u"山田花子"_s;
    QTest::newRow("half-width kana") << 9 << u"ﾔﾏﾀﾞﾊﾅｺ"_s;
    QTest::newRow("Latin letters") << 42 << u"hanako.yamada@example.jp"_s;
}

void TestDragEndToEnd::dropUnderNativeWayland()
{
    QFETCH(int, slot);
    QFETCH(QString, text);
    if (QStandardPaths::findExecutable(u"weston"_s).isEmpty())
        QSKIP("weston is not installed");
    if (!QFileInfo::exists(QLibraryInfo::path(QLibraryInfo::PluginsPath) +
                           u"/platforms/libqwayland-generic.so"_s))
        QSKIP("Qt's Wayland platform is not installed");

    // The palette of this process, on X11, stands for the Wayland one's
    // layout: the same boxes in a window of the same outer size, which a
    // window without a frame fills with its inside. Hidden, it leaves the
    // screen to the compositor.
    Form1& layout = m_session->windows.palette();
    const QPoint slotInPalette = layout.Text[slot]->geometry().center();
    const QSize paletteSize = layout.frameGeometry().size();
    layout.hide();
    m_browser->hide();
    const auto showAgain = qScopeGuard([&] {
        layout.show();
        m_browser->show();
    });

    NestedWayland wayland;
    wayland.start();
    if (QTest::currentTestFailed())
        return;
    Run reader;
    reader.setProcessEnvironment(wayland.environment());
    reader.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    reader.start(QStringLiteral(PETATTO_DROP_READER), QStringList());
    QVERIFY(xdotool({u"mousemove"_s, u"0"_s, u"0"_s}));
    QTRY_VERIFY_WITH_TIMEOUT(coveredArea().isNull(), kPageTimeout);

    InstalledCopy copy;
    QStringList values = numberedSlots(profile::kSlotCount);
    values[slot] = text;
    copy.dir.writeProfile(profileBytes(QStringList{u"1"_s} + values));
    QProcessEnvironment environment = wayland.environment();
    // The client draws no frame, so that its window on the screen is its
    // inside alone.
    environment.insert(u"QT_WAYLAND_DISABLE_WINDOWDECORATION"_s, u"1"_s);
    const auto program = copy.start(environment);
    // The compositor places the palette where it likes. It stays alone: the
    // service browser, opened, could have been put over its boxes.
    QRect palette;
    QTRY_COMPARE_WITH_TIMEOUT((palette = coveredArea()).size(), paletteSize, kPageTimeout);

    const QPoint from = palette.topLeft() + slotInPalette;
    const QPoint onReader(palette.right() + 100 < QGuiApplication::primaryScreen()->size().width()
                              ? palette.right() + 100
                              : palette.left() - 100,
                          palette.center().y());
    QVERIFY(xdotool(pressAndMove(from, onReader, 1)));
    // A busy source may begin its drag only once the pointer is there: the
    // button stays down, and the pointer wavers as a hand's would, until the
    // drag has reached the reader.
    int nudge = 1;
    QVERIFY2(QTest::qWaitFor(
                 [&] {
                     return reader.canReadLine() ||
                            !xdotool({u"mousemove_relative"_s, u"--"_s,
                                      QString::number(nudge = -nudge), u"0"_s});
                 },
                 kPageTimeout),
             "the drag did not reach the reader");
    QCOMPARE(reader.readLine(), QByteArray("entered\n"));
    QVERIFY(xdotool({u"mouseup"_s, u"1"_s}));
    QTRY_VERIFY_WITH_TIMEOUT(reader.canReadLine(), kPageTimeout);
    QCOMPARE(QString::fromUtf8(reader.readLine()), u"dropped "_s + text + u'\n');
    // The pointer, drawn in the picture, goes where it hides nothing.
    QVERIFY(xdotool({u"mousemove"_s, QString::number(palette.center().x()),
                     QString::number(palette.center().y())}));
    QTRY_COMPARE_WITH_TIMEOUT(coveredArea(), palette, kPageTimeout);
}

PETATTO_WIDGET_TEST_MAIN(TestDragEndToEnd)

#include "tst_drag_e2e.moc"
