#include "platform/Module.h"

#include "platform/AppError.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLibrary>

#ifdef Q_OS_UNIX
#include <dlfcn.h>
#include <fcntl.h>
#endif

namespace platform {

namespace {

// The directory of the shared library this code is part of: modules are built
// and installed next to it, whether the program runs from its build tree, a
// test's copy or an installed folder.
QString libraryDirectory()
{
#ifdef Q_OS_UNIX
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&resolveModuleFunction), &info) && info.dli_fname)
        return QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absolutePath();
#endif
    return QCoreApplication::applicationDirPath();
}

QString modulePath(const QString& module)
{
    return libraryDirectory() + QLatin1Char('/') + module;
}

// The descriptors of the modules kept open, by module. Each stays open for the
// process's life; closed on exec, so no child inherits it.
QHash<QString, int>& keptModules()
{
    static QHash<QString, int> kept;
    return kept;
}

} // namespace

void keepModule(const QString& module)
{
#ifdef Q_OS_LINUX
    if (keptModules().contains(module))
        return;
    const int descriptor =
        ::open(QFile::encodeName(modulePath(module)).constData(), O_RDONLY | O_CLOEXEC);
    if (descriptor >= 0)
        keptModules().insert(module, descriptor);
#else
    Q_UNUSED(module)
#endif
}

QFunctionPointer resolveModuleFunction(const QString& module, const char* symbol)
{
    // The kept file is loaded through its descriptor's name, which leads to
    // the file as it was opened however the folder has changed since.
    const int kept = keptModules().value(module, -1);
    QLibrary library(kept >= 0 ? QStringLiteral("/proc/self/fd/%1").arg(kept) : modulePath(module));
    const QFunctionPointer function = library.resolve(symbol);
    if (!function)
        throw AppError(48, QStringLiteral("DLL の読み込み時にエラーが発生しました。\n%1")
                               .arg(library.errorString()));
    return function;
}

} // namespace platform
