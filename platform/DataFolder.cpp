#include "platform/DataFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace platform {

QString userDataFolder(const QString& name)
{
    QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    // Qt passes a relative $XDG_DATA_HOME on, which would put the data into
    // whatever folder the program was started from; the XDG base directory
    // rules say to ignore it.
    if (!QDir::isAbsolutePath(base))
        base = QDir::homePath() + QStringLiteral("/.local/share");
    return QDir(base).filePath(name);
}

void provideFirstRunFile(const QString& folder, const QString& fileName,
                         QByteArrayView firstRunBytes)
{
    const QDir parent = QFileInfo(folder).dir();
    const QString name = QFileInfo(folder).fileName();
    if (!parent.exists(name) &&
        !(parent.mkpath(QStringLiteral(".")) &&
          parent.mkdir(name, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner)))
        return;
    // NewOnly creates the file or fails, also where a link of that name
    // points at nothing, so nothing of the user's is replaced or followed.
    QFile file(QDir(folder).filePath(fileName));
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly, QFile::ReadOwner | QFile::WriteOwner))
        return;
    if (file.write(firstRunBytes.data(), firstRunBytes.size()) != firstRunBytes.size() ||
        !file.flush())
        file.remove();
}

} // namespace platform
