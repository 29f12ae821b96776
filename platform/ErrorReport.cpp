#include "platform/ErrorReport.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>

namespace platform {

namespace {

QPointer<QWidget>& fallbackOwner()
{
    static QPointer<QWidget> owner;
    return owner;
}

void showMessageBox(const AppError& error)
{
    // Transient for the window the user is working in, so that the window
    // manager stacks the box with the program's windows instead of with Qt's
    // hidden leader window; and itself topmost, or a window manager that keeps
    // the topmost palette and editor in a layer of their own leaves the modal
    // box under them, where no click can reach it.
    QWidget* owner = QApplication::activeWindow();
    if (!owner)
        owner = fallbackOwner();
    // A report during start-up comes before the palette is shown; centred on
    // that hidden window at the screen's edge, it would hang off the screen.
    // With nothing of the program on the screen yet, there is nothing for it
    // to stay above either.
    if (owner && !owner->isVisible())
        owner = nullptr;
    QMessageBox box(QMessageBox::Warning, QStringLiteral("ＶＢエラー"), errorReportText(error),
                    QMessageBox::Ok, owner);
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
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

void setErrorReportOwner(QWidget* window)
{
    fallbackOwner() = window;
}

} // namespace platform
