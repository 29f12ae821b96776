#pragma once

#include "platform/BrowserDialog.h"

#include <QWebEnginePage>

#include <optional>

class QWebEngineView;

namespace platform {

// The page of the service browser, where the user types passwords and drops
// the record's values: it trusts nothing a page asks for. Only web pages are
// shown, and the bundled pages when the program itself opens them: nothing is
// handed to another program, and `file:` addresses are never shown nor read;
// permission requests are refused at once; console messages, which may hold
// dropped values, go nowhere; only the page shown may open dialogs, they hold
// up only this page's window, and the user can silence a page that keeps
// opening them.
class BrowserPage : public QWebEnginePage
{
    Q_OBJECT

public:
    explicit BrowserPage(QWebEngineView& view);

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString& message,
                                  int lineNumber, const QString& sourceID) override;
    void javaScriptAlert(const QUrl& securityOrigin, const QString& message) override;
    bool javaScriptConfirm(const QUrl& securityOrigin, const QString& message) override;
    bool javaScriptPrompt(const QUrl& securityOrigin, const QString& message,
                          const QString& defaultValue, QString* result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Whether a dialog of `origin` may be put to the user now.
    bool mayAsk(const QUrl& origin);
    // The address of the document shown now.
    QUrl shownAddress();

    // The user's answer, or nothing when the dialog was cancelled, closed or
    // not shown at all.
    std::optional<QString> ask(BrowserDialog::Kind kind, const QUrl& origin, const QString& message,
                               const QString& defaultText);

    QWebEngineView& m_view;
    BrowserDialog* m_dialog = nullptr;
    bool m_dialogShown = false;
    bool m_silenced = false;
    bool m_windowClosing = false;
};

} // namespace platform
