#pragma once

#include <QColor>
#include <QPushButton>

// A command button drawn in its own face colour.
QPushButton* makeColouredButton(QWidget* parent, const QString& caption, const QColor& face);
