// The program on a real X server under different window managers (the test
// runs once per window manager): the error report can be seen and used, and
// the palette's frame leaves room for all of its controls.

#include "XDisplay.h"

#include "forms/Form1.h"
#include "forms/Form2.h"
#include "forms/Form3.h"
#include "forms/Form4.h"
#include "platform/Twips.h"

#include <QDir>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include <csignal>

namespace {

// What fails, and so brings up the error report.
enum class Failure
{
    StartUp, // the profile file is missing
    Commit   // the editor holds a character that code page 932 cannot hold
};

// Awaits the modal error report, checks what it says and that the window
// manager stacks it above every other window of the program, and dismisses it
// with the mouse. Runs inside the report's own event loop; returns what went
// wrong, after closing a report the mouse could not close, so that the test
// goes on.
QString dismissReportByMouse(const QString& text)
{
    QMessageBox* report = nullptr;
    if (!QTest::qWaitFor([&] {
            report = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            return report && QTest::qWaitForWindowExposed(report, 100);
        }))
        return QStringLiteral("no error report shown");
    const auto stackedOnTop = [report] {
        const QList<WId> order = stackingOrder();
        const qsizetype reportPlace = order.indexOf(report->winId());
        for (const QWidget* window : QApplication::topLevelWidgets()) {
            if (window != report && window->isVisible() &&
                order.indexOf(window->winId()) > reportPlace)
                return false;
        }
        return reportPlace >= 0;
    };
    QString problem;
    if (report->windowTitle() != u"ＶＢエラー"_qs || report->text() != text)
        problem = u"The report reads %1: %2. "_qs.arg(report->windowTitle(), report->text());
    if (!QTest::qWaitFor(stackedOnTop))
        problem += QStringLiteral("The report is stacked under another window of the program. ");
    if (!report->screen()->availableGeometry().contains(report->frameGeometry()))
        problem += QStringLiteral("The report is not wholly on the screen. ");
    if (!clickOn(*report->button(QMessageBox::Ok)) ||
        !QTest::qWaitFor([report] { return !report->isVisible(); }, 2000)) {
        problem += QStringLiteral("A click on OK did not close the report.");
        report->reject();
    }
    return problem;
}

// A run of a copy, killed if it still runs when the test is over.
struct Run : QProcess
{
    ~Run() override
    {
        kill();
        waitForFinished();
    }
};

// The program installed in a folder of its own, beside the file a first run
// finds there; without it the copy would stop at an error report.
struct InstalledCopy
{
    InstalledCopy()
    {
        QVERIFY(QFile::copy(QStringLiteral(PETATTO_PROGRAM), program()));
        dir.writeProfile(fileWithMarker(u"0"_qs));
    }
    QString program() const { return dir.path() + QStringLiteral("/petatto-meibo"); }
    std::unique_ptr<Run> start() const
    {
        auto process = std::make_unique<Run>();
        process->setProcessChannelMode(QProcess::ForwardedChannels);
        // From another working directory: the copy reads the file beside itself.
        process->setWorkingDirectory(QDir::rootPath());
        process->start(program(), QStringList());
        return process;
    }

    AppDirectory dir;
};

// A window of a running copy, once it is on the screen; 0 when none comes.
WId windowOf(const QProcess& process, const QString& title)
{
    WId window = 0;
    (void)QTest::qWaitFor(
        [&] {
            window = xToolOutput(u"xdotool"_qs,
                                 {u"search"_qs, u"--all"_qs, u"--onlyvisible"_qs, u"--pid"_qs,
                                  QString::number(process.processId()), u"--name"_qs, title})
                         .trimmed()
                         .toULongLong();
            return window != 0;
        },
        20000);
    return window;
}

WId paletteOf(const QProcess& process)
{
    return windowOf(process, u"^Ver\\."_qs);
}

} // namespace

Q_DECLARE_METATYPE(Failure)

class DesktopTest : public QObject
{
    Q_OBJECT

private slots:
    void errorReport_data();
    void errorReport();
    void secondStart_data();
    void secondStart();
};

