// Commits the crash-safety records to DIRECTORY/NAME.txt one after the other,
// SAVES times or, without SAVES, until it is killed. Prints one line once the
// first save is complete, so that the killer knows a profile exists.

#include "CrashRecords.h"

#include "platform/AppError.h"
#include "profile/ProfileFile.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: %s DIRECTORY [SAVES]\n", argv[0]);
        return 2;
    }
    const QString path = QDir(QString::fromLocal8Bit(argv[1])).filePath(QStringLiteral("NAME.txt"));
    const long long saves = argc == 3 ? std::atoll(argv[2]) : -1;
    try {
        for (long long save = 0; save != saves; ++save) {
            profile::SaveProfile(path, crashRecord(int(save % kCrashRecordCount)));
            if (save == 0) {
                std::puts("saved");
                std::fflush(stdout);
            }
        }
    } catch (const platform::AppError& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
