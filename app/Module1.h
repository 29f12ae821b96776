#pragma once

#include <QString>
#include <QtGlobal>

// The application module: the little state that every window shares.
struct Module1
{
    // 1 once a profile exists; written at start-up and by the first commit.
    qint16 HasProfile = 0;

    // The folder of the profile file: where the executable lives, or in a
    // system-wide install the user's own data folder.
    QString AppDirectory;

    QString profilePath() const { return AppDirectory + QStringLiteral("/NAME.txt"); }
};
