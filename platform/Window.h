#pragma once

#include <QPointer>
#include <QRect>
#include <QWidget>

#include <functional>

namespace platform {

// Keeps a window above every window that is not itself topmost.
void placeTopmost(QWidget& window);

// Whether the program's windows go where it places them and topmost ones stay
// above the others. Not on native Wayland, where the compositor places every
// window and keeps none on top; there another window may open over the
// palette.
bool windowsStayWherePlaced();

// Places a window so that its outer frame, title bar and border included,
// covers `outer` (device-independent pixels, screen coordinates). The frame's
// size is only known once the window manager has decorated the window, so the
// client size is corrected again when the frame becomes known. A window of
// fixed size grows where the frame would leave its controls too little room.
void setOuterGeometry(QWidget& window, const QRect& outer);

// Centres a window, frame and title bar included, on the screen it will
// appear on; again once the window manager has given it its frame.
void centreOnScreen(QWidget& window);

// Shows a window, restored if it was minimized, above the others and active.
void bringForward(QWidget& window);

// Fixed single border: the user cannot resize; no minimize or maximize box.
void setFixedDialogFrame(QWidget& window, const QSize& clientSize);

// Readies a newly built window's controls: each is named for screen readers
// and its text fitted to the font that stands in for the windows' own.
void prepareControls(QWidget& window);

// Runs `then` once `window` has been painted for the first time and that
// frame has gone to the screen.
void afterFirstPaint(QWidget& window, std::function<void()> then);

// Takes back what the window manager may have added when it refused to activate
// a window shown without the activation: KWin marks every such window as
// demanding attention, and its task bar entry flashes although nothing needs
// the user. Nothing happens where no window manager did so.
void withdrawAttentionRequest(QWidget& window);

// Whether showing a window makes it the active one or leaves the activation
// where it is.
enum class Activation
{
    Take,
    Leave
};

// One window of the program: created on first use, only brought forward while
// it is open, destroyed when it is closed and created anew the next time.
template <typename Window> class WindowHolder
{
public:
    template <typename Factory>
    Window& show(Factory&& create, Activation activation = Activation::Take)
    {
        if (!m_window) {
            m_window = create();
            m_window->setAttribute(Qt::WA_DeleteOnClose);
            prepareControls(*m_window);
        }
        m_window->setAttribute(Qt::WA_ShowWithoutActivating, activation == Activation::Leave);
        m_window->show();
        m_window->raise();
        if (activation == Activation::Take)
            m_window->activateWindow();
        else
            withdrawAttentionRequest(*m_window);
        return *m_window;
    }

    Window* get() const { return m_window.data(); }

    ~WindowHolder() { delete m_window.data(); }

private:
    QPointer<Window> m_window;
};

} // namespace platform
