// The program on a real X server under different window managers (the test
// runs once per window manager): the error report can be seen and used, and
// the palette's frame leaves room for all of its controls.

#include "XDisplay.h"

#include "forms/Form1.h"
#include "forms/Form2.h"
#include "forms/Form3.h"
#include "forms/Form4.h"
#include "platform/Twips.h"

#include <QCryptographicHash>
#include <QDir>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include <csignal>

#include <pwd.h>
#include <sys/stat.h>

namespace {

// What fails, and so brings up the error report.
enum class Failure
{
    StartUp, // the profile file is missing
    Commit   // the editor holds a character that code page 932 cannot hold
};

// What becomes of the first copy before the second one starts.
enum class First
{
    Runs,
    Killed, // with SIGKILL: its lock and its server's socket stay behind
    Stopped // with SIGSTOP: it holds the lock but answers nothing
};

// What the second start does.
enum class Second
{
    Runs,
    BringsFirstForward,
    Reports // that the first copy does not answer
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
    if (report->windowTitle() != u"ＶＢエラー"_s || report->text() != text)
        problem = u"The report reads %1: %2. "_s.arg(report->windowTitle(), report->text());
    if (!QTest::qWaitFor(stackedOnTop))
        problem += QStringLiteral("The report is stacked under another window of the program. ");
    // Some window managers stack a modal box above its owner by themselves;
    // above other programs' topmost windows only the flag keeps it.
    if (!QTest::qWaitFor(
            [report] { return windowStates(report->winId()).contains("_NET_WM_STATE_ABOVE"); }))
        problem += QStringLiteral("The report is not kept above other programs' windows. ");
    if (!report->screen()->availableGeometry().contains(report->frameGeometry()))
        problem += QStringLiteral("The report is not wholly on the screen. ");
    if (!clickOn(*report->button(QMessageBox::Ok)) ||
        !QTest::qWaitFor([report] { return !report->isVisible(); }, 2000)) {
        problem += QStringLiteral("A click on OK did not close the report.");
        report->reject();
    }
    return problem;
}

// A session without a runtime folder, whose shared temporary folder another
// user filled first with what the program once kept there: Qt's fallback
// runtime folder and the copy's lock and server names, all of them the other
// user's folders, which the program can neither use nor remove.
struct HostileTemporaryFolder
{
    explicit HostileTemporaryFolder(const InstalledCopy& copy)
    {
        const QByteArray shared = QFile::encodeName(temporary.path());
        QCOMPARE(::chmod(shared.constData(), 01777), 0);
        const QString key = QString::fromLatin1(
            QCryptographicHash::hash(QFileInfo(copy.dir.path()).canonicalFilePath().toUtf8(),
                                     QCryptographicHash::Sha256)
                .toHex()
                .left(32));
        const QStringList taken{
            u"runtime-"_s + QString::fromLocal8Bit(::getpwuid(::geteuid())->pw_name),
            u"petatto-meibo-"_s + key + u".lock"_s, u"petatto-meibo-"_s + key + u".socket"_s};
        for (const QString& name : taken) {
            const QByteArray path = QFile::encodeName(temporary.filePath(name));
            QCOMPARE(::mkdir(path.constData(), 0700), 0);
            if (::geteuid() == 0)
                QCOMPARE(::chown(path.constData(), kNobody, kNogroup), 0);
        }
    }

    QProcessEnvironment environment() const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(u"XDG_RUNTIME_DIR"_s);
        environment.remove(u"XDG_CACHE_HOME"_s);
        environment.insert(u"TMPDIR"_s, temporary.path());
        environment.insert(u"HOME"_s, home.path());
        return environment;
    }

    QTemporaryDir temporary;
    QTemporaryDir home;
};

// A window of a running copy, once it is on the screen; 0 when none comes.
WId windowOf(const QProcess& process, const QString& title)
{
    WId window = 0;
    (void)QTest::qWaitFor(
        [&] {
            window = xToolOutput(u"xdotool"_s,
                                 {u"search"_s, u"--all"_s, u"--onlyvisible"_s, u"--pid"_s,
                                  QString::number(process.processId()), u"--name"_s, title})
                         .trimmed()
                         .toULongLong();
            return window != 0;
        },
        20000);
    return window;
}

WId paletteOf(const QProcess& process)
{
    return windowOf(process, u"^Ver\\."_s);
}

} // namespace

Q_DECLARE_METATYPE(Failure)
Q_DECLARE_METATYPE(First)
Q_DECLARE_METATYPE(Second)

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
        << u"ファイルが見つかりません。\n\n【エラーコード＝%1】"_s.arg(ErrorNumber::fileNotFound);
    QTest::newRow("commit of a character code page 932 cannot hold")
        << Failure::Commit
        << u"「職業」の文字「\U0001F600」(U+1F600) は保存できません。"
           u"この文字を別の文字に置き換えてから、もう一度保存して下さい。\n\n【エラーコード＝%1】"_s
               .arg(ErrorNumber::invalidArgument);
}

