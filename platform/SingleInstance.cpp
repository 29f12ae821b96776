#include "platform/SingleInstance.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <QThread>

namespace platform {

namespace {

// The name both the lock and the server go by: one per folder, however the
// folder was named.
QString instanceKey(const QString& folder)
{
    QString path = QFileInfo(folder).canonicalFilePath();
    if (path.isEmpty())
        path = QDir::cleanPath(QDir(folder).absolutePath());
    return QStringLiteral("petatto-meibo-") +
           QString::fromLatin1(QCryptographicHash::hash(path.toUtf8(), QCryptographicHash::Sha256)
                                   .toHex()
                                   .left(32));
}

// Both live in the user's own runtime directory, by full path: a bare server
// name would put the socket into the shared temporary folder, where another
// user could take the name first.
QString runtimePath(const QString& key, const QString& suffix)
{
    QString directory = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (directory.isEmpty())
        directory = QDir::tempPath();
    return directory + QLatin1Char('/') + key + suffix;
}

// Asks the running copy to come forward: connecting is the whole request.
// The running copy takes the lock a moment before it listens, so a refused
// connection is tried again for a little while.
void callRunningCopy(const QString& serverPath)
{
    const QDeadlineTimer deadline(3000);
    QLocalSocket socket;
    while (!deadline.hasExpired()) {
        socket.connectToServer(serverPath);
        if (socket.waitForConnected(int(deadline.remainingTime()))) {
            socket.disconnectFromServer();
            return;
        }
        QThread::msleep(50);
    }
}

} // namespace

SingleInstance::SingleInstance(const QString& folder)
{
    const QString key = instanceKey(folder);
    const QString serverPath = runtimePath(key, QStringLiteral(".socket"));
    auto lock = std::make_unique<QLockFile>(runtimePath(key, QStringLiteral(".lock")));
    // The lock is held for the whole run, however long: only a dead owner
    // makes it stale, never its age.
    lock->setStaleLockTime(0);
    if (!lock->tryLock()) {
        // Only a lock held by a running copy stops this one; where no lock
        // can be made at all, the program runs unguarded rather than not.
        m_first = lock->error() != QLockFile::LockFailedError;
        if (!m_first)
            callRunningCopy(serverPath);
        return;
    }
    m_lock = std::move(lock);
    m_server = std::make_unique<QLocalServer>();
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    // A socket file left by a killed copy would refuse the listen.
    QLocalServer::removeServer(serverPath);
    m_server->listen(serverPath);
    connect(m_server.get(), &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = m_server->nextPendingConnection())
            socket->deleteLater();
        emit anotherStart();
    });
}

SingleInstance::~SingleInstance() = default;

} // namespace platform
