#pragma once

#include <QLineEdit>

// One slot of the palette: read-only, and a drag source from the moment any
// mouse button goes down on it.
class PaletteSlotBox : public QLineEdit
{
    Q_OBJECT

public:
    explicit PaletteSlotBox(QWidget* parent);

protected:
    void mousePressEvent(QMouseEvent* event) override;
};
