#include "platform/Application.h"

#include <QApplication>
#include <QFont>
#include <QIcon>

#include <cstdio>
#include <cstdlib>
#include <vector>

#ifdef Q_OS_UNIX
#include <clocale>
#include <cstring>
#include <langinfo.h>
#include <unistd.h>
#endif

namespace platform {

namespace {

struct HeldMessage
{
    QtMsgType type;
    QByteArray category;
    QString text;
};

QtMessageHandler qtHandler = nullptr;
bool displayOpened = false;
std::vector<HeldMessage> heldMessages;

// Until the display is open, Qt's messages are held back: without one, Qt
// would explain at length and abort, where a user needs one line and a plain
// exit status. Once it is open they are passed on as they were.
void programMessages(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    // Workaround: the browser engine asks for Qt::AA_ShareOpenGLContexts at
    // every first opening; it is left unset on purpose (see prepareProcess).
    if (text.startsWith(QLatin1String("Qt WebEngine seems to be initialized from a plugin")))
        return;
    if (displayOpened) {
        qtHandler(type, context, text);
    } else if (type == QtFatalMsg) {
        std::fputs("ペタッと名簿はグラフィカルなデスクトップが必要です（画面に接続できません）。 / "
                   "ペタッと名簿 needs a graphical desktop: no display could be opened.\n",
                   stderr);
        std::_Exit(EXIT_FAILURE);
    } else {
        heldMessages.push_back({type, context.category, text});
    }
}

// Qt writes every 8-bit text as UTF-8 whatever the locale; the C library's
// character type must agree. Without a locale in the environment (LANG unset,
// as on minimal systems and some CI runners) it is plain ASCII, and Xlib then
// labels the UTF-8 bytes of the windows' Japanese titles as Latin-1 in the
// title older window managers and tools read (WM_NAME). Only the character
// type changes; messages, dates and sorting keep the environment's locale.
void useUtf8CharacterType()
{
#ifdef Q_OS_UNIX
    if (std::strcmp(nl_langinfo(CODESET), "UTF-8") != 0)
        std::setlocale(LC_CTYPE, "C.UTF-8");
#endif
}

} // namespace

namespace detail {

ProcessPrepared::ProcessPrepared()
{
    prepareProcess();
    qtHandler = qInstallMessageHandler(programMessages);
}

} // namespace detail

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
    // After QApplication, which sets the locale from the environment, and
    // before the first window gets its title.
    useUtf8CharacterType();
    displayOpened = true;
    for (const HeldMessage& message : std::exchange(heldMessages, {}))
        qtHandler(message.type,
                  QMessageLogContext(nullptr, 0, nullptr, message.category.constData()),
                  message.text);
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