void DesktopTest::errorReport()
{
    QFETCH(Failure, failure);
    QFETCH(QString, report);

    AppDirectory dir;
    if (failure != Failure::StartUp)
        dir.writeProfile(fileWithMarker(u"0"_s));
    Module1 module{0, dir.path()};
    ProgramWindows windows(module);
    QString reportProblem = u"the report never came"_s;
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
    QTest::addColumn<bool>("hostileTemporaryFolder");
    // The profile was made: the browser comes up beside the palette.
    QTest::addColumn<bool>("profileMade");
    QTest::addColumn<First>("first");
    QTest::addColumn<Second>("second");
    // Once the second copy runs, a third start from its folder brings it
    // forward and ends.
    QTest::addColumn<bool>("thirdStart");

    QTest::newRow("same folder") << true << false << false << First::Runs
                                 << Second::BringsFirstForward << false;
    QTest::newRow("same folder, first copy killed")
        << true << false << false << First::Killed << Second::Runs << false;
    QTest::newRow("same folder, first copy killed, then a third start")
        << true << false << false << First::Killed << Second::Runs << true;
    QTest::newRow("same folder, first copy stopped")
        << true << false << false << First::Stopped << Second::Reports << false;
    QTest::newRow("another folder")
        << false << false << false << First::Runs << Second::Runs << false;
    QTest::newRow("no runtime folder, another user's folders in the temporary folder")
        << true << true << false << First::Runs << Second::BringsFirstForward << false;
    QTest::newRow("same folder, profile made: the browser beside the palette")
        << true << false << true << First::Runs << Second::BringsFirstForward << false;
}

void DesktopTest::secondStart()
{
    QFETCH(bool, sameFolder);
    QFETCH(bool, hostileTemporaryFolder);
    QFETCH(bool, profileMade);
    QFETCH(First, first);
    QFETCH(Second, second);
    QFETCH(bool, thirdStart);

    const InstalledCopy copy(profileMade);
    const std::unique_ptr<HostileTemporaryFolder> hostile =
        hostileTemporaryFolder ? std::make_unique<HostileTemporaryFolder>(copy) : nullptr;
    const QProcessEnvironment environment =
        hostile ? hostile->environment() : QProcessEnvironment::systemEnvironment();
    const auto firstRun = copy.start(environment);
    const WId firstPalette = paletteOf(*firstRun);
    QVERIFY(firstPalette);
    // The welcome window or the browser follows the palette; once it is up the
    // copy has finished starting and takes no more focus of its own.
    const WId companion =
        windowOf(*firstRun, profileMade ? u"^ペタッと名簿"_s : u"^はじめまして$"_s);
    QVERIFY(companion);
    // It comes up without asking for the user's attention, nothing there needs
    // the user; and asks for none later (the window manager may mark it a
    // moment after it was found).
    const auto asksForAttention = [companion] {
        return windowStates(companion).contains("_NET_WM_STATE_DEMANDS_ATTENTION");
    };
    QVERIFY(QTest::qWaitFor([&] { return !asksForAttention(); }));
    if (first != First::Runs) {
        ::kill(pid_t(firstRun->processId()), first == First::Killed ? SIGKILL : SIGSTOP);
        if (first == First::Killed)
            QVERIFY(firstRun->waitForFinished());
    }
    // The user works in another program's window.
    QWidget elsewhere;
    const auto workElsewhere = [&elsewhere] {
        elsewhere.show();
        elsewhere.activateWindow();
        QTRY_COMPARE(activeWindow(), elsewhere.winId());
    };
    workElsewhere();

    const std::unique_ptr<InstalledCopy> other =
        sameFolder ? nullptr : std::make_unique<InstalledCopy>();
    const auto secondRun = (sameFolder ? copy : *other).start(environment);
    const auto endsBringingForward = [](QProcess& later, WId palette) {
        QVERIFY(later.waitForFinished(20000));
        QCOMPARE(later.exitStatus(), QProcess::NormalExit);
        QCOMPARE(later.exitCode(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(activeWindow(), palette, 20000);
    };
    switch (second) {
    case Second::Runs: {
        const WId secondPalette = paletteOf(*secondRun);
        QVERIFY(secondPalette);
        if (thirdStart) {
            QVERIFY(windowOf(*secondRun, u"^はじめまして$"_s));
            workElsewhere();
            endsBringingForward(*copy.start(environment), secondPalette);
        }
        break;
    }
    case Second::BringsFirstForward:
        endsBringingForward(*secondRun, firstPalette);
        break;
    case Second::Reports: {
        // Its error report comes up instead of a silent end.
        QVERIFY(windowOf(*secondRun, u"^ＶＢエラー$"_s));
        ::kill(pid_t(firstRun->processId()), SIGCONT);
        break;
    }
    }
    QCOMPARE(firstRun->state() == QProcess::Running, first != First::Killed);
    QVERIFY(!asksForAttention());
}

PETATTO_WIDGET_TEST_MAIN(DesktopTest)

#include "tst_desktop_e2e.moc"
