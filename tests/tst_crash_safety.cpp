// Killing the program in the middle of a commit never costs the profile: a
// writer saves records in a loop and is killed with SIGKILL at random moments;
// after every kill NAME.txt is one whole record that was written, and at most
// one temporary file lies beside it.

#include "TestSupport.h"
#include "tools/CrashRecords.h"

#include "profile/ProfileFile.h"

#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>

#include <set>

class CrashSafetyTest : public QObject
{
    Q_OBJECT

private slots:
    void killedWriterLeavesWholeRecord();
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

        const QStringList others =
            QDir(dir.path())
                .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)
                .filter(QRegularExpression(QStringLiteral("^(?!NAME\\.txt$)")));
        QVERIFY2(others.size() <= 1, qPrintable(others.join(QLatin1Char(' '))));
        killedMidSave += int(others.size());
    }
    qInfo("%d kills, %d of them during a save, %zu different records found", kills, killedMidSave,
          recordsSeen.size());
}

QTEST_GUILESS_MAIN(CrashSafetyTest)

#include "tst_crash_safety.moc"
