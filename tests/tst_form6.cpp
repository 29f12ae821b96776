#include "PageScript.h"
#include "PageServer.h"
#include "WidgetTest.h"
#include "XDisplay.h"

#include "forms/Form1.h"
#include "forms/Form6.h"
#include "forms/FormFiller.h"
#include "forms/PaletteSlotBox.h"
#include "platform/Browser.h"
#include "platform/BrowserDialog.h"
#include "platform/Twips.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QMenu>
#include <QNetworkCookie>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTimer>
#include <QWebEngineCookieStore>
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
    ClicksTarget,        // and waits for the page it leads to
    ClicksTargetInPlace, // and the page stays
    ReadsDialog,
    UsesPaletteDuringDialog,
    SilencesDialogsThenCloses,
    SilencesDialogsThenLoads,
    SilencesLeaveQuestionThenLoads,
    ClosesDuringDialog,
    PressesFillKey,        // in the box `target`, then shows the page's boxes in its title
    PressesFillKeyInFrame, // the same in the frame `target`
    PressesFillKeyInPopup, // in the box `target` of the pop-up that `target` opens
    ChoosesFillFromMenu,   // on the element `target`, then the same
};

constexpr int kEmailSlot = 41;
constexpr char kEmail[] = "hanako.yamada@example.jp";

// A page for a fill: each box with an id is shown by `summary()` as
// "id=value/inputs/changes", values as the page really holds them and events as
// its own listeners counted them, whatever the page's other scripts replace.
QByteArray fillPage(const QByteArray& body)
{
    return "<script>(function () {"
           " const counts = {}; const all = Document.prototype.querySelectorAll;"
           " const value = Object.getOwnPropertyDescriptor(HTMLInputElement.prototype, "
           "'value').get;"
           " for (const type of ['input', 'change']) document.addEventListener(type, e => {"
           "  const c = counts[e.target.id] = counts[e.target.id] || {input: 0, change: 0};"
           "  ++c[type]; }, true);"
           " const boxes = (d, prefix) => { let text = '';"
           "  for (const b of all.call(d, 'input[id]')) { const c = counts[b.id] || {input: 0, "
           "change: 0};"
           "   text += ' ' + prefix + b.id + '=' + value.call(b) + '/' + c.input + '/' + c.change; "
           "}"
           "  for (const f of all.call(d, 'iframe')) text += boxes(f.contentDocument, f.id + '.');"
           "  return text; };"
           " window.summary = () => boxes(document, '').trim();"
           "})();</script>" +
           body;
}

// Two boxes a fill would use, the second made unusable for the user by `trick`.
QByteArray pageWithTrap(const QByteArray& trick)
{
    return fillPage("<form><label>メールアドレス <input id='target' type='email' name='email'"
                    " autocomplete='email'></label><br>" +
                    trick + "</form>");
}

QByteArray trapBox(const QByteArray& attributes)
{
    return "<label>メールアドレス（確認） <input id='trap' type='email' name='email_confirm'" +
           attributes + "></label>";
}

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

// Answers the page's dialogs in turn, each with the next steps given, from
// inside the dialog's own event loop as the user's input would. Armed before
// whatever makes the page ask: a dialog's loop may already run inside that
// action's own wait, a load's or a click's, which then ends only when the
// dialog is answered.
class DialogAnswers
{
public:
    explicit DialogAnswers(Form6& form) : m_form(&form)
    {
        // The window may be closed and gone before the row ends.
        QObject::connect(&m_poll, &QTimer::timeout, [this] {
            platform::BrowserDialog* dialog = m_form ? shownDialog(*m_form) : nullptr;
            if (!dialog)
                return;
            if (m_answered < m_steps.size()) {
                m_steps[m_answered++](*dialog);
            } else {
                // One too many: counted, and closed so that the page can go on.
                ++m_unexpected;
                dialog->reject();
            }
        });
        m_poll.start(10);
    }
    void then(std::function<void(platform::BrowserDialog&)> steps) { m_steps << std::move(steps); }
    // Whether every dialog expected so far was shown and answered.
    bool allAnswered()
    {
        return QTest::qWaitFor([this] { return m_answered == m_steps.size(); }, 20000);
    }
    int unexpected() const { return m_unexpected; }

private:
    QPointer<Form6> m_form;
    QTimer m_poll;
    QList<std::function<void(platform::BrowserDialog&)>> m_steps;
    qsizetype m_answered = 0;
    int m_unexpected = 0;
};

void answerOk(platform::BrowserDialog& dialog)
{
    userClick(*dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok));
}

void answerCancel(platform::BrowserDialog& dialog)
{
    for (QAbstractButton* button : dialog.findChild<QDialogButtonBox*>()->buttons())
        if (dialog.findChild<QDialogButtonBox*>()->buttonRole(button) ==
            QDialogButtonBox::RejectRole)
            userClick(*button);
}

