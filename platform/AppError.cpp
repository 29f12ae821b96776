#include "platform/AppError.h"

namespace platform {

AppError::AppError(int number, QString description)
    : m_number(number), m_description(std::move(description)),
      m_what(QStringLiteral("%1 (%2)").arg(m_description).arg(m_number).toUtf8())
{
}

const char* AppError::what() const noexcept
{
    return m_what.constData();
}

AppError AppError::typeMismatch()
{
    return {13, QStringLiteral("型が一致しません。")};
}

AppError AppError::fileNotFound()
{
    return {53, QStringLiteral("ファイルが見つかりません。")};
}

AppError AppError::inputPastEnd()
{
    return {62, QStringLiteral("ファイルにこれ以上データがありません。")};
}

AppError AppError::permissionDenied()
{
    return {70, QStringLiteral("書き込みできません。")};
}

AppError AppError::pathNotFound()
{
    return {75, QStringLiteral("パス名が無効です。")};
}

AppError AppError::diskFull()
{
    return {61, QStringLiteral("ディスクの空き容量が不足しています。")};
}

AppError AppError::outOfMemory()
{
    return {7, QStringLiteral("メモリが不足しています。")};
}

AppError AppError::internalError()
{
    return {51, QStringLiteral("内部エラーです。")};
}

AppError AppError::invalidArgument(const QString& description)
{
    return {5, description};
}

} // namespace platform
