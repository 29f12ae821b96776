#include "WidgetTest.h"

#include "forms/Form1.h"
#include "forms/Form2.h"
#include "forms/Form3.h"
#include "forms/Form4.h"
#include "platform/Twips.h"
#include "tools/pictures/FormPicture.h"
#include "tools/pictures/PalettePicture.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>

namespace {

const QColor kLineColour(192, 192, 255);
const QColor kRed(255, 0, 0), kPaleRed(255, 128, 128);

enum class Guide
{
    Help,
    Welcome
};

QWidget& open(ProgramSession& session, Guide guide)
{
    if (guide == Guide::Help)
        return session.windows.showHelp();
    return session.windows.showWelcome();
}

QImage rgb(const QImage& image)
{
    return image.convertToFormat(QImage::Format_RGB32);
}

QImage resourceImage(const QString& path)
{
    return rgb(QImage(path));
}

} // namespace

Q_DECLARE_METATYPE(Guide)

class TestGuides : public QObject
{
    Q_OBJECT

private slots:
    void windows_data();
    void windows();
    void controls_data();
    void controls();
    void stacking_data();
    void stacking();
    void linesShowAtTheirEnds_data();
    void linesShowAtTheirEnds();
    void picturesShowWhereTheTablesSay_data();
    void picturesShowWhereTheTablesSay();
    void palettePictureShowsTheRealPalette();
    void formPictureHasItsNameBoxUnderTheLineEnd();
    void iconIsSmallAndShared();
    void welcomeGoes_data();
    void welcomeGoes();
    void welcomeIgnoresResizing_data();
    void welcomeIgnoresResizing();
    void helpOpensOnceAndCentresAgainAfterClosing();
};

void TestGuides::windows_data()
{
    QTest::addColumn<Guide>("guide");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QSize>("client");
    QTest::addColumn<bool>("sizable");

    QTest::newRow("welcome") << Guide::Welcome << QStringLiteral("はじめまして")
                             << platform::twipsSize(9315, 9705) << true;
    QTest::newRow("help") << Guide::Help << QStringLiteral("ヘルプ")
                          << platform::twipsSize(11265, 8595) << false;
}

