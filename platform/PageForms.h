#pragma once

#include <QJsonArray>
#include <QPointF>
#include <QString>

#include <functional>
#include <optional>

class QWebEnginePage;

// Reading and filling the forms of a page, through the bundled form script run
// in a script world of its own: the page's scripts can neither call it nor see
// its data, and the page learns nothing but the values written into the boxes
// filled, as it would from the user's typing.
namespace platform {

enum class FormFound
{
    Form,    // the form's boxes are described
    None,    // no form where the user is
    InFrame, // the form is inside a frame, which the script cannot reach
    Gone,    // the page went away before it answered
};

struct FormDescription
{
    FormFound found = FormFound::Gone;
    QString token;     // names this description when writing
    QJsonArray fields; // one object per box the user could fill, in document order
};

struct FormOutcome
{
    bool written = false; // false when the page changed since it was described
    int filled = 0;
    int left = 0; // boxes the user could still fill; a group of radio buttons counts once
};

// Describes the boxes of the form under `at` (a point in the page's CSS
// pixels), or of the form that holds the focus when there is no point.
void describeForm(QWebEnginePage& page, std::optional<QPointF> at,
                  std::function<void(const FormDescription&)> done);

// Writes `fills` ({"field": index, "value": text} each) into the boxes of the
// description named `token`, checking each box again first.
void writeForm(QWebEnginePage& page, const QString& token, const QJsonArray& fills,
               std::function<void(const FormOutcome&)> done);

} // namespace platform
