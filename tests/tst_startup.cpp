#include "WidgetTest.h"

#include "forms/Form1.h"
#include "forms/Form2.h"
#include "forms/Form3.h"
#include "forms/Form4.h"
#include "forms/Form6.h"
#include "forms/PaletteSlotBox.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QWindow>

using profile::kSlotCount;

namespace {

const QString kPlaceholder = QString::fromUtf16(profile::kPlaceholder);

enum class Opened
{
    Nothing,
    Welcome,
    Browser
};

// Lines 2.. of a file: slot k holds "値k".
QByteArray fileWithMarker(const QString& marker, int slotLines = kSlotCount)
{
    return profileBytes(QStringList{marker} + numberedSlots(slotLines));
}

QWidget* secondWindow(const ProgramWindows& windows)
{
    if (windows.welcome())
        return windows.welcome();
    return windows.browser();
}

} // namespace

Q_DECLARE_METATYPE(Opened)

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void outcomes_data();
    void outcomes();
    void paletteLooksAsDesigned();
    void buttonsOpenTheirWindowsOnce();
    void controlsHaveAccessibleNames();
    void closingThePaletteEndsTheProgram();
};

void TestStartup::outcomes_data()
{
    QTest::addColumn<bool>("fileExists");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QList<int>>("reports");
    QTest::addColumn<int>("slotsFilled");
    QTest::addColumn<Opened>("opened");
    QTest::addColumn<int>("hasProfile");

    const QList<int> none, fileNotFound{ErrorNumber::fileNotFound},
        pastEnd{ErrorNumber::inputPastEnd}, typeMismatch{ErrorNumber::typeMismatch};
    QTest::newRow("missing file") << false << QByteArray() << fileNotFound << 0 << Opened::Nothing
                                  << 0;
    QTest::newRow("empty file") << true << QByteArray() << pastEnd << 0 << Opened::Nothing << 0;
    QTest::newRow("1 line") << true << fileWithMarker(u"1"_qs, 0) << pastEnd << 0 << Opened::Nothing
                            << 0;
    QTest::newRow("30 lines") << true << fileWithMarker(u"1"_qs, 29) << pastEnd << 29
                              << Opened::Nothing << 0;
    QTest::newRow("marker 0") << true << fileWithMarker(u"0"_qs) << none << 57 << Opened::Welcome
                              << 0;
    QTest::newRow("marker 0.0") << true << fileWithMarker(u"0.0"_qs) << none << 57
                                << Opened::Welcome << 0;
    QTest::newRow("marker 1") << true << fileWithMarker(u"1"_qs) << none << 57 << Opened::Browser
                              << 1;
    QTest::newRow("marker 2") << true << fileWithMarker(u"2"_qs) << none << 57 << Opened::Browser
                              << 1;
    QTest::newRow("marker -1") << true << fileWithMarker(u"-1"_qs) << none << 57 << Opened::Browser
                               << 1;
    QTest::newRow("empty marker") << true << fileWithMarker(QString()) << typeMismatch << 57
                                  << Opened::Nothing << 0;
    QTest::newRow("word marker") << true << fileWithMarker(u"はい"_qs) << typeMismatch << 57
                                 << Opened::Nothing << 0;
    QTest::newRow("60 lines") << true << fileWithMarker(u"1"_qs, 59) << none << 57
                              << Opened::Browser << 1;
}

void TestStartup::outcomes()
{
    QFETCH(bool, fileExists);
    QFETCH(QByteArray, content);
    QFETCH(QList<int>, reports);
    QFETCH(int, slotsFilled);
    QFETCH(Opened, opened);
    QFETCH(int, hasProfile);

    ProgramSession session;
    if (fileExists)
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
    QVERIFY(!secondWindow(windows));
    QTRY_VERIFY_WITH_TIMEOUT(over, 60000);
    QVERIFY(paletteOnScreen);

    QCOMPARE(session.errors.numbers(), reports);
    QCOMPARE(int(session.module.HasProfile), hasProfile);
    QCOMPARE(windows.welcome() != nullptr, opened == Opened::Welcome);
    QCOMPARE(windows.browser() != nullptr, opened == Opened::Browser);
    if (QWidget* second = secondWindow(windows))
        QVERIFY(second->isVisible());
    // The palette stays at the top left and active; the browser opens beside
    // it, the welcome window in the middle of the screen.
    QTRY_COMPARE(QApplication::activeWindow(), &palette);
    QTRY_COMPARE(palette.frameGeometry().topLeft(), QPoint(0, 0));
    if (Form6* browser = windows.browser())
        QTRY_COMPARE(browser->frameGeometry().topLeft(),
                     QPoint(palette.frameGeometry().right() + 1, 0));
    if (Form4* welcome = windows.welcome())
        QTRY_COMPARE(welcome->frameGeometry().center(),
                     welcome->screen()->availableGeometry().center());
    QCOMPARE(palette.windowTitle(), u"Ver.0.1"_qs);
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const QString expected =
            slot < slotsFilled ? QStringLiteral("値%1").arg(slot) : kPlaceholder;
        QCOMPARE(palette.slotText(slot), expected);
    }
}

