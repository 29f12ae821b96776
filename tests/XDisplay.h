#pragma once

#include "WidgetTest.h"

#include <QProcess>
#include <QTest>
#include <QWidget>

// A left click in the middle of a control.
inline bool clickOn(QWidget& control)
{
    QWidget* window = control.window();
    const QPoint centre = control.mapTo(window, control.rect().center());
    return xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"),
                    QString::number(window->winId()), QString::number(centre.x()),
                    QString::number(centre.y()), QStringLiteral("click"), QStringLiteral("1")});
}

// The window manager's stacking order of the windows it manages, bottom first.
inline QList<WId> stackingOrder()
{
    QProcess xprop;
    xprop.start(QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("-notype"),
                                          QStringLiteral("_NET_CLIENT_LIST_STACKING")});
    QList<WId> windows;
    if (!xprop.waitForStarted() ||
        !QTest::qWaitFor([&] { return xprop.state() == QProcess::NotRunning; }))
        return windows;
    const QByteArray line = xprop.readAllStandardOutput();
    const qsizetype ids = line.indexOf('#');
    if (ids < 0)
        return windows;
    for (const QByteArray& id : line.mid(ids + 1).split(','))
        windows << id.trimmed().toULongLong(nullptr, 16);
    return windows;
}
