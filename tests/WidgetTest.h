#pragma once

#include "TestSupport.h"

#include "app/Module1.h"
#include "forms/ProgramWindows.h"
#include "platform/Application.h"

#include <QApplication>
#include <QTest>

#include <algorithm>
#include <functional>
#include <memory>
#include <span>

// One run of the program on an application directory of its own, with error
// reports recorded instead of shown. The test opens the windows it needs.
struct ProgramSession
{
    explicit ProgramSession(qint16 hasProfile = 0) : module{hasProfile, dir.path()} {}

    AppDirectory dir;
    ErrorRecorder errors;
    Module1 module;
    ProgramWindows windows{module};
};

// Opens one of the program's windows, for tables of windows.
using Open = std::function<QWidget&(ProgramWindows&)>;
Q_DECLARE_METATYPE(Open)

// The pixels of a 32-bit image, row after row (its rows have no padding).
inline std::span<const QRgb> pixels(const QImage& image)
{
    return {reinterpret_cast<const QRgb*>(image.constBits()),
            std::size_t(image.width()) * std::size_t(image.height())};
}
// The span would outlive a temporary image.
std::span<const QRgb> pixels(const QImage&& image) = delete;

// The colours a user sees in a control, from a grab: the most common one just
// inside its top and bottom border is the background; the one that stands out
// most from it is the colour of the text, pure where the text covers whole
// pixels.
struct SeenColours
{
    QColor background;
    QColor ink;
};

inline SeenColours seenColours(QWidget& control)
{
    constexpr int kBorder = 2;
    const QImage grab = control.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage inside = grab.copy(grab.rect().adjusted(kBorder, kBorder, -kBorder, -kBorder));
    QHash<QRgb, int> edges;
    for (int x = 0; x < inside.width(); ++x) {
        ++edges[inside.pixel(x, 0)];
        ++edges[inside.pixel(x, inside.height() - 1)];
    }
    const QRgb background = std::max_element(edges.cbegin(), edges.cend()).key();
    const auto distance = [background](QRgb colour) {
        const int red = qRed(colour) - qRed(background),
                  green = qGreen(colour) - qGreen(background),
                  blue = qBlue(colour) - qBlue(background);
        return red * red + green * green + blue * blue;
    };
    return {QColor(background), QColor(*std::ranges::max_element(pixels(inside), {}, distance))};
}

// The service browser's windows that are on the screen.
inline QWidgetList shownBrowsers()
{
    QWidgetList shown = QApplication::topLevelWidgets();
    shown.removeIf([](const QWidget* window) {
        return window->objectName() != QStringLiteral("Form6") || !window->isVisible();
    });
    return shown;
}

// The order in which windows appear: each time the window of the given name is
// shown, the names of the other windows on the screen at that moment.
class ShowWatch : public QObject
{
public:
    explicit ShowWatch(const QString& window) : m_window(window) { qApp->installEventFilter(this); }
    ~ShowWatch() override { qApp->removeEventFilter(this); }

    QList<QStringList> visibleAtShow;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && watched->objectName() == m_window) {
            QStringList visible;
            for (const QWidget* window : QApplication::topLevelWidgets()) {
                if (window != watched && window->isVisible())
                    visible << window->objectName();
            }
            visibleAtShow << visible;
        }
        return false;
    }

private:
    QString m_window;
};

// Runs the program's start-up sequence and waits until it is over: its last
// step, the second window, follows the palette's first paint.
inline bool startUpAndWait(ProgramWindows& windows)
{
    // Shared: should the wait give up, the sequence may still end later.
    const auto over = std::make_shared<bool>(false);
    windows.startUp([over] { *over = true; });
    // The browser engine may take long to start on a loaded machine.
    return QTest::qWaitFor([over] { return *over; }, 60000);
}

// main() for tests that create windows: the same process set-up as the
// program (the browser engine needs it before the application object exists).
#define PETATTO_WIDGET_TEST_MAIN(TestClass)                                                        \
    int main(int argc, char* argv[])                                                               \
    {                                                                                              \
        platform::Application application(argc, argv);                                             \
        TestClass test;                                                                            \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
