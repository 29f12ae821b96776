#pragma once

#include "platform/Cp932.h"
#include "platform/ErrorReport.h"
#include "profile/SlotTable.h"

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

#include <vector>

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

    QByteArray readProfile() const
    {
        QFile file(profilePath());
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return file.readAll();
    }

private:
    QTemporaryDir m_dir;
};
