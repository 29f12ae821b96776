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

#include <QLineEdit>

namespace {

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

// A caption box that cannot show its whole text scrolls it to keep the
// cursor's end of it in view: drawn with the cursor at either end, a caption
// that fits looks the same. This is what the box really draws, measured apart
// from the room the fitting reckons with.
QString scrolledCaption(QLineEdit& caption)
{
    caption.setCursorPosition(0);
    const QImage start = caption.grab().toImage();
    caption.setCursorPosition(int(caption.text().size()));
    const QImage end = caption.grab().toImage();
    caption.setCursorPosition(0);
    if (start == end)
        return {};
    return QStringLiteral("%1 \"%2\" scrolls in %3 x %4 px (%5 pt)")
        .arg(caption.objectName(), caption.text())
        .arg(caption.width())
        .arg(caption.height())
        .arg(caption.font().pointSizeF());
}

} // namespace

class CaptionsTest : public QObject
{
    Q_OBJECT

private slots:
    void textsFit_data();
    void textsFit();
};

void CaptionsTest::textsFit_data()
{
    QTest::addColumn<qint16>("hasProfile");
    QTest::addColumn<Open>("open");
    QTest::newRow("palette") << qint16(1) << Open(&ProgramWindows::palette);
    QTest::newRow("editor") << qint16(1) << Open(&ProgramWindows::showEditor);
    QTest::newRow("editor on a first run") << qint16(0) << Open(&ProgramWindows::showEditor);
    QTest::newRow("help") << qint16(1) << Open(&ProgramWindows::showHelp);
    QTest::newRow("welcome") << qint16(1) << Open([](ProgramWindows& windows) -> QWidget& {
        return windows.showWelcome();
    });
}

void CaptionsTest::textsFit()
{
    QFETCH(qint16, hasProfile);
    QFETCH(Open, open);

    ProgramSession session(hasProfile);
    QWidget& shown = open(session.windows);
    shown.show();
    QVERIFY(QTest::qWaitForWindowExposed(&shown));
    QStringList misfits;
    for (QWidget* control : shown.findChildren<QWidget*>()) {
        if (!control->isVisibleTo(&shown))
            continue;
        misfits << misfit(*control);
        if (auto* caption = qobject_cast<QLineEdit*>(control);
            caption && caption->isReadOnly() && caption->focusPolicy() == Qt::NoFocus)
            misfits << scrolledCaption(*caption);
    }
    misfits.removeAll(QString());
    QVERIFY2(misfits.isEmpty(), qPrintable(misfits.join(QLatin1Char('\n'))));
}

PETATTO_WIDGET_TEST_MAIN(CaptionsTest)

#include "tst_captions.moc"
