#pragma once

#include <QWebEngineView>

namespace platform {

// The embedded web browser: it shows pages, handles their errors itself and
// accepts text dropped onto their text boxes. A page that asks for a new
// window on the user's click gets its address opened in this view instead, so
// that it is never opened out of sight or lost. What else a page may do is
// limited by its page (BrowserPage.h).
class Browser : public QWebEngineView
{
    Q_OBJECT

public:
    explicit Browser(QWidget* parent);
};

} // namespace platform
