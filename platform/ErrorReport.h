#pragma once

#include "platform/AppError.h"

#include <functional>
#include <new>

class QWidget;

namespace platform {

using ErrorReporter = std::function<void(const AppError&)>;

// The report's text: description, two line breaks and the error number.
QString errorReportText(const AppError& error);

// Shows the report; by default a modal message box. Every handler's trap ends
// here, so tests install a recorder instead of ever meeting a modal box.
void reportError(const AppError& error);

// Replaces the reporter and returns the previous one.
ErrorReporter setErrorReporter(ErrorReporter reporter);

// The window the default report belongs to while none of the program's
// windows is active, as at start-up; by default the active window owns it.
void setErrorReportOwner(QWidget* window);

// The error trap every event handler runs under: a failing step reports the
// error and ends the handler; what the earlier steps did stays done. No
// exception, whatever its type, gets past it to end the program.
template <typename Steps> void trap(Steps&& steps)
{
    try {
        steps();
    } catch (const AppError& error) {
        reportError(error);
    } catch (const std::bad_alloc&) {
        reportError(AppError::outOfMemory());
    } catch (...) {
        // A library's own failure. Its text is not shown: it is in English at
        // best and could quote a value of the record.
        reportError(AppError::internalError());
    }
}

} // namespace platform
