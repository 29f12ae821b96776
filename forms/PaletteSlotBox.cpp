#include "forms/PaletteSlotBox.h"

#include "platform/Drag.h"
#include "platform/ErrorReport.h"
#include "profile/ProfileFile.h"

#include <QMouseEvent>

PaletteSlotBox::PaletteSlotBox(QWidget* parent) : QLineEdit(parent)
{
    setReadOnly(true);
    // The line edit's default of 32767 characters would silently cut a longer
    // value and the next commit would save it cut. No value is longer than the
    // file that holds it, which the reader and the save both bound.
    setMaxLength(int(profile::kMaxFileBytes));
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
