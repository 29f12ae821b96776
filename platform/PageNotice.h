#pragma once

#include <QLabel>
#include <QTimer>

class QPropertyAnimation;

namespace platform {

// A short message over a view that fades away by itself: it asks
// for nothing, takes no clicks and leaves the window's layout alone.
class PageNotice : public QLabel
{
    Q_OBJECT

public:
    explicit PageNotice(QWidget& view);

    // Shows `text` at once, in place of any message still shown.
    void showMessage(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void place();

    QTimer m_linger;
    QPropertyAnimation* m_fade = nullptr;
};

} // namespace platform
