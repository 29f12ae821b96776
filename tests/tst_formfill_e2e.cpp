// Filling every page of the form-filling corpus from end to end, on a real X
// server with a window manager: the fixture record goes into the palette, each
// page opens in the service browser from a local server, xdotool clicks into
// the page's form and presses the real Ctrl+Shift+L, and every control of the
// page is compared with the page's answer file. Every mismatch is reported,
// and at the end the share of the boxes the record answers that came out right.
#include "PageScript.h"
#include "PageServer.h"
#include "WidgetTest.h"
#include "XDisplay.h"

#include "forms/Form1.h"
#include "forms/Form6.h"
#include "forms/FormFiller.h"
#include "platform/Browser.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QStandardPaths>

#include <memory>

namespace {

constexpr int kPageTimeout = 20000;
const QString kCorpus = QStringLiteral(PETATTO_FORMFILL_DIR);

// Every control of the page as its answer file names it: the id, else the
// name, and name=value for radio buttons and check boxes; a select gives its
// chosen value, radio buttons and check boxes "checked" or nothing.
const QString kReadControls =
    QStringLiteral("(function () { const seen = {};"
                   " for (const box of document.querySelectorAll('input, select, textarea')) {"
                   "  if (box instanceof HTMLInputElement &&"
                   "      ['submit', 'button', 'reset', 'image'].includes(box.type)) continue;"
                   "  const checkable = box.type === 'radio' || box.type === 'checkbox';"
                   "  const key = checkable ? box.name + '=' + box.value : (box.id || box.name);"
                   "  seen[key] = checkable ? (box.checked ? 'checked' : '') : box.value; }"
                   " return seen; })()");

// The centre of the first box of the target form a user would click to type in.
const QString kFirstTextBox = QStringLiteral(
    "(function () { for (const box of document.getElementById('target').elements) {"
    "  if (!(box instanceof HTMLInputElement || box instanceof HTMLTextAreaElement) ||"
    "      ['hidden', 'radio', 'checkbox', 'submit', 'button', 'reset', 'image', 'file']"
    "          .includes(box.type)) continue;"
    "  const r = box.getBoundingClientRect(); if (r.width < 2 || r.height < 2) continue;"
    "  box.scrollIntoView({block: 'center'}); const s = box.getBoundingClientRect();"
    "  return [Math.round(s.left + s.width / 2), Math.round(s.top + s.height / 2)]; }"
    " return []; })()");

QMap<QString, QString> answerFile(const QString& path)
{
    QFile file(path);
    QMap<QString, QString> answers;
    if (!file.open(QIODevice::ReadOnly))
        return answers;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        if (line.isEmpty())
            continue;
        const qsizetype tab = line.indexOf(QLatin1Char('\t'));
        answers.insert(line.left(tab), tab < 0 ? QString() : line.mid(tab + 1));
    }
    return answers;
}

QMap<QString, QString> pageControls(QWebEngineView& view)
{
    QMap<QString, QString> controls;
    const QVariantMap seen = evaluate(view, kReadControls).toMap();
    for (auto box = seen.cbegin(); box != seen.cend(); ++box)
        controls.insert(box.key(), box.value().toString());
    return controls;
}

} // namespace

class TestFormFillEndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void fillsEveryCorpusPage_data();
    void fillsEveryCorpusPage();

private:
    std::unique_ptr<ProgramSession> m_session;
    Form6* m_browser = nullptr;
    int m_answerable = 0; // boxes the record answers that the page left empty
    int m_right = 0;      // of those, filled with exactly the answer
    int m_wrong = 0;      // boxes that got a value other than the answer
};

void TestFormFillEndToEnd::initTestCase()
{
    QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty(),
             "xdotool is needed to press the real keys");
    m_session = std::make_unique<ProgramSession>();

    QFile record(kCorpus + QStringLiteral("/record.txt"));
    QVERIFY(record.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(record.readAll()).split(QLatin1Char('\n'));
    QVERIFY(lines.size() >= profile::kSlotCount);
    Form1& palette = m_session->windows.palette();
    for (int slot = 0; slot < profile::kSlotCount; ++slot)
        palette.setSlotText(slot, lines[slot]);
    palette.show();
    m_browser = &m_session->windows.showBrowser();
    QVERIFY(QTest::qWaitForWindowExposed(m_browser));
}

