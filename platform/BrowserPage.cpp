#include "platform/BrowserPage.h"

#include <QCloseEvent>
#include <QWebEngineNewWindowRequest>
#include <QWebEngineSettings>
#include <QWebEngineView>

namespace platform {

BrowserPage::BrowserPage(QWebEngineView& view) : QWebEnginePage(&view), m_view(view)
{
    // A page opened from the disk could otherwise read every file the user
    // can, the record among them.
    settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);

    // Workaround: handing the request this same page (openIn, or returning
    // this page from createWindow) makes Qt WebEngine adopt the new contents
    // into a page that is still showing, which crashes; loading the address
    // keeps the one page and only loses a pop-up's posted form data.
    // Requests without a gesture are dropped: an advertisement's frame could
    // otherwise put a look-alike page in place of the sign-up form.
    connect(this, &QWebEnginePage::newWindowRequested, this,
            [this](QWebEngineNewWindowRequest& request) {
                if (request.isUserInitiated())
                    load(request.requestedUrl());
            });

    // Refused at once, so that no page waits on a question nobody will ask.
    connect(this, &QWebEnginePage::featurePermissionRequested, this,
            [this](const QUrl& origin, Feature feature) {
                setFeaturePermission(origin, feature, PermissionDeniedByUser);
            });

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

std::optional<QString> BrowserPage::ask(BrowserDialog::Kind kind, const QUrl& origin,
                                        const QString& message, const QString& defaultText)
{
    if (m_silenced || m_windowClosing || m_dialog)
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
