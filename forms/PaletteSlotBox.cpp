#include "forms/PaletteSlotBox.h"

#include "platform/Drag.h"
#include "platform/ErrorReport.h"

#include <QMouseEvent>

#include <limits>

PaletteSlotBox::PaletteSlotBox(QWidget* parent) : QLineEdit(parent)
{
    setReadOnly(true);
    // A slot has no length limit; the line edit's default of 32767 characters
    // would silently cut a longer value and the next commit would save it cut.
    setMaxLength(std::numeric_limits<int>::max());
    setAcceptDrops(false);
    // A right-button press is a drag like any other; without this the line
    // edit would open its edit menu once the drag is over, and that menu
    // would take the user's next click.
    setContextMenuPolicy(Qt::NoContextMenu);
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