void DesktopTest::errorReport_data()
{
    QTest::addColumn<Failure>("failure");
    QTest::addColumn<QString>("report");
    QTest::newRow("start-up without a profile file")
        << Failure::StartUp
        << u"ファイルが見つかりません。\n\n【エラーコード＝%1】"_qs.arg(ErrorNumber::fileNotFound);
    QTest::newRow("commit of a character code page 932 cannot hold")
        << Failure::Commit
        << u"「職業」の文字「\U0001F600」(U+1F600) は保存できません。"
           u"この文字を別の文字に置き換えてから、もう一度保存して下さい。\n\n【エラーコード＝%1】"_qs
               .arg(ErrorNumber::invalidArgument);
}

void DesktopTest::errorReport()
{
    QFETCH(Failure, failure);
    QFETCH(QString, report);

    AppDirectory dir;
    if (failure != Failure::StartUp)
        dir.writeProfile(fileWithMarker(u"0"_qs));
    Module1 module{0, dir.path()};
    ProgramWindows windows(module);
    QString reportProblem = u"the report never came"_qs;
    const auto expectReport = [&] {
        QTimer::singleShot(0, [&] { reportProblem = dismissReportByMouse(report); });
    };

    if (failure == Failure::StartUp)
        expectReport();
    QVERIFY(startUpAndWait(windows));
    Form1& palette = windows.palette();
    QVERIFY(QTest::qWaitForWindowExposed(&palette));
    if (failure == Failure::StartUp) {
        QVERIFY2(reportProblem.isEmpty(), qPrintable(reportProblem));
        // Once placed by its frame, the palette keeps its own outer size
        // wherever the frame leaves room for all of its controls, and grows no
        // more than they need where it does not.
        QTRY_VERIFY(palette.frameGeometry() != palette.geometry());
        const QRect contents = palette.childrenRect();
        const QSize frame = palette.frameGeometry().size() - palette.size();
        QCOMPARE(palette.size(), (platform::twipsSize(1800, 8685) - frame)
                                     .expandedTo({contents.right() + 1, contents.bottom() + 1}));
        // The program goes on: the palette answers the mouse.
        QVERIFY(clickOn(*palette.btnHelp));
        QTRY_VERIFY(windows.help() && windows.help()->isVisible());
        return;
    }

    windows.welcome()->close();
    Form2& editor = windows.showEditor();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));
    editor.setSlotText(35, QStringLiteral("\U0001F600"));
    expectReport();
    editor.btn内容更新->click();
    QVERIFY2(reportProblem.isEmpty(), qPrintable(reportProblem));
    QVERIFY(clickOn(*editor.btnキャンセル));
    QTRY_VERIFY(!windows.editor());
}

void DesktopTest::secondStart_data()
{
    QTest::addColumn<bool>("sameFolder");
    QTest::addColumn<bool>("firstKilled");
    QTest::addColumn<bool>("secondRuns");

    QTest::newRow("same folder") << true << false << false;
    QTest::newRow("same folder, first copy killed") << true << true << true;
    QTest::newRow("another folder") << false << false << true;
}

void DesktopTest::secondStart()
{
    QFETCH(bool, sameFolder);
    QFETCH(bool, firstKilled);
    QFETCH(bool, secondRuns);

    const InstalledCopy first;
    const auto firstRun = first.start();
    const WId firstPalette = paletteOf(*firstRun);
    QVERIFY(firstPalette);
    // The welcome window follows the palette; once it is up the copy has
    // finished starting and takes no more focus of its own.
    QVERIFY(windowOf(*firstRun, u"^はじめまして$"_qs));
    if (firstKilled) {
        ::kill(pid_t(firstRun->processId()), SIGKILL);
        QVERIFY(firstRun->waitForFinished());
    }
    // The user works in another program's window.
    QWidget elsewhere;
    elsewhere.show();
    elsewhere.activateWindow();
    QTRY_COMPARE(activeWindow(), elsewhere.winId());

    const std::unique_ptr<InstalledCopy> other =
        sameFolder ? nullptr : std::make_unique<InstalledCopy>();
    const auto secondRun = (sameFolder ? first : *other).start();
    if (secondRuns) {
        QVERIFY(paletteOf(*secondRun));
    } else {
        QVERIFY(secondRun->waitForFinished(20000));
        QCOMPARE(secondRun->exitStatus(), QProcess::NormalExit);
        QCOMPARE(secondRun->exitCode(), 0);
        QTRY_COMPARE(activeWindow(), firstPalette);
    }
    QCOMPARE(firstRun->state() == QProcess::Running, !firstKilled);
}

PETATTO_WIDGET_TEST_MAIN(DesktopTest)

#include "tst_desktop_e2e.moc"
