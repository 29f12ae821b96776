#pragma once

#include <QProcess>
#include <QTest>
#include <QWidget>

// Runs an X client tool (xdotool, xprop) while this process keeps handling its
// own window events, and returns what it printed; null when it failed.
inline QByteArray runXTool(const QString& tool, const QStringList& arguments)
{
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForStarted() ||
        !QTest::qWaitFor([&] { return process.state() == QProcess::NotRunning; }, 20000) ||
        process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return {};
    const QByteArray output = process.readAllStandardOutput();
    return output.isNull() ? QByteArray("") : output;
}

// Moves the real pointer and types on the real keyboard.
inline bool xdotool(const QStringList& arguments)
{
    return !runXTool(QStringLiteral("xdotool"), arguments).isNull();
}

// A left click in the middle of a control.
inline bool clickOn(QWidget& control)
{
    QWidget* window = control.window();
    const QPoint centre = control.mapTo(window, control.rect().center());
    return xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"),
                    QString::number(window->winId()), QString::number(centre.x()),
                    QString::number(centre.y()), QStringLiteral("click"), QStringLiteral("1")});
}

// The window manager's stacking order of the managed windows, bottom first.
inline QList<WId> stackingOrder()
{
    const QByteArray line =
        runXTool(QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("-notype"),
                                           QStringLiteral("_NET_CLIENT_LIST_STACKING")});
    QList<WId> windows;
    const qsizetype ids = line.indexOf('#');
    if (ids < 0)
        return windows;
    for (const QByteArray& id : line.mid(ids + 1).split(','))
        windows << id.trimmed().toULongLong(nullptr, 16);
    return windows;
}
