#include "platform/Accessibility.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>

namespace platform {

namespace {

QString caption(const QWidget& control)
{
    if (const auto* button = qobject_cast<const QAbstractButton*>(&control))
        return button->text();
    if (const auto* label = qobject_cast<const QLabel*>(&control))
        return label->text();
    return {};
}

} // namespace

void nameControlsFromCaptions(QWidget& window)
{
    for (QWidget* control : window.findChildren<QWidget*>()) {
        if (!control->accessibleName().isEmpty())
            continue;
        QString name = caption(*control);
        // Read-only boxes without a name of their own are the editor's
        // caption boxes, whose text is their caption.
        if (const auto* box = qobject_cast<const QLineEdit*>(control); box && box->isReadOnly())
            name = box->text();
        if (!name.isEmpty())
            control->setAccessibleName(name);
    }
}

} // namespace platform
