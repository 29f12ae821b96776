#include "platform/Browser.h"

#include "platform/BrowserPage.h"

namespace platform {

Browser::Browser(QWidget* parent) : QWebEngineView(parent)
{
    setPage(new BrowserPage(*this));
}

} // namespace platform
