#include "platform/Drag.h"

#include <QDrag>
#include <QMimeData>
#include <QWidget>

namespace platform {

QMimeData* mimeDataForText(const QString& text)
{
    auto* data = new QMimeData;
    data->setText(text);
    data->setData(QStringLiteral("text/plain;charset=utf-8"), text.toUtf8());
    return data;
}

void dragText(QWidget& source, const QString& text)
{
    auto* drag = new QDrag(&source);
    drag->setMimeData(mimeDataForText(text));
    drag->exec(Qt::CopyAction, Qt::CopyAction);
}

} // namespace platform
