#include "WidgetTest.h"

#include "forms/Form1.h"
#include "forms/Form2.h"
#include "forms/Form3.h"
#include "forms/Form4.h"
#include "platform/Twips.h"
#include "tools/pictures/FormPicture.h"
#include "tools/pictures/GuidePictures.h"
#include "tools/pictures/PalettePicture.h"
#include "tools/pictures/WindowFrame.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>

namespace {

const QColor kLineColour(192, 192, 255);
const QColor kRed(255, 0, 0), kPaleRed(255, 128, 128);

const Open kHelp = &ProgramWindows::showHelp;
const Open kWelcome = [](ProgramWindows& windows) -> QWidget& { return windows.showWelcome(); };

QImage rgb(const QImage& image)
{
    return image.convertToFormat(QImage::Format_RGB32);
}

} // namespace

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
    void picturesHoldTheLineEnds();
    void iconIsSmallAndShared();
    void welcomeGoes_data();
    void welcomeGoes();
    void helpOpensOnceAndCentresAgainAfterClosing();
};

void TestGuides::windows_data()
{
    QTest::addColumn<Open>("open");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QSize>("client");
    QTest::addColumn<bool>("sizable");

    QTest::newRow("welcome") << kWelcome << u"はじめまして"_s << platform::twipsSize(9315, 9705)
                             << true;
    QTest::newRow("help") << kHelp << u"ヘルプ"_s << platform::twipsSize(11265, 8595) << false;
}

