#include "WidgetTest.h"

#include "forms/Form1.h"
#include "forms/Form2.h"
#include "forms/Form3.h"
#include "forms/Form4.h"
#include "forms/Form6.h"
#include "forms/PaletteSlotBox.h"
#include "platform/Twips.h"

#include <QAbstractButton>
#include <QDir>
#include <QLineEdit>
#include <QPointer>
#include <QProcess>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include <cstdio>

using profile::kSlotCount;

namespace {

enum class Opened
{
    Nothing,
    Welcome,
    Browser
};

} // namespace

Q_DECLARE_METATYPE(Opened)

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void outcomes_data();
    void outcomes();
    void controlsLookAsIntended_data();
    void controlsLookAsIntended();
    void controlsHaveAccessibleNames();
    void closingThePaletteEndsTheProgram();
    void browserModule_data();
    void browserModule();
};

void TestStartup::outcomes_data()
{
    QTest::addColumn<QByteArray>("content"); // null: there is no file
    QTest::addColumn<QList<int>>("reports");
    QTest::addColumn<int>("slotsFilled");
    QTest::addColumn<Opened>("opened");

    const QList<int> none, pastEnd{ErrorNumber::inputPastEnd},
        typeMismatch{ErrorNumber::typeMismatch};
    QTest::newRow("missing file") << QByteArray() << QList<int>{ErrorNumber::fileNotFound} << 0
                                  << Opened::Nothing;
    QTest::newRow("empty file") << QByteArray("") << pastEnd << 0 << Opened::Nothing;
    QTest::newRow("1 line") << fileWithMarker(u"1"_s, 0) << pastEnd << 0 << Opened::Nothing;
    QTest::newRow("30 lines") << fileWithMarker(u"1"_s, 29) << pastEnd << 29 << Opened::Nothing;
    QTest::newRow("marker 0") << fileWithMarker(u"0"_s) << none << 57 << Opened::Welcome;
    QTest::newRow("marker 0.0") << fileWithMarker(u"0.0"_s) << none << 57 << Opened::Welcome;
    QTest::newRow("marker 1") << fileWithMarker(u"1"_s) << none << 57 << Opened::Browser;
    QTest::newRow("marker 2") << fileWithMarker(u"2"_s) << none << 57 << Opened::Browser;
    QTest::newRow("marker -1") << fileWithMarker(u"-1"_s) << none << 57 << Opened::Browser;
    QTest::newRow("empty marker") << fileWithMarker(QString()) << typeMismatch << 57
                                  << Opened::Nothing;
    QTest::newRow("word marker") << fileWithMarker(u"はい"_s) << typeMismatch << 57
                                 << Opened::Nothing;
    QTest::newRow("60 lines") << fileWithMarker(u"1"_s, 59) << none << 57 << Opened::Browser;
}

