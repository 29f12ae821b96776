#pragma once

#include "profile/SlotTable.h"

#include <QObject>
#include <QPointF>

#include <functional>
#include <optional>

class QJsonArray;
class QWebEngineView;

namespace platform {
class PageNotice;
} // namespace platform

// Fills one form of the page shown from the record on the user's command: the
// page describes its boxes, the recognition decides what goes where, and the
// page writes only those values. The user then reads over the page how many
// boxes were filled; nothing asks for an answer.
class FormFiller : public QObject
{
    Q_OBJECT

public:
    // The record as it stands when a fill is planned.
    using RecordSource = std::function<profile::Record()>;

    FormFiller(QWebEngineView& view, RecordSource record);

    // Fills the form under `at` (in the page's CSS pixels), or the one that
    // holds the focus when there is no point.
    void fill(std::optional<QPointF> at);

signals:
    // A fill came to its end and its notice is shown: how many boxes it
    // filled, and how many the user could still fill.
    void finished(int filled, int left);

private:
    void plan(quint64 request, const QString& token, const QJsonArray& fields);
    void tell(quint64 request, const QString& message, int filled = 0, int left = 0);

    QWebEngineView& m_view;
    platform::PageNotice* m_notice;
    RecordSource m_record;
    // Only the latest command's outcome is shown; an earlier one still under
    // way finds its description replaced and writes nothing.
    quint64 m_latest = 0;
};
