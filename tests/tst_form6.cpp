#include "PageScript.h"
#include "WidgetTest.h"

#include "forms/Form1.h"
#include "forms/Form6.h"
#include "platform/Browser.h"
#include "platform/Twips.h"

#include <QApplication>
#include <QSignalSpy>
#include <QWebEngineProfile>
#include <QWebEngineUrlRequestInterceptor>

#include <algorithm>
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
    void newWindowRequestStaysInView();

private:
    // Opens the service browser through the one opener and waits for its page.
    Form6& openLoaded();

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

void TestForm6::newWindowRequestStaysInView()
{
    Form6& form = openLoaded();
    form.brwWebBrowser->setHtml(
        QStringLiteral("<a id='away' target='_blank' href='index.html'>別窓</a>"),
        QUrl(QStringLiteral("qrc:/start/")));
    QVERIFY(waitForLoad(*form.brwWebBrowser));
    QVERIFY(form.brwWebBrowser->url() != startPage());
    const auto windowCount = QApplication::topLevelWidgets().size();

    // Clicked once the script has answered, since the page then goes away.
    evaluate(*form.brwWebBrowser,
             QStringLiteral("setTimeout(() => document.getElementById('away').click()); true;"));
    QTRY_COMPARE_WITH_TIMEOUT(form.brwWebBrowser->url(), startPage(), 20000);
    QCOMPARE(QApplication::topLevelWidgets().size(), windowCount);
}

PETATTO_WIDGET_TEST_MAIN(TestForm6)

#include "tst_form6.moc"
