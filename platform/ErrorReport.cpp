#include "platform/ErrorReport.h"

#include <QMessageBox>

namespace platform {

namespace {

void showMessageBox(const AppError& error)
{
    QMessageBox box(QMessageBox::Warning, QStringLiteral("ＶＢエラー"), errorReportText(error),
                    QMessageBox::Ok);
    box.exec();
}

ErrorReporter& currentReporter()
{
    static ErrorReporter reporter = showMessageBox;
    return reporter;
}

} // namespace

QString errorReportText(const AppError& error)
{
    return error.description() + QStringLiteral("\n\n【エラーコード＝%1】").arg(error.number());
}

void reportError(const AppError& error)
{
    currentReporter()(error);
}

ErrorReporter setErrorReporter(ErrorReporter reporter)
{
    return std::exchange(currentReporter(), std::move(reporter));
}

} // namespace platform
