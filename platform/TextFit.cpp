#include "platform/TextFit.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStyleOption>

namespace platform {

namespace {

// Workaround: QLineEdit keeps this margin inside its contents rectangle on
// each side of the text, and does not publish it.
constexpr int kLineEditTextMargin = 2;
// Workaround: QLineEdit also keeps a pixel after the text for the cursor, and
// scrolls a text that leaves less; nor does it publish that.
constexpr int kLineEditCursorWidth = 1;

constexpr double kSmallestPoints = 6;

QRect lineEditRoom(const QLineEdit& line)
{
    QStyleOptionFrame option;
    option.initFrom(&line);
    option.lineWidth = line.hasFrame()
                           ? line.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &line)
                           : 0;
    return line.style()
        ->subElementRect(QStyle::SE_LineEditContents, &option, &line)
        .marginsRemoved(line.textMargins())
        .adjusted(kLineEditTextMargin, 0, -kLineEditTextMargin - kLineEditCursorWidth, 0);
}

bool fits(const QWidget& control, const TextPlace& place)
{
    const QSize needed = neededSize(control, place);
    return needed.width() <= place.room.width() && needed.height() <= place.room.height();
}

} // namespace

std::optional<TextPlace> textPlace(const QWidget& control)
{
    if (const auto* button = qobject_cast<const QAbstractButton*>(&control)) {
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        return TextPlace{
            button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button),
            button->text(), Qt::TextSingleLine | Qt::TextShowMnemonic};
    }
    if (const auto* label = qobject_cast<const QLabel*>(&control)) {
        if (label->text().isEmpty())
            return std::nullopt;
        return TextPlace{label->contentsRect(), label->text(),
                         label->wordWrap() ? int(Qt::TextWordWrap) : int(Qt::TextSingleLine)};
    }
    if (const auto* line = qobject_cast<const QLineEdit*>(&control)) {
        const bool caption = line->isReadOnly() && line->focusPolicy() == Qt::NoFocus;
        return TextPlace{lineEditRoom(*line), caption ? line->text() : QString(),
                         Qt::TextSingleLine};
    }
    if (const auto* lines = qobject_cast<const QPlainTextEdit*>(&control)) {
        const int margin = int(lines->document()->documentMargin());
        return TextPlace{lines->viewport()->rect().adjusted(margin, margin, -margin, -margin),
                         QString(), Qt::TextSingleLine};
    }
    return std::nullopt;
}

QSize neededSize(const QWidget& control, const TextPlace& place)
{
    const QFontMetrics metrics = control.fontMetrics();
    return metrics.boundingRect(place.room, place.flags, place.text)
        .size()
        .expandedTo(QSize(0, metrics.height()));
}

void fitTexts(QWidget& window)
{
    for (QWidget* control : window.findChildren<QWidget*>()) {
        const std::optional<TextPlace> place = textPlace(*control);
        if (!place)
            continue;
        QFont font = control->font();
        while (!fits(*control, *place) && font.pointSizeF() > kSmallestPoints) {
            font.setPointSizeF(font.pointSizeF() - 0.5);
            control->setFont(font);
        }
    }
}

} // namespace platform