void silenceAndAnswer(platform::BrowserDialog& dialog,
                      const std::function<void(platform::BrowserDialog&)>& answer)
{
    auto& silence = *dialog.findChild<QCheckBox*>();
    // On its box, at the left end of the line.
    userClick(silence, QPoint(silence.height() / 2, silence.height() / 2));
    QVERIFY(silence.isChecked());
    answer(dialog);
}

// Clicks the page element `id` as the user does, with the real mouse, which
// the page counts as the user's gesture. The engine drops clicks on a frame of
// another site for a while after the frame has moved, its guard against clicks
// lured onto hidden frames: on a frame, the user clicks again until `took`
// says the click had its effect.
bool clickElement(QWebEngineView& view, const QString& id, const std::function<bool()>& took)
{
    const QPoint target = elementCentre(view, id);
    if (target.isNull())
        return false;
    QWidget& window = *view.window();
    window.raise();
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window))
        return false;
    const bool frame =
        evaluate(view, QStringLiteral("document.getElementById('%1').tagName").arg(id)) ==
        QStringLiteral("IFRAME");
    return QTest::qWaitFor(
        [&] { return clickAt(view, target) && (!frame || QTest::qWaitFor(took, 1000)); }, 20000);
}

// Whether the kernel holds the page's renderer in a sandbox: the engine's
// sandbox puts a seccomp filter on it. Read from the process, not from how the
// program decides.
bool rendererSandboxed(const QWebEnginePage& page)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(page.renderProcessPid()));
    if (!status.open(QIODevice::ReadOnly))
        qFatal("the renderer's status cannot be read");
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("Seccomp:"))
            return line.mid(8).trimmed() != "0";
    qFatal("the kernel does not say whether the renderer is filtered");
}

// The caption a window showing `page` must have: the program's name, the site
// named, and the warning when the engine runs without its sandbox.
QString expectedCaption(const QString& site, const QWebEnginePage& page)
{
    QString caption = kCaption;
    if (!site.isEmpty())
        caption += QStringLiteral(" － ") + site;
    if (!rendererSandboxed(page))
        caption += QStringLiteral("（サンドボックスなし）");
    return caption;
}

// The pop-ups a browser window opened.
QList<platform::Browser*> popupsOf(Form6& form)
{
    QList<platform::Browser*> popups = form.findChildren<platform::Browser*>();
    popups.removeIf([](const platform::Browser* browser) { return !browser->isWindow(); });
    return popups;
}

} // namespace

class TestForm6 : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
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
    // Holds an `xdg-open` that records each call into `m_handedOut`; it comes
    // first on the search path, where the desktop's opener is looked for.
    QTemporaryDir m_opener;
    QString m_handedOut;
};

