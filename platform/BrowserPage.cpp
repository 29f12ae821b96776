#include "platform/BrowserPage.h"

#include "platform/BrowserAddress.h"

#include <QCloseEvent>
#include <QCoreApplication>
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
#include <QWebEnginePermission>
#endif
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineView>

namespace platform {

namespace {

// Keeps the bundled files from web pages, which could otherwise show them as
// pictures or in frames and so learn that the program is there. Only a
// bundled page, which only the program opens, may use them.
class BundledFilesGuard : public QWebEngineUrlRequestInterceptor
{
public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;

    void interceptRequest(QWebEngineUrlRequestInfo& info) override
    {
        if (isBundledAddress(info.requestUrl()) && !isBundledAddress(info.firstPartyUrl()))
            info.block(true);
    }
};

// Workaround: the engine puts its own question before a page is left through
// javaScriptConfirm, with this text of its own and no other sign.
QString leaveQuestion()
{
    return QCoreApplication::translate(
        "QWebEnginePage",
        "Are you sure you want to leave this page? Changes that you made may not be saved.");
}

} // namespace

BrowserPage::BrowserPage(QWebEngineView& view) : QWebEnginePage(&view), m_view(view)
{
    // A page opened from the disk could otherwise read every file the user
    // can, the record among them.
    settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
    // The engine would hand addresses it cannot show (mailto:, ssh:, smb:, a
    // scheme of any program) to the desktop's opener, and with them whatever a
    // page put in them; acceptNavigationRequest refuses them too.
    settings()->setUnknownUrlSchemePolicy(QWebEngineSettings::DisallowUnknownUrlSchemes);
    // A new window only on the user's gesture, by the engine's own rule, so
    // that an advertisement's frame cannot open pages out of sight.
    settings()->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    setUrlRequestInterceptor(new BundledFilesGuard(this));

    // Refused at once, so that no page waits on a question nobody will ask.
    // Qt 6.8 replaced the per-feature request with a permission object.
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    connect(this, &QWebEnginePage::permissionRequested, this,
            [](QWebEnginePermission permission) { permission.deny(); });
#else
    connect(this, &QWebEnginePage::featurePermissionRequested, this,
            [this](const QUrl& origin, Feature feature) {
                setFeaturePermission(origin, feature, PermissionDeniedByUser);
            });
#endif

    // A new page may open dialogs again until the user silences it too.
    connect(this, &QWebEnginePage::loadStarted, this, [this] {
        m_dialogShown = false;
        m_silenced = false;
    });
}

bool BrowserPage::acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame)
{
    if (url.isLocalFile())
        return false;
    // Only the program types: its loads may show the bundled pages, and a
    // bundled page may be shown again as it is. No page may lead to them.
    const bool byProgram =
        type == NavigationTypeTyped || (type == NavigationTypeReload && url == this->url());
    // What the engine makes of a frame by itself: a blank or inline frame, or
    // one from data the page holds.
    const bool frameOfItsOwn = !isMainFrame && (url.scheme() == QLatin1String("about") ||
                                                url.scheme() == QLatin1String("data") ||
                                                url.scheme() == QLatin1String("blob"));
    if (!isWebAddress(url) && !byProgram && !frameOfItsOwn)
        return false;
    return QWebEnginePage::acceptNavigationRequest(url, type, isMainFrame);
}

void BrowserPage::javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString&, int,
                                           const QString&)
{
}

void BrowserPage::javaScriptAlert(const QUrl& securityOrigin, const QString& message)
{
    ask(BrowserDialog::Kind::Alert, securityOrigin, message, QString());
}

bool BrowserPage::javaScriptConfirm(const QUrl& securityOrigin, const QString& message)
{
    if (message == leaveQuestion()) {
        // Left unasked, the page is left: refused, every later navigation,
        // the program's own included, would end before it began.
        if (!mayAsk(securityOrigin))
            return true;
        return ask(BrowserDialog::Kind::Confirm, securityOrigin,
                   QStringLiteral(
                       "このページから移動しますか？入力した内容は失われることがあります。"),
                   QString())
            .has_value();
    }
    return ask(BrowserDialog::Kind::Confirm, securityOrigin, message, QString()).has_value();
}

bool BrowserPage::javaScriptPrompt(const QUrl& securityOrigin, const QString& message,
                                   const QString& defaultValue, QString* result)
{
    const std::optional<QString> answer =
        ask(BrowserDialog::Kind::Prompt, securityOrigin, message, defaultValue);
    if (answer && result)
        *result = *answer;
    return answer.has_value();
}

bool BrowserPage::mayAsk(const QUrl& origin)
{
    // Only the page shown asks the user: a frame of another site, or one
    // sandboxed without a site of its own, could otherwise pass its question
    // off as the page's.
    return !m_silenced && !m_windowClosing && !m_dialog && isSameOrigin(origin, shownAddress());
}

QUrl BrowserPage::shownAddress()
{
    // Qt 6.8 gives url() a new page's address only some time after the page
    // has begun to run, so that a question the page asks at once looked as if
    // it came from the page before; its main frame knows the address at once.
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    return mainFrame().url();
#else
    return url();
#endif
}

std::optional<QString> BrowserPage::ask(BrowserDialog::Kind kind, const QUrl& origin,
                                        const QString& message, const QString& defaultText)
{
    if (!mayAsk(origin))
        return std::nullopt;
    QWidget& window = *m_view.window();
    BrowserDialog dialog(window, kind, origin, message, defaultText, m_dialogShown);
    m_dialogShown = true;

    // The page under the dialog takes no input until it is answered, as in
    // the common browsers; the rest of the program does.
    m_dialog = &dialog;
    m_view.setEnabled(false);
    window.installEventFilter(this);
    const bool accepted = dialog.ask();
    window.removeEventFilter(this);
    m_view.setEnabled(true);
    m_dialog = nullptr;

    m_silenced = dialog.silenceRequested();
    if (m_windowClosing)
        QMetaObject::invokeMethod(&window, &QWidget::close, Qt::QueuedConnection);
    if (!accepted)
        return std::nullopt;
    return dialog.text();
}

bool BrowserPage::eventFilter(QObject* watched, QEvent* event)
{
    // Closing the window ends its dialog first. The window, and this page
    // with it, may only go once the engine's call that shows the dialog has
    // returned, so the close is done again from the event loop.
    if (event->type() == QEvent::Close && m_dialog) {
        m_windowClosing = true;
        m_dialog->reject();
        event->ignore();
        return true;
    }
    return QWebEnginePage::eventFilter(watched, event);
}

} // namespace platform