void TestStartup::paletteLooksAsDesigned()
{
    Module1 module;
    ProgramWindows windows(module);
    Form1& palette = windows.palette();

    struct Box
    {
        int slot;
        QRect pixels;
        QColor text;
    };
    // A few boxes straight from the layout in pixels: a full row, both halves,
    // a wide and a narrow third, and the last row.
    const Box boxes[] = {
        {0, {0, 16, 113, 18}, QColor(255, 128, 0)},   {2, {56, 32, 57, 18}, QColor(255, 128, 0)},
        {28, {64, 272, 49, 18}, QColor(0, 192, 192)}, {38, {0, 352, 49, 18}, QColor(0, 0, 0)},
        {39, {48, 352, 33, 18}, QColor(0, 0, 0)},     {34, {0, 320, 57, 18}, QColor(255, 192, 192)},
        {56, {56, 528, 57, 18}, QColor(0, 192, 192)},
    };
    for (const Box& box : boxes) {
        PaletteSlotBox* text = palette.Text[box.slot];
        QCOMPARE(text->objectName(), QStringLiteral("Text%1").arg(box.slot));
        QCOMPARE(text->geometry(), box.pixels);
        QCOMPARE(text->palette().color(QPalette::Text), box.text);
        QCOMPARE(text->palette().color(QPalette::Base), QColor(Qt::white));
        QVERIFY(text->isReadOnly());
        QCOMPARE(text->text(), kPlaceholder);
        QCOMPARE(text->toolTip(), u"フォームのテキストボックスへDrag&Drop"_qs);
    }

    struct Button
    {
        QPushButton* button;
        QString caption;
        QRect pixels;
    };
    const Button buttons[] = {
        {palette.Command1, u"内容変更"_qs, {0, 0, 57, 17}},
        {palette.Command2, u"PT"_qs, {56, 0, 25, 17}},
        {palette.btnHelp, u"ﾍﾙﾌﾟ"_qs, {80, 0, 33, 17}},
    };
    for (const Button& button : buttons) {
        QCOMPARE(button.button->text(), button.caption);
        QCOMPARE(button.button->geometry(), button.pixels);
    }

    AppDirectory emptyDirectory;
    module.AppDirectory = emptyDirectory.path();
    ErrorRecorder errors;
    palette.Load();
    QCOMPARE(errors.numbers(), QList<int>{53});
    QVERIFY(palette.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(!palette.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!palette.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    QCOMPARE(palette.minimumSize(), palette.maximumSize());
}

void TestStartup::buttonsOpenTheirWindowsOnce()
{
    ProgramSession session;
    session.dir.writeProfile(fileWithMarker(u"1"_qs));
    ProgramWindows& windows = session.windows;
    QVERIFY(startUpAndWait(windows));
    Form6* browser = windows.browser();
    QVERIFY(browser);

    Form1& palette = windows.palette();
    palette.Command2->click();
    QCOMPARE(windows.browser(), browser);

    palette.btnHelp->click();
    Form3* help = windows.help();
    QVERIFY(help && help->isVisible());
    palette.btnHelp->click();
    QCOMPARE(windows.help(), help);

    help->close();
    QTRY_VERIFY(!windows.help());
    palette.btnHelp->click();
    QVERIFY(windows.help());
    QCOMPARE(session.errors.count(), 0u);
    QCOMPARE(int(session.module.HasProfile), 1);
}

void TestStartup::controlsHaveAccessibleNames()
{
    ProgramSession session(1);
    ProgramWindows& windows = session.windows;
    Form1& palette = windows.palette();
    palette.show();
    Form2& editor = windows.showEditor();
    Form3& help = windows.showHelp();

    QCOMPARE(palette.Command1->accessibleName(), u"内容変更"_qs);
    QCOMPARE(palette.Text[45]->accessibleName(), u"希望パスワード"_qs);
    QCOMPARE(editor.findChild<QWidget*>(u"Text1"_qs)->accessibleName(), u"姓（漢字）"_qs);
    QCOMPARE(editor.findChild<QWidget*>(u"項目16"_qs)->accessibleName(), u"氏　　名"_qs);
    QCOMPARE(editor.findChild<QWidget*>(u"btn内容更新"_qs)->accessibleName(), u"内　容　更　新"_qs);
    for (QWidget* window : {static_cast<QWidget*>(&palette), static_cast<QWidget*>(&editor),
                            static_cast<QWidget*>(&help)}) {
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

PETATTO_WIDGET_TEST_MAIN(TestStartup)
#include "tst_startup.moc"
