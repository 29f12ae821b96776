#pragma once

#include <QObject>
#include <QString>

#include <memory>

class QLocalServer;
class QLockFile;

namespace platform {

// One running copy of the program per application folder, since two copies
// would overwrite each other's profile file. The first copy holds a lock
// keyed on the folder's canonical path and listens for later starts; a later
// start finds the lock taken, asks the first copy to come forward and ends.
// A lock left by a killed copy is stale and taken over. Lock and server live
// in a folder that only the user may enter, so that no other user can hold
// their names and keep the program from starting.
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    explicit SingleInstance(const QString& folder);
    ~SingleInstance() override;

    // False when another copy runs from the folder; it was asked to come
    // forward and this process has nothing more to do.
    bool isFirst() const { return m_first; }

    // Whether the other copy answered that it came forward; one that does
    // not, being hung or stopped, holds the lock all the same.
    bool runningCopyAnswered() const { return m_answered; }

signals:
    // A later start from the same folder asks this copy to come forward.
    void anotherStart();

private:
    bool m_first = true;
    bool m_answered = false;
    std::unique_ptr<QLockFile> m_lock;
    std::unique_ptr<QLocalServer> m_server;
};

} // namespace platform
