#include "PageScript.h"
#include "PageServer.h"
#include "WidgetTest.h"

#include "forms/Form1.h"
#include "forms/Form6.h"
#include "forms/PaletteSlotBox.h"
#include "platform/Browser.h"
#include "platform/BrowserDialog.h"
#include "platform/Twips.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QWebEngineProfile>
#include <QWebEngineUrlRequestInterceptor>
#include <QWindow>

#include <algorithm>
#include <functional>
#include <memory>

namespace {

const QString kCaption = QStringLiteral("ペタッと名簿");
const QRect kStartPlace = platform::twips(1800, 0, 10200, 8685);

QUrl startPage()
{
    return QUrl(QString::fromLatin1(Form6::kStartPage));
}

bool waitForLoad(QWebEngineView& view)
{
    QSignalSpy finished(&view, &QWebEngineView::loadFinished);
    return finished.wait(20000) && finished.last().at(0).toBool();
}

// Every address the browser engine asks for, to prove the start page needs
// nothing from outside the program.
class RequestLog : public QWebEngineUrlRequestInterceptor
{
public:
    void interceptRequest(QWebEngineUrlRequestInfo& info) override
    {
        m_urls.append(info.requestUrl());
    }
    const QList<QUrl>& urls() const { return m_urls; }

private:
    QList<QUrl> m_urls;
};

// What a page does; each ends by putting its outcome in its title.
enum class Page
{
    FrameOpensWindowUnasked,
    LinkToNewWindow,
    ReadsRecord,
    LinksToRecord,
    AsksLocation,
    AsksNotifications,
    LogsMarker,
    Alerts,
    AlertsOverAndOver,
    AlertsForever,
};

// What the user does meanwhile.
enum class User
{
    Nothing,
    ClicksTarget,
    UsesPaletteDuringDialog,
    SilencesDialogsThenCloses,
    ClosesDuringDialog,
};

constexpr char kMarker[] = "秘密の値-7f3a";

// Keeps every message of the process while it lives, to prove that no
// page's console reaches the log.
class MessageLog
{
public:
    MessageLog() : m_previous(qInstallMessageHandler(record)) { seen().clear(); }
    ~MessageLog() { qInstallMessageHandler(m_previous); }

    MessageLog(const MessageLog&) = delete;
    MessageLog& operator=(const MessageLog&) = delete;

    static QStringList& seen()
    {
        static QStringList messages;
        return messages;
    }

private:
    static void record(QtMsgType, const QMessageLogContext&, const QString& message)
    {
        seen().append(message);
    }

    QtMessageHandler m_previous;
};

// Clicks as the user does, through the window system, so that whatever a
// modal window blocks is blocked here too.
void userClick(QWidget& widget, const QPoint& at)
{
    QWidget& window = *widget.window();
    QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, widget.mapTo(&window, at));
}

void userClick(QWidget& widget)
{
    userClick(widget, widget.rect().center());
}

// Counts the presses that reach a widget past the window system's checks.
class PressCount : public QObject
{
public:
    explicit PressCount(QWidget& widget) { widget.installEventFilter(this); }
    int count() const { return m_count; }

    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::MouseButtonPress)
            ++m_count;
        return false;
    }

private:
    int m_count = 0;
};

platform::BrowserDialog* shownDialog(Form6& form)
{
    auto* dialog = form.findChild<platform::BrowserDialog*>();
    return dialog && dialog->isVisible() ? dialog : nullptr;
}

// Runs `steps` as soon as the page shows a dialog, from inside the dialog's
// own event loop as the user's input would, and waits until they have run.
bool whenDialogShows(Form6& form, const std::function<void(platform::BrowserDialog&)>& steps)
{
    bool ran = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        platform::BrowserDialog* dialog = shownDialog(form);
        if (!dialog)
            return;
        poll.stop();
        steps(*dialog);
        ran = true;
    });
    poll.start(10);
    return QTest::qWaitFor([&] { return ran; }, 20000);
}

void answerOk(platform::BrowserDialog& dialog)
{
    userClick(*dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok));
}

} // namespace

