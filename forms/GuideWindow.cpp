#include "forms/GuideWindow.h"

#include "forms/Colour.h"
#include "forms/ColouredButton.h"
#include "platform/Application.h"
#include "platform/Twips.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTextLayout>

using platform::twips;

namespace guide {

namespace {

void applyFont(QWidget& widget, Font font)
{
    const QString gothic = QString::fromUtf16(platform::kJapaneseGothic);
    switch (font) {
    case Font::Window:
        return;
    case Font::Gothic18:
        widget.setFont(QFont(gothic, 18));
        return;
    case Font::Gothic12Bold:
        widget.setFont(QFont(gothic, 12, QFont::Bold));
        return;
    }
}

QString arrayName(const char16_t* array, int index)
{
    return QString::fromUtf16(array) + QString::number(index);
}

} // namespace

Caption::Caption(const QString& text, QWidget* parent) : QLabel(text, parent) {}

void Caption::paintEvent(QPaintEvent*)
{
    // Japanese glyphs fill the em box, whose top lies 0.88 em above the
    // baseline.
    constexpr qreal kEmAboveBaseline = 0.88;
    // Close to the proportional Gothic's average advance for kana.
    constexpr qreal kSpacingPercent = 88;
    QFont tight = font();
    tight.setLetterSpacing(QFont::PercentageSpacing, kSpacingPercent);
    const qreal em = QFontInfo(tight).pixelSize();
    QTextLayout layout(text(), tight);
    QTextOption option(alignment());
    option.setWrapMode(wordWrap() ? QTextOption::WordWrap : QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    qreal baseline = kEmAboveBaseline * em;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width());
        line.setPosition(QPointF(0, baseline - line.ascent()));
        baseline += em;
    }
    layout.endLayout();

    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    layout.draw(&painter, QPointF(0, 0));
}

Lines::Lines(QWidget* parent, std::span<const LineRow> lines) : QWidget(parent)
{
    setObjectName(QStringLiteral("Line1"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    for (const LineRow& item : lines)
        m_lines.insert(item.index, QLine(twips(item.x1, item.y1), twips(item.x2, item.y2)));
}

void Lines::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    // Round ends, as wide pens draw them on the desktop the windows were made
    // for; they also let two lines that meet join without a notch.
    painter.setPen(QPen(toColor(kLineColour), kLineWidth, Qt::SolidLine, Qt::RoundCap));
    for (const QLine& line : std::as_const(m_lines))
        painter.drawLine(line);
}

QSize prepare(QWidget& window, const char16_t* name, const char16_t* caption, int clientWidth,
              int clientHeight)
{
    window.setObjectName(QString::fromUtf16(name));
    window.setWindowTitle(QString::fromUtf16(caption));
    paintWhite(window);
    const QSize client = platform::twipsSize(clientWidth, clientHeight);
    window.resize(client);
    return client;
}

QLabel* makePicture(QWidget& window, const PictureRow& item)
{
    auto* picture = new QLabel(&window);
    picture->setObjectName(QString::fromUtf16(item.name));
    // Shown at its own size from the top-left corner, never stretched.
    picture->setPixmap(QPixmap(QString::fromUtf16(item.resource)));
    picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    picture->setGeometry(twips(item.left, item.top, item.width, item.height));
    return picture;
}

QLabel* makeLabel(QWidget& window, const LabelRow& item)
{
    auto* label = new Caption(QString::fromUtf16(item.text), &window);
    label->setObjectName(arrayName(item.array, item.index));
    paintWhite(*label);
    QPalette colours = label->palette();
    colours.setColor(QPalette::WindowText, toColor(item.colour));
    label->setPalette(colours);
    applyFont(*label, item.font);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(true);
    label->setGeometry(twips(item.left, item.top, item.width, item.height));
    return label;
}

QPushButton* makeButton(QWidget& window, const ButtonRow& item)
{
    auto* button =
        makeColouredButton(&window, QString::fromUtf16(item.caption), toColor(item.face));
    button->setObjectName(QString::fromUtf16(item.name));
    applyFont(*button, item.font);
    button->setGeometry(twips(item.left, item.top, item.width, item.height));
    return button;
}

} // namespace guide
