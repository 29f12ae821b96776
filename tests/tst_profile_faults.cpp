// Start-up with malformed and unusual profile files: whatever NAME.txt holds,
// the program starts without a crash or a hang, reports at most one error, and
// shows exactly what it could read.

#include "WidgetTest.h"

#include "forms/Form1.h"
#include "forms/Form3.h"
#include "platform/ErrorReport.h"
#include "profile/ProfileFile.h"
#include "profile/SlotTable.h"

#include <QDir>
#include <QFile>
#include <QPushButton>

#include <condition_variable>
#include <functional>
#include <mutex>
#include <stdexcept>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>

using profile::kSlotCount;

namespace {

enum class Opens
{
    Nothing,
    Welcome, // Form4: marker zero
    Browser  // Form6: marker non-zero
};

// How NAME.txt exists in the application directory.
enum class Entry
{
    File,
    Missing,
    Directory,
    SymlinkToFile,
    DanglingSymlink,
    Pipe,         // a FIFO that no one writes
    LinkToDevice, // a symbolic link to /dev/zero
};

// The most NAME.txt may hold, written here rather than read from the code
// under test.
constexpr qsizetype kLargestFile = qsizetype{1024} * 1024;

// The slot texts after start-up: `values` for the first texts, the
// placeholder for the texts the file never reached.
QStringList shown(const QStringList& values)
{
    QStringList texts = values.mid(0, kSlotCount);
    while (texts.size() < kSlotCount)
        texts << kEmptySlotText;
    return texts;
}

QStringList withSlot(QStringList texts, int slot, const QString& text)
{
    texts[slot] = text;
    return texts;
}

// The lines joined by `lineEnd`, after the last one too when `finalEnd`.
QByteArray joined(const QStringList& lines, const QString& lineEnd, bool finalEnd = true)
{
    return cp932(lines.join(lineEnd) + (finalEnd ? lineEnd : QString()));
}

QByteArray recordFile(const QString& marker, const QStringList& texts = numberedSlots(kSlotCount))
{
    return profileBytes(QStringList{marker} + texts);
}

// A complete record followed by an unused line, `size` bytes in all.
QByteArray paddedTo(qsizetype size)
{
    const QByteArray record = recordFile("1");
    return record + QByteArray(size - record.size() - 2, 'x') + "\r\n";
}

QByteArray withRawSlot(int slot, const QByteArray& raw)
{
    const QStringList texts = numberedSlots(kSlotCount);
    return recordFile("1", texts.mid(0, slot)) + raw + "\r\n" + profileBytes(texts.mid(slot + 1));
}

// Opens the pipe at `path` for writing and closes it again, after a while
// unless it is destroyed first.
class PipeWriterOnTimeout
{
public:
    explicit PipeWriterOnTimeout(const QString& path)
    {
        if (path.isEmpty())
            return;
        m_thread = std::thread([this, name = QFile::encodeName(path)] {
            std::unique_lock lock(m_mutex);
            if (!m_over.wait_for(lock, std::chrono::seconds(10), [this] { return m_done; })) {
                // A reader waiting in open() counts as one, so this open does
                // not fail and ends the reader's wait.
                const int fd = ::open(name.constData(), O_WRONLY | O_NONBLOCK);
                if (fd >= 0)
                    ::close(fd);
            }
        });
    }
    ~PipeWriterOnTimeout()
    {
        if (!m_thread.joinable())
            return;
        {
            const std::lock_guard lock(m_mutex);
            m_done = true;
        }
        m_over.notify_one();
        m_thread.join();
    }
    PipeWriterOnTimeout(const PipeWriterOnTimeout&) = delete;
    PipeWriterOnTimeout& operator=(const PipeWriterOnTimeout&) = delete;

private:
    std::mutex m_mutex;
    std::condition_variable m_over;
    bool m_done = false;
    std::thread m_thread;
};

// A step of an event handler that fails.
using FailingStep = std::function<void()>;

} // namespace

Q_DECLARE_METATYPE(Opens)
Q_DECLARE_METATYPE(Entry)
Q_DECLARE_METATYPE(FailingStep)

class ProfileFaultsTest : public QObject
{
    Q_OBJECT

private slots:
    void startUp_data();
    void startUp();
    void trapReportsEveryFailure_data();
    void trapReportsEveryFailure();
};

