#include "platform/Module.h"

#include "platform/AppError.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibrary>

#ifdef Q_OS_UNIX
#include <dlfcn.h>
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

} // namespace

QFunctionPointer resolveModuleFunction(const QString& module, const char* symbol)
{
    QLibrary library(libraryDirectory() + QLatin1Char('/') + module);
    const QFunctionPointer function = library.resolve(symbol);
    if (!function)
        throw AppError(48, QStringLiteral("DLL の読み込み時にエラーが発生しました。\n%1")
                               .arg(library.errorString()));
    return function;
}

} // namespace platform
