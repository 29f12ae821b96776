#include "bench/PaintProbe.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

namespace {

void report()
{
    std::puts("painted");
    std::fflush(stdout);
    // Ends at once, not through the event loop: what the program would do
    // next, such as starting the service browser, must not compete for the
    // processor with the timing parent that is reading this line.
    if (!QCoreApplication::arguments().contains(QStringLiteral("--stay")))
        std::_Exit(0);
}

// Reports the first paint of the widget it watches.
class PaintProbe : public QObject
{
public:
    explicit PaintProbe(QWidget& widget) : QObject(&widget) { widget.installEventFilter(this); }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            // Queued, so that the children's paint and the flush to the screen
            // of this same frame happen first.
            QTimer::singleShot(0, report);
        }
        return false;
    }
};

// Waits for the view's page to finish loading, then probes the next paint of
// the widget the engine draws into.
class PageProbe : public QObject
{
    Q_OBJECT

public:
    explicit PageProbe(QWidget& view) : QObject(&view), m_view(view)
    {
        connect(&view, SIGNAL(loadFinished(bool)), this, SLOT(loaded(bool)));
    }

private slots:
    void loaded(bool ok)
    {
        if (!ok)
            qFatal("the page did not load");
        QWidget* canvas = m_view.focusProxy() ? m_view.focusProxy() : &m_view;
        new PaintProbe(*canvas);
        deleteLater();
    }

private:
    QWidget& m_view;
};

// Waits for a widget of the given name to be shown anywhere in the program.
class ViewFinder : public QObject
{
public:
    explicit ViewFinder(const QString& name) : QObject(qApp), m_name(name)
    {
        qApp->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && watched->objectName() == m_name &&
            watched->isWidgetType()) {
            qApp->removeEventFilter(this);
            new PageProbe(static_cast<QWidget&>(*watched));
            deleteLater();
        }
        return false;
    }

private:
    QString m_name;
};

} // namespace

void exitOnFirstPaint(QWidget& window)
{
    new PaintProbe(window);
}

void exitOnPagePainted(QWidget& view)
{
    new PageProbe(view);
}

void exitOnPagePainted(const QString& viewName)
{
    new ViewFinder(viewName);
}

#include "PaintProbe.moc"
