#pragma once

#include <QImage>
#include <QString>

namespace pictures {

// The frame drawn around a window's picture: a border on every side and a
// title bar at the top, as a desktop decorates a window.
inline constexpr int kBorder = 4;
inline constexpr int kTitleBarHeight = 24;
inline constexpr QPoint kClientOffset{kBorder, kBorder + kTitleBarHeight};

QSize clientSize(QSize outer);

// `client` framed, with a title bar carrying `title`, the application icon
// and the buttons that `flags` ask for.
QImage framedWindow(const QImage& client, const QString& title, Qt::WindowFlags flags);

} // namespace pictures
