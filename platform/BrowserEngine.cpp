#include "platform/BrowserEngine.h"

#include <QCoreApplication>
#include <QLoggingCategory>
#include <QOpenGLContext>
#include <QStringList>

// Exported by Qt GUI for Qt's own modules; the browser engine reads the
// context back through QOpenGLContext::globalShareContext().
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext* context);

namespace platform {

void prepareBrowserEngine()
{
    // The engine's description of its graphics set-up, printed at every
    // first opening, is for its developers.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.webenginecontext.info=false"));
    // Workaround: the engine renders through an OpenGL context shared with
    // Qt's, which Qt normally creates at start-up when the engine is linked
    // into the program. The program loads the engine only when the browser
    // first opens, so that the palette starts without that cost, and creates
    // the shared context here instead, as Qt itself would have.
    if (QOpenGLContext::globalShareContext())
        return;
    auto* context = new QOpenGLContext(qApp);
    context->setFormat(QSurfaceFormat::defaultFormat());
    context->create();
    qt_gl_set_global_share_context(context);
}

bool browserEngineSandboxed()
{
    // The engine gives up its sandbox for its own environment variable, set
    // whatever its value, or for a switch among its arguments, which are its
    // flags variable when set and otherwise the program's; a single process
    // has no pages apart to sandbox. Counting the program's arguments even
    // where the engine ignores them can only warn once too often.
    if (qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        return false;
    const QStringList arguments =
        QCoreApplication::arguments() + qEnvironmentVariable("QTWEBENGINE_CHROMIUM_FLAGS")
                                            .split(QLatin1Char(' '), Qt::SkipEmptyParts);
    return !arguments.contains(QStringLiteral("--no-sandbox")) &&
           !arguments.contains(QStringLiteral("--single-process"));
}

} // namespace platform
