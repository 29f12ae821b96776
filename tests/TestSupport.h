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
inline const SlotTexts kExampleNameTyped{{1, u"田中"_qs}, {2, u"太郎"_qs},    {10, u"ﾀﾅｶ"_qs},
                                         {11, u"ﾀﾛｳ"_qs}, {13, u"TANAKA"_qs}, {14, u"TARO"_qs}};
inline const SlotTexts kExampleNameDerived{
    {0, u"田中太郎"_qs}, {3, u"たなかたろう"_qs}, {4, u"たなか"_qs},
    {5, u"たろう"_qs},   {6, u"タナカタロウ"_qs}, {7, u"タナカ"_qs},
    {8, u"タロウ"_qs},   {9, u"ﾀﾅｶﾀﾛｳ"_qs},       {12, u"TANAKA TARO"_qs}};

// What the joined slots hold when every entry is empty: their separators.
inline const SlotTexts kSeparatorsAlone{{12, u" "_qs},  {15, u"-"_qs},  {24, u"--"_qs},
                                        {29, u"--"_qs}, {36, u"//"_qs}, {37, u"--"_qs},
                                        {41, u"@"_qs},  {46, u"/"_qs}};

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
