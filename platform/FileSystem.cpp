#include "platform/FileSystem.h"

#include "platform/AppError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace platform {

namespace {

AppError failureToWrite()
{
    switch (errno) {
    case ENOSPC:
    case EFBIG:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return AppError::diskFull();
    default:
        return AppError::permissionDenied();
    }
}

#ifdef Q_OS_UNIX

mode_t toMode(QFileDevice::Permissions permissions)
{
    mode_t mode = 0;
    const std::pair<QFileDevice::Permission, mode_t> bits[] = {
        {QFileDevice::ReadOwner, S_IRUSR},  {QFileDevice::WriteOwner, S_IWUSR},
        {QFileDevice::ExeOwner, S_IXUSR},   {QFileDevice::ReadGroup, S_IRGRP},
        {QFileDevice::WriteGroup, S_IWGRP}, {QFileDevice::ExeGroup, S_IXGRP},
        {QFileDevice::ReadOther, S_IROTH},  {QFileDevice::WriteOther, S_IWOTH},
        {QFileDevice::ExeOther, S_IXOTH}};
    for (const auto& [permission, bit] : bits) {
        if (permissions.testFlag(permission))
            mode |= bit;
    }
    return mode;
}

bool writeAll(int fd, QByteArrayView bytes)
{
    const char* data = bytes.data();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, size_t(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        data += written;
        left -= written;
    }
    return true;
}

// Makes a completed rename in `directory` survive a power cut: on POSIX a
// rename is only durable once the directory itself has been synced.
void syncDirectory(const QByteArray& directory)
{
    const int fd = ::open(directory.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

bool namesSameFile(const QByteArray& path, int fd)
{
    struct stat named
    {
    }, opened{};
    return ::lstat(path.constData(), &named) == 0 && ::fstat(fd, &opened) == 0 &&
           named.st_dev == opened.st_dev && named.st_ino == opened.st_ino;
}

// Creates the one temporary beside the file for this save alone. Two saves,
// say of two copies of the program sharing the file through a link, must
// never write the same temporary: one would rename the other's half-written
// bytes into place. So the temporary is written and renamed only under an
// exclusive lock on it, by the process that checked after locking that the
// name still leads to it. A temporary that is locked belongs to a save in
// progress, and this save gives up; one that is not was left by a crash, or
// planted as a link to make us overwrite another file, and is removed, never
// written through. The new one is owner-only until it holds all the data.
int openTemporary(const QByteArray& temporary)
{
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd >= 0) {
            if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && namesSameFile(temporary, fd))
                return fd;
            ::close(fd);
            continue;
        }
        if (errno != EEXIST)
            throw failureToWrite();
        const int left =
            ::open(temporary.constData(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (left < 0 && errno == ELOOP) {
            ::unlink(temporary.constData());
            continue;
        }
        if (left < 0)
            throw failureToWrite();
        const bool stale = ::flock(left, LOCK_EX | LOCK_NB) == 0;
        if (stale && namesSameFile(temporary, left))
            ::unlink(temporary.constData());
        ::close(left);
        if (!stale)
            throw AppError::permissionDenied();
    }
    throw AppError::permissionDenied();
}

// Closes a descriptor however the function that opened it ends.
class Descriptor
{
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    int get() const { return m_fd; }

private:
    int m_fd;
};

AppError failureToRead()
{
    return errno == ENOENT || errno == ENOTDIR ? AppError::fileNotFound()
                                               : AppError::pathNotFound();
}

void checkOrdinary(const struct stat& info, const QString& shownName, qsizetype limit)
{
    if (!S_ISREG(info.st_mode))
        throw AppError::notAnOrdinaryFile(shownName);
    if (info.st_size > limit)
        throw AppError::fileTooLarge(shownName, limit);
}

#endif

} // namespace

bool isPrivateFolder(const QString& path, bool create)
{
#ifdef Q_OS_UNIX
    const QByteArray name = QFile::encodeName(path);
    if (create && QDir().mkpath(QFileInfo(path).absolutePath()))
        ::mkdir(name.constData(), 0700);
    struct stat info
    {
    };
    return ::lstat(name.constData(), &info) == 0 && S_ISDIR(info.st_mode) &&
           info.st_uid == ::geteuid() && (info.st_mode & (S_IRWXG | S_IRWXO)) == 0;
#else
#error "isPrivateFolder needs a port to this platform"
#endif
}

QByteArray readOrdinaryFile(const QString& path, qsizetype limit)
{
#ifdef Q_OS_UNIX
    const QByteArray name = QFile::encodeName(path);
    const QString shownName = QFileInfo(path).fileName();
    // A look before opening spares a device the side effects of being opened.
    // The check of the opened file is the one that counts: by then the name
    // may lead elsewhere.
    struct stat info
    {
    };
    if (::stat(name.constData(), &info) != 0)
        throw failureToRead();
    checkOrdinary(info, shownName, limit);
    // Without O_NONBLOCK, opening a pipe waits for a writer, for ever.
    const Descriptor file(::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (file.get() < 0)
        throw failureToRead();
    const int flags = ::fcntl(file.get(), F_GETFL);
    if (::fstat(file.get(), &info) != 0 || flags < 0)
        throw AppError::pathNotFound();
    checkOrdinary(info, shownName, limit);
    if (::fcntl(file.get(), F_SETFL, flags & ~O_NONBLOCK) != 0)
        throw AppError::pathNotFound();

    // The file may grow while it is read: a byte past the limit tells.
    QByteArray bytes(limit + 1, Qt::Uninitialized);
    qsizetype total = 0;
    while (total < bytes.size()) {
        const ssize_t got = ::read(file.get(), bytes.data() + total, size_t(bytes.size() - total));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            throw AppError::pathNotFound();
        if (got == 0)
            break;
        total += got;
    }
    if (total > limit)
        throw AppError::fileTooLarge(shownName, limit);
    bytes.truncate(total);
    return bytes;
#else
#error "readOrdinaryFile needs a port to this platform"
#endif
}

void replaceFile(const QString& path, QByteArrayView bytes,
                 QFileDevice::Permissions newFilePermissions)
{
#ifdef Q_OS_UNIX
    const QFileInfo link(path);
    const QFileInfo target(link.isSymLink() ? link.symLinkTarget() : link.absoluteFilePath());
    const QByteArray name = QFile::encodeName(target.absoluteFilePath());
    const QByteArray temporary = name + ".tmp";

    struct stat existing
    {
    };
    const bool exists = ::stat(name.constData(), &existing) == 0;
    if (exists && ::access(name.constData(), W_OK) != 0)
        throw AppError::permissionDenied();
    const int fd = openTemporary(temporary);
    const mode_t mode = exists ? existing.st_mode & S_IRWXU : toMode(newFilePermissions);
    // The lock on the temporary is held until it has been renamed.
    if (::fchmod(fd, mode) != 0 || !writeAll(fd, bytes) || ::fsync(fd) != 0 ||
        ::rename(temporary.constData(), name.constData()) != 0) {
        const AppError error = failureToWrite();
        ::unlink(temporary.constData());
        ::close(fd);
        throw error;
    }
    ::close(fd);
    syncDirectory(QFile::encodeName(target.absolutePath()));
#else
#error "replaceFile needs a port to this platform"
#endif
}

} // namespace platform
