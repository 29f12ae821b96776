#include "platform/FileSystem.h"

#include <QFile>

#include <cerrno>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

namespace platform {

void syncDirectory(const QString& directory)
{
#ifdef Q_OS_UNIX
    const int fd = ::open(QFile::encodeName(directory).constData(), O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
#else
    Q_UNUSED(directory);
#endif
}

WriteFailure lastWriteFailure()
{
    switch (errno) {
    case ENOSPC:
    case EFBIG:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return WriteFailure::DiskFull;
    default:
        return WriteFailure::Other;
    }
}

} // namespace platform
