#pragma once

#include <QWebEngineView>

class QWebEngineNewWindowRequest;

namespace platform {

// The embedded web browser: it shows pages, handles their errors itself and
// accepts text dropped onto their text boxes. Its window's caption names the
// site shown, never anything the page chooses. A page that asks for a new
// window on the user's gesture gets a pop-up of its own, a window of the same
// kind that ends with this one. What else a page may do is limited by its
// page (BrowserPage.h).
class Browser : public QWebEngineView
{
    Q_OBJECT

public:
    // `flags` Qt::Window makes the browser a window of its own.
    explicit Browser(QWidget* parent, Qt::WindowFlags flags = {});

private:
    void openPopup(QWebEngineNewWindowRequest& request);
    void showSite();
};

} // namespace platform
