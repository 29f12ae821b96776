#include "platform/Window.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>

namespace platform {

void placeTopmost(QWidget& window)
{
    window.setWindowFlag(Qt::WindowStaysOnTopHint, true);
}

namespace {

// Re-applies the outer geometry once the window manager has told Qt the size
// of its frame, then removes itself.
class OuterGeometryKeeper : public QObject
{
public:
    OuterGeometryKeeper(QWidget& window, const QRect& outer) : QObject(&window), m_outer(outer) {}

    void apply(QWidget& window) const
    {
        const QMargins frame = frameMargins(window);
        const QSize client(m_outer.width() - frame.left() - frame.right(),
                           m_outer.height() - frame.top() - frame.bottom());
        if (window.minimumSize() == window.maximumSize())
            window.setFixedSize(client);
        else
            window.resize(client);
        window.move(m_outer.topLeft());
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Move || event->type() == QEvent::Show) {
            auto& window = static_cast<QWidget&>(*watched);
            if (frameMargins(window) != QMargins()) {
                apply(window);
                deleteLater();
                window.removeEventFilter(this);
            }
        }
        return false;
    }

private:
    static QMargins frameMargins(const QWidget& window)
    {
        const QRect frame = window.frameGeometry();
        const QRect client = window.geometry();
        return {client.left() - frame.left(), client.top() - frame.top(),
                frame.right() - client.right(), frame.bottom() - client.bottom()};
    }

    QRect m_outer;
};

} // namespace

void setOuterGeometry(QWidget& window, const QRect& outer)
{
    auto* keeper = new OuterGeometryKeeper(window, outer);
    keeper->apply(window);
    window.installEventFilter(keeper);
}

void centreOnScreen(QWidget& window)
{
    QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame = window.frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window.move(frame.topLeft());
}

void setFixedDialogFrame(QWidget& window, const QSize& clientSize)
{
    const Qt::WindowFlags keptTopmost = window.windowFlags() & Qt::WindowStaysOnTopHint;
    window.setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint | keptTopmost);
    window.setFixedSize(clientSize);
}

} // namespace platform