void ProfileFaultsTest::startUp_data()
{
    QTest::addColumn<Entry>("entry");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QList<int>>("errors");
    QTest::addColumn<Opens>("opens");
    QTest::addColumn<QStringList>("texts");

    const QStringList values = numberedSlots(kSlotCount);
    const QStringList allBlank = shown({});
    const QList<int> none;
    const QList<int> fileNotFound{ErrorNumber::fileNotFound},
        pathNotFound{ErrorNumber::pathNotFound}, pastEnd{ErrorNumber::inputPastEnd},
        typeMismatch{ErrorNumber::typeMismatch}, tooLarge{ErrorNumber::outOfMemory};

    auto row = [](const char* name, Entry entry, const QByteArray& bytes, const QList<int>& errors,
                  Opens opens, const QStringList& texts) {
        QTest::newRow(name) << entry << bytes << errors << opens << texts;
    };
    auto file = [&](const char* name, const QByteArray& bytes, const QList<int>& errors,
                    Opens opens, const QStringList& texts) {
        row(name, Entry::File, bytes, errors, opens, texts);
    };

    // Where the file is not an ordinary readable file.
    row("missing", Entry::Missing, {}, fileNotFound, Opens::Nothing, allBlank);
    row("a directory named NAME.txt", Entry::Directory, {}, pathNotFound, Opens::Nothing, allBlank);
    row("symbolic link to a profile", Entry::SymlinkToFile, recordFile("1"), none, Opens::Browser,
        values);
    row("dangling symbolic link", Entry::DanglingSymlink, {}, fileNotFound, Opens::Nothing,
        allBlank);
    // Neither waited for nor read: a pipe would block the start for good, a
    // device would fill the memory.
    row("a pipe named NAME.txt", Entry::Pipe, {}, pathNotFound, Opens::Nothing, allBlank);
    row("symbolic link to /dev/zero", Entry::LinkToDevice, {}, pathNotFound, Opens::Nothing,
        allBlank);

    // Too few lines: the texts read stay set, the others keep the placeholder.
    file("empty file", {}, pastEnd, Opens::Nothing, allBlank);
    file("marker only", "1\r\n", pastEnd, Opens::Nothing, allBlank);
    file("marker only, no line end", "1", pastEnd, Opens::Nothing, allBlank);
    file("30 lines", recordFile("1", values.mid(0, 29)), pastEnd, Opens::Nothing,
         shown(values.mid(0, 29)));
    file("57 lines", recordFile("1", values.mid(0, 56)), pastEnd, Opens::Nothing,
         shown(values.mid(0, 56)));
    file("last slot empty and without line end",
         joined(QStringList{"1"} + values.mid(0, 56) + QStringList{""}, "\r\n", false), pastEnd,
         Opens::Nothing, shown(values.mid(0, 56)));

    // Complete files, however their lines end.
    file("58 lines", recordFile("1"), none, Opens::Browser, values);
    file("60 lines", recordFile("1", values + QStringList{"余り1", "余り2"}), none, Opens::Browser,
         values);
    file("100000 lines", recordFile("1", values + QStringList(99942, "余り")), none, Opens::Browser,
         values);
    file("no final line end", joined(QStringList{"1"} + values, "\r\n", false), none,
         Opens::Browser, values);
    file("CR-only line ends", joined(QStringList{"1"} + values, "\r"), none, Opens::Browser,
         values);
    file("DOS end-of-file mark after the record", recordFile("1") + "\x1a", none, Opens::Browser,
         values);
    {
        QByteArray mixed;
        for (int i = 0; i < kSlotCount; ++i)
            mixed += cp932(values[i]) + (i % 2 ? "\r" : "\r\n");
        file("CR LF and CR mixed", "1\r\n" + mixed, none, Opens::Browser, values);
    }

    // Line ends that move the texts.
    file("LF-only line ends", joined(QStringList{"1"} + values, "\n"), pastEnd, Opens::Nothing,
         allBlank);
    file("doubled CR before LF inserts an empty line",
         "1\r\n" + cp932(values[0]) + "\r\r\n" + joined(values.mid(1), "\r\n"), none,
         Opens::Browser, QStringList{values[0], ""} + values.mid(1, kSlotCount - 2));
    file("LF inside a value", withRawSlot(54, "a\nb"), none, Opens::Browser,
         withSlot(values, 54, "a\nb"));
    file("only line ends", QByteArray("\r\n").repeated(58), typeMismatch, Opens::Nothing,
         QStringList(kSlotCount, QString()));

    // UTF-8, as Linux text editors save it.
    {
        const QStringList kana = withSlot(values, 2, "太郎");
        const QByteArray utf8 = (QStringList{"1"} + kana).join("\r\n").toUtf8() + "\r\n";
        file("UTF-8 without BOM", utf8, none, Opens::Browser, kana);
        file("UTF-8 with BOM", "\xef\xbb\xbf" + utf8, none, Opens::Browser, kana);
        const QStringList zeroWidth = withSlot(kana, 5, QChar(0xFEFF) + QStringLiteral("x"));
        file("UTF-8 with BOM and a value starting with U+FEFF",
             "\xef\xbb\xbf" + (QStringList{"1"} + zeroWidth).join("\r\n").toUtf8(), none,
             Opens::Browser, zeroWidth);
        QStringList garbled;
        for (const QString& value : values)
            garbled << QString::fromUtf8(cp932(value));
        QVERIFY(garbled[0].startsWith(QChar::ReplacementCharacter));
        file("BOM before code page 932", "\xef\xbb\xbf" + recordFile("1"), none, Opens::Browser,
             garbled);
    }

    // Bytes that are not code page 932 text.
    file("UTF-8 inside a code page 932 file", withRawSlot(1, "\xe7\x94\xb0"), none, Opens::Browser,
         withSlot(values, 1, QStringLiteral("逕ｰ")));
    {
        const QString text = (QStringList{"1"} + values).join("\r\n") + "\r\n";
        const QByteArray utf16(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
        file("UTF-16 with BOM", "\xff\xfe" + utf16, typeMismatch, Opens::Nothing, {});
    }
    file("lone lead byte at end of line", withRawSlot(3, "x\x82"), none, Opens::Browser,
         withSlot(values, 3, QStringLiteral("x\uFFFD")));
    file("lone lead byte at end of file", recordFile("1").chopped(2) + "\x82", none, Opens::Browser,
         withSlot(values, 56, values[56] + QStringLiteral("\uFFFD")));
    file("lead byte before an invalid trail byte", withRawSlot(4, "\x81 x"), none, Opens::Browser,
         withSlot(values, 4, QStringLiteral("\uFFFD x")));
    file("bytes never valid in code page 932", withRawSlot(5, "\x80\xa0\xfd\xfe\xff"), none,
         Opens::Browser, withSlot(values, 5, QString(5, QChar(0xFFFD))));
    file("Windows-only characters", withRawSlot(6, "\x87\x40\xfa\x40\x5c\x7e\x81\x60\xb1"), none,
         Opens::Browser, withSlot(values, 6, QStringLiteral("①ⅰ\\~～ｱ")));
    file("control bytes inside a value",
         withRawSlot(8, "a\x1a\x1c\x7f\x01"
                        "b"),
         none, Opens::Browser, withSlot(values, 8, QStringLiteral("a\u001A\u001C\u007F\u0001b")));
    file("NUL bytes inside a value", withRawSlot(7, QByteArray("a\0b\0", 4)), none, Opens::Browser,
         withSlot(values, 7, QString::fromLatin1("a\0b\0", 4)));

    // Sizes: a whole record takes a few kilobytes, a file beyond the limit is
    // refused before a slot is set.
    {
        const QByteArray big(kLargestFile - recordFile("1").size() + cp932(values[54]).size(), 'x');
        file("one value filling the largest file", withRawSlot(54, big), none, Opens::Browser,
             withSlot(values, 54, QString::fromLatin1(big)));
    }
    file("largest file", paddedTo(kLargestFile), none, Opens::Browser, values);
    file("one byte larger than the largest file", paddedTo(kLargestFile + 1), tooLarge,
         Opens::Nothing, allBlank);
    file("10 MB line", withRawSlot(54, QByteArray(10 * kLargestFile, 'x')), tooLarge,
         Opens::Nothing, allBlank);
    file("blanks around values", recordFile("1", withSlot(values, 20, "  東京都\t ")), none,
         Opens::Browser, withSlot(values, 20, "  東京都\t "));

    // Marker lines.
    struct Marker
    {
        const char* name;
        QByteArray text;
        Opens opens;
    };
    const Marker markers[] = {
        {"marker 1", "1", Opens::Browser},
        {"marker 2", "2", Opens::Browser},
        {"marker -1", "-1", Opens::Browser},
        {"marker +2", "+2", Opens::Browser},
        {"marker \" 1 \"", " 1 ", Opens::Browser},
        {"marker with tabs around 0", "\t0\t", Opens::Welcome},
        {"marker 1e0", "1e0", Opens::Browser},
        {"marker .5", ".5", Opens::Browser},
        {"marker 1.", "1.", Opens::Browser},
        {"marker too large for a double", "1e999", Opens::Browser},
        {"marker 0", "0", Opens::Welcome},
        {"marker 0.0", "0.0", Opens::Welcome},
        {"marker -0", "-0", Opens::Welcome},
        {"marker 0e5", "0e5", Opens::Welcome},
        {"marker of a million digits", QByteArray(1000000, '9'), Opens::Browser},
        {"marker empty", "", Opens::Nothing},
        {"marker blank", "   ", Opens::Nothing},
        {"marker .0", ".0", Opens::Welcome},
        {"marker 0x1", "0x1", Opens::Nothing},
        {"marker full-width 1", "\x82\x50", Opens::Nothing},
        {"marker full-width 0", "\x82\x4f", Opens::Nothing},
        {"marker abc", "abc", Opens::Nothing},
        {"marker 1,0", "1,0", Opens::Nothing},
        {"marker 1 2", "1 2", Opens::Nothing},
        {"marker +", "+", Opens::Nothing},
        {"marker .", ".", Opens::Nothing},
        {"marker 1e", "1e", Opens::Nothing},
        {"marker NaN", "NaN", Opens::Nothing},
        {"marker of a byte that is no character", "\x80", Opens::Nothing},
        {"marker inf", "inf", Opens::Nothing},
        {"marker with NUL", QByteArray("1\0", 2), Opens::Nothing},
        {"marker with EOF mark", "0\x1a", Opens::Nothing},
    };
    for (const Marker& marker : markers)
        file(marker.name, marker.text + "\r\n" + profileBytes(values),
             marker.opens == Opens::Nothing ? typeMismatch : none, marker.opens, values);
}

void ProfileFaultsTest::startUp()
{
    QFETCH(Entry, entry);
    QFETCH(QByteArray, bytes);
    QFETCH(QList<int>, errors);
    QFETCH(Opens, opens);
    QFETCH(QStringList, texts);

    ProgramSession session;
    const AppDirectory& dir = session.dir;
    const QString path = dir.profilePath();
    const QString elsewhere = dir.path() + QStringLiteral("/elsewhere.txt");
    switch (entry) {
    case Entry::File:
        dir.writeProfile(bytes);
        break;
    case Entry::Missing:
        break;
    case Entry::Directory:
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("NAME.txt")));
        break;
    case Entry::SymlinkToFile: {
        QFile target(elsewhere);
        QVERIFY(target.open(QIODevice::WriteOnly));
        QCOMPARE(target.write(bytes), bytes.size());
        target.close();
        QVERIFY(QFile::link(elsewhere, path));
        break;
    }
    case Entry::DanglingSymlink:
        QVERIFY(QFile::link(elsewhere, path));
        break;
    case Entry::Pipe:
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        break;
    case Entry::LinkToDevice:
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), path));
        break;
    }

    ProgramWindows& windows = session.windows;
    {
        // Should the start wait for a writer of the pipe, one comes after a
        // while and ends the wait, so that the row fails instead of hanging.
        const PipeWriterOnTimeout writer(entry == Entry::Pipe ? path : QString());
        QVERIFY(startUpAndWait(windows));
    }

    QCOMPARE(session.errors.numbers(), errors);
    QCOMPARE(windows.welcome() != nullptr, opens == Opens::Welcome);
    QCOMPARE(windows.browser() != nullptr, opens == Opens::Browser);
    QCOMPARE(session.module.HasProfile, qint16(opens == Opens::Browser ? 1 : 0));
    QVERIFY(windows.palette().isVisible());
    // Rows without slot expectations hold undecodable garbage; the outcome
    // above is what matters for them.
    QStringList slotTexts;
    for (int slot = 0; slot < texts.size(); ++slot)
        slotTexts << windows.palette().slotText(slot);
    QCOMPARE(slotTexts, texts);
    // The palette goes on working.
    windows.palette().btnHelp->click();
    QVERIFY(windows.help());
    // Reading never changes the file.
    if (entry == Entry::File)
        QCOMPARE(dir.readProfile(), bytes);
}

