#include "platform/Browser.h"

#include "platform/BrowserAddress.h"
#include "platform/BrowserEngine.h"
#include "platform/BrowserPage.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QMetaMethod>
#include <QShortcut>
#include <QWebEngineContextMenuRequest>
#include <QWebEngineNewWindowRequest>

namespace platform {

namespace {

// The program's name, then the site shown, then whether the engine runs
// without its sandbox, which the user should know.
QString caption(const QUrl& shown)
{
    QString caption = QStringLiteral("ペタッと名簿");
    if (isBundledAddress(shown))
        caption += QStringLiteral(" － 練習用ページ");
    else if (isWebAddress(shown))
        caption += QStringLiteral(" － ") + shownSite(shown);
    if (!browserEngineSandboxed())
        caption += QStringLiteral("（サンドボックスなし）");
    return caption;
}

const QKeySequence kFillFormKey(Qt::CTRL | Qt::SHIFT | Qt::Key_L);

} // namespace

Browser::Browser(QWidget* parent, Qt::WindowFlags flags) : QWebEngineView(parent)
{
    setWindowFlags(windowFlags() | flags);
    auto* page = new BrowserPage(*this);
    setPage(page);
    connect(page, &QWebEnginePage::newWindowRequested, this, &Browser::openPopup);
    // A pop-up closes itself as the page asks; the engine lets only pages
    // that a script opened ask it.
    connect(page, &QWebEnginePage::windowCloseRequested, this, [this] {
        if (isWindow())
            close();
    });
    connect(this, &QWebEngineView::urlChanged, this, &Browser::showSite);
    showSite();
    // On the view and whatever inside it has the focus, which is where the
    // user types into the page.
    auto* fillKey = new QShortcut(kFillFormKey, this);
    fillKey->setContext(Qt::WidgetWithChildrenShortcut);
    connect(fillKey, &QShortcut::activated, this, [this] { emit fillFormRequested(std::nullopt); });
}

void Browser::openPopup(QWebEngineNewWindowRequest& request)
{
    // The engine's own rule asks for a gesture already; this holds for every
    // kind of request, and a page gets nothing without one.
    if (!request.isUserInitiated())
        return;
    // A window of its own rather than this view's page replaced by the
    // pop-up's: the page that opened it keeps what the user typed in, and
    // both keep the engine's link between opener and pop-up. Owned by this
    // window, it closes with it.
    auto* popup = new Browser(window(), Qt::Window);
    popup->setAttribute(Qt::WA_DeleteOnClose);
    popup->resize(window()->size());
    request.openIn(popup->page());
    emit popupOpened(*popup);
    popup->show();
}

void Browser::showSite()
{
    window()->setWindowTitle(caption(url()));
}

void Browser::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu* menu = createStandardContextMenu();
    // Offered only where a fill is wired up.
    if (!isSignalConnected(QMetaMethod::fromSignal(&Browser::fillFormRequested))) {
        menu->popup(event->globalPos());
        return;
    }
    const QWebEngineContextMenuRequest* request = lastContextMenuRequest();
    const QPointF at = QPointF(request ? request->position() : event->pos()) / zoomFactor();
    menu->addSeparator();
    QAction* fill = menu->addAction(QStringLiteral("このフォームにペタッと入力"));
    fill->setObjectName(QStringLiteral("fillForm"));
    fill->setShortcut(kFillFormKey);
    connect(fill, &QAction::triggered, this, [this, at] { emit fillFormRequested(at); });
    menu->popup(event->globalPos());
}

} // namespace platform
