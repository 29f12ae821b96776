#pragma once

#include <QRect>
#include <QString>

#include <optional>

class QWidget;

namespace platform {

// Where a control draws its text and which text: a button's, a label's or a
// read-only caption box's caption; for a box the user types in or drags
// from, one line, whose height alone must fit.
struct TextPlace
{
    QRect room;
    QString text;
    int flags;
};

std::optional<TextPlace> textPlace(const QWidget& control);

// The size the control's text takes in the font the control resolves.
QSize neededSize(const QWidget& control, const TextPlace& place);

// The windows were laid out for the metrics of one Windows font. Where the
// font that stands in for it would clip a control's text, the control's font
// steps down in half points until the text fits.
void fitTexts(QWidget& window);

} // namespace platform
