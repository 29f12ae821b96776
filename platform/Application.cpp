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
#endif
    // Qt WebEngine shares OpenGL contexts with the widgets; this must be set
    // before the application object exists.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

void prepareApplication()
{
    const QString gothic = QString::fromUtf16(kJapaneseGothic);
    // The windows name a Windows font; these are Japanese Gothic families that
    // Linux desktops ship, best first.
    QFont::insertSubstitutions(gothic,
                               {QStringLiteral("Noto Sans CJK JP"), QStringLiteral("Noto Sans JP"),
                                QStringLiteral("IPAPGothic"), QStringLiteral("VL PGothic"),
                                QStringLiteral("TakaoPGothic")});
    QApplication::setFont(QFont(gothic, 9));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icon.png")));
}

QString applicationDirectory()
{
    return QCoreApplication::applicationDirPath();
}

} // namespace platform