void ProfileFaultsTest::trapReportsEveryFailure_data()
{
    QTest::addColumn<FailingStep>("step");
    QTest::addColumn<int>("number");
    QTest::newRow("value ending in an unpaired high surrogate") << FailingStep([] {
        profile::Record record;
        record[21] = QStringLiteral("市") + QChar(0xD83D);
        profile::encodeProfile(record);
    }) << ErrorNumber::invalidArgument;
    QTest::newRow("out of memory")
        << FailingStep([] { throw std::bad_alloc(); }) << ErrorNumber::outOfMemory;
    QTest::newRow("a library's exception")
        << FailingStep([] { throw std::runtime_error("U_TRUNCATED_CHAR_FOUND"); })
        << ErrorNumber::internalError;
    QTest::newRow("not an exception class")
        << FailingStep([] { throw 42; }) << ErrorNumber::internalError;
}

void ProfileFaultsTest::trapReportsEveryFailure()
{
    QFETCH(FailingStep, step);
    QFETCH(int, number);
    ErrorRecorder recorder;
    bool stepsAfterRan = false;
    platform::trap([&] {
        step();
        stepsAfterRan = true;
    });
    QCOMPARE(recorder.numbers(), QList<int>{number});
    QVERIFY(!recorder.reports().front().description().isEmpty());
    QVERIFY(!stepsAfterRan);
}

PETATTO_WIDGET_TEST_MAIN(ProfileFaultsTest)

#include "tst_profile_faults.moc"
