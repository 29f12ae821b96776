#include "platform/Drag.h"

#include <QDrag>
#include <QMimeData>
#include <QWidget>

namespace platform {

void dragText(QWidget& source, const QString& text)
{
    auto* drag = new QDrag(&source);
    auto* data = new QMimeData;
    data->setText(text);
    drag->setMimeData(data);
    drag->exec(Qt::CopyAction, Qt::CopyAction);
}

} // namespace platform
