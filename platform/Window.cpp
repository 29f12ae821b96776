#include "platform/Window.h"

#include "platform/Accessibility.h"
#include "platform/TextFit.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

#include <cstdlib>
#include <functional>
#include <memory>

#if QT_CONFIG(xcb)
#include <xcb/xcb.h>
#endif

namespace platform {

void placeTopmost(QWidget& window)
{
    window.setWindowFlag(Qt::WindowStaysOnTopHint, true);
}

bool windowsStayWherePlaced()
{
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

namespace {

QMargins frameMargins(const QWidget& window)
{
    const QRect frame = window.frameGeometry();
    const QRect client = window.geometry();
    return {client.left() - frame.left(), client.top() - frame.top(),
            frame.right() - client.right(), frame.bottom() - client.bottom()};
}

// Places a window now and once more when the window manager has told Qt the
// size of its frame, then removes itself: placing by the outer frame needs it.
class FramePlacer : public QObject
{
public:
    using Place = std::function<void(QWidget&)>;

    FramePlacer(QWidget& window, Place place) : QObject(&window), m_place(std::move(place))
    {
        m_place(window);
        window.installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Move || event->type() == QEvent::Show) {
            auto& window = static_cast<QWidget&>(*watched);
            if (frameMargins(window) != QMargins()) {
                // Placing moves the window: stop watching first.
                window.removeEventFilter(this);
                deleteLater();
                m_place(window);
            }
        }
        return false;
    }

private:
    Place m_place;
};

void placeOuter(QWidget& window, const QRect& outer)
{
    const QMargins frame = frameMargins(window);
    const QSize client(outer.width() - frame.left() - frame.right(),
                       outer.height() - frame.top() - frame.bottom());
    if (window.minimumSize() == window.maximumSize()) {
        // A window the user cannot resize must never hide its own controls:
        // where a thick frame leaves less room than they need, it grows past
        // the outer size by just what they need.
        const QRect controls = window.childrenRect();
        window.setFixedSize(client.expandedTo(QSize(controls.right() + 1, controls.bottom() + 1)));
    } else
        window.resize(client);
    window.move(outer.topLeft());
}

// Watches a window for its first paint event, then removes itself.
class FirstPaintWatcher : public QObject
{
public:
    FirstPaintWatcher(QWidget& window, std::function<void()> then)
        : QObject(&window), m_then(std::move(then))
    {
        window.installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            // Queued: the window's children paint, and the frame is flushed
            // to the screen, in the same pass after the window's own event.
            QTimer::singleShot(0, parent(), std::move(m_then));
            deleteLater();
        }
        return false;
    }

private:
    std::function<void()> m_then;
};

void centreNow(QWidget& window)
{
    QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame = window.frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window.move(frame.topLeft());
}

} // namespace

void setOuterGeometry(QWidget& window, const QRect& outer)
{
    new FramePlacer(window, [outer](QWidget& placed) { placeOuter(placed, outer); });
}

void afterFirstPaint(QWidget& window, std::function<void()> then)
{
    new FirstPaintWatcher(window, std::move(then));
}

void centreOnScreen(QWidget& window)
{
    new FramePlacer(window, centreNow);
}

void bringForward(QWidget& window)
{
    window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
    window.show();
    window.raise();
    window.activateWindow();
}

#if QT_CONFIG(xcb)
namespace {

xcb_atom_t internedAtom(xcb_connection_t* connection, const QByteArray& name)
{
    const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(connection,
                              xcb_intern_atom(connection, 0, uint16_t(name.size()), name.data()),
                              nullptr),
        &std::free);
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

} // namespace
#endif

void withdrawAttentionRequest(QWidget& window)
{
#if QT_CONFIG(xcb)
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !window.isVisible())
        return;
    xcb_connection_t* connection = x11->connection();
    // A mapped window's states belong to the window manager: it is asked, as
    // the window-manager hints describe, with a message to the root window.
    // The message follows the window's map request on the same connection, so
    // the window manager reads it only after it has managed the window.
    const auto id = xcb_window_t(window.winId());
    const std::unique_ptr<xcb_query_tree_reply_t, decltype(&std::free)> tree(
        xcb_query_tree_reply(connection, xcb_query_tree(connection, id), nullptr), &std::free);
    if (!tree)
        return;
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = id;
    message.type = internedAtom(connection, QByteArrayLiteral("_NET_WM_STATE"));
    constexpr uint32_t remove = 0;
    constexpr uint32_t fromApplication = 1;
    message.data.data32[0] = remove;
    message.data.data32[1] =
        internedAtom(connection, QByteArrayLiteral("_NET_WM_STATE_DEMANDS_ATTENTION"));
    message.data.data32[3] = fromApplication;
    xcb_send_event(connection, 0, tree->root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(connection);
#else
    Q_UNUSED(window);
#endif
}

void setFixedDialogFrame(QWidget& window, const QSize& clientSize)
{
    const Qt::WindowFlags keptTopmost = window.windowFlags() & Qt::WindowStaysOnTopHint;
    window.setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint | keptTopmost);
    window.setFixedSize(clientSize);
}

void prepareControls(QWidget& window)
{
    nameControlsFromCaptions(window);
    fitTexts(window);
}

} // namespace platform