class TestForm6 : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void firstOpeningPlacesWindowBesidePalette();
    void startPageIsBundledAndOffline();
    void startPageOffersPracticeFields_data();
    void startPageOffersPracticeFields();
    void captionStaysFixed_data();
    void captionStaysFixed();
    void browserCoversClientArea_data();
    void browserCoversClientArea();
    void browserFollowsWindowStates();
    void openingWhileOpenOnlyBringsForward();
    void reopeningAfterCloseStartsFresh();
    void pageIsHeldIn_data();
    void pageIsHeldIn();

private:
    // Opens the service browser through the one opener and waits for its page.
    Form6& openLoaded();
    // Lets a slot of the palette be dragged while the page shows a dialog.
    void usePalette(platform::BrowserDialog& dialog);

    std::unique_ptr<ProgramSession> m_session;
    ProgramWindows* m_windows = nullptr;
    Module1* m_module = nullptr;
};

void TestForm6::init()
{
    m_session = std::make_unique<ProgramSession>();
    m_windows = &m_session->windows;
    m_module = &m_session->module;
}

void TestForm6::cleanup()
{
    const QList<int> reports = m_session->errors.numbers();
    m_session.reset();
    QCOMPARE(reports, QList<int>());
}

Form6& TestForm6::openLoaded()
{
    Form6& form = m_windows->showBrowser();
    [&] { QVERIFY(waitForLoad(*form.brwWebBrowser)); }();
    return form;
}

void TestForm6::firstOpeningPlacesWindowBesidePalette()
{
    Form6& form = openLoaded();
    QCOMPARE(form.brwWebBrowser->url(), startPage());
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QTRY_COMPARE(form.frameGeometry(), kStartPlace);
    QCOMPARE(form.windowTitle(), kCaption);
    QVERIFY(!(form.windowFlags() & Qt::WindowStaysOnTopHint));
    QVERIFY(form.minimumSize() != form.maximumSize());
    QCOMPARE(form.brwWebBrowser->geometry(), form.rect());
    QCOMPARE(m_module->HasProfile, qint16(0));
}

void TestForm6::startPageIsBundledAndOffline()
{
    RequestLog log;
    QWebEngineProfile::defaultProfile()->setUrlRequestInterceptor(&log);
    Form6& form = openLoaded();
    QWebEngineProfile::defaultProfile()->setUrlRequestInterceptor(nullptr);
    QVERIFY(!log.urls().isEmpty());
    for (const QUrl& url : log.urls())
        QCOMPARE(url.scheme(), QStringLiteral("qrc"));
    QVERIFY(evaluate(*form.brwWebBrowser, QStringLiteral("document.body.innerText"))
                .toString()
                .contains(QStringLiteral("ペタッと名簿")));
}

void TestForm6::startPageOffersPracticeFields_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("tag");
    struct Field
    {
        const char* id;
        const char* tag;
    };
    constexpr Field kFields[] = {
        {"name-kanji", "INPUT"}, {"name-kana", "INPUT"},      {"postal-code", "INPUT"},
        {"address", "INPUT"},    {"telephone", "INPUT"},      {"email", "INPUT"},
        {"login-id", "INPUT"},   {"password", "INPUT"},       {"site-name", "INPUT"},
        {"site-url", "INPUT"},   {"description", "TEXTAREA"},
    };
    for (const Field& field : kFields)
        QTest::newRow(field.id) << QString::fromLatin1(field.id) << QString::fromLatin1(field.tag);
}

void TestForm6::startPageOffersPracticeFields()
{
    QFETCH(QString, id);
    QFETCH(QString, tag);
    Form6& form = openLoaded();
    const QString script = QStringLiteral("(function(){ const e = document.getElementById('%1');"
                                          " return e ? e.tagName + ':' + (e.labels.length > 0 ?"
                                          " e.labels[0].textContent : '') : ''; })()")
                               .arg(id);
    const QStringList answer =
        evaluate(*form.brwWebBrowser, script).toString().split(QLatin1Char(':'));
    QCOMPARE(answer.value(0), tag);
    // Every field has a visible Japanese label, as a real sign-up form would.
    QVERIFY2(!answer.value(1).isEmpty(), "field without label");
}

void TestForm6::captionStaysFixed_data()
{
    QTest::addColumn<QString>("html");
    QTest::addColumn<QString>("script");
    QTest::newRow("page with a title")
        << QStringLiteral("<title>会員登録｜どこかのサービス</title><p>x</p>") << QString();
    QTest::newRow("page without a title") << QStringLiteral("<p>題名なし</p>") << QString();
    QTest::newRow("title changed by the page")
        << QStringLiteral("<title>最初</title>") << QStringLiteral("document.title = '後から';");
}

