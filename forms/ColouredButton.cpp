#include "forms/ColouredButton.h"

QPushButton* makeColouredButton(QWidget* parent, const QString& caption, const QColor& face)
{
    auto* button = new QPushButton(caption, parent);
    // A style sheet is the one way every Qt style honours a face colour; the
    // border keeps the button looking raised on the white windows.
    button->setStyleSheet(QStringLiteral("QPushButton { background-color: %1; border: 1px solid "
                                         "#808080; padding: 0px; }"
                                         "QPushButton:pressed { border-style: inset; }")
                              .arg(face.name()));
    return button;
}
