#include "tools/pictures/GuidePictures.h"

#include "platform/Application.h"

#include <QPainter>
#include <QPainterPath>

#include <array>

namespace pictures {

namespace {

constexpr QSize kBalloonSize{121, 116};

// The 16 colours of the classic desktop palette.
constexpr std::array<QRgb, 16> kClassicColours{{
    0xff000000,
    0xff800000,
    0xff008000,
    0xff808000,
    0xff000080,
    0xff800080,
    0xff008080,
    0xffc0c0c0,
    0xff808080,
    0xffff0000,
    0xff00ff00,
    0xffffff00,
    0xff0000ff,
    0xffff00ff,
    0xff00ffff,
    0xffffffff,
}};

QColor classic(int index)
{
    return QColor::fromRgb(kClassicColours[index]);
}

constexpr int kBlack = 0, kGreen = 2, kTeal = 6, kGray = 8, kRed = 9, kLime = 10, kBlue = 12,
              kMagenta = 13, kWhite = 15;

} // namespace

QImage renderBalloon()
{
    QImage image(kBalloonSize, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    // The body, and a tail from its upper right to the top-right corner of
    // the picture, where the palette's edit button sits beside it.
    const QRectF body(2, 16, 104, 97);
    QPainterPath outline;
    outline.addRoundedRect(body, 16, 16);
    QPainterPath tail;
    tail.moveTo(76, 20);
    tail.lineTo(118, 2);
    tail.lineTo(100, 38);
    tail.closeSubpath();
    outline = outline.united(tail);
    painter.setPen(QPen(QColor(255, 128, 0), 2));
    painter.setBrush(QColor(255, 255, 224));
    painter.drawPath(outline);

    QFont font(QString::fromUtf16(platform::kJapaneseGothic), 8);
    painter.setFont(font);
    painter.setPen(QColor(64, 32, 0));
    painter.drawText(
        body.adjusted(9, 7, -7, -7), Qt::AlignCenter | Qt::TextWordWrap,
        QStringLiteral("まず「内容変更」をクリックして、あなたの情報を入力して下さい"));
    return image;
}

QImage renderIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    // Drawn on the 32-pixel grid; other sizes scale it, without smoothing,
    // so that they keep to the 16 colours.
    painter.scale(size / 32.0, size / 32.0);

    // A little palette: a window with a button row and coloured slots ...
    painter.setPen(classic(kBlack));
    painter.setBrush(classic(kWhite));
    painter.drawRect(1, 1, 14, 29);
    painter.fillRect(2, 2, 13, 4, classic(kLime));
    constexpr std::array<int, 6> kRows{kRed, kBlue, kMagenta, kTeal, kGreen, kRed};
    for (int row = 0; row < int(kRows.size()); ++row)
        painter.fillRect(3, 8 + 4 * row, 10, 2, classic(kRows[row]));

    // ... a text box of a web form ...
    painter.setPen(classic(kGray));
    painter.setBrush(classic(kWhite));
    painter.drawRect(17, 22, 14, 8);
    painter.fillRect(19, 25, 7, 3, classic(kRed));

    // ... and the drag from one to the other, ending on the box's top edge.
    painter.setPen(QPen(classic(kBlue), 3, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(11, 6, 22, 17);
    painter.setPen(classic(kBlue));
    painter.setBrush(classic(kBlue));
    painter.drawPolygon(QPolygon({{27, 21}, {27, 12}, {18, 21}}));
    painter.end();

    QList<QRgb> table(kClassicColours.begin(), kClassicColours.end());
    table.append(qRgba(0, 0, 0, 0));
    return image.convertToFormat(QImage::Format_Indexed8, table, Qt::ThresholdDither);
}

} // namespace pictures