void TestForm6::captionStaysFixed()
{
    QFETCH(QString, html);
    QFETCH(QString, script);
    Form6& form = openLoaded();
    QSignalSpy titles(form.brwWebBrowser, &QWebEngineView::titleChanged);
    form.brwWebBrowser->setHtml(html);
    QVERIFY(waitForLoad(*form.brwWebBrowser));
    if (!script.isEmpty())
        evaluate(*form.brwWebBrowser, script);
    QTRY_VERIFY(!titles.isEmpty());
    QCOMPARE(form.windowTitle(), kCaption);
}

void TestForm6::browserCoversClientArea_data()
{
    QTest::addColumn<QSize>("size");
    QTest::newRow("smaller") << QSize(200, 150);
    QTest::newRow("larger") << QSize(1200, 900);
    QTest::newRow("one pixel") << QSize(1, 1);
    QTest::newRow("nothing, as when minimized") << QSize(0, 0);
}

void TestForm6::browserCoversClientArea()
{
    QFETCH(QSize, size);
    Form6& form = m_windows->showBrowser();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.resize(size);
    QTRY_COMPARE(form.brwWebBrowser->geometry(), form.rect());
    QVERIFY(form.brwWebBrowser->isVisible());
}

void TestForm6::browserFollowsWindowStates()
{
    Form6& form = m_windows->showBrowser();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const QSize normal = form.size();

    form.showMaximized();
    QTRY_VERIFY(form.size() != normal);
    QTRY_COMPARE(form.brwWebBrowser->geometry(), form.rect());

    form.showMinimized();
    form.showNormal();
    QTRY_COMPARE(form.size(), normal);
    QTRY_COMPARE(form.brwWebBrowser->geometry(), form.rect());
}

void TestForm6::openingWhileOpenOnlyBringsForward()
{
    Form6& form = openLoaded();
    const QRect moved(300, 200, 500, 400);
    form.setGeometry(moved);
    form.brwWebBrowser->setHtml(QStringLiteral("<p>利用者が開いたページ</p>"));
    QVERIFY(waitForLoad(*form.brwWebBrowser));
    const QUrl userPage = form.brwWebBrowser->url();
    QSignalSpy loads(form.brwWebBrowser, &QWebEngineView::loadStarted);

    Form6& again = m_windows->showBrowser();
    QCOMPARE(&again, &form);
    QCOMPARE(form.geometry(), moved);
    QVERIFY(!loads.wait(500));
    QCOMPARE(form.brwWebBrowser->url(), userPage);
    const QWidgetList windows = QApplication::topLevelWidgets();
    QCOMPARE(std::count_if(windows.begin(), windows.end(),
                           [](QWidget* widget) { return qobject_cast<Form6*>(widget) != nullptr; }),
             1);
}

void TestForm6::reopeningAfterCloseStartsFresh()
{
    Form1& palette = m_windows->palette();
    palette.show();
    Form6& form = openLoaded();
    QTRY_COMPARE(form.frameGeometry(), kStartPlace);
    form.setGeometry(300, 200, 500, 400);
    form.brwWebBrowser->setHtml(QStringLiteral("<p>別のページ</p>"));
    QVERIFY(waitForLoad(*form.brwWebBrowser));

    QVERIFY(form.close());
    QTRY_VERIFY(m_windows->browser() == nullptr);
    QVERIFY(palette.isVisible());

    Form6& fresh = openLoaded();
    QVERIFY(QTest::qWaitForWindowExposed(&fresh));
    QTRY_COMPARE(fresh.frameGeometry(), kStartPlace);
    QCOMPARE(fresh.brwWebBrowser->url(), startPage());
    QCOMPARE(fresh.brwWebBrowser->geometry(), fresh.rect());
}

