#include "platform/PageNotice.h"

#include <QEvent>
#include <QGraphicsOpacityEffect>
#include <QPropertyAnimation>

namespace platform {

namespace {

// Long enough to read a line twice; the fade shows it is going, not gone.
constexpr int kLingerMs = 4000;
constexpr int kFadeMs = 800;
constexpr int kMarginPx = 12;

} // namespace

PageNotice::PageNotice(QWidget& view) : QLabel(&view)
{
    setObjectName(QStringLiteral("PageNotice"));
    setTextFormat(Qt::PlainText);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setStyleSheet(QStringLiteral("QLabel { background: rgba(32, 32, 32, 225); color: white;"
                                 " border-radius: 6px; padding: 8px 14px; }"));
    auto* opacity = new QGraphicsOpacityEffect(this);
    setGraphicsEffect(opacity);
    m_fade = new QPropertyAnimation(opacity, "opacity", this);
    m_fade->setDuration(kFadeMs);
    m_fade->setStartValue(1.0);
    m_fade->setEndValue(0.0);
    connect(m_fade, &QPropertyAnimation::finished, this, &QWidget::hide);
    m_linger.setSingleShot(true);
    m_linger.setInterval(kLingerMs);
    connect(&m_linger, &QTimer::timeout, m_fade, [this] { m_fade->start(); });
    view.installEventFilter(this);
    hide();
}

void PageNotice::showMessage(const QString& text)
{
    m_fade->stop();
    static_cast<QGraphicsOpacityEffect*>(graphicsEffect())->setOpacity(1.0);
    setText(text);
    place();
    show();
    raise();
    m_linger.start();
}

bool PageNotice::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parent() && event->type() == QEvent::Resize)
        place();
    return QLabel::eventFilter(watched, event);
}

void PageNotice::place()
{
    adjustSize();
    const QWidget& view = *parentWidget();
    // At the bottom, away from the top of the form, where the user starts
    // checking what was filled.
    move((view.width() - width()) / 2, view.height() - height() - kMarginPx);
}

} // namespace platform
