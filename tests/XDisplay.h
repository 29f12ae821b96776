#pragma once

#include "WidgetTest.h"

#include <QDir>
#include <QProcess>
#include <QTest>
#include <QWidget>

#include <memory>

// What an X client tool printed; null when it failed. The tool runs while this
// process keeps handling its own window events: a drag runs inside the press
// handler, so the program must answer while xdotool still works.
inline QByteArray xToolOutput(const QString& tool, const QStringList& arguments)
{
    QProcess process;
    // The tools read and print text by the C library's character type; the
    // program's Japanese texts need a UTF-8 one, even where the caller has no
    // locale set at all.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    process.setProcessEnvironment(environment);
    process.start(tool, arguments);
    if (!process.waitForStarted() ||
        !QTest::qWaitFor([&] { return process.state() == QProcess::NotRunning; }, 20000) ||
        process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return {};
    const QByteArray output = process.readAllStandardOutput();
    return output.isNull() ? QByteArray("") : output;
}

// Runs xdotool, which moves the real pointer and types on the real keyboard.
inline bool xdotool(const QStringList& arguments)
{
    return !xToolOutput(QStringLiteral("xdotool"), arguments).isNull();
}

// A left click at a point of a control.
inline bool clickAt(QWidget& control, QPoint at)
{
    QWidget* window = control.window();
    const QPoint point = control.mapTo(window, at);
    return xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"),
                    QString::number(window->winId()), QString::number(point.x()),
                    QString::number(point.y()), QStringLiteral("click"), QStringLiteral("1")});
}

// A left click in the middle of a control.
inline bool clickOn(QWidget& control)
{
    return clickAt(control, control.rect().center());
}

// The window manager's stacking order of the windows it manages, bottom first.
inline QList<WId> stackingOrder()
{
    const QByteArray line =
        xToolOutput(QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("-notype"),
                                              QStringLiteral("_NET_CLIENT_LIST_STACKING")});
    QList<WId> windows;
    const qsizetype ids = line.indexOf('#');
    if (ids < 0)
        return windows;
    for (const QByteArray& id : line.mid(ids + 1).split(','))
        windows << id.trimmed().toULongLong(nullptr, 16);
    return windows;
}

// The states a window asked for or the window manager gave it
// (_NET_WM_STATE_ABOVE, _NET_WM_STATE_DEMANDS_ATTENTION, ...), as the X server
// holds them.
inline QByteArrayList windowStates(WId window)
{
    const QByteArray line = xToolOutput(
        QStringLiteral("xprop"), {QStringLiteral("-id"), QString::number(window),
                                  QStringLiteral("-notype"), QStringLiteral("_NET_WM_STATE")});
    QByteArrayList states;
    const qsizetype names = line.indexOf('=');
    if (names < 0)
        return states;
    for (const QByteArray& name : line.mid(names + 1).split(','))
        states << name.trimmed();
    return states;
}

// The window that has the keyboard focus now.
inline WId activeWindow()
{
    return xToolOutput(QStringLiteral("xdotool"), {QStringLiteral("getactivewindow")})
        .trimmed()
        .toULongLong();
}

// For suites that start the built program, which PETATTO_PROGRAM names.
#ifdef PETATTO_PROGRAM
// A run of a copy, killed if it still runs when the test is over.
struct Run : QProcess
{
    ~Run() override
    {
        kill();
        waitForFinished();
    }
};

// The program installed in a folder of its own, beside the file it reads;
// without one the copy would stop at an error report. The file of a first run
// brings up the welcome window beside the palette, one whose profile was made
// the service browser.
struct InstalledCopy
{
    explicit InstalledCopy(bool profileMade = false)
    {
        QVERIFY(QFile::copy(QStringLiteral(PETATTO_PROGRAM), program()));
        dir.writeProfile(fileWithMarker(profileMade ? u"1"_s : u"0"_s));
    }
    QString program() const { return dir.path() + QStringLiteral("/petatto-meibo"); }
    std::unique_ptr<Run>
    start(const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) const
    {
        auto process = std::make_unique<Run>();
        process->setProcessEnvironment(environment);
        process->setProcessChannelMode(QProcess::ForwardedChannels);
        // From another working directory: the copy reads the file beside itself.
        process->setWorkingDirectory(QDir::rootPath());
        process->start(program(), QStringList());
        return process;
    }

    AppDirectory dir;
};
#endif
