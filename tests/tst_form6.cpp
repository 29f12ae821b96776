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
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTimer>
#include <QWebEngineProfile>
#include <QWebEngineUrlRequestInterceptor>
#include <QWindow>

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>

namespace {

const QString kCaption = QStringLiteral("ペタッと名簿");
const QRect kStartPlace = platform::twips(1800, 0, 10200, 8685);
const QUrl kStartPage(QString::fromLatin1(Form6::kStartPage));

bool waitForLoad(QWebEngineView& view)
{
    QSignalSpy finished(&view, &QWebEngineView::loadFinished);
    return finished.wait(20000) && finished.last().at(0).toBool();
}

// Every address the browser engine asks for, to prove the start page needs
// nothing from outside the program.
struct RequestLog : QWebEngineUrlRequestInterceptor
{
    void interceptRequest(QWebEngineUrlRequestInfo& info) override { urls << info.requestUrl(); }
    QList<QUrl> urls;
};

// What the user does while a page runs.
enum class User
{
    Nothing,
    ClicksTarget,
    UsesPaletteDuringDialog,
    SilencesDialogsThenCloses,
    ClosesDuringDialog,
};

constexpr char kMarker[] = "秘密の値-7f3a";

// Every message of the process while a page runs, to prove that no page's
// console reaches the log.
QStringList& logged()
{
    static QStringList messages;
    return messages;
}

// Clicks as the user does, through the window system, so that whatever a
// modal window blocks is blocked here too; in the middle unless told where.
void userClick(QWidget& widget, std::optional<QPoint> at = {})
{
    QWidget& window = *widget.window();
    QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {},
                      widget.mapTo(&window, at.value_or(widget.rect().center())));
}

// Counts the presses that reach a widget past the window system's checks.
struct PressCount : QObject
{
    bool eventFilter(QObject*, QEvent* event) override
    {
        count += event->type() == QEvent::MouseButtonPress;
        return false;
    }
    int count = 0;
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
        if (platform::BrowserDialog* dialog = shownDialog(form)) {
            poll.stop();
            steps(*dialog);
            ran = true;
        }
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

    void openingBringsForwardOrStartsFresh();
    void startPageIsBundledAndOffline();
    void startPageOffersPracticeFields_data();
    void startPageOffersPracticeFields();
    void browserCoversClientArea_data();
    void browserCoversClientArea();
    void pageIsHeldIn_data();
    void pageIsHeldIn();

private:
    // Opens the service browser through the one opener and waits for its page.
    Form6& openLoaded();

    std::unique_ptr<ProgramSession> m_session;
};

void TestForm6::init()
{
    m_session = std::make_unique<ProgramSession>();
}

void TestForm6::cleanup()
{
    const QList<int> reports = m_session->errors.numbers();
    m_session.reset();
    QCOMPARE(reports, QList<int>());
}

Form6& TestForm6::openLoaded()
{
    Form6& form = m_session->windows.showBrowser();
    [&] { QVERIFY(waitForLoad(*form.brwWebBrowser)); }();
    return form;
}

// Each time the window is opened after a close, it starts afresh beside the
// palette; opened while open, it is only brought forward as the user left it.
void TestForm6::openingBringsForwardOrStartsFresh()
{
    Form1& palette = m_session->windows.palette();
    palette.show();
    for (int opening = 0; opening < 2; ++opening) {
        Form6& form = openLoaded();
        QCOMPARE(form.brwWebBrowser->url(), kStartPage);
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QTRY_COMPARE(form.frameGeometry(), kStartPlace);
        QVERIFY(!(form.windowFlags() & Qt::WindowStaysOnTopHint));
        QVERIFY(form.minimumSize() != form.maximumSize());
        QCOMPARE(form.brwWebBrowser->geometry(), form.rect());

        const QRect moved(300, 200, 500, 400);
        form.setGeometry(moved);
        QSignalSpy titles(form.brwWebBrowser, &QWebEngineView::titleChanged);
        form.brwWebBrowser->setHtml(QStringLiteral("<p>利用者が開いたページ</p>"));
        QVERIFY(waitForLoad(*form.brwWebBrowser));
        // A page without a title of its own leaves the caption alone too.
        QTRY_VERIFY(!titles.isEmpty());
        QCOMPARE(form.windowTitle(), kCaption);
        const QUrl userPage = form.brwWebBrowser->url();
        QSignalSpy loads(form.brwWebBrowser, &QWebEngineView::loadStarted);
        QCOMPARE(&m_session->windows.showBrowser(), &form);
        QCOMPARE(form.geometry(), moved);
        QVERIFY(!loads.wait(500));
        QCOMPARE(form.brwWebBrowser->url(), userPage);
        QCOMPARE(
            std::ranges::count_if(QApplication::topLevelWidgets(),
                                  [](QWidget* widget) { return qobject_cast<Form6*>(widget); }),
            1);

        QVERIFY(form.close());
        QTRY_VERIFY(m_session->windows.browser() == nullptr);
        QVERIFY(palette.isVisible());
    }
    QCOMPARE(m_session->module.HasProfile, qint16(0));
}

