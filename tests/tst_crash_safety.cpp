// Killing the program in the middle of a commit never costs the profile: a
// writer saves records in a loop and is killed with SIGKILL at random moments;
// after every kill NAME.txt is one whole record that was written, and at most
// one temporary file lies beside it. A power cut cannot cost it either: the
// save's steps reach the disk in an order that leaves the old or the new
// record.

#include "TestSupport.h"
#include "tools/CrashRecords.h"

#include "profile/ProfileFile.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryFile>
#include <QThread>

#include <set>

class CrashSafetyTest : public QObject
{
    Q_OBJECT

private slots:
    void killedWriterLeavesWholeRecord();
    void savesInDurableOrder();
};

void CrashSafetyTest::killedWriterLeavesWholeRecord()
{
    // The bench script asks for more kills than CI has time for.
    const int kills = qEnvironmentVariableIsSet("PETATTO_CRASH_KILLS")
                          ? qEnvironmentVariableIntValue("PETATTO_CRASH_KILLS")
                          : 200;
    QVERIFY(kills > 0);

    QList<QByteArray> written;
    for (int index = 0; index < kCrashRecordCount; ++index)
        written << profile::encodeProfile(crashRecord(index));

    AppDirectory dir;
    QRandomGenerator random(QRandomGenerator::global()->generate());
    std::set<int> recordsSeen;
    int killedMidSave = 0;
    for (int kill = 0; kill < kills; ++kill) {
        QProcess writer;
        writer.start(QStringLiteral(PETATTO_PROFILE_WRITER), {dir.path()});
        QVERIFY2(writer.waitForReadyRead(10000), "the writer never completed a save");
        // A random moment within the next few saves; the point is not to
        // wait for anything.
        QThread::usleep(random.bounded(20000));
        writer.kill();
        QVERIFY(writer.waitForFinished(10000));
        QCOMPARE(writer.exitStatus(), QProcess::CrashExit);

        const QByteArray bytes = dir.readProfile();
        const int index = int(written.indexOf(bytes));
        QVERIFY2(index >= 0, qPrintable(QStringLiteral("kill %1 left a file of %2 bytes that "
                                                       "matches no record written")
                                            .arg(kill)
                                            .arg(bytes.size())));
        recordsSeen.insert(index);

        const QStringList others = dir.strayEntries();
        QVERIFY2(others.size() <= 1, qPrintable(others.join(u' ')));
        killedMidSave += int(others.size());
    }
    qInfo("%d kills, %d of them during a save, %zu different records found", kills, killedMidSave,
          recordsSeen.size());
    // Most of a save is waiting for the disk; kills that all land between
    // saves would prove nothing.
    QVERIFY2(killedMidSave * 8 >= kills, "too few kills landed during a save");
}

void CrashSafetyTest::savesInDurableOrder()
{
    // The system calls of one save, as strace sees them, descriptors shown
    // with the paths they name.
    AppDirectory dir;
    QTemporaryFile log;
    QVERIFY(log.open());
    QProcess strace;
    // LeakSanitizer, in sanitizer builds, refuses to run under a tracer.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"ASAN_OPTIONS"_s,
                       environment.value(u"ASAN_OPTIONS"_s) + u":detect_leaks=0"_s);
    strace.setProcessEnvironment(environment);
    strace.start(u"strace"_s, {u"-qq"_s, u"-y"_s, u"-o"_s, log.fileName(), u"-e"_s,
                               u"trace=write,fsync,fdatasync,rename,renameat,renameat2"_s,
                               QStringLiteral(PETATTO_PROFILE_WRITER), dir.path(), u"1"_s});
    QVERIFY2(strace.waitForFinished(30000), "strace is needed to watch the save");
    QVERIFY2(strace.exitCode() == 0, strace.readAllStandardError().constData());

    const QString file = QRegularExpression::escape(dir.profilePath());
    const QString temporary = QRegularExpression::escape(dir.profilePath() + u".tmp"_s);
    const std::pair<QString, QString> kinds[] = {
        {u"^write\\(\\d+<"_s + temporary + u'>', u"write"_s},
        {u"^f(data)?sync\\(\\d+<"_s + temporary + u'>', u"sync file"_s},
        {u"^rename.*\""_s + temporary + u"\".*\""_s + file + u'"', u"rename"_s},
        {u"^f(data)?sync\\(\\d+<"_s + QRegularExpression::escape(dir.path()) + u'>',
         u"sync folder"_s},
    };
    QStringList steps;
    for (const QString& line : QString::fromUtf8(log.readAll()).split(u'\n')) {
        for (const auto& [call, step] : kinds) {
            if (QRegularExpression(call).match(line).hasMatch() &&
                steps.value(steps.size() - 1) != step)
                steps << step;
        }
    }
    QCOMPARE(steps, (QStringList{u"write"_s, u"sync file"_s, u"rename"_s, u"sync folder"_s}));
}

QTEST_GUILESS_MAIN(CrashSafetyTest)

#include "tst_crash_safety.moc"
