#pragma once

#include <QString>

namespace platform {

// Resolves `symbol` in one of the program's own shared modules, loading the
// module on first use. Modules lie beside the program's shared libraries.
// Throws AppError 48 when the module or the symbol cannot be found.
QFunctionPointer resolveModuleFunction(const QString& module, const char* symbol);

} // namespace platform
