// Which windowing platform the program asks Qt for: XWayland where a Wayland
// session offers it, because only X11 lets the palette place itself and stay
// on top; never against the user's own choice.

#include "platform/Application.h"

#include <QTest>

class DisplayPlatformTest : public QObject
{
    Q_OBJECT

private slots:
    void choice_data();
    void choice();
};

void DisplayPlatformTest::choice_data()
{
    QTest::addColumn<QByteArray>("wayland");
    QTest::addColumn<QByteArray>("x11");
    QTest::addColumn<QByteArray>("chosen");
    QTest::addColumn<QByteArray>("platform");

    // A null value: the variable is not set.
    const auto row = [](const char* name, const char* wayland, const char* x11, const char* chosen,
                        const char* platform) {
        QTest::newRow(name) << QByteArray(wayland) << QByteArray(x11) << QByteArray(chosen)
                            << QByteArray(platform);
    };
    row("Wayland with XWayland", "wayland-0", ":0", nullptr, "xcb");
    row("Wayland with XWayland, empty choice", "wayland-0", ":0", "", "xcb");
    row("Wayland with XWayland, user chose wayland", "wayland-0", ":0", "wayland", "wayland");
    row("pure Wayland", "wayland-0", nullptr, nullptr, nullptr);
    row("X11 session", nullptr, ":0", nullptr, nullptr);
    row("no display, user chose offscreen", nullptr, nullptr, "offscreen", "offscreen");
}

void DisplayPlatformTest::choice()
{
    QFETCH(QByteArray, wayland);
    QFETCH(QByteArray, x11);
    QFETCH(QByteArray, chosen);
    QFETCH(QByteArray, platform);

    const auto set = [](const char* name, const QByteArray& value) {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    };
    set("WAYLAND_DISPLAY", wayland);
    set("DISPLAY", x11);
    set("QT_QPA_PLATFORM", chosen);

    platform::prepareProcess();
    QCOMPARE(qgetenv("QT_QPA_PLATFORM"), platform);
}

QTEST_APPLESS_MAIN(DisplayPlatformTest)

#include "tst_display_platform.moc"