void TestForm6::pageIsHeldIn_data()
{
    QTest::addColumn<Page>("page");
    QTest::addColumn<User>("user");
    QTest::addColumn<QString>("outcome");
    QTest::addColumn<QString>("landing");

    struct Row
    {
        const char* name;
        Page page;
        User user;
        const char* outcome; // the page's last title; none when the window goes
        const char* landing; // the page shown at the end
    };
    constexpr Row kRows[] = {
        {"frame's window.open without a gesture", Page::FrameOpensWindowUnasked, User::Nothing,
         "opened", "/"},
        {"target _blank link the user clicks", Page::LinkToNewWindow, User::ClicksTarget, "away",
         "/away"},
        {"local page reads the record", Page::ReadsRecord, User::Nothing, "refused", ""},
        {"link to a file: address", Page::LinksToRecord, User::ClicksTarget, "clicked", ""},
        {"geolocation", Page::AsksLocation, User::Nothing, "denied", "/"},
        {"notifications", Page::AsksNotifications, User::Nothing, "denied", "/"},
        {"console message", Page::LogsMarker, User::Nothing, "logged", "/"},
        {"palette usable during an alert", Page::Alerts, User::UsesPaletteDuringDialog, "answered",
         "/"},
        {"alerts silenced, then window closed", Page::AlertsOverAndOver,
         User::SilencesDialogsThenCloses, "done", "/"},
        {"window closed during an alert", Page::AlertsForever, User::ClosesDuringDialog, "", ""},
    };
    for (const Row& row : kRows)
        QTest::newRow(row.name) << row.page << row.user << QString::fromUtf8(row.outcome)
                                << QString::fromLatin1(row.landing);
}

