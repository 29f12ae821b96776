#pragma once

#include <QByteArrayView>
#include <QString>

namespace platform {

// The folder `name` among the user's own data: in $XDG_DATA_HOME, or in
// ~/.local/share when that is unset or not an absolute path.
QString userDataFolder(const QString& name);

// Gives `folder` its first-run `fileName` when it has none: the folder is
// created owner-only when missing, the file owner-only with `firstRunBytes`.
// Whatever is there already, a user's file or a link in its place, is left
// as it is and never followed. A step that fails leaves no partial file; the
// program then meets the missing file as it would anywhere else.
void provideFirstRunFile(const QString& folder, const QString& fileName,
                         QByteArrayView firstRunBytes);

} // namespace platform
