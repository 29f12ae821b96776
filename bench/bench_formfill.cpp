// Ctrl+Shift+L -> last box filled: from the key press in the service browser
// until the fill of a 60-box sign-up form has written its last box and the
// program knows it, recognition included. The record is the form-filling
// corpus's fixture.
#include "app/Module1.h"
#include "bench/Bench.h"
#include "forms/Form1.h"
#include "forms/Form6.h"
#include "forms/FormFiller.h"
#include "forms/ProgramWindows.h"
#include "platform/Application.h"
#include "platform/Browser.h"

#include <QFile>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// A sign-up form of 60 boxes: the usual sections, each box with its label in
// a table row as most such forms have it, then questions the record does not
// answer.
QString sixtyBoxForm()
{
    QString rows;
    const auto row = [&rows](const QString& heading, const QString& boxes) {
        rows += QStringLiteral("<tr><th>%1</th><td>%2</td></tr>").arg(heading, boxes);
    };
    const auto text = [](const QString& name, const QString& extra = {}) {
        return QStringLiteral("<input type='text' name='%1' %2>").arg(name, extra);
    };
    const auto select = [](const QString& name, int from, int to) {
        QString options = QStringLiteral("<option value=''>--</option>");
        for (int n = from; n <= to; ++n)
            options += QStringLiteral("<option value='%1'>%1</option>").arg(n);
        return QStringLiteral("<select name='%1'>%2</select>").arg(name, options);
    };
    row(u"お名前"_s, u"姓 "_s + text(u"name01"_s) + u" 名 "_s + text(u"name02"_s));
    row(u"フリガナ"_s, u"セイ "_s + text(u"kana01"_s) + u" メイ "_s + text(u"kana02"_s));
    row(u"郵便番号"_s, u"〒 "_s + text(u"zip01"_s, u"maxlength='3'"_s) + u" - "_s +
                           text(u"zip02"_s, u"maxlength='4'"_s));
    row(u"都道府県"_s, text(u"pref"_s));
    row(u"市区町村"_s, text(u"addr01"_s));
    row(u"番地・建物名"_s, text(u"addr02"_s));
    row(u"電話番号"_s, text(u"tel01"_s, u"maxlength='5'"_s) + u" - "_s +
                           text(u"tel02"_s, u"maxlength='4'"_s) + u" - "_s +
                           text(u"tel03"_s, u"maxlength='4'"_s));
    row(u"携帯電話番号"_s, text(u"mobile"_s, u"type='tel'"_s));
    row(u"メールアドレス"_s, text(u"email"_s, u"type='email'"_s));
    row(u"メールアドレス（確認）"_s, text(u"email02"_s, u"type='email'"_s));
    row(u"生年月日"_s, select(u"year"_s, 1920, 2020) + u" 年 "_s + select(u"month"_s, 1, 12) +
                           u" 月 "_s + select(u"day"_s, 1, 31) + u" 日"_s);
    row(u"サイト名"_s, text(u"site_name"_s));
    row(u"サイトURL"_s, text(u"site_url"_s, u"type='url'"_s));
    row(u"銀行名"_s, text(u"bank"_s));
    row(u"支店名"_s, text(u"branch"_s));
    row(u"口座番号"_s, text(u"account"_s));
    int boxes = 22;
    for (int question = 1; boxes < 60; ++question, ++boxes)
        row(QStringLiteral("アンケート %1").arg(question),
            text(QStringLiteral("question%1").arg(question)));
    return QStringLiteral("<meta charset='utf-8'><form id='target'><table>%1</table></form>")
        .arg(rows);
}

void loadFixtureRecord(Form1& palette)
{
    QFile record(QStringLiteral(PETATTO_FORMFILL_RECORD));
    if (!record.open(QIODevice::ReadOnly))
        qFatal("the fixture record cannot be read");
    const QStringList lines = QString::fromUtf8(record.readAll()).split(QLatin1Char('\n'));
    for (int slot = 0; slot < profile::kSlotCount && slot < lines.size(); ++slot)
        palette.setSlotText(slot, lines[slot]);
}

} // namespace

int main(int argc, char* argv[])
{
    platform::Application application(argc, argv);
    Module1 module;
    ProgramWindows windows(module);
    loadFixtureRecord(windows.palette());

    Form6& browser = windows.showBrowser();
    platform::Browser& view = *browser.brwWebBrowser;
    QSignalSpy loaded(&view, &QWebEngineView::loadFinished);
    view.setHtml(sixtyBoxForm(), QUrl(QStringLiteral("http://127.0.0.1/")));
    if (!QTest::qWaitForWindowExposed(&browser) || !loaded.wait(60000))
        qFatal("the form was never shown");
    QSignalSpy filled(browser.findChild<FormFiller*>(), &FormFiller::finished);
    const auto run = [&view](const QString& script) {
        bool done = false;
        view.page()->runJavaScript(script, [&done](const QVariant&) { done = true; });
        if (!QTest::qWaitFor([&done] { return done; }, 20000))
            qFatal("the page never answered");
    };

    constexpr int runs = 20;
    int boxesFilled = 0;
    const double ms = medianMilliseconds(
        runs,
        [&] {
            run(QStringLiteral("document.getElementById('target').reset();"
                               " document.querySelector('input').focus();"));
            filled.clear();
        },
        [&] {
            QTest::keyClick(view.focusProxy(), Qt::Key_L, Qt::ControlModifier | Qt::ShiftModifier);
            if (!filled.wait(20000))
                qFatal("the fill never ended");
            boxesFilled = filled.first().at(0).toInt();
        });
    if (boxesFilled < 20)
        qFatal("only %d boxes of the form were filled", boxesFilled);
    printFigure("Ctrl+Shift+L -> last box filled (60 boxes)", ms, "ms", "<= 100 ms");
    return 0;
}
