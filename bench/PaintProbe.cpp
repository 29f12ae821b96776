#include "bench/PaintProbe.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>

#include <cstdio>

namespace {

class PaintProbe : public QObject
{
public:
    using QObject::QObject;

    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            // Queued, so that the children's paint and the flush to the screen
            // of this same frame happen first.
            QTimer::singleShot(0, [] {
                std::puts("painted");
                std::fflush(stdout);
                if (!QCoreApplication::arguments().contains(QStringLiteral("--stay")))
                    QCoreApplication::exit(0);
            });
        }
        return false;
    }

private:
    bool m_seen = false;
};

} // namespace

void exitOnFirstPaint(QWidget& window)
{
    window.installEventFilter(new PaintProbe(&window));
}
