#pragma once

#include <QString>

namespace platform {

// Makes a completed rename in `directory` survive a power cut: on POSIX a
// rename is only durable once the directory itself has been synced.
void syncDirectory(const QString& directory);

// The reason of the last failed system call, in the program's error terms.
enum class WriteFailure
{
    DiskFull,
    Other
};
WriteFailure lastWriteFailure();

} // namespace platform
