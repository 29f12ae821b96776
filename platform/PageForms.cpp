#include "platform/PageForms.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QWebEnginePage>
#include <QWebEngineScript>

namespace platform {

namespace {

// A world of the form script's own rather than ApplicationWorld, so that no
// other script the program may one day run shares its variables.
constexpr quint32 kFormWorld = QWebEngineScript::UserWorld + 21;

const QString& formScript()
{
    static const QString script = [] {
        QFile file(QStringLiteral(":/formfill/formfill.js"));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }();
    return script;
}

// Runs the form script on `request`; `done` receives its answer, or an empty
// object when the page went away first.
void runFormScript(QWebEnginePage& page, const QJsonObject& request,
                   std::function<void(const QJsonObject&)> done)
{
    // The request goes in as a JSON literal, which is also a JavaScript
    // expression: nothing in it can end the call and start a statement.
    const QString call = formScript() + QLatin1Char('(') +
                         QString::fromUtf8(QJsonDocument(request).toJson(QJsonDocument::Compact)) +
                         QLatin1Char(')');
    page.runJavaScript(call, kFormWorld, [done = std::move(done)](const QVariant& result) {
        done(QJsonDocument::fromJson(result.toString().toUtf8()).object());
    });
}

} // namespace

void describeForm(QWebEnginePage& page, std::optional<QPointF> at,
                  std::function<void(const FormDescription&)> done)
{
    QJsonObject request{{QStringLiteral("action"), QStringLiteral("describe")}};
    if (at)
        request.insert(QStringLiteral("at"), QJsonArray{at->x(), at->y()});
    runFormScript(page, request, [done = std::move(done)](const QJsonObject& answer) {
        FormDescription description;
        const QString status = answer.value(QStringLiteral("status")).toString();
        if (status == QLatin1String("form")) {
            description.found = FormFound::Form;
            description.token = answer.value(QStringLiteral("token")).toString();
            description.fields = answer.value(QStringLiteral("fields")).toArray();
        } else if (status == QLatin1String("none")) {
            description.found = FormFound::None;
        } else if (status == QLatin1String("frame")) {
            description.found = FormFound::InFrame;
        }
        done(description);
    });
}

void writeForm(QWebEnginePage& page, const QString& token, const QJsonArray& fills,
               std::function<void(const FormOutcome&)> done)
{
    const QJsonObject request{{QStringLiteral("action"), QStringLiteral("write")},
                              {QStringLiteral("token"), token},
                              {QStringLiteral("fills"), fills}};
    runFormScript(page, request, [done = std::move(done)](const QJsonObject& answer) {
        FormOutcome outcome;
        outcome.written =
            answer.value(QStringLiteral("status")).toString() == QLatin1String("written");
        outcome.filled = answer.value(QStringLiteral("filled")).toInt();
        outcome.left = answer.value(QStringLiteral("left")).toInt();
        done(outcome);
    });
}

} // namespace platform
