#include "forms/PaletteSlotBox.h"

#include "platform/Drag.h"
#include "platform/ErrorReport.h"

#include <QMouseEvent>

PaletteSlotBox::PaletteSlotBox(QWidget* parent) : QLineEdit(parent)
{
    setReadOnly(true);
    setAcceptDrops(false);
    setToolTip(QStringLiteral("フォームのテキストボックスへDrag&Drop"));
}

void PaletteSlotBox::mousePressEvent(QMouseEvent* event)
{
    // The press itself starts the drag, whatever the button, with no distance
    // to travel first; the line edit's own press handling (selection, cursor)
    // is deliberately skipped.
    event->accept();
    platform::trap([this] { platform::dragText(*this, text()); });
}
