#include "platform/FileSystem.h"

#include "platform/AppError.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>

#ifdef Q_OS_UNIX
#include <fcntl.h>
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

#endif

} // namespace

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
    // A temporary left by a crash is replaced, never written through: it
    // might be a link planted to make us overwrite another file. The new one
    // is owner-only until it holds all the data.
    ::unlink(temporary.constData());
    const int fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0)
        throw failureToWrite();
    const mode_t mode = exists ? existing.st_mode & 07777 : toMode(newFilePermissions);
    if (::fchmod(fd, mode) != 0 || !writeAll(fd, bytes) || ::fsync(fd) != 0) {
        const AppError error = failureToWrite();
        ::close(fd);
        ::unlink(temporary.constData());
        throw error;
    }
    if (::close(fd) != 0 || ::rename(temporary.constData(), name.constData()) != 0) {
        const AppError error = failureToWrite();
        ::unlink(temporary.constData());
        throw error;
    }
    syncDirectory(QFile::encodeName(target.absolutePath()));
#else
#error "replaceFile needs a port to this platform"
#endif
}

} // namespace platform
