#pragma once

#include <QString>

#include <exception>

namespace platform {

// A failed step of an event handler. The number and the Japanese description
// follow the classic BASIC runtime, because the program's Windows users know
// its error reports by those numbers.
class AppError : public std::exception
{
public:
    AppError(int number, QString description);

    int number() const { return m_number; }
    const QString& description() const { return m_description; }
    const char* what() const noexcept override;

    static AppError typeMismatch();
    static AppError fileNotFound();
    static AppError inputPastEnd();
    static AppError permissionDenied();
    static AppError pathNotFound();
    static AppError diskFull();
    static AppError outOfMemory();
    static AppError internalError();
    static AppError invalidArgument(const QString& description);

private:
    int m_number;
    QString m_description;
    QByteArray m_what;
};

} // namespace platform