void TestGuides::windows()
{
    QFETCH(Open, open);
    QFETCH(QString, caption);
    QFETCH(QSize, client);
    QFETCH(bool, sizable);

    ProgramSession session;
    QWidget& window = open(session.windows);
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

    // A sizable border that nothing follows: the controls keep their places.
    const auto places = [&window] {
        QList<QRect> places;
        for (const QWidget* child : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            places << child->geometry();
        return places;
    };
    const QList<QRect> before = places();
    for (const QSize size : {QSize(900, 760), QSize(300, 200)}) {
        window.resize(size);
        QTRY_COMPARE(window.size(), sizable ? size : client);
        QCOMPARE(places(), before);
    }
}

void TestGuides::controls_data()
{
    QTest::addColumn<Open>("open");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QColor>("colour"); // a label's text, a button's face
    QTest::addColumn<int>("points");    // 0: the window's default font

    QTest::newRow("welcome lbl説明(0)")
        << kWelcome << u"lbl説明0"_s << u"この度は『ペタッと名簿』を"_s << kRed << 18;
    QTest::newRow("welcome lbl説明(1)")
        << kWelcome << u"lbl説明1"_s << u"インストールしていただき有難うございます。"_s << kRed
        << 18;
    QTest::newRow("welcome Label1(0)")
        << kWelcome << u"Label10"_s << u"マウスをクリックしながら"_s << kRed << 0;
    QTest::newRow("welcome Label1(1)")
        << kWelcome << u"Label11"_s << u"マウスを離す"_s << kPaleRed << 0;
    QTest::newRow("welcome Label1(3)")
        << kWelcome << u"Label13"_s
        << u"ドラック＆ドロップで  簡単に申込みフォームに貼り付けできます"_s << kRed << 18;
    QTest::newRow("help Label1(2)")
        << kHelp << u"Label12"_s << u"ドラック＆ドロップで簡単に申込みフォームに貼り付けできます"_s
        << kRed << 18;
    QTest::newRow("help Label1(0)")
        << kHelp << u"Label10"_s << u"マウスをクリックしながら"_s << kRed << 0;
    QTest::newRow("help Label1(1)") << kHelp << u"Label11"_s << u"マウスを離す"_s << kPaleRed << 0;
    QTest::newRow("welcome btn登録")
        << kWelcome << u"btn登録"_s
        << u"あなたの住所や氏名などを登録します。ここを「クリック」して下さい。"_s
        << QColor(128, 255, 128) << 12;
    QTest::newRow("help Command1")
        << kHelp << u"Command1"_s << u"閉じる"_s << QColor(192, 255, 255) << 0;
}

void TestGuides::controls()
{
    QFETCH(Open, open);
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(QColor, colour);
    QFETCH(int, points);

    ProgramSession session;
    QWidget& window = open(session.windows);
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
    QTest::addColumn<Open>("open");
    QTest::addColumn<QPoint>("point"); // pixels of the client area
    QTest::addColumn<QString>("top");

    // Where two controls overlap, the one the user sees and clicks.
    QTest::newRow("welcome button over the palette picture")
        << kWelcome << QPoint(20, 600) << u"btn登録"_s;
    QTest::newRow("welcome caption over the form picture")
        << kWelcome << QPoint(400, 300) << u"Label13"_s;
    QTest::newRow("welcome greeting over the form picture")
        << kWelcome << QPoint(300, 56) << u"lbl説明1"_s;
    QTest::newRow("welcome 'release' over the form picture")
        << kWelcome << QPoint(380, 220) << u"Label11"_s;
    QTest::newRow("welcome line does not take the mouse")
        << kWelcome << QPoint(104, 112) << u"Image1"_s;
    QTest::newRow("help 'release' over the form picture")
        << kHelp << QPoint(510, 200) << u"Label11"_s;
    QTest::newRow("help slogan over the form picture") << kHelp << QPoint(400, 32) << u"Label12"_s;
}

void TestGuides::stacking()
{
    QFETCH(Open, open);
    QFETCH(QPoint, point);
    QFETCH(QString, top);

    ProgramSession session;
    QWidget* child = open(session.windows).childAt(point);
    QVERIFY(child);
    QCOMPARE(child->objectName(), top);
}

void TestGuides::linesShowAtTheirEnds_data()
{
    QTest::addColumn<Open>("open");
    QTest::addRow("welcome") << kWelcome;
    QTest::addRow("help") << kHelp;
}

void TestGuides::linesShowAtTheirEnds()
{
    QFETCH(Open, open);

    ProgramSession session;
    QWidget& window = open(session.windows);
    const auto* lines = window.findChild<guide::Lines*>(u"Line1"_s);
    const auto* palette = window.findChild<QLabel*>(u"Image1"_s);
    const auto* form = window.findChild<QLabel*>(u"Image2"_s);
    QVERIFY(lines && palette && form);
    QCOMPARE(lines->indexes(), QList<int>({0, 1, 2}));
    const QImage grab = window.grab().toImage();
    QCOMPARE(grab.size(), window.size());
    for (const int index : lines->indexes()) {
        const QLine line = lines->line(index);
        for (const QPoint end : {line.p1(), line.p2(), line.center()}) {
            QVERIFY2(QColor(grab.pixel(end)) == kLineColour,
                     qPrintable(u"line %1 at %2,%3"_s.arg(index).arg(end.x()).arg(end.y())));
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
    QTest::addColumn<Open>("open");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("patch"); // pixels of the picture, left uncovered
    QTest::addColumn<QString>("resource");

    const QString palette = u":/guide/palette.png"_s;
    const QString form = u":/guide/form.png"_s;
    QTest::newRow("welcome palette, title bar")
        << kWelcome << u"Image1"_s << QRect(0, 0, 120, 24) << palette;
    QTest::newRow("welcome form, bottom right")
        << kWelcome << u"Image2"_s << QRect(363, 460, 24, 24) << form;
    QTest::newRow("help balloon, all but the column under the palette")
        << kHelp << u"Image3"_s << QRect(0, 0, 120, 116) << u":/guide/balloon.png"_s;
    QTest::newRow("help palette, title bar below the slogan")
        << kHelp << u"Image1"_s << QRect(0, 4, 120, 20) << palette;
    QTest::newRow("help form, bottom right")
        << kHelp << u"Image2"_s << QRect(363, 460, 24, 24) << form;
}

void TestGuides::picturesShowWhereTheTablesSay()
{
    QFETCH(Open, open);
    QFETCH(QString, name);
    QFETCH(QRect, patch);
    QFETCH(QString, resource);

    ProgramSession session;
    QWidget& window = open(session.windows);
    const auto* picture = window.findChild<QLabel*>(name);
    QVERIFY(picture);
    const QImage shown = rgb(window.grab().toImage()).copy(patch.translated(picture->pos()));
    QCOMPARE(shown, rgb(QImage(resource)).copy(patch));
}

void TestGuides::picturesHoldTheLineEnds()
{
    // The palette picture is the palette as the program draws it today, with
    // the full-name slot under the start of the guide lines. Only the window's
    // inside is the program's: the frame's title is drawn by the picture tool,
    // and its glyph edges differ with the FreeType release it is made on.
    const pictures::PalettePicture fresh = pictures::renderPalette();
    QVERIFY(fresh.fullNameSlot.contains(pictures::kFullNameSlotPoint));
    const QImage committed = rgb(QImage(u":/guide/palette.png"_s));
    QCOMPARE(fresh.image.size(), committed.size());
    const QRect inside(pictures::kClientOffset, pictures::clientSize(committed.size()));
    QCOMPARE(rgb(fresh.image).copy(inside), committed.copy(inside));
    // The lines end on the top edge of the form picture's name box, with the
    // box's inside below it.
    const QImage form = rgb(QImage(u":/guide/form.png"_s));
    QVERIFY(pictures::horizontalEdgeAt(form, pictures::kNameBoxTop));
    QVERIFY(!pictures::horizontalEdgeAt(form, pictures::kNameBoxTop + QPoint(0, 2)));
}

void TestGuides::iconIsSmallAndShared()
{
    const QImage icon = QImage(u":/icon.png"_s).convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(icon.size(), QSize(32, 32));
    QSet<QRgb> opaque;
    for (const QRgb pixel : pixels(icon)) {
        if (qAlpha(pixel) != 0)
            opaque.insert(pixel);
    }
    QVERIFY2(opaque.size() <= 16, qPrintable(QString::number(opaque.size())));
    QVERIFY2(opaque.size() >= 4, "the icon is a flat placeholder");
    // The menus' icons are this one drawn again at their sizes.
    for (const int size : pictures::kMenuIconSizes) {
        const QImage menuIcon(QStringLiteral(PETATTO_RESOURCES "/icons/%1.png").arg(size));
        QCOMPARE(menuIcon.size(), QSize(size, size));
        QCOMPARE(rgb(menuIcon), rgb(pictures::renderIcon(size)));
    }

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
    ShowWatch editorShows(u"Form2"_s);
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
    QCOMPARE(editorShows.visibleAtShow,
             registers ? QList<QStringList>{{u"Form4"_s}} : QList<QStringList>{});
    QVERIFY(!session.windows.help());
    QVERIFY(!session.windows.browser());
    QCOMPARE(session.errors.count(), std::size_t(0));
}

void TestGuides::helpOpensOnceAndCentresAgainAfterClosing()
{
    ProgramSession session;
    QPushButton* help = session.windows.palette().btnHelp;
    help->click();
    QPointer<Form3> first = session.windows.help();
    QVERIFY(first && first->isVisible());
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
