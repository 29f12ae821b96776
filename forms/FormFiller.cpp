#include "forms/FormFiller.h"

#include "platform/PageForms.h"
#include "platform/PageNotice.h"
#include "profile/FormFill.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QPointer>
#include <QWebEngineView>

namespace {

QString outcomeMessage(int filled, int left)
{
    if (filled == 0)
        return QStringLiteral("このフォームには入力できる欄が見つかりませんでした");
    const QString done = QStringLiteral("%1 か所に入力しました").arg(filled);
    return left == 0 ? done : done + QStringLiteral("（%1 か所は入力していません）").arg(left);
}

} // namespace

FormFiller::FormFiller(QWebEngineView& view, RecordSource record)
    : QObject(&view), m_view(view), m_notice(new platform::PageNotice(view)),
      m_record(std::move(record))
{
    setObjectName(QStringLiteral("FormFiller"));
}

void FormFiller::fill(std::optional<QPointF> at)
{
    const quint64 request = ++m_latest;
    QPointer<FormFiller> self(this);
    platform::describeForm(
        *m_view.page(), at, [self, request](const platform::FormDescription& description) {
            if (!self)
                return;
            switch (description.found) {
            case platform::FormFound::Form:
                self->plan(request, description.token, description.fields);
                break;
            case platform::FormFound::None:
                self->tell(request, QStringLiteral(
                                        "入力するフォームの欄をクリックしてから、もう一度どうぞ"));
                break;
            case platform::FormFound::InFrame:
                self->tell(request, QStringLiteral("枠の中に表示されたフォームには入力できません"));
                break;
            case platform::FormFound::Gone:
                self->tell(request, QStringLiteral("ページが変わったため、入力しませんでした"));
                break;
            }
        });
}

void FormFiller::plan(quint64 request, const QString& token, const QJsonArray& fields)
{
    QList<profile::FieldDescription> descriptions;
    descriptions.reserve(fields.size());
    for (const auto& field : fields)
        descriptions << profile::fieldDescriptionFromJson(field.toObject());
    profile::Record record = m_record();
    // A slot the palette shows as unloaded holds no value to type.
    for (QString& value : record) {
        if (value == QStringView(profile::kPlaceholder))
            value.clear();
    }
    QJsonArray fills;
    for (const profile::FieldFill& fill : profile::planFormFill(descriptions, record))
        fills.append(QJsonObject{{QStringLiteral("field"), fill.field},
                                 {QStringLiteral("value"), fill.value}});
    QPointer<FormFiller> self(this);
    platform::writeForm(
        *m_view.page(), token, fills, [self, request](const platform::FormOutcome& outcome) {
            if (!self)
                return;
            if (!outcome.written)
                self->tell(request, QStringLiteral("ページが変わったため、入力しませんでした"));
            else
                self->tell(request, outcomeMessage(outcome.filled, outcome.left), outcome.filled,
                           outcome.left);
        });
}

void FormFiller::tell(quint64 request, const QString& message, int filled, int left)
{
    if (request != m_latest)
        return;
    m_notice->showMessage(message);
    emit finished(filled, left);
}
