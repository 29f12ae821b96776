#pragma once

#include <QByteArrayView>
#include <QFileDevice>
#include <QString>

namespace platform {

// Replaces the file at `path` (through a symbolic link, its target) by
// `bytes`, so that a failure or a crash at any moment leaves either the old or
// the new file whole. The bytes go first to a temporary of one fixed name
// beside the file, synced to disk and renamed over it: a crash leaves at most
// that one temporary, which the next save replaces, where QSaveFile would
// leave one more each time. While another process saves the same file, the
// save is refused. An existing file keeps its permissions and a read-only one
// is refused; a new file gets `newFilePermissions`. Throws platform::AppError.
void replaceFile(const QString& path, QByteArrayView bytes,
                 QFileDevice::Permissions newFilePermissions);

} // namespace platform