void TestForm6::startPageIsBundledAndOffline()
{
    RequestLog log;
    QWebEngineProfile::defaultProfile()->setUrlRequestInterceptor(&log);
    Form6& form = openLoaded();
    QWebEngineProfile::defaultProfile()->setUrlRequestInterceptor(nullptr);
    QVERIFY(!log.urls.isEmpty());
    for (const QUrl& url : log.urls)
        QCOMPARE(url.scheme(), QStringLiteral("qrc"));
    QVERIFY(evaluate(*form.brwWebBrowser, QStringLiteral("document.body.innerText"))
                .toString()
                .contains(kCaption));
}

void TestForm6::startPageOffersPracticeFields_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("tag");
    for (const char* id : {"name-kanji", "name-kana", "postal-code", "address", "telephone",
                           "email", "login-id", "password", "site-name", "site-url"})
        QTest::newRow(id) << QString::fromLatin1(id) << QStringLiteral("INPUT");
    QTest::newRow("description") << QStringLiteral("description") << QStringLiteral("TEXTAREA");
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

void TestForm6::browserCoversClientArea_data()
{
    QTest::addColumn<QSize>("size"); // none: maximized, then minimized and restored
    QTest::newRow("smaller") << QSize(200, 150);
    QTest::newRow("larger") << QSize(1200, 900);
    QTest::newRow("one pixel") << QSize(1, 1);
    QTest::newRow("nothing, as when minimized") << QSize(0, 0);
    QTest::newRow("maximized and restored") << QSize();
}

void TestForm6::browserCoversClientArea()
{
    QFETCH(QSize, size);
    Form6& form = m_session->windows.showBrowser();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const QSize normal = form.size();
    if (size.isValid()) {
        form.resize(size);
    } else {
        form.showMaximized();
        QTRY_VERIFY(form.size() != normal);
    }
    QTRY_COMPARE(form.brwWebBrowser->geometry(), form.rect());
    QVERIFY(form.brwWebBrowser->isVisible());
    if (size.isValid())
        return;
    form.showMinimized();
    form.showNormal();
    QTRY_COMPARE(form.size(), normal);
    QTRY_COMPARE(form.brwWebBrowser->geometry(), form.rect());
}

void TestForm6::pageIsHeldIn_data()
{
    QTest::addColumn<QByteArray>("html"); // ends by putting its outcome in its title
    QTest::addColumn<User>("user");
    QTest::addColumn<QString>("outcome"); // the page's last title; none when the window goes
    QTest::addColumn<QString>("landing"); // the page shown at the end; none: the page itself

    QTest::newRow("frame's window.open without a gesture")
        << QByteArray("<script>onmessage = e => { document.title = e.data; };</script>"
                      "<iframe src='http://localhost:{port}/opener'></iframe>")
        << User::Nothing << u"opened"_qs << u"/"_qs;
    QTest::newRow("target _blank link the user clicks")
        << QByteArray("<a id='target' target='_blank' href='/away'>別窓で開く</a>")
        << User::ClicksTarget << u"away"_qs << u"/away"_qs;
    QTest::newRow("local page reads the record")
        << QByteArray("<script>try { const x = new XMLHttpRequest(); x.open('GET', '{record}',"
                      " false); x.send(); document.title = 'read ' + x.responseText; }"
                      " catch (e) { document.title = 'refused'; }</script>")
        << User::Nothing << u"refused"_qs << QString();
    QTest::newRow("link to a file: address")
        << QByteArray("<a id='target' href='{record}' onclick=\"document.title = 'clicked'\">"
                      "記録</a>")
        << User::ClicksTarget << u"clicked"_qs << QString();
    QTest::newRow("geolocation")
        << QByteArray(
               "<script>navigator.geolocation.getCurrentPosition("
               "() => document.title = 'granted', () => document.title = 'denied');</script>")
        << User::Nothing << u"denied"_qs << u"/"_qs;
    QTest::newRow("notifications")
        << QByteArray("<script>Notification.requestPermission().then(p => document.title = p);"
                      "</script>")
        << User::Nothing << u"denied"_qs << u"/"_qs;
    QTest::newRow("console message")
        << QByteArray("<script>console.log('{marker}'); console.error('{marker}');"
                      " console.warn('{marker}'); document.title = 'logged';</script>")
        << User::Nothing << u"logged"_qs << u"/"_qs;
    QTest::newRow("palette usable during an alert")
        << QByteArray("<script>setTimeout(() => { alert('{marker}');"
                      " document.title = 'answered'; });</script>")
        << User::UsesPaletteDuringDialog << u"answered"_qs << u"/"_qs;
    QTest::newRow("alerts silenced, then window closed")
        << QByteArray("<script>setTimeout(() => { for (let n = 0; n < 1000; ++n) alert(n);"
                      " document.title = 'done'; });</script>")
        << User::SilencesDialogsThenCloses << u"done"_qs << u"/"_qs;
    QTest::newRow("window closed during an alert")
        << QByteArray("<script>setTimeout(() => { for (;;) alert('{marker}'); });</script>")
        << User::ClosesDuringDialog << QString() << QString();
}

