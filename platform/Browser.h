#pragma once

#include <QWebEngineView>

namespace platform {

// The embedded web browser with the engine's standard behaviour: it shows
// pages, handles their errors itself and accepts text dropped onto their text
// boxes. A page that asks for a new window gets its address opened in this
// view instead, so that it is never opened out of sight or lost.
class Browser : public QWebEngineView
{
    Q_OBJECT

public:
    explicit Browser(QWidget* parent);
};

} // namespace platform
