#include "platform/Browser.h"

#include <QWebEngineNewWindowRequest>

namespace platform {

Browser::Browser(QWidget* parent) : QWebEngineView(parent)
{
    // Workaround: handing the request this same page (openIn, or returning
    // this view from createWindow) makes Qt WebEngine adopt the new contents
    // into a page that is still showing, which crashes; loading the address
    // keeps the one page and only loses a pop-up's posted form data.
    connect(page(), &QWebEnginePage::newWindowRequested, this,
            [this](QWebEngineNewWindowRequest& request) { load(request.requestedUrl()); });
}

} // namespace platform