void TestForm6::initTestCase()
{
    QVERIFY(m_opener.isValid());
    const QString opener = m_opener.filePath(QStringLiteral("xdg-open"));
    m_handedOut = m_opener.filePath(QStringLiteral("calls"));
    QFile script(opener);
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\nprintf '%s\\n' \"$*\" >> \"${0%/*}/calls\"\n");
    script.close();
    QVERIFY(script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    qputenv("PATH", m_opener.path().toLocal8Bit() + ':' + qgetenv("PATH"));
    // A browser named here would be chosen before the opener.
    qunsetenv("BROWSER");
    qunsetenv("DEFAULT_BROWSER");
}

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
        QCOMPARE(form.windowTitle(),
                 expectedCaption(u"練習用ページ"_s, *form.brwWebBrowser->page()));
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
        // A page the program shows from its own data names no site.
        QTRY_VERIFY(!titles.isEmpty());
        QCOMPARE(form.windowTitle(), expectedCaption(QString(), *form.brwWebBrowser->page()));
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
    QTest::addColumn<QString>("outcome");     // the page's last title; none when the window goes
    QTest::addColumn<QString>("landing");     // the address shown at the end; none: the page itself
    QTest::addColumn<QString>("site");        // what the caption names after the program
    QTest::addColumn<QString>("popup");       // the address a pop-up shows; none: no pop-up
    QTest::addColumn<QByteArray>("awaySite"); // Sec-Fetch-Site of the one request for /away
    // "{port}" in an address stands for the test server's port.

    const QString here = u"http://127.0.0.1"_s;
    // Most pages stay shown on this site, with no pop-up and no request for /away.
    const auto staysHere = [&here](const char* name, const QByteArray& html, User user,
                                   const QString& outcome) {
        QTest::newRow(name) << html << user << outcome << QString() << here << QString()
                            << QByteArray();
    };
    const QString away = u"http://127.0.0.1:{port}/away"_s;
    staysHere("frame's window.open without a gesture",
              QByteArray("<script>onmessage = e => { document.title = e.data; };</script>"
                         "<iframe src='http://localhost:{port}/opener'></iframe>"),
              User::Nothing, u"opened"_s);
    QTest::newRow("target _blank link the user clicks")
        << QByteArray("<title>opener</title><a id='target' target='_blank' href='/away'>別窓</a>")
        << User::ClicksTargetInPlace << u"opener"_s << QString() << here << away
        << QByteArray("same-origin");
    QTest::newRow("pop-up of another site")
        << QByteArray("<title>opener</title>"
                      "<a id='target' target='_blank' href='http://localhost:{port}/away'>別窓</a>")
        << User::ClicksTargetInPlace << u"opener"_s << QString() << here
        << u"http://localhost:{port}/away"_s << QByteArray("cross-site");
    QTest::newRow("pop-up of a sandboxed frame")
        << QByteArray("<title>opener</title><iframe id='target' sandbox='allow-popups'"
                      " style='width: 300px; height: 200px' srcdoc=\"<a target='_blank'"
                      " href='http://127.0.0.1:{port}/away' style='display: block; height: 100vh'>"
                      "別窓</a>\"></iframe>")
        << User::ClicksTargetInPlace << u"opener"_s << QString() << here << away
        << QByteArray("cross-site");
    staysHere("another program's link the user clicks",
              QByteArray("<a id='target' href='mailto:x@example.com?subject=hi&attach=NAME.txt'"
                         " onclick=\"setTimeout(() => document.title = 'clicked', 500)\">"
                         "メール</a>"),
              User::ClicksTargetInPlace, u"clicked"_s);
    staysHere("other programs' schemes on the user's click",
              QByteArray("<iframe id='frame'></iframe><button id='target' onclick=\""
                         "document.getElementById('frame').src = 'smb://example.com/x.desktop';"
                         " location = 'petatto-test:open';"
                         " setTimeout(() => document.title = 'sent', 500)\">送る</button>"),
              User::ClicksTargetInPlace, u"sent"_s);
    staysHere("frame moves the page without a gesture",
              QByteArray("<title>page</title><script>onmessage = e => { document.title = e.data; };"
                         "</script><iframe src='http://localhost:{port}/early-buster'></iframe>"),
              User::Nothing, u"tried"_s);
    staysHere(
        "frame moves the page after the user clicks the page",
        QByteArray("<script>onmessage = e => { document.title = e.data; };</script>"
                   "<button id='target' onclick=\"frames[0].postMessage('go', '*')\">押す</button>"
                   "<iframe src='http://localhost:{port}/buster'></iframe>"),
        User::ClicksTargetInPlace, u"tried"_s);
    QTest::newRow("frame moves the page on the user's click in it")
        << QByteArray("<iframe id='target' src='http://localhost:{port}/buster'"
                      " style='width: 300px; height: 200px'></iframe>")
        << User::ClicksTarget << u"away"_s << u"http://localhost:{port}/away"_s
        << u"http://localhost"_s << QString() << QByteArray("same-origin");
    QTest::newRow("link to an international address")
        << QByteArray("<a id='target' href='http://ペタッと.localhost:{port}/away'>次へ</a>")
        << User::ClicksTarget << u"away"_s << u"http://ペタッと.localhost:{port}/away"_s
        << u"http://xn--o9jujma4g.localhost"_s << QString() << QByteArray("cross-site");
    staysHere("page titled as the practice page",
              QByteArray("<title>ペタッと名簿 － 練習用ページ</title>"), User::Nothing,
              u"ペタッと名簿 － 練習用ページ"_s);
    staysHere("link to the bundled page the user clicks",
              QByteArray("<a id='target' href='qrc:/start/index.html'"
                         " onclick=\"setTimeout(() => document.title = 'clicked', 500)\">練習</a>"),
              User::ClicksTargetInPlace, u"clicked"_s);
    staysHere("page sends itself to the bundled page",
              QByteArray("<meta http-equiv='refresh' content='0; url=qrc:/start/index.html'>"
                         "<script>setTimeout(() => document.title = 'stayed', 500);</script>"),
              User::Nothing, u"stayed"_s);
    staysHere("bundled picture in a page",
              QByteArray("<img src='qrc:/icon.png' onload=\"document.title = 'shown'\""
                         " onerror=\"document.title = 'refused'\">"),
              User::Nothing, u"refused"_s);
    staysHere("dialogs of a frame of another site and of its sandboxed frame",
              QByteArray("<script>onmessage = e => { document.title = e.data; };</script>"
                         "<iframe src='http://localhost:{port}/asker'></iframe>"),
              User::Nothing, u"confirm false, prompt null"_s);
    QTest::newRow("local page reads the record")
        << QByteArray("<script>try { const x = new XMLHttpRequest(); x.open('GET', '{record}',"
                      " false); x.send(); document.title = 'read ' + x.responseText; }"
                      " catch (e) { document.title = 'refused'; }</script>")
        << User::Nothing << u"refused"_s << QString() << QString() << QString() << QByteArray();
    QTest::newRow("link to a file: address")
        << QByteArray("<a id='target' href='{record}'"
                      " onclick=\"setTimeout(() => document.title = 'clicked', 500)\">記録</a>")
        << User::ClicksTargetInPlace << u"clicked"_s << QString() << QString() << QString()
        << QByteArray();
    staysHere(
        "geolocation",
        QByteArray("<script>navigator.geolocation.getCurrentPosition("
                   "() => document.title = 'granted', () => document.title = 'denied');</script>"),
        User::Nothing, u"denied"_s);
    staysHere("notifications",
              QByteArray("<script>Notification.requestPermission().then(p => document.title = p);"
                         "</script>"),
              User::Nothing, u"denied"_s);
    staysHere("console message",
              QByteArray("<script>console.log('{marker}'); console.error('{marker}');"
                         " console.warn('{marker}'); document.title = 'logged';</script>"),
              User::Nothing, u"logged"_s);
    staysHere("markup in a dialog's message",
              QByteArray("<script>setTimeout(() => { alert(\"<b>{marker}</b>"
                         "<a href='http://127.0.0.1/'>link</a>\"); document.title = 'answered'; });"
                         "</script>"),
              User::ReadsDialog, u"answered"_s);
    QTest::newRow("dialog of an international address")
        << QByteArray("<script>location = 'http://ペタッと.localhost:{port}/dialog';</script>")
        << User::ReadsDialog << u"shown"_s << u"http://ペタッと.localhost:{port}/dialog"_s
        << u"http://xn--o9jujma4g.localhost"_s << QString() << QByteArray();
    staysHere("palette usable during an alert",
              QByteArray("<script>setTimeout(() => { alert('{marker}');"
                         " document.title = 'answered'; });</script>"),
              User::UsesPaletteDuringDialog, u"answered"_s);
    const QByteArray alerts("<script>setTimeout(() => { for (let n = 0; n < 1000; ++n) alert(n);"
                            " document.title = 'done'; });</script>");
    staysHere("alerts silenced, then window closed", alerts, User::SilencesDialogsThenCloses,
              u"done"_s);
    QTest::newRow("alerts silenced, then another page")
        << alerts << User::SilencesDialogsThenLoads << u"shown"_s
        << u"http://127.0.0.1:{port}/dialog"_s << here << QString() << QByteArray();
    QTest::newRow("leave question silenced, then another page")
        << QByteArray("<script>onbeforeunload = e => { e.preventDefault(); e.returnValue = ''; };"
                      "</script><a id='target' href='/away' onclick=\"alert('{marker}')\">次へ</a>")
        << User::SilencesLeaveQuestionThenLoads << u"away"_s << away << here << QString()
        << QByteArray("none");
    QTest::newRow("window closed during an alert")
        << QByteArray("<script>setTimeout(() => { for (;;) alert('{marker}'); });</script>")
        << User::ClosesDuringDialog << QString() << QString() << QString() << QString()
        << QByteArray();
    // Filling a form: only the form the user chose, only boxes the user can
    // see and type in, and only on the user's own command.
    const QByteArray filledOnly = "target=" + QByteArray(kEmail) + "/1/1 trap=/0/0";
    QTest::newRow("fill key in a pop-up")
        << QByteArray("<title>opener</title>"
                      "<a id='target' target='_blank' href='/form'>会員登録</a>")
        << User::PressesFillKeyInPopup << u"opener"_s << QString() << here
        << u"http://127.0.0.1:{port}/form"_s << QByteArray();
    staysHere("fill key: only the focused form",
              fillPage("<form><label>メールアドレス <input id='trap' type='email'"
                       " autocomplete='email'></label></form>"
                       "<form><label>メールアドレス <input id='target' type='email'"
                       " autocomplete='email'></label></form>"),
              User::PressesFillKey,
              QString::fromUtf8("trap=/0/0 target=" + QByteArray(kEmail) + "/1/1"));
    staysHere(
        "menu: only the form under the pointer",
        fillPage("<form><label>メールアドレス <input id='trap' type='email' autocomplete='email'"
                 " autofocus></label></form><form><p id='target'>こちらのフォーム</p>"
                 "<label>メールアドレス <input id='other' type='email' autocomplete='email'>"
                 "</label></form>"),
        User::ChoosesFillFromMenu,
        QString::fromUtf8("trap=/0/0 other=" + QByteArray(kEmail) + "/1/1"));
    for (const auto& [name, trick] : std::initializer_list<std::pair<const char*, QByteArray>>{
             {"not displayed", trapBox(" style='display: none'")},
             {"invisible", trapBox(" style='visibility: hidden'")},
             {"zero-sized", trapBox(" style='width: 0; height: 0; padding: 0; border: 0'")},
             {"off-screen", trapBox(" style='position: absolute; left: -5000px'")},
             {"transparent", "<div style='opacity: 0'>" + trapBox("") + "</div>"},
             {"clipped away", "<div style='height: 0; overflow: hidden'>" + trapBox("") + "</div>"},
             {"disabled", trapBox(" disabled")},
             {"read-only", trapBox(" readonly")},
             {"in a disabled group", "<fieldset disabled>" + trapBox("") + "</fieldset>"}})
        staysHere(qPrintable(QStringLiteral("fill skips a box %1").arg(QLatin1String(name))),
                  pageWithTrap(trick), User::PressesFillKey, QString::fromUtf8(filledOnly));
    staysHere(
        "fill checks each box again as it writes",
        pageWithTrap(trapBox("") +
                     "<script>document.getElementById('target').addEventListener('input',"
                     " () => { document.getElementById('trap').readOnly = true; });</script>"),
        User::PressesFillKey, QString::fromUtf8(filledOnly));
    staysHere("fill leaves a frame's form alone",
              fillPage("<form><label>メールアドレス <input id='outer' type='email'"
                       " autocomplete='email'></label><br><iframe id='target' style='width: 300px;"
                       " height: 60px' srcdoc=\"<input id='inner' type='email' autocomplete='email'"
                       " style='width: 100%; height: 40px'>\"></iframe></form>"),
              User::PressesFillKeyInFrame, u"outer=/0/0 target.inner=/0/0"_s);
    staysHere("page's own key events, focus and messages start no fill",
              fillPage("<form><label>メールアドレス <input id='target' type='email'"
                       " autocomplete='email'></label></form><form><label>メールアドレス"
                       " <input id='trap' type='email' autocomplete='email'></label></form>"
                       "<script>const trap = document.getElementById('trap'); trap.focus();"
                       " for (const type of ['keydown', 'keypress', 'keyup'])"
                       "  for (const at of [trap, document, window])"
                       "   at.dispatchEvent(new KeyboardEvent(type, {key: 'L', code: 'KeyL',"
                       "    keyCode: 76, ctrlKey: true, shiftKey: true, bubbles: true}));"
                       " window.postMessage('fill', '*'); window.postMessage({fill: true}, '*');"
                       "</script>"),
              User::PressesFillKey, QString::fromUtf8(filledOnly));
    staysHere(
        "page's replaced functions neither change nor see the fill",
        fillPage("<form><label>メールアドレス <input id='target' type='email'"
                 " autocomplete='email'></label><input id='seen' type='hidden'></form><script>"
                 "const seen = document.getElementById('seen'); const log = [];"
                 " const value = Object.getOwnPropertyDescriptor(HTMLInputElement.prototype,"
                 " 'value'); Object.defineProperty(HTMLInputElement.prototype, 'value', {"
                 " get() { return 'forged'; }, set(v) { log.push(v); value.set.call(this, v); }});"
                 " const dispatch = EventTarget.prototype.dispatchEvent;"
                 " EventTarget.prototype.dispatchEvent = function (e) { log.push(e.type);"
                 "  return dispatch.call(this, e); };"
                 " Document.prototype.querySelectorAll = () => [];"
                 " HTMLFormElement.prototype.__defineGetter__('elements', () => []);"
                 " Array.from = () => []; JSON.stringify = () => '{}';"
                 " window.getComputedStyle = () => ({opacity: '0', visibility: 'hidden'});"
                 " document.addEventListener('change', () => value.set.call(seen,"
                 "  log.join(',') + String(Object.getOwnPropertySymbols(window).length)));"
                 "</script>"),
        User::PressesFillKey,
        QString::fromUtf8("target=" + QByteArray(kEmail) + "/1/1 seen=0/0/0"));
}

