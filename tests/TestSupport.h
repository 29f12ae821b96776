#pragma once

#include "platform/Cp932.h"
#include "platform/ErrorReport.h"
#include "profile/SlotTable.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

#include <vector>

#include <grp.h>
#include <unistd.h>

// Every suite writes its texts as u"…"_s.
using namespace Qt::StringLiterals;

// The error numbers users know from the program's reports, written here once
// instead of read from the code under test, so that a wrong number fails.
struct ErrorNumber
{
    static constexpr int invalidArgument = 5;
    static constexpr int outOfMemory = 7;
    static constexpr int typeMismatch = 13;
    static constexpr int loadingModule = 48;
    static constexpr int internalError = 51;
    static constexpr int fileNotFound = 53;
    static constexpr int diskFull = 61;
    static constexpr int inputPastEnd = 62;
    static constexpr int permissionDenied = 70;
    static constexpr int pathNotFound = 75;
};

// What a slot without a value shows, written here rather than read from the
// code under test.
inline const QString kEmptySlotText = QStringLiteral("■■■■■■");

// Slot texts by slot number.
using SlotTexts = QMap<int, QString>;

// The worked example's name: what the user types into its six entry slots,
// and what the name slots derived from them then hold.
inline const SlotTexts kExampleNameTyped{{1, u"田中"_s}, {2, u"太郎"_s},    {10, u"ﾀﾅｶ"_s},
                                         {11, u"ﾀﾛｳ"_s}, {13, u"TANAKA"_s}, {14, u"TARO"_s}};
inline const SlotTexts kExampleNameDerived{
    {0, u"田中太郎"_s}, {3, u"たなかたろう"_s}, {4, u"たなか"_s},
    {5, u"たろう"_s},   {6, u"タナカタロウ"_s}, {7, u"タナカ"_s},
    {8, u"タロウ"_s},   {9, u"ﾀﾅｶﾀﾛｳ"_s},       {12, u"TANAKA TARO"_s}};

// What the joined slots hold when every entry is empty: their separators.
inline const SlotTexts kSeparatorsAlone{{12, u" "_s},  {15, u"-"_s},  {24, u"--"_s}, {29, u"--"_s},
                                        {36, u"//"_s}, {37, u"--"_s}, {41, u"@"_s},  {46, u"/"_s}};

// Records error reports instead of showing modal boxes, for as long as it
// lives.
class ErrorRecorder
{
public:
    ErrorRecorder()
        : m_previous(platform::setErrorReporter(
              [this](const platform::AppError& error) { m_reports.push_back(error); }))
    {
    }
    ~ErrorRecorder() { platform::setErrorReporter(std::move(m_previous)); }

    ErrorRecorder(const ErrorRecorder&) = delete;
    ErrorRecorder& operator=(const ErrorRecorder&) = delete;

    std::size_t count() const { return m_reports.size(); }
    const std::vector<platform::AppError>& reports() const { return m_reports; }
    QList<int> numbers() const
    {
        QList<int> numbers;
        for (const auto& report : m_reports)
            numbers.append(report.number());
        return numbers;
    }

private:
    platform::ErrorReporter m_previous;
    std::vector<platform::AppError> m_reports;
};

// Code page 932 bytes of a text that the code page can hold.
inline QByteArray cp932(const QString& text)
{
    const auto encoded = platform::cp932::encode(text);
    if (encoded.unencodable)
        qFatal("test text not representable in code page 932");
    return encoded.bytes;
}

// A file of the given lines, each ended with CR LF, in code page 932.
inline QByteArray profileBytes(const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += cp932(line) + "\r\n";
    return bytes;
}

inline QStringList numberedSlots(int count)
{
    QStringList lines;
    for (int slot = 0; slot < count; ++slot)
        lines << QStringLiteral("値%1").arg(slot);
    return lines;
}

// A profile file: the marker line, then slot k holding "値k".
inline QByteArray fileWithMarker(const QString& marker, int slotLines = profile::kSlotCount)
{
    return profileBytes(QStringList{marker} + numberedSlots(slotLines));
}

// A throw-away application directory.
class AppDirectory
{
public:
    AppDirectory() { QVERIFY2(m_dir.isValid(), "no temporary directory"); }

    QString path() const { return m_dir.path(); }
    QString profilePath() const { return m_dir.filePath(QStringLiteral("NAME.txt")); }

    void writeProfile(const QByteArray& bytes) const
    {
        QFile file(profilePath());
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(file.write(bytes), bytes.size());
    }

    QByteArray readProfile() const { return read(profilePath()); }

    // The bytes of any file; empty when there is none.
    static QByteArray read(const QString& path)
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return file.readAll();
    }

    // Entries beside NAME.txt, such as a temporary that a save left behind.
    QStringList strayEntries() const
    {
        QStringList entries = QDir(path()).entryList(QDir::AllEntries | QDir::Hidden |
                                                     QDir::System | QDir::NoDotAndDotDot);
        entries.removeOne(QStringLiteral("NAME.txt"));
        return entries;
    }

private:
    QTemporaryDir m_dir;
};

// Root ignores permission bits. To meet the faults an ordinary user meets, a
// test running as root acts as the unprivileged user "nobody".
inline constexpr uid_t kNobody = 65534;
inline constexpr gid_t kNogroup = 65534;

// Acts as "nobody" for as long as it lives. Only the effective ids change, so
// calls that check the real user, such as access(), still see root.
class OrdinaryUser
{
public:
    OrdinaryUser() : m_switched(::geteuid() == 0)
    {
        if (m_switched)
            QVERIFY(::setegid(kNogroup) == 0 && ::seteuid(kNobody) == 0);
    }
    ~OrdinaryUser()
    {
        if (m_switched && (::seteuid(0) != 0 || ::setegid(0) != 0))
            qFatal("could not become root again");
    }

    OrdinaryUser(const OrdinaryUser&) = delete;
    OrdinaryUser& operator=(const OrdinaryUser&) = delete;

private:
    bool m_switched;
};

// Becomes "nobody" for the rest of the process, real ids included; for a
// forked child. True when the process runs unprivileged afterwards.
inline bool becomeOrdinaryUserForGood()
{
    if (::geteuid() != 0)
        return true;
    return ::setgroups(0, nullptr) == 0 && ::setgid(kNogroup) == 0 && ::setuid(kNobody) == 0 &&
           ::geteuid() == kNobody;
}
