#include "platform/Application.h"

#include <QApplication>
#include <QFont>
#include <QIcon>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace platform {

void prepareProcess()
{
#ifdef Q_OS_UNIX
    // Workaround: Chromium, inside Qt WebEngine, refuses to start its sandbox
    // as root and the browser window would stay blank. Only root gives it up;
    // an ordinary user keeps the sandbox.
    if (::geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    // Workaround: Wayland compositors let no client place its windows or keep
    // them above others, and the palette must sit at the top left and stay on
    // top. Where XWayland is there too, run through it, unless the user chose
    // a platform.
    if (!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        !qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "xcb");
#endif
    // Qt::AA_ShareOpenGLContexts, which the browser engine would like, is left
    // unset on purpose: it makes every start create an OpenGL context (some
    // hundred milliseconds and tens of megabytes before the palette shows),
    // while the engine, loaded only when the browser opens, renders without it.
}

Application::Application(int& argc, char** argv) : QApplication(argc, argv)
{
    const QString gothic = QString::fromUtf16(kJapaneseGothic);
    // The windows name a Windows font and were laid out for its metrics;
    // these are Japanese Gothic families that Linux desktops ship, best first.
    // The IPA Gothics have the same metrics; the others are taller and wider,
    // and only stand in where no IPA font is installed.
    QFont::insertSubstitutions(gothic,
                               {QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic"),
                                QStringLiteral("Noto Sans CJK JP"), QStringLiteral("Noto Sans JP"),
                                QStringLiteral("VL PGothic"), QStringLiteral("TakaoPGothic")});
    QFont font(gothic, 9);
    // The windows were drawn for a font whose strokes sit on whole pixels at
    // these small sizes; full hinting keeps the stand-in's strokes as crisp.
    font.setHintingPreference(QFont::PreferFullHinting);
    QApplication::setFont(font);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icon.png")));
}

QString applicationDirectory()
{
    return QCoreApplication::applicationDirPath();
}

} // namespace platform
