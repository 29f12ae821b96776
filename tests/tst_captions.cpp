// Every caption, label and button of every window shows its whole text, and
// every box a whole line, in the font the desktop actually resolves for the
// windows' Japanese Gothic: a metric that differs from the one the windows
// were laid out for shows up here as a clipped control, whatever is installed.

#include "WidgetTest.h"

#include "forms/Form1.h"
#include "forms/Form2.h"
#include "forms/Form3.h"
#include "forms/Form4.h"

#include "platform/TextFit.h"

namespace {

enum class Window
{
    Palette,
    Editor,
    EditorFirstRun,
    Help,
    Welcome
};

// What does not fit in one control; empty when all of it does.
QString misfit(const QWidget& control)
{
    const std::optional<platform::TextPlace> place = platform::textPlace(control);
    if (!place)
        return {};
    const QSize needed = platform::neededSize(control, *place);
    if (needed.width() <= place->room.width() && needed.height() <= place->room.height())
        return {};
    return QStringLiteral("%1 \"%2\" needs %3 x %4 px in %5 (%6 pt), has %7 x %8")
        .arg(control.objectName(), place->text)
        .arg(needed.width())
        .arg(needed.height())
        .arg(QFontInfo(control.font()).family())
        .arg(control.font().pointSizeF())
        .arg(place->room.width())
        .arg(place->room.height());
}

QWidget& open(ProgramWindows& windows, Window window)
{
    switch (window) {
    case Window::Palette:
        return windows.palette();
    case Window::Editor:
    case Window::EditorFirstRun:
        return windows.showEditor();
    case Window::Help:
        return windows.showHelp();
    case Window::Welcome:
        break;
    }
    return windows.showWelcome();
}

} // namespace

Q_DECLARE_METATYPE(Window)

class CaptionsTest : public QObject
{
    Q_OBJECT

private slots:
    void textsFit_data();
    void textsFit();
};

void CaptionsTest::textsFit_data()
{
    QTest::addColumn<Window>("window");
    QTest::newRow("palette") << Window::Palette;
    QTest::newRow("editor") << Window::Editor;
    QTest::newRow("editor on a first run") << Window::EditorFirstRun;
    QTest::newRow("help") << Window::Help;
    QTest::newRow("welcome") << Window::Welcome;
}

void CaptionsTest::textsFit()
{
    QFETCH(Window, window);

    ProgramSession session(window == Window::EditorFirstRun ? 0 : 1);
    QWidget& shown = open(session.windows, window);
    shown.show();
    QVERIFY(QTest::qWaitForWindowExposed(&shown));
    QStringList misfits;
    for (QWidget* control : shown.findChildren<QWidget*>()) {
        if (control->isVisibleTo(&shown))
            misfits << misfit(*control);
    }
    misfits.removeAll(QString());
    QVERIFY2(misfits.isEmpty(), qPrintable(misfits.join(QLatin1Char('\n'))));
}

PETATTO_WIDGET_TEST_MAIN(CaptionsTest)

#include "tst_captions.moc"
