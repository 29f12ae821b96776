#include "tools/pictures/WindowFrame.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionTitleBar>

namespace pictures {

QSize clientSize(QSize outer)
{
    return outer - QSize(2 * kBorder, 2 * kBorder + kTitleBarHeight);
}

QImage framedWindow(const QImage& client, const QString& title, Qt::WindowFlags flags)
{
    const QSize outer = client.size() + QSize(2 * kBorder, 2 * kBorder + kTitleBarHeight);
    QImage image(outer, QImage::Format_RGB32);
    QStyle* style = QApplication::style();
    const QPalette colours = QApplication::palette();
    image.fill(colours.color(QPalette::Window));

    QPainter painter(&image);
    painter.setPen(colours.color(QPalette::Dark));
    painter.drawRect(image.rect().adjusted(0, 0, -1, -1));

    // The title bar as Qt's own style draws one for a window inside a
    // window, so it looks at home next to the program's widgets.
    QStyleOptionTitleBar bar;
    bar.palette = colours;
    bar.fontMetrics = QFontMetrics(QApplication::font());
    bar.rect = QRect(kBorder, kBorder, outer.width() - 2 * kBorder, kTitleBarHeight);
    bar.text = title;
    bar.icon = QApplication::windowIcon();
    bar.titleBarFlags = flags;
    bar.titleBarState = Qt::WindowActive;
    bar.state = QStyle::State_Active | QStyle::State_Enabled;
    bar.subControls = QStyle::SC_TitleBarLabel | QStyle::SC_TitleBarSysMenu |
                      QStyle::SC_TitleBarCloseButton | QStyle::SC_TitleBarMinButton |
                      QStyle::SC_TitleBarMaxButton;
    style->drawComplexControl(QStyle::CC_TitleBar, &bar, &painter);

    painter.drawImage(kClientOffset, client);
    return image;
}

} // namespace pictures