void TestStartup::outcomes()
{
    QFETCH(QByteArray, content);
    QFETCH(QList<int>, reports);
    QFETCH(int, slotsFilled);
    QFETCH(Opened, opened);

    ProgramSession session;
    if (!content.isNull())
        session.dir.writeProfile(content);
    ProgramWindows& windows = session.windows;
    Form1& palette = windows.palette();
    bool over = false;
    bool paletteOnScreen = false;
    windows.startUp([&] {
        over = true;
        paletteOnScreen = palette.windowHandle()->isExposed();
    });
    // The palette comes first; the rest of the sequence waits for its paint.
    QVERIFY(palette.isVisible());
    QVERIFY(!windows.welcome() && !windows.browser());
    QTRY_VERIFY_WITH_TIMEOUT(over, 60000);
    QVERIFY(paletteOnScreen);

    // The profile counts as there exactly when the browser opens for it.
    QCOMPARE(int(session.module.HasProfile), opened == Opened::Browser ? 1 : 0);
    QCOMPARE(windows.welcome() != nullptr, opened == Opened::Welcome);
    QCOMPARE(windows.browser() != nullptr, opened == Opened::Browser);
    // The palette stays at the top left and active; the browser opens beside
    // it, the welcome window in the middle of the screen.
    QTRY_COMPARE(QApplication::activeWindow(), &palette);
    QTRY_COMPARE(palette.frameGeometry().topLeft(), QPoint(0, 0));
    if (const QPointer<Form6> browser = windows.browser()) {
        QVERIFY(browser->isVisible());
        QTRY_COMPARE(browser->frameGeometry().topLeft(),
                     QPoint(palette.frameGeometry().right() + 1, 0));
        // Its button brings the browser back, never a second one.
        palette.Command2->click();
        QCOMPARE(windows.browser(), browser.data());
    }
    if (Form4* welcome = windows.welcome()) {
        QVERIFY(welcome->isVisible());
        QTRY_COMPARE(welcome->frameGeometry().center(),
                     welcome->screen()->availableGeometry().center());
    }
    QCOMPARE(palette.windowTitle(), u"Ver.0.1"_s);
    QVERIFY(palette.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(!palette.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!palette.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    QCOMPARE(palette.minimumSize(), palette.maximumSize());
    for (int slot = 0; slot < kSlotCount; ++slot)
        QCOMPARE(palette.slotText(slot),
                 slot < slotsFilled ? QStringLiteral("値%1").arg(slot) : kEmptySlotText);
    QCOMPARE(session.errors.numbers(), reports);
}

void TestStartup::controlsLookAsIntended_data()
{
    QTest::addColumn<int>("slot"); // -1: a button
    QTest::addColumn<QString>("text");
    QTest::addColumn<QRect>("place"); // twips
    QTest::addColumn<QColor>("background");
    QTest::addColumn<QColor>("ink");

    const QColor orange(255, 128, 0), blue(0, 0, 255), magenta(255, 0, 255), teal(0, 192, 192),
        green(0, 192, 0), pink(255, 192, 192), black(0, 0, 0), red(255, 0, 0), white(Qt::white);
    QTest::newRow("Command1") << -1 << u"内容変更"_s << QRect(0, 0, 855, 255)
                              << QColor(192, 255, 192) << black;
    QTest::newRow("Command2") << -1 << u"PT"_s << QRect(840, 0, 375, 255) << QColor(192, 255, 255)
                              << black;
    QTest::newRow("btnHelp") << -1 << u"ﾍﾙﾌﾟ"_s << QRect(1200, 0, 495, 255) << QColor(255, 255, 192)
                             << black;
    // The slot boxes' rows, top to bottom: the text colour, then the widths in
    // twips of the boxes of the next slots. Neighbours overlap by 15 twips,
    // rows are 240 apart.
    const std::pair<QColor, QList<int>> rows[] = {
        {orange, {1695}},         {orange, {855, 855}},    {orange, {1695}},
        {orange, {855, 855}},     {orange, {1695}},        {orange, {855, 855}},
        {orange, {1695}},         {orange, {855, 855}},    {orange, {1695}},
        {orange, {855, 855}},     {blue, {855, 855}},      {blue, {855, 855}},
        {magenta, {1695}},        {magenta, {855, 855}},   {magenta, {855, 855}},
        {teal, {855, 855}},       {teal, {495, 495, 735}}, {green, {855, 855}},
        {green, {495, 495, 735}}, {pink, {855, 855}},      {black, {855, 855}},
        {black, {735, 495, 495}}, {red, {1695}},           {red, {855, 855}},
        {blue, {855, 855}},       {magenta, {1695}},       {magenta, {855, 855}},
        {magenta, {855, 855}},    {teal, {1695}},          {teal, {1695}},
        {teal, {1695}},           {teal, {1695}},          {teal, {855, 855}},
    };
    int slot = 0;
    for (int row = 0; row < int(std::size(rows)); ++row) {
        int left = 0;
        for (const int width : rows[row].second) {
            QTest::addRow("Text%d", slot)
                << slot << kEmptySlotText << QRect(left, 240 * (row + 1), width, 270) << white
                << rows[row].first;
            left += width - 15;
            ++slot;
        }
    }
    QCOMPARE(slot, kSlotCount);
}

void TestStartup::controlsLookAsIntended()
{
    QFETCH(int, slot);
    QFETCH(QString, text);
    QFETCH(QRect, place);
    QFETCH(QColor, background);
    QFETCH(QColor, ink);

    ProgramSession session;
    Form1& palette = session.windows.palette();
    auto* control = palette.findChild<QWidget*>(QString::fromUtf8(QTest::currentDataTag()));
    QVERIFY(control);
    QCOMPARE(control->property("text").toString(), text);
    QCOMPARE(control->geometry(),
             platform::twips(place.x(), place.y(), place.width(), place.height()));
    const SeenColours seen = seenColours(*control);
    QCOMPARE(seen.background, background);
    QCOMPARE(seen.ink, ink);
    if (slot >= 0) {
        QCOMPARE(control, palette.Text[slot]);
        QVERIFY(palette.Text[slot]->isReadOnly());
        QCOMPARE(control->toolTip(), u"フォームのテキストボックスへDrag&Drop"_s);
    }
}

void TestStartup::controlsHaveAccessibleNames()
{
    ProgramSession session(1);
    ProgramWindows& windows = session.windows;
    Form1& palette = windows.palette();
    palette.show();
    Form2& editor = windows.showEditor();
    Form3& help = windows.showHelp();

    QCOMPARE(palette.Command1->accessibleName(), u"内容変更"_s);
    QCOMPARE(palette.Text[45]->accessibleName(), u"希望パスワード"_s);
    QCOMPARE(editor.findChild<QWidget*>(u"Text1"_s)->accessibleName(), u"姓（漢字）"_s);
    QCOMPARE(editor.findChild<QWidget*>(u"項目16"_s)->accessibleName(), u"氏　　名"_s);
    QCOMPARE(editor.findChild<QWidget*>(u"btn内容更新"_s)->accessibleName(), u"内　容　更　新"_s);
    for (QWidget* window : QWidgetList{&palette, &editor, &help}) {
        for (QWidget* control : window->findChildren<QWidget*>()) {
            const auto* box = qobject_cast<QLineEdit*>(control);
            // Blank caption boxes (a corner, a divider) have nothing to say.
            const bool blankCaption = box && box->isReadOnly() && box->text().isEmpty();
            if ((qobject_cast<QAbstractButton*>(control) || box) && !blankCaption)
                QVERIFY2(!control->accessibleName().isEmpty(), qPrintable(control->objectName()));
        }
    }
}

void TestStartup::closingThePaletteEndsTheProgram()
{
    Module1 module;
    ProgramWindows windows(module);
    windows.palette().show();
    windows.showHelp();
    QTimer::singleShot(0, &windows.palette(), [&windows] { windows.palette().close(); });
    // Should the palette not end the program, this fails the test instead of
    // hanging it.
    QTimer::singleShot(5000, qApp, [] { QCoreApplication::exit(1); });
    QCOMPARE(QApplication::exec(), 0);
}

void TestStartup::browserModule_data()
{
    QTest::addColumn<bool>("installed"); // in the folder when the program starts
    QTest::addColumn<bool>("replaced");  // by a broken file after start-up, as by an upgrade
    QTest::newRow("missing") << false << false;
    QTest::newRow("replaced after start-up") << true << true;
}

void TestStartup::browserModule()
{
    QFETCH(bool, installed);
    QFETCH(bool, replaced);
    const auto isModule = [](const QString& library) {
        return library.contains(QStringLiteral("petatto-browser"));
    };
    // This test runs again in a child process that loads the program's
    // libraries from a folder of its own, which it may then change.
    if (!qEnvironmentVariableIsSet("PETATTO_OWN_LIBRARIES")) {
        QTemporaryDir libraries;
        const QDir built(QStringLiteral(PETATTO_LIBRARY_DIR));
        for (const QString& library : built.entryList({QStringLiteral("*.so*")}, QDir::Files)) {
            if (installed || !isModule(library))
                QVERIFY(QFile::copy(built.filePath(library), libraries.filePath(library)));
        }
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("LD_LIBRARY_PATH"), libraries.path());
        environment.insert(QStringLiteral("PETATTO_OWN_LIBRARIES"), libraries.path());
        child.setProcessEnvironment(environment);
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.start(
            QCoreApplication::applicationFilePath(),
            {QStringLiteral("browserModule:") + QString::fromUtf8(QTest::currentDataTag())});
        QVERIFY(child.waitForFinished(60000));
        QVERIFY2(child.exitCode() == 0, child.readAll().constData());
        return;
    }
    ProgramSession session;
    session.dir.writeProfile(fileWithMarker(u"1"_s));
    if (replaced) {
        // As dpkg does: the new file is written beside the old one and
        // renamed over it.
        const QDir libraries(qEnvironmentVariable("PETATTO_OWN_LIBRARIES"));
        QStringList modules = libraries.entryList(QDir::Files);
        modules.removeIf([&](const QString& library) { return !isModule(library); });
        QCOMPARE(modules.size(), 1);
        QFile upgrade(libraries.filePath(QStringLiteral("upgrade.tmp")));
        QVERIFY(upgrade.open(QIODevice::WriteOnly));
        QVERIFY(upgrade.write("not a module of this program") > 0);
        upgrade.close();
        QVERIFY(std::rename(QFile::encodeName(upgrade.fileName()).constData(),
                            QFile::encodeName(libraries.filePath(modules.first())).constData()) ==
                0);
    }
    QVERIFY(startUpAndWait(session.windows));
    if (installed) {
        QCOMPARE(session.errors.numbers(), QList<int>{});
        QVERIFY(session.windows.browser());
        QCOMPARE(int(session.module.HasProfile), 1);
        return;
    }
    QCOMPARE(session.errors.numbers(), QList<int>{ErrorNumber::loadingModule});
    QVERIFY(!session.windows.browser());
    QVERIFY(!session.windows.welcome());
    QCOMPARE(int(session.module.HasProfile), 0);
    QTRY_COMPARE(QApplication::activeWindow(), &session.windows.palette());
    QCOMPARE(session.windows.palette().slotText(kSlotCount - 1), QStringLiteral("値56"));
}

PETATTO_WIDGET_TEST_MAIN(TestStartup)
#include "tst_startup.moc"
