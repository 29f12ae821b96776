// Press -> drag started: from a mouse press on a palette slot until the drag's
// own event loop runs, the moment the user can move the text. Needs a display
// (tests/with-display.sh), since Qt's offscreen platform runs no drags.
#include "app/Module1.h"
#include "bench/Bench.h"
#include "forms/Form1.h"
#include "forms/PaletteSlotBox.h"
#include "forms/ProgramWindows.h"
#include "platform/Application.h"

#include <QApplication>
#include <QDrag>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>

namespace {

// Presses on `box` and returns the milliseconds until the drag loop ran, or a
// negative value when the drag had already ended by then.
double pressToDragStarted(PaletteSlotBox& box)
{
    QElapsedTimer timer;
    double started = -1;
    bool pressReturned = false;
    // Timers run only once an event loop turns: the first one to turn after
    // the press is the drag's own.
    QTimer::singleShot(0, &box, [&] {
        if (!pressReturned)
            started = double(timer.nsecsElapsed()) / 1e6;
        QDrag::cancel();
    });
    const QPoint centre = box.rect().center();
    QMouseEvent press(QEvent::MouseButtonPress, centre, box.mapToGlobal(centre), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    timer.start();
    QApplication::sendEvent(&box, &press);
    pressReturned = true;
    return started;
}

} // namespace

int main(int argc, char* argv[])
{
    platform::Application application(argc, argv);
    Module1 module;
    ProgramWindows windows(module);
    Form1& palette = windows.palette();
    palette.setSlotText(0, QStringLiteral("山田花子"));
    palette.show();
    if (!QTest::qWaitForWindowExposed(&palette))
        qFatal("the palette was never shown");

    constexpr int runs = 50;
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const double ms = pressToDragStarted(*palette.Text[0]);
        if (ms < 0)
            qFatal("the drag ended before its loop ran: no display to drag on?");
        times.push_back(ms);
        QTest::qWait(20);
    }
    printFigure("press -> drag started", median(times), "ms", "<= 5 ms");
    return 0;
}