void TestForm6::pageIsHeldIn()
{
    QFETCH(Page, page);
    QFETCH(User, user);
    QFETCH(QString, outcome);
    QFETCH(QString, landing);
    static const QMap<Page, QByteArray> kPages = {
        {Page::FrameOpensWindowUnasked,
         "<script>onmessage = e => { document.title = e.data; };</script>"
         "<iframe src='http://localhost:{port}/opener'></iframe>"},
        {Page::LinkToNewWindow, "<a id='target' target='_blank' href='/away'>別窓で開く</a>"},
        {Page::ReadsRecord,
         "<script>try { const x = new XMLHttpRequest(); x.open('GET', '{record}', false);"
         " x.send(); document.title = 'read ' + x.responseText; }"
         " catch (e) { document.title = 'refused'; }</script>"},
        {Page::LinksToRecord,
         "<a id='target' href='{record}' onclick=\"document.title = 'clicked'\">記録</a>"},
        {Page::AsksLocation,
         "<script>navigator.geolocation.getCurrentPosition(() => document.title = 'granted',"
         " () => document.title = 'denied');</script>"},
        {Page::AsksNotifications,
         "<script>Notification.requestPermission().then(p => document.title = p);</script>"},
        {Page::LogsMarker,
         "<script>console.log('{marker}'); console.error('{marker}'); console.warn('{marker}');"
         " document.title = 'logged';</script>"},
        {Page::Alerts,
         "<script>setTimeout(() => { alert('{marker}'); document.title = 'answered'; });"
         "</script>"},
        {Page::AlertsOverAndOver,
         "<script>setTimeout(() => { for (let n = 0; n < 1000; ++n) alert(n);"
         " document.title = 'done'; });</script>"},
        {Page::AlertsForever,
         "<script>setTimeout(() => { for (;;) alert('{marker}'); });</script>"},
    };
    m_session->dir.writeProfile(profileBytes({QStringLiteral("1"), QString::fromUtf8(kMarker)}));
    const QByteArray html =
        QByteArray(kPages.value(page))
            .replace("{marker}", kMarker)
            .replace("{record}", QUrl::fromLocalFile(m_session->dir.profilePath()).toEncoded());
    PageServer server(
        {{QStringLiteral("/"), html},
         {QStringLiteral("/away"), "<title>away</title>"},
         {QStringLiteral("/opener"), "<script>window.open('http://127.0.0.1:{port}/away');"
                                     " parent.postMessage('opened', '*');</script>"}});
    Form6& form = openLoaded();
    platform::Browser& view = *form.brwWebBrowser;
    const MessageLog messages;
    // Pages that touch files are shown as local pages: the engine itself
    // already keeps pages from the network away from files.
    if (html.contains("file:"))
        view.setHtml(QString::fromUtf8(html),
                     QUrl::fromLocalFile(m_session->dir.path() + QLatin1Char('/')));
    else
        view.load(server.url(QStringLiteral("/")));
    QVERIFY(waitForLoad(view));
    const QUrl shown = view.url();

    QPointer<Form6> window(&form);
    int laterDialogCount = 0;
    QTimer laterDialogs;
    QObject::connect(&laterDialogs, &QTimer::timeout, [&] {
        if (platform::BrowserDialog* dialog = shownDialog(form)) {
            ++laterDialogCount;
            dialog->reject();
        }
    });
    switch (user) {
    case User::Nothing:
        break;
    case User::ClicksTarget: {
        const QVariantList at =
            evaluate(view,
                     QStringLiteral("(function(){ const r = "
                                    "document.getElementById('target').getBoundingClientRect();"
                                    " return [r.left + r.width / 2, r.top + r.height / 2]; })()"))
                .toList();
        QCOMPARE(at.size(), 2);
        QSignalSpy finished(&view, &QWebEngineView::loadFinished);
        QTest::mouseClick(view.focusProxy(), Qt::LeftButton, {},
                          QPoint(at[0].toInt(), at[1].toInt()));
        QVERIFY(finished.wait(20000));
        break;
    }
    case User::UsesPaletteDuringDialog:
        QVERIFY(whenDialogShows(form, [this](platform::BrowserDialog& dialog) {
            usePalette(dialog);
            answerOk(dialog);
        }));
        break;
    case User::SilencesDialogsThenCloses:
        QVERIFY(whenDialogShows(form, [](platform::BrowserDialog& dialog) {
            // The first dialog of a page offers no way to silence it.
            QVERIFY(!dialog.findChild<QCheckBox*>());
            answerOk(dialog);
        }));
        QVERIFY(whenDialogShows(form, [](platform::BrowserDialog& dialog) {
            auto& silence = *dialog.findChild<QCheckBox*>();
            // On its box, at the left end of the line.
            userClick(silence, QPoint(silence.height() / 2, silence.height() / 2));
            QVERIFY(silence.isChecked());
            answerOk(dialog);
        }));
        // Any later dialog is one too many; it is counted and closed, so that
        // the page can still finish.
        laterDialogs.start(0);
        break;
    case User::ClosesDuringDialog:
        QVERIFY(whenDialogShows(form, [&form](platform::BrowserDialog&) { form.close(); }));
        break;
    }

    QVERIFY(!QTest::currentTestFailed());
    if (!outcome.isEmpty()) {
        QTRY_COMPARE_WITH_TIMEOUT(view.title(), outcome, 20000);
        QCOMPARE(view.url(), landing.isEmpty() ? shown : server.url(landing));
    }
    QCOMPARE(server.requested().contains(QStringLiteral("/away")), landing == "/away");
    laterDialogs.stop();
    QCOMPARE(laterDialogCount, 0);
    if (user == User::SilencesDialogsThenCloses)
        form.close();
    if (user == User::SilencesDialogsThenCloses || user == User::ClosesDuringDialog) {
        QTRY_VERIFY_WITH_TIMEOUT(window.isNull(), 20000);
        QVERIFY(m_windows->browser() == nullptr);
    }
    for (const QString& message : MessageLog::seen())
        QVERIFY2(!message.contains(QString::fromUtf8(kMarker)), qPrintable(message));
}

void TestForm6::usePalette(platform::BrowserDialog& dialog)
{
    Form1& palette = m_windows->palette();
    palette.show();
    QVERIFY(QTest::qWaitForWindowExposed(&palette));
    QVERIFY(dialog.isVisible());
    userClick(*palette.Command1);
    QVERIFY(m_windows->editor() != nullptr);

    // The press on a slot is what starts its drag; the drag itself needs a
    // real screen and is followed to its drop by the end-to-end drag test.
    PaletteSlotBox& slot = *palette.Text[0];
    PressCount presses(slot);
    QTest::mousePress(palette.windowHandle(), Qt::LeftButton, {},
                      slot.mapTo(&palette, slot.rect().center()));
    QTest::mouseRelease(palette.windowHandle(), Qt::LeftButton, {},
                        slot.mapTo(&palette, slot.rect().center()));
    QCOMPARE(presses.count(), 1);
}

PETATTO_WIDGET_TEST_MAIN(TestForm6)

#include "tst_form6.moc"
