// SaveProfile when the file system refuses the write: the previous profile
// stays byte for byte, exactly one error is reported, nothing is left behind,
// and once the fault is gone a save in the same run succeeds.
//
// Each case runs in a forked child: the file size limit must not hit the test
// process, and root ignores permission bits, so a child of root first becomes
// the unprivileged user "nobody" to meet the faults an ordinary user meets.

#include "TestSupport.h"

#include "platform/ErrorReport.h"
#include "profile/ProfileFile.h"

#include <QDir>
#include <QFile>

#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>

namespace {

enum class Fault
{
    ReadOnlyDirectory,
    ReadOnlyFile,
    FileSizeLimit,
    TargetIsDirectory,
    AnotherSaveInProgress // another process writes the temporary
};

// The other process's hold on the temporary: an open, locked descriptor.
int otherSave = -1;

// What the child saw, sent back through a pipe.
struct Outcome
{
    int faultReports = -1;
    int faultNumber = 0;
    bool previousIntact = false;
    int strayEntries = -1;
    int fixedReports = -1;
    bool newRecordSaved = false;
};

profile::Record record(const QString& prefix)
{
    profile::Record record;
    for (int slot = 0; slot < profile::kSlotCount; ++slot)
        record[slot] = QStringLiteral("%1%2　口座%2").arg(prefix).arg(slot);
    return record;
}

// Brings the fault about, or with `on` false, takes it away again.
void setFault(Fault fault, const AppDirectory& dir, bool on)
{
    const QString path = dir.profilePath();
    switch (fault) {
    case Fault::ReadOnlyDirectory:
        ::chmod(QFile::encodeName(dir.path()).constData(), on ? 0555 : 0755);
        break;
    case Fault::ReadOnlyFile:
        ::chmod(QFile::encodeName(path).constData(), on ? 0444 : 0644);
        break;
    case Fault::FileSizeLimit: {
        // The record is far larger than 100 bytes; ignoring SIGXFSZ turns the
        // limit into a failing write instead of a killed process.
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{};
        ::getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = on ? 100 : limit.rlim_max;
        ::setrlimit(RLIMIT_FSIZE, &limit);
        break;
    }
    case Fault::TargetIsDirectory:
        if (!on)
            QDir(dir.path()).rmdir(QStringLiteral("NAME.txt"));
        break;
    case Fault::AnotherSaveInProgress:
        // Taken away, the other process dies and leaves its temporary behind.
        if (on) {
            otherSave = ::open(QFile::encodeName(path + QStringLiteral(".tmp")).constData(),
                               O_WRONLY | O_CREAT | O_EXCL, 0600);
            ::flock(otherSave, LOCK_EX);
        } else {
            ::close(otherSave);
        }
        break;
    }
}

// The directory and the file become the ordinary user's own, as they are for
// a user of the program.
bool dropPrivileges(const AppDirectory& dir)
{
    if (::geteuid() != 0)
        return true;
    return ::chown(QFile::encodeName(dir.path()).constData(), kNobody, kNogroup) == 0 &&
           ::lchown(QFile::encodeName(dir.profilePath()).constData(), kNobody, kNogroup) == 0 &&
           becomeOrdinaryUserForGood();
}

Outcome runInChild(Fault fault, const AppDirectory& dir)
{
    Outcome outcome;
    if (!dropPrivileges(dir))
        return outcome;
    const QString path = dir.profilePath();
    const QByteArray before = dir.readProfile();
    const profile::Record next = record(QStringLiteral("新"));

    ErrorRecorder recorder;
    setFault(fault, dir, true);
    platform::trap([&] { profile::SaveProfile(path, next); });
    outcome.faultReports = int(recorder.count());
    outcome.faultNumber = recorder.count() ? recorder.reports().front().number() : 0;
    outcome.previousIntact =
        fault == Fault::TargetIsDirectory ? QFileInfo(path).isDir() : dir.readProfile() == before;
    // The other save's temporary is its own, not a stray of this save.
    outcome.strayEntries =
        int(dir.strayEntries().size()) - int(fault == Fault::AnotherSaveInProgress);

    setFault(fault, dir, false);
    platform::trap([&] { profile::SaveProfile(path, next); });
    outcome.fixedReports = int(recorder.count()) - outcome.faultReports;
    outcome.newRecordSaved = dir.readProfile() == profile::encodeProfile(next);
    return outcome;
}

} // namespace

Q_DECLARE_METATYPE(Fault)

class SaveFaultsTest : public QObject
{
    Q_OBJECT

private slots:
    void faultLeavesPreviousFile_data();
    void faultLeavesPreviousFile();
};

void SaveFaultsTest::faultLeavesPreviousFile_data()
{
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<int>("number");

    QTest::newRow("directory read-only")
        << Fault::ReadOnlyDirectory << ErrorNumber::permissionDenied;
    QTest::newRow("file read-only") << Fault::ReadOnlyFile << ErrorNumber::permissionDenied;
    QTest::newRow("file size limit") << Fault::FileSizeLimit << ErrorNumber::diskFull;
    QTest::newRow("target is a directory") << Fault::TargetIsDirectory << ErrorNumber::pathNotFound;
    QTest::newRow("another process saving")
        << Fault::AnotherSaveInProgress << ErrorNumber::permissionDenied;
}

void SaveFaultsTest::faultLeavesPreviousFile()
{
    QFETCH(Fault, fault);
    QFETCH(int, number);

    AppDirectory dir;
    const QString path = dir.profilePath();
    if (fault == Fault::TargetIsDirectory)
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("NAME.txt")));
    else
        profile::SaveProfile(path, record(QStringLiteral("旧")));

    int channel[2];
    QCOMPARE(::pipe(channel), 0);
    const pid_t child = ::fork();
    QVERIFY(child >= 0);
    if (child == 0) {
        ::close(channel[0]);
        const Outcome outcome = runInChild(fault, dir);
        const bool sent = ::write(channel[1], &outcome, sizeof outcome) == sizeof outcome;
        ::_exit(sent ? 0 : 1);
    }
    ::close(channel[1]);
    Outcome outcome;
    const bool received = ::read(channel[0], &outcome, sizeof outcome) == sizeof outcome;
    ::close(channel[0]);
    int status = 0;
    QCOMPARE(::waitpid(child, &status, 0), child);
    QVERIFY2(received && WIFEXITED(status) && WEXITSTATUS(status) == 0, "child failed");
    // The child may have left the directory read-only for the clean-up.
    ::chmod(QFile::encodeName(dir.path()).constData(), 0700);

    QVERIFY2(outcome.faultReports >= 0, "could not become an unprivileged user");
    QCOMPARE(outcome.faultReports, 1);
    QCOMPARE(outcome.faultNumber, number);
    QVERIFY(outcome.previousIntact);
    QCOMPARE(outcome.strayEntries, 0);
    QCOMPARE(outcome.fixedReports, 0);
    QVERIFY(outcome.newRecordSaved);
}

QTEST_GUILESS_MAIN(SaveFaultsTest)

#include "tst_save_faults.moc"