void TestForm6::pageIsHeldIn()
{
    QFETCH(QByteArray, html);
    QFETCH(User, user);
    QFETCH(QString, outcome);
    QFETCH(QString, landing);
    QFETCH(QString, site);
    QFETCH(QString, popup);
    QFETCH(QByteArray, awaySite);
    m_session->dir.writeProfile(profileBytes({QStringLiteral("1"), QString::fromUtf8(kMarker)}));
    html.replace("{marker}", kMarker)
        .replace("{record}", QUrl::fromLocalFile(m_session->dir.profilePath()).toEncoded());
    const QByteArray bust(
        "function bust() { try { top.location = 'http://localhost:{port}/away'; }"
        " catch (e) {} setTimeout(() => parent.postMessage('tried', '*'), 500); }");
    QMap<QString, QByteArray> pages(
        {{QStringLiteral("/"), html},
         {QStringLiteral("/away"), "<title>away</title>"},
         {QStringLiteral("/form"),
          "<title>form</title><form><label>メールアドレス <input id='target' type='email'"
          " autocomplete='email' oninput=\"document.title = 'away'\"></label></form>"},
         {QStringLiteral("/dialog"), "<script>setTimeout(() => { alert('{marker}');"
                                     " document.title = 'shown'; });</script>"},
         {QStringLiteral("/opener"), "<script>window.open('http://127.0.0.1:{port}/away');"
                                     " parent.postMessage('opened', '*');</script>"},
         // Move the page that holds them, on a click in them or on a message,
         // or by themselves, and tell that they tried unless the page went.
         {QStringLiteral("/buster"),
          "<body style='margin: 0' onclick='bust()'><div style='height: 100vh'></div><script>" +
              bust + " onmessage = bust;</script></body>"},
         {QStringLiteral("/early-buster"), "<script>" + bust + " setTimeout(bust, 100);</script>"},
         // Asks in a dialog, and has a sandboxed frame of its own ask too.
         {QStringLiteral("/asker"),
          "<script>onmessage = e => parent.postMessage('confirm ' + asked + ', ' + e.data, '*');"
          " const asked = confirm('{marker}');</script><iframe sandbox='allow-scripts"
          " allow-modals' srcdoc=\"<script>parent.postMessage('prompt ' +"
          " prompt('セッションの有効期限が切れました。パスワードをもう一度入力してください。'),"
          " '*');</script>\"></iframe>"}});
    // The server's own pages that show a value show the same one.
    for (QByteArray& page : pages)
        page.replace("{marker}", kMarker);
    PageServer server(std::move(pages));
    const auto expand = [&server](const QString& address) {
        return QUrl(QString(address).replace(QStringLiteral("{port}"),
                                             QString::number(server.url({}).port())));
    };
    // Every site the pages reach has a cookie that only its own pages may send.
    for (const QString& host : {u"127.0.0.1"_s, u"localhost"_s, u"xn--o9jujma4g.localhost"_s}) {
        QNetworkCookie cookie("session", "1");
        cookie.setDomain(host);
        cookie.setPath(QStringLiteral("/"));
        cookie.setSameSitePolicy(QNetworkCookie::SameSite::Strict);
        QWebEngineProfile::defaultProfile()->cookieStore()->setCookie(
            cookie, QUrl(QStringLiteral("http://") + host));
    }
    QFile::remove(m_handedOut);
    Form6& form = openLoaded();
    platform::Browser& view = *form.brwWebBrowser;
    m_session->windows.palette().setSlotText(kEmailSlot, QString::fromUtf8(kEmail));
    QSignalSpy fillsDone(form.findChild<FormFiller*>(), &FormFiller::finished);
    logged().clear();
    const QtMessageHandler previousHandler = qInstallMessageHandler(
        [](QtMsgType, const QMessageLogContext&, const QString& message) { logged() << message; });
    const auto restoreHandler =
        qScopeGuard([previousHandler] { qInstallMessageHandler(previousHandler); });

    QPointer<Form6> window(&form);
    // The dialogs the user answers; any other dialog is one too many.
    DialogAnswers answers(form);
    QImage seen, asPlainText;
    QString dialogTitle;
    switch (user) {
    case User::ReadsDialog:
        answers.then([&](platform::BrowserDialog& dialog) {
            dialogTitle = dialog.windowTitle();
            QList<QLabel*> labels = dialog.findChildren<QLabel*>();
            labels.removeIf([](const QLabel* label) {
                return !label->text().contains(QString::fromUtf8(kMarker));
            });
            if (labels.size() == 1) {
                QLabel& message = *labels.first();
                QLabel plain;
                plain.setTextFormat(Qt::PlainText);
                plain.setWordWrap(message.wordWrap());
                plain.setFont(message.font());
                plain.setText(message.text());
                plain.resize(message.size());
                seen = message.grab().toImage().convertToFormat(QImage::Format_RGB32);
                asPlainText = plain.grab().toImage().convertToFormat(QImage::Format_RGB32);
            }
            answerOk(dialog);
        });
        break;
    case User::UsesPaletteDuringDialog:
        answers.then([this](platform::BrowserDialog& dialog) {
            Form1& palette = m_session->windows.palette();
            palette.show();
            QVERIFY(QTest::qWaitForWindowExposed(&palette));
            QVERIFY(dialog.isVisible());
            userClick(*palette.Command1);
            QVERIFY(m_session->windows.editor() != nullptr);
            // The press on a slot is what starts its drag, which the release
            // of the real mouse ends; the end-to-end drag test follows a drag
            // to its drop.
            PressCount presses;
            palette.Text[0]->installEventFilter(&presses);
            QVERIFY(clickOn(*palette.Text[0]));
            QCOMPARE(presses.count, 1);
            answerOk(dialog);
        });
        break;
    case User::SilencesDialogsThenCloses:
    case User::SilencesDialogsThenLoads:
        answers.then([](platform::BrowserDialog& dialog) {
            // The first dialog of a page offers no way to silence it.
            QVERIFY(!dialog.findChild<QCheckBox*>());
            answerOk(dialog);
        });
        answers.then([](platform::BrowserDialog& dialog) { silenceAndAnswer(dialog, answerOk); });
        break;
    case User::SilencesLeaveQuestionThenLoads:
        answers.then(answerOk);
        // The user stays, and wants no more questions from this page.
        answers.then(
            [](platform::BrowserDialog& dialog) { silenceAndAnswer(dialog, answerCancel); });
        break;
    case User::ClosesDuringDialog:
        answers.then([&form](platform::BrowserDialog&) { form.close(); });
        break;
    default:
        break;
    }
    // Pages that touch files are shown as local pages: the engine itself
    // already keeps pages from the network away from files.
    QSignalSpy loads(&view, &QWebEngineView::loadFinished);
    if (html.contains("file:"))
        view.setHtml(QString::fromUtf8(html),
                     QUrl::fromLocalFile(m_session->dir.path() + QLatin1Char('/')));
    else
        view.load(server.url(QStringLiteral("/")));
    // A page that asks at once may ask before its load is reported, and the
    // dialog's own loop then runs inside whatever waits for the load: its
    // answer must be ready first, and the load is looked at afterwards.
    const bool asksAtOnce = user == User::ReadsDialog || user == User::UsesPaletteDuringDialog ||
                            user == User::SilencesDialogsThenCloses ||
                            user == User::SilencesDialogsThenLoads ||
                            user == User::ClosesDuringDialog;
    // Focuses the box `target` of a browser's page with a click, then presses
    // the fill key there.
    const auto pressFillKey = [](platform::Browser& browser) {
        QVERIFY(QTest::qWaitForWindowActive(browser.window()));
        const QPoint target = elementCentre(browser, QStringLiteral("target"));
        const auto focused = [&browser] {
            return evaluate(browser, QStringLiteral("document.activeElement.id")) == u"target"_s;
        };
        // The engine may still be readying its input when the page shows.
        QVERIFY(QTest::qWaitFor(
            [&] {
                QTest::mouseClick(browser.focusProxy(), Qt::LeftButton, {}, target);
                return QTest::qWaitFor(focused, 1000);
            },
            20000));
        QTest::keyClick(browser.focusProxy(), Qt::Key_L, Qt::ControlModifier | Qt::ShiftModifier);
    };
    QUrl shown;
    const auto pageShown = [&] {
        if ((loads.isEmpty() && !loads.wait(20000)) || !loads.first().at(0).toBool())
            return false;
        shown = view.url();
        return true;
    };
    if (!asksAtOnce)
        QVERIFY(pageShown());

    switch (user) {
    case User::Nothing:
        break;
    case User::ClicksTarget: {
        QSignalSpy started(&view, &QWebEngineView::loadStarted);
        QSignalSpy finished(&view, &QWebEngineView::loadFinished);
        QVERIFY(clickElement(view, QStringLiteral("target"), [&] { return !started.isEmpty(); }));
        // The new page may have loaded while the click was being made.
        QVERIFY(!finished.isEmpty() || finished.wait(20000));
        break;
    }
    case User::ClicksTargetInPlace:
        QVERIFY(clickElement(view, QStringLiteral("target"),
                             [&] { return !popupsOf(form).isEmpty(); }));
        break;
    case User::ReadsDialog:
        QVERIFY(answers.allAnswered());
        // What the user sees is the message as it came, tags and all.
        QVERIFY(!seen.isNull());
        QCOMPARE(seen, asPlainText);
        // The dialog names the site as the caption does.
        QCOMPARE(dialogTitle, site + QStringLiteral(" の内容"));
        break;
    case User::UsesPaletteDuringDialog:
    case User::SilencesDialogsThenCloses:
    case User::ClosesDuringDialog:
        QVERIFY(answers.allAnswered());
        break;
    case User::SilencesDialogsThenLoads:
        QVERIFY(answers.allAnswered());
        // A page loaded next may ask again.
        QTRY_COMPARE_WITH_TIMEOUT(view.title(), u"done"_s, 20000);
        answers.then(answerOk);
        view.load(server.url(QStringLiteral("/dialog")));
        QVERIFY(answers.allAnswered());
        break;
    case User::SilencesLeaveQuestionThenLoads:
        QVERIFY(clickElement(view, QStringLiteral("target"), {}));
        QVERIFY(answers.allAnswered());
        view.load(server.url(QStringLiteral("/away")));
        QVERIFY(waitForLoad(view));
        break;
    case User::PressesFillKey:
    case User::PressesFillKeyInFrame:
        pressFillKey(view);
        QTRY_COMPARE_WITH_TIMEOUT(fillsDone.count(), 1, 20000);
        evaluate(view, QStringLiteral("document.title = summary()"));
        break;
    case User::PressesFillKeyInPopup: {
        QVERIFY(clickElement(view, QStringLiteral("target"), {}));
        QTRY_VERIFY_WITH_TIMEOUT(!popupsOf(form).isEmpty(), 20000);
        platform::Browser& opened = *popupsOf(form).first();
        auto* filler = opened.findChild<FormFiller*>({}, Qt::FindDirectChildrenOnly);
        QVERIFY(filler);
        QSignalSpy popupFills(filler, &FormFiller::finished);
        QTRY_COMPARE_WITH_TIMEOUT(opened.title(), u"form"_s, 20000);
        pressFillKey(opened);
        QTRY_COMPARE_WITH_TIMEOUT(popupFills.count(), 1, 20000);
        break;
    }
    case User::ChoosesFillFromMenu: {
        QTest::mouseClick(view.focusProxy(), Qt::RightButton, {},
                          elementCentre(view, QStringLiteral("target")));
        QMenu* menu = nullptr;
        QTRY_VERIFY((menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())));
        auto* entry = menu->findChild<QAction*>(QStringLiteral("fillForm"));
        QVERIFY(entry);
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(entry).center());
        QTRY_COMPARE_WITH_TIMEOUT(fillsDone.count(), 1, 20000);
        evaluate(view, QStringLiteral("document.title = summary()"));
        break;
    }
    }

    QVERIFY(!QTest::currentTestFailed());
    QList<platform::Browser*> popups;
    if (!popup.isEmpty()) {
        QTRY_VERIFY_WITH_TIMEOUT(!(popups = popupsOf(form)).isEmpty(), 20000);
        QTRY_COMPARE_WITH_TIMEOUT(popups.first()->title(), u"away"_s, 20000);
        QCOMPARE(popups.first()->url(), expand(popup));
    }
    if (!outcome.isEmpty()) {
        if (asksAtOnce)
            QVERIFY(pageShown());
        QTRY_COMPARE_WITH_TIMEOUT(view.title(), outcome, 20000);
        QCOMPARE(view.url(), landing.isEmpty() ? shown : expand(landing));
    }
    QCOMPARE(window ? popupsOf(form).size() : 0, popup.isEmpty() ? 0 : 1);
    // A request from another site, or from a sandboxed frame, carries none of
    // the site's own cookies.
    QCOMPARE(server.requested().count(QStringLiteral("/away")), awaySite.isEmpty() ? 0 : 1);
    if (!awaySite.isEmpty()) {
        QCOMPARE(server.header(QStringLiteral("/away"), "Sec-Fetch-Site"), awaySite);
        QCOMPARE(server.header(QStringLiteral("/away"), "Cookie").contains("session=1"),
                 awaySite != "cross-site");
    }
    // One fill for the user's one command, and none for anything the page did.
    const bool fills = user == User::PressesFillKey || user == User::PressesFillKeyInFrame ||
                       user == User::ChoosesFillFromMenu;
    QCOMPARE(fillsDone.count(), fills ? 1 : 0);
    if (fills)
        QCOMPARE(form.findChild<QLabel*>(QStringLiteral("PageNotice"))->text(),
                 user == User::PressesFillKeyInFrame
                     ? u"枠の中に表示されたフォームには入力できません"_s
                     : u"1 か所に入力しました"_s);
    QCOMPARE(answers.unexpected(), 0);
    // Nothing of a page reaches another program: the opener stays uncalled.
    QVERIFY(!QTest::qWaitFor([this] { return QFile::exists(m_handedOut); }, 500));
    // The captions name the sites shown, whatever titles the pages take.
    if (!outcome.isEmpty())
        QCOMPARE(form.windowTitle(), expectedCaption(site, *view.page()));
    for (platform::Browser* opened : std::as_const(popups))
        QCOMPARE(
            opened->windowTitle(),
            expectedCaption(opened->url().scheme() + QStringLiteral("://") + opened->url().host(),
                            *opened->page()));
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
