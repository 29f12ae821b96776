#pragma once

#include <QString>

namespace platform {

// Opens the file of one of the program's own shared modules now, so that
// loading it later takes the module installed with this program even after an
// upgrade has replaced the file: a newer module need not fit the libraries
// this process already runs. Does nothing when there is no such file.
void keepModule(const QString& module);

// Resolves `symbol` in one of the program's own shared modules, loading the
// module on first use: the one kept open, or the file beside the program's
// shared libraries. Throws AppError 48 when the module or the symbol cannot be
// found.
QFunctionPointer resolveModuleFunction(const QString& module, const char* symbol);

} // namespace platform
