#pragma once

#include <QByteArrayView>
#include <QFileDevice>
#include <QString>

namespace platform {

// True when `path` is a folder, not a link to one, that belongs to this user
// and that no one else may enter; with `create`, it is made so when missing,
// along with its parents.
bool isPrivateFolder(const QString& path, bool create = false);

// The bytes of the ordinary file at `path` (through a symbolic link, its
// target), for a file that may be hostile. Neither a pipe nor a device is ever
// read nor waited for, and no more than `limit` bytes are ever held: a file
// that is not an ordinary one fails with 75, one larger than `limit` with 7, a
// missing one with 53 and any other failure with 75. Throws platform::AppError.
QByteArray readOrdinaryFile(const QString& path, qsizetype limit);

// Replaces the file at `path` (through a symbolic link, its target) by
// `bytes`, so that a failure or a crash at any moment leaves either the old or
// the new file whole. The bytes go first to a temporary of one fixed name
// beside the file, synced to disk and renamed over it: a crash leaves at most
// that one temporary, which the next save replaces, where QSaveFile would
// leave one more each time. While another process saves the same file, the
// save is refused. The file is its owner's alone: an existing one keeps its
// owner's permissions and loses those of group and others, a read-only one is
// refused, and a new one gets `newFilePermissions`. Throws platform::AppError.
void replaceFile(const QString& path, QByteArrayView bytes,
                 QFileDevice::Permissions newFilePermissions);

} // namespace platform
