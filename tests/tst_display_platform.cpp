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

    QTest::newRow("Wayland with XWayland")
        << QByteArray("wayland-0") << QByteArray(":0") << QByteArray() << QByteArray("xcb");
    QTest::newRow("Wayland with XWayland, empty choice")
        << QByteArray("wayland-0") << QByteArray(":0") << QByteArray("") << QByteArray("xcb");
    QTest::newRow("Wayland with XWayland, user chose wayland")
        << QByteArray("wayland-0") << QByteArray(":0") << QByteArray("wayland")
        << QByteArray("wayland");
    QTest::newRow("pure Wayland") << QByteArray("wayland-0") << QByteArray() << QByteArray()
                                  << QByteArray();
    QTest::newRow("X11 session") << QByteArray() << QByteArray(":0") << QByteArray()
                                 << QByteArray();
    QTest::newRow("no display, user chose offscreen")
        << QByteArray() << QByteArray() << QByteArray("offscreen") << QByteArray("offscreen");
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