void TestForm6::pageIsHeldIn()
{
    QFETCH(QByteArray, html);
    QFETCH(User, user);
    QFETCH(QString, outcome);
    QFETCH(QString, landing);
    m_session->dir.writeProfile(profileBytes({QStringLiteral("1"), QString::fromUtf8(kMarker)}));
    html.replace("{marker}", kMarker)
        .replace("{record}", QUrl::fromLocalFile(m_session->dir.profilePath()).toEncoded());
    PageServer server(
        {{QStringLiteral("/"), html},
         {QStringLiteral("/away"), "<title>away</title>"},
         {QStringLiteral("/opener"), "<script>window.open('http://127.0.0.1:{port}/away');"
                                     " parent.postMessage('opened', '*');</script>"}});
    Form6& form = openLoaded();
    platform::Browser& view = *form.brwWebBrowser;
    logged().clear();
    const QtMessageHandler previousHandler = qInstallMessageHandler(
        [](QtMsgType, const QMessageLogContext&, const QString& message) { logged() << message; });
    const auto restoreHandler =
        qScopeGuard([previousHandler] { qInstallMessageHandler(previousHandler); });
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
        const QPoint target = elementCentre(view, QStringLiteral("target"));
        QVERIFY(!target.isNull());
        QSignalSpy finished(&view, &QWebEngineView::loadFinished);
        QTest::mouseClick(view.focusProxy(), Qt::LeftButton, {}, target);
        QVERIFY(finished.wait(20000));
        break;
    }
    case User::UsesPaletteDuringDialog:
        QVERIFY(whenDialogShows(form, [this](platform::BrowserDialog& dialog) {
            Form1& palette = m_session->windows.palette();
            palette.show();
            QVERIFY(QTest::qWaitForWindowExposed(&palette));
            QVERIFY(dialog.isVisible());
            userClick(*palette.Command1);
            QVERIFY(m_session->windows.editor() != nullptr);
            // The press on a slot is what starts its drag; the drag itself needs
            // a real screen and is followed to its drop by the end-to-end drag test.
            PressCount presses;
            palette.Text[0]->installEventFilter(&presses);
            userClick(*palette.Text[0]);
            QCOMPARE(presses.count, 1);
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
        // The caption stays the program's name whatever title a page takes.
        QCOMPARE(form.windowTitle(), kCaption);
        QCOMPARE(view.url(), landing.isEmpty() ? shown : server.url(landing));
    }
    QCOMPARE(server.requested().contains(QStringLiteral("/away")), landing == "/away");
    laterDialogs.stop();
    QCOMPARE(laterDialogCount, 0);
    if (user == User::SilencesDialogsThenCloses)
        form.close();
    if (user == User::SilencesDialogsThenCloses || user == User::ClosesDuringDialog) {
        QTRY_VERIFY_WITH_TIMEOUT(window.isNull(), 20000);
        QVERIFY(m_session->windows.browser() == nullptr);
    }
    for (const QString& message : logged())
        QVERIFY2(!message.contains(QString::fromUtf8(kMarker)), qPrintable(message));
}

PETATTO_WIDGET_TEST_MAIN(TestForm6)

#include "tst_form6.moc"
