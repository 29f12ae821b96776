// Which windowing platform the program asks Qt for: XWayland where a Wayland
// session offers it, because only X11 lets the palette place itself and stay
// on top; never against the user's own choice. And what a drag offers, so that
// readers on either platform get the same characters.

#include "platform/Application.h"
#include "platform/Drag.h"

#include <QMimeData>
#include <QTest>

#include <memory>

class DisplayPlatformTest : public QObject
{
    Q_OBJECT

private slots:
    void choice_data();
    void choice();
    void dragFormats_data();
    void dragFormats();
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

void DisplayPlatformTest::dragFormats_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("utf8");

    // The UTF-8 bytes written out, so that a wrong encoding cannot agree with
    // itself.
    QTest::newRow("kanji") << QStringLiteral("山田花子")
                           << QByteArray("\xe5\xb1\xb1\xe7\x94\xb0\xe8\x8a\xb1\xe5\xad\x90");
    QTest::newRow("half-width kana")
        << QStringLiteral("ﾔﾏﾀﾞ") << QByteArray("\xef\xbe\x94\xef\xbe\x8f\xef\xbe\x80\xef\xbe\x9e");
    QTest::newRow("outside the basic plane")
        << QStringLiteral("𠮷🍣") << QByteArray("\xf0\xa0\xae\xb7\xf0\x9f\x8d\xa3");
    QTest::newRow("Latin letters") << QStringLiteral("TANAKA TARO") << QByteArray("TANAKA TARO");
}

void DisplayPlatformTest::dragFormats()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, utf8);

    const std::unique_ptr<QMimeData> data(platform::mimeDataForText(text));
    QCOMPARE(data->formats(), QStringList({QStringLiteral("text/plain"),
                                           QStringLiteral("text/plain;charset=utf-8")}));
    QCOMPARE(data->text(), text);
    QCOMPARE(data->data(QStringLiteral("text/plain;charset=utf-8")), utf8);
}

QTEST_APPLESS_MAIN(DisplayPlatformTest)

#include "tst_display_platform.moc"