void TestFormFillEndToEnd::cleanupTestCase()
{
    if (m_answerable > 0)
        qInfo("answerable boxes filled right: %d of %d (%.1f%%); boxes with a wrong value: %d",
              m_right, m_answerable, 100.0 * m_right / m_answerable, m_wrong);
    if (m_session)
        QCOMPARE(m_session->errors.numbers(), QList<int>());
    m_session.reset();
}

void TestFormFillEndToEnd::fillsEveryCorpusPage_data()
{
    QTest::addColumn<QString>("page");
    const QStringList pages =
        QDir(kCorpus).entryList({QStringLiteral("[0-9][0-9]-*.html")}, QDir::Files, QDir::Name);
    QVERIFY(!pages.isEmpty());
    for (const QString& page : pages)
        QTest::newRow(qPrintable(page.chopped(5))) << kCorpus + QLatin1Char('/') + page;
}

void TestFormFillEndToEnd::fillsEveryCorpusPage()
{
    QFETCH(QString, page);
    QFile html(page);
    QVERIFY(html.open(QIODevice::ReadOnly));
    const QMap<QString, QString> answers = answerFile(page.chopped(5) + u".expected"_s);
    QVERIFY(!answers.isEmpty());
    PageServer server({{QStringLiteral("/"), html.readAll()}});
    platform::Browser& view = *m_browser->brwWebBrowser;
    QSignalSpy loaded(&view, &QWebEngineView::loadFinished);
    view.load(server.url(QStringLiteral("/")));
    QVERIFY(loaded.wait(kPageTimeout));
    const QMap<QString, QString> before = pageControls(view);

    // The user clicks into the form, then presses the keys.
    const QVariantList box = evaluate(view, kFirstTextBox).toList();
    QCOMPARE(box.size(), 2);
    const QPoint at = view.mapToGlobal(QPoint(box[0].toInt(), box[1].toInt()));
    QVERIFY(xdotool({QStringLiteral("mousemove"), QStringLiteral("--sync"), QString::number(at.x()),
                     QString::number(at.y()), QStringLiteral("click"), QStringLiteral("1")}));
    QTRY_VERIFY_WITH_TIMEOUT(
        evaluate(view, QStringLiteral("!!document.activeElement.closest('#target')")).toBool(),
        kPageTimeout);
    QSignalSpy filled(m_browser->findChild<FormFiller*>(), &FormFiller::finished);
    QVERIFY(xdotool({QStringLiteral("key"), QStringLiteral("ctrl+shift+l")}));
    // The fill may be done before xdotool has returned, since waiting for it
    // lets the program run.
    QTRY_COMPARE_WITH_TIMEOUT(filled.count(), 1, kPageTimeout);
    const QMap<QString, QString> after = pageControls(view);

    QStringList mismatches;
    for (auto answer = answers.cbegin(); answer != answers.cend(); ++answer) {
        const QString& key = answer.key();
        if (!after.contains(key)) {
            mismatches << QStringLiteral("%1: no such control on the page").arg(key);
            continue;
        }
        const QString got = after.value(key);
        const bool answerable = !answer.value().isEmpty() && before.value(key) != answer.value();
        m_answerable += answerable;
        m_right += answerable && got == answer.value();
        if (got == answer.value())
            continue;
        m_wrong += got != before.value(key);
        mismatches << QStringLiteral("%1: got \"%2\", want \"%3\"").arg(key, got, answer.value());
    }
    for (auto control = after.cbegin(); control != after.cend(); ++control) {
        if (!answers.contains(control.key()) && control.value() != before.value(control.key()))
            mismatches << QStringLiteral("%1: not in the answer file, got \"%2\"")
                              .arg(control.key(), control.value());
    }
    for (const QString& mismatch : std::as_const(mismatches))
        qWarning("%s", qPrintable(mismatch));
    QVERIFY2(mismatches.isEmpty(),
             qPrintable(QStringLiteral("%1 mismatches (listed above)").arg(mismatches.size())));
}

PETATTO_WIDGET_TEST_MAIN(TestFormFillEndToEnd)

#include "tst_formfill_e2e.moc"