void TestGuides::windows()
{
    QFETCH(Guide, guide);
    QFETCH(QString, caption);
    QFETCH(QSize, client);
    QFETCH(bool, sizable);

    ProgramSession session;
    QWidget& window = open(session, guide);
    QCOMPARE(window.windowTitle(), caption);
    QCOMPARE(window.size(), client);
    QCOMPARE(window.palette().color(QPalette::Window), QColor(Qt::white));
    const Qt::WindowFlags flags = window.windowFlags();
    QVERIFY(flags.testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    QCOMPARE(window.minimumSize() != window.maximumSize(), sizable);
    const QRect screen = window.screen()->availableGeometry();
    QVERIFY2((window.frameGeometry().center() - screen.center()).manhattanLength() <= 2,
             "not centred on the screen");
}

void TestGuides::controls_data()
{
    QTest::addColumn<Guide>("guide");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QColor>("colour"); // a label's text, a button's face
    QTest::addColumn<int>("points");    // 0: the window's default font

    QTest::newRow("welcome lbl説明(0)")
        << Guide::Welcome << u"lbl説明0"_qs << u"この度は『ペタッと名簿』を"_qs << kRed << 18;
    QTest::newRow("welcome lbl説明(1)")
        << Guide::Welcome << u"lbl説明1"_qs << u"インストールしていただき有難うございます。"_qs
        << kRed << 18;
    QTest::newRow("welcome Label1(0)")
        << Guide::Welcome << u"Label10"_qs << u"マウスをクリックしながら"_qs << kRed << 0;
    QTest::newRow("welcome Label1(1)")
        << Guide::Welcome << u"Label11"_qs << u"マウスを離す"_qs << kPaleRed << 0;
    QTest::newRow("welcome Label1(3)")
        << Guide::Welcome << u"Label13"_qs
        << u"ドラック＆ドロップで  簡単に申込みフォームに貼り付けできます"_qs << kRed << 18;
    QTest::newRow("help Label1(2)")
        << Guide::Help << u"Label12"_qs
        << u"ドラック＆ドロップで簡単に申込みフォームに貼り付けできます"_qs << kRed << 18;
    QTest::newRow("help Label1(0)")
        << Guide::Help << u"Label10"_qs << u"マウスをクリックしながら"_qs << kRed << 0;
    QTest::newRow("help Label1(1)")
        << Guide::Help << u"Label11"_qs << u"マウスを離す"_qs << kPaleRed << 0;
    QTest::newRow("welcome btn登録")
        << Guide::Welcome << u"btn登録"_qs
        << u"あなたの住所や氏名などを登録します。ここを「クリック」して下さい。"_qs
        << QColor(128, 255, 128) << 12;
    QTest::newRow("help Command1")
        << Guide::Help << u"Command1"_qs << u"閉じる"_qs << QColor(192, 255, 255) << 0;
}

void TestGuides::controls()
{
    QFETCH(Guide, guide);
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(QColor, colour);
    QFETCH(int, points);

    ProgramSession session;
    QWidget& window = open(session, guide);
    auto* control = window.findChild<QWidget*>(name);
    QVERIFY(control);
    QCOMPARE(control->property("text").toString(), text);
    const SeenColours seen = seenColours(*control);
    auto* label = qobject_cast<QLabel*>(control);
    if (label) {
        // Opaque white, left-aligned, wrapping within its width.
        QVERIFY(label->autoFillBackground());
        QCOMPARE(seen.background, QColor(Qt::white));
        QCOMPARE(seen.ink, colour);
        QVERIFY(label->alignment().testFlag(Qt::AlignLeft));
        QVERIFY(label->wordWrap());
    } else {
        QCOMPARE(seen.background, colour);
    }
    // The font that stands in for the Windows one may step a caption down a
    // little to fit it, never up.
    const double intendedPoints = points == 0 ? window.font().pointSizeF() : points;
    QCOMPARE(control->font().family(), QString::fromUtf16(platform::kJapaneseGothic));
    QVERIFY2(control->font().pointSizeF() <= intendedPoints &&
                 control->font().pointSizeF() >= intendedPoints - 2,
             qPrintable(QString::number(control->font().pointSizeF())));
    // Only the button's caption is bold.
    QCOMPARE(control->font().bold(), points != 0 && label == nullptr);
    // The font actually used draws every character: no empty boxes.
    const QFontMetrics metrics(control->font());
    for (const QChar character : text)
        QVERIFY2(metrics.inFont(character), qPrintable(QString(character)));
}

void TestGuides::stacking_data()
{
    QTest::addColumn<Guide>("guide");
    QTest::addColumn<QPoint>("point"); // pixels of the client area
    QTest::addColumn<QString>("top");

    // Where two controls overlap, the one the user sees and clicks.
    QTest::newRow("welcome button over the palette picture")
        << Guide::Welcome << QPoint(20, 600) << QStringLiteral("btn登録");
    QTest::newRow("welcome caption over the form picture")
        << Guide::Welcome << QPoint(400, 300) << QStringLiteral("Label13");
    QTest::newRow("welcome greeting over the form picture")
        << Guide::Welcome << QPoint(300, 56) << QStringLiteral("lbl説明1");
    QTest::newRow("welcome 'release' over the form picture")
        << Guide::Welcome << QPoint(380, 220) << QStringLiteral("Label11");
    QTest::newRow("welcome line does not take the mouse")
        << Guide::Welcome << QPoint(104, 112) << QStringLiteral("Image1");
    QTest::newRow("help 'release' over the form picture")
        << Guide::Help << QPoint(510, 200) << QStringLiteral("Label11");
    QTest::newRow("help slogan over the form picture")
        << Guide::Help << QPoint(400, 32) << QStringLiteral("Label12");
}

void TestGuides::stacking()
{
    QFETCH(Guide, guide);
    QFETCH(QPoint, point);
    QFETCH(QString, top);

    ProgramSession session;
    QWidget* child = open(session, guide).childAt(point);
    QVERIFY(child);
    QCOMPARE(child->objectName(), top);
}

void TestGuides::linesShowAtTheirEnds_data()
{
    QTest::addColumn<Guide>("guide");
    QTest::addRow("welcome") << Guide::Welcome;
    QTest::addRow("help") << Guide::Help;
}

void TestGuides::linesShowAtTheirEnds()
{
    QFETCH(Guide, guide);

    ProgramSession session;
    QWidget& window = open(session, guide);
    const auto* lines = window.findChild<guide::Lines*>(QStringLiteral("Line1"));
    const auto* palette = window.findChild<QLabel*>(QStringLiteral("Image1"));
    const auto* form = window.findChild<QLabel*>(QStringLiteral("Image2"));
    QVERIFY(lines && palette && form);
    QCOMPARE(lines->indexes(), QList<int>({0, 1, 2}));
    const QImage grab = window.grab().toImage();
    QCOMPARE(grab.size(), window.size());
    for (const int index : lines->indexes()) {
        const QLine line = lines->line(index);
        for (const QPoint end : {line.p1(), line.p2(), line.center()}) {
            QVERIFY2(QColor(grab.pixel(end)) == kLineColour,
                     qPrintable(
                         QStringLiteral("line %1 at %2,%3").arg(index).arg(end.x()).arg(end.y())));
        }
    }
    // The drag starts on the palette picture's full-name slot and ends on the
    // top edge of the form picture's name box; the mark ends there too.
    QCOMPARE(lines->line(0).p1() - palette->pos(), pictures::kFullNameSlotPoint);
    QCOMPARE(lines->line(0).p2() - form->pos(), pictures::kNameBoxTop);
    QCOMPARE(lines->line(2).p2(), lines->line(0).p2());
    QCOMPARE(lines->line(1).p2(), lines->line(2).p1());
}

void TestGuides::picturesShowWhereTheTablesSay_data()
{
    QTest::addColumn<Guide>("guide");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("patch"); // pixels of the picture, left uncovered
    QTest::addColumn<QString>("resource");

    const QString palette = QStringLiteral(":/guide/palette.png");
    const QString form = QStringLiteral(":/guide/form.png");
    QTest::newRow("welcome palette, top left")
        << Guide::Welcome << QStringLiteral("Image1") << QRect(0, 0, 24, 24) << palette;
    QTest::newRow("welcome form, bottom right")
        << Guide::Welcome << QStringLiteral("Image2") << QRect(363, 460, 24, 24) << form;
    QTest::newRow("help balloon, all but the column under the palette")
        << Guide::Help << QStringLiteral("Image3") << QRect(0, 0, 120, 116)
        << QStringLiteral(":/guide/balloon.png");
    QTest::newRow("help palette, below the slogan")
        << Guide::Help << QStringLiteral("Image1") << QRect(0, 4, 24, 20) << palette;
    QTest::newRow("help form, bottom right")
        << Guide::Help << QStringLiteral("Image2") << QRect(363, 460, 24, 24) << form;
}

void TestGuides::picturesShowWhereTheTablesSay()
{
    QFETCH(Guide, guide);
    QFETCH(QString, name);
    QFETCH(QRect, patch);
    QFETCH(QString, resource);

    ProgramSession session;
    QWidget& window = open(session, guide);
    const auto* picture = window.findChild<QLabel*>(name);
    QVERIFY(picture);
    const QImage shown = rgb(window.grab().toImage()).copy(patch.translated(picture->pos()));
    QCOMPARE(shown, resourceImage(resource).copy(patch));
}

void TestGuides::palettePictureShowsTheRealPalette()
{
    // The picture is the palette as the program draws it today, with the
    // full-name slot under the start of the guide lines.
    const pictures::PalettePicture fresh = pictures::renderPalette();
    QVERIFY(fresh.fullNameSlot.contains(pictures::kFullNameSlotPoint));
    QCOMPARE(rgb(fresh.image), resourceImage(QStringLiteral(":/guide/palette.png")));
}

void TestGuides::formPictureHasItsNameBoxUnderTheLineEnd()
{
    const QImage form = resourceImage(QStringLiteral(":/guide/form.png"));
    QVERIFY(pictures::horizontalEdgeAt(form, pictures::kNameBoxTop));
    // The edge is the box's top: the box's inside lies below it.
    QVERIFY(!pictures::horizontalEdgeAt(form, pictures::kNameBoxTop + QPoint(0, 2)));
}

void TestGuides::iconIsSmallAndShared()
{
    const QImage icon(QStringLiteral(":/icon.png"));
    QCOMPARE(icon.size(), QSize(32, 32));
    QSet<QRgb> opaque;
    for (int y = 0; y < icon.height(); ++y) {
        for (int x = 0; x < icon.width(); ++x) {
            const QRgb pixel = icon.pixel(x, y);
            if (qAlpha(pixel) != 0)
                opaque.insert(pixel);
        }
    }
    QVERIFY2(opaque.size() <= 16, qPrintable(QString::number(opaque.size())));
    QVERIFY2(opaque.size() >= 4, "the icon is a flat placeholder");

    ProgramSession session;
    const QImage expected = rgb(icon);
    for (QWidget* window : QWidgetList{&session.windows.showHelp(), &session.windows.showWelcome(),
                                       &session.windows.palette()})
        QCOMPARE(rgb(window->windowIcon().pixmap(32).toImage()), expected);
}

void TestGuides::welcomeGoes_data()
{
    QTest::addColumn<bool>("registers"); // else the close box
    QTest::newRow("register opens the editor") << true;
    QTest::newRow("close box opens nothing") << false;
}

void TestGuides::welcomeGoes()
{
    QFETCH(bool, registers);

    ProgramSession session;
    QPointer<Form4> welcome = &session.windows.showWelcome();
    ShowWatch editorShows(QStringLiteral("Form2"));
    if (registers)
        QTest::mouseClick(welcome->btn登録, Qt::LeftButton);
    else
        QVERIFY(welcome->close());
    QTRY_VERIFY(welcome.isNull());
    QVERIFY(!session.windows.welcome());
    const Form2* editor = session.windows.editor();
    QCOMPARE(editor && editor->isVisible(), registers);
    // The welcome window goes only once the editor is there: were the editor
    // to fail, the user would still have the welcome window.
    QCOMPARE(editorShows.visibleAtShow.size(), registers ? 1 : 0);
    if (registers)
        QVERIFY(editorShows.visibleAtShow.front().contains(QStringLiteral("Form4")));
    QVERIFY(!session.windows.help());
    QVERIFY(!session.windows.browser());
    QCOMPARE(session.errors.count(), std::size_t(0));
}

void TestGuides::welcomeIgnoresResizing_data()
{
    QTest::addColumn<QSize>("size");
    QTest::newRow("larger") << QSize(900, 760);
    QTest::newRow("smaller") << QSize(300, 200);
}

void TestGuides::welcomeIgnoresResizing()
{
    QFETCH(QSize, size);

    ProgramSession session;
    Form4& welcome = session.windows.showWelcome();
    QHash<QString, QRect> before;
    const auto children = welcome.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (const QWidget* child : children)
        before.insert(child->objectName(), child->geometry());
    welcome.resize(size);
    QTRY_COMPARE(welcome.size(), size);
    for (const QWidget* child : children)
        QCOMPARE(child->geometry(), before.value(child->objectName()));
}

void TestGuides::helpOpensOnceAndCentresAgainAfterClosing()
{
    ProgramSession session;
    QPushButton* help = session.windows.palette().btnHelp;
    help->click();
    QPointer<Form3> first = session.windows.help();
    QVERIFY(first);
    QVERIFY(first->isVisible());
    first->move(0, 0);
    help->click();
    QCOMPARE(session.windows.help(), first.data());
    QCOMPARE(first->pos(), QPoint(0, 0));

    QTest::mouseClick(first->Command1, Qt::LeftButton);
    QTRY_VERIFY(first.isNull());
    QVERIFY(!session.windows.help());

    help->click();
    Form3* second = session.windows.help();
    QVERIFY(second);
    const QRect screen = second->screen()->availableGeometry();
    QVERIFY((second->frameGeometry().center() - screen.center()).manhattanLength() <= 2);
    QCOMPARE(session.errors.count(), std::size_t(0));
}

PETATTO_WIDGET_TEST_MAIN(TestGuides)

#include "tst_guides.moc"
