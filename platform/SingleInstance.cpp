#include "platform/SingleInstance.h"

#include "platform/FileSystem.h"

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

// What the running copy sends back once it has come forward.
constexpr char kCameForward = '1';

// The folder for the lock and the server: the session's runtime folder, or
// where the session has none, a folder of the program's own in the user's
// cache folder. Never one that other users can write, as the shared temporary
// folder: there another user could take the names first, and a bare server
// name would put the socket there. Empty when there is no such folder.
QString privateFolder()
{
    QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && isPrivateFolder(runtime))
        return runtime;
    QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    // Qt passes a relative $XDG_CACHE_HOME on; the XDG base directory rules
    // say to ignore it.
    if (!QDir::isAbsolutePath(cache))
        cache = QDir::homePath() + QStringLiteral("/.cache");
    const QString own = cache + QStringLiteral("/petatto-meibo");
    return isPrivateFolder(own, true) ? own : QString();
}

// Asks the running copy to come forward: connecting is the request, and the
// copy answers once it has. The running copy takes the lock a moment before
// it listens, so a refused connection is tried again for a little while.
bool callRunningCopy(const QString& serverPath)
{
    const QDeadlineTimer deadline(3000);
    QLocalSocket socket;
    while (!deadline.hasExpired()) {
        socket.connectToServer(serverPath);
        if (socket.waitForConnected(int(deadline.remainingTime())))
            return (socket.bytesAvailable() > 0 ||
                    socket.waitForReadyRead(int(deadline.remainingTime()))) &&
                   socket.read(1) == QByteArray(1, kCameForward);
        QThread::msleep(50);
    }
    return false;
}

} // namespace

SingleInstance::SingleInstance(const QString& folder)
{
    const QString directory = privateFolder();
    // Where no lock can be made at all, the program runs unguarded rather
    // than not.
    if (directory.isEmpty())
        return;
    const QString key = directory + QLatin1Char('/') + instanceKey(folder);
    const QString serverPath = key + QStringLiteral(".socket");
    auto lock = std::make_unique<QLockFile>(key + QStringLiteral(".lock"));
    // The lock is held for the whole run, however long: only a dead owner
    // makes it stale, never its age.
    lock->setStaleLockTime(0);
    if (!lock->tryLock()) {
        // Only a lock held by a running copy stops this one.
        m_first = lock->error() != QLockFile::LockFailedError;
        if (!m_first)
            m_answered = callRunningCopy(serverPath);
        return;
    }
    m_lock = std::move(lock);
    m_server = std::make_unique<QLocalServer>();
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    // A socket file left by a killed copy would refuse the listen.
    QLocalServer::removeServer(serverPath);
    m_server->listen(serverPath);
    connect(m_server.get(), &QLocalServer::newConnection, this, [this] {
        emit anotherStart();
        while (QLocalSocket* socket = m_server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            socket->write(&kCameForward, 1);
            // Leaves once the answer is written.
            socket->disconnectFromServer();
        }
    });
}

SingleInstance::~SingleInstance() = default;

} // namespace platform
