#pragma once

#include <QWebEngineView>

#include <optional>

class QWebEngineNewWindowRequest;

namespace platform {

// The embedded web browser: it shows pages, handles their errors itself and
// accepts text dropped onto their text boxes. Its window's caption names the
// site shown, never anything the page chooses. A page that asks for a new
// window on the user's gesture gets a pop-up of its own, a window of the same
// kind that ends with this one. What else a page may do is limited by its
// page (BrowserPage.h).
//
// The user asks to fill a form with Ctrl+Shift+L or from the page's context
// menu. Both come only from the window system: a page's scripts can send
// themselves key events and messages, but those never leave the page.
class Browser : public QWebEngineView
{
    Q_OBJECT

public:
    // `flags` Qt::Window makes the browser a window of its own.
    explicit Browser(QWidget* parent, Qt::WindowFlags flags = {});

signals:
    // The user asked to fill the form under `at` (in the page's CSS pixels),
    // or the one that holds the focus when there is no point.
    void fillFormRequested(std::optional<QPointF> at);
    // A page opened `popup` on the user's gesture; it is not shown yet, so
    // that what this browser can do may be given to it first.
    void popupOpened(platform::Browser& popup);

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void openPopup(QWebEngineNewWindowRequest& request);
    void showSite();
};

} // namespace platform
