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
    // Another copy of the program runs from the same folder but does not come
    // forward.
    static AppError runningCopySilent();
    // The file at `name` is a folder, a device, a pipe or a socket.
    static AppError notAnOrdinaryFile(const QString& name);
    // The file `name` holds more than `limit` bytes, the most it may hold:
    // when read, and when what would be saved is larger.
    static AppError fileTooLarge(const QString& name, qsizetype limit);
    static AppError recordTooLarge(const QString& name, qsizetype limit);
    static AppError invalidArgument(const QString& description);

private:
    int m_number;
    QString m_description;
    QByteArray m_what;
};

} // namespace platform
