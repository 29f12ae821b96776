#include "platform/AppError.h"

#include <QLocale>

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

AppError AppError::runningCopySilent()
{
    return {70, QStringLiteral("同じフォルダのペタッと名簿がもう動いていますが、応答がありません。"
                               "動いている方を終了してから、もう一度起動して下さい。")};
}

AppError AppError::notAnOrdinaryFile(const QString& name)
{
    return {75, QStringLiteral("「%1」はフォルダや装置など普通のファイルではないため、"
                               "読み込めません。")
                    .arg(name)};
}

namespace {

QString byteCount(qsizetype bytes)
{
    return QLocale(QLocale::Japanese).toString(bytes);
}

} // namespace

AppError AppError::fileTooLarge(const QString& name, qsizetype limit)
{
    return {7, QStringLiteral("「%1」が %2 バイトを超えるため、読み込めません。")
                   .arg(name, byteCount(limit))};
}

AppError AppError::recordTooLarge(const QString& name, qsizetype limit)
{
    return {7, QStringLiteral("内容が「%1」に保存できる %2 バイトを超えています。"
                              "長い値を短くしてから、もう一度保存して下さい。")
                   .arg(name, byteCount(limit))};
}

AppError AppError::invalidArgument(const QString& description)
{
    return {5, description};
}

} // namespace platform
