#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QUrl;

namespace platform {

// A page's alert, confirm or prompt box. Everything in it that comes from the
// page is shown as plain text, and under a caption that names the page's
// origin, so that a page cannot dress it up as a message of the program.
class BrowserDialog : public QDialog
{
    Q_OBJECT

public:
    enum class Kind
    {
        Alert,
        Confirm,
        Prompt
    };

    // `offerSilence` adds the check box that stops the page's further dialogs.
    BrowserDialog(QWidget& window, Kind kind, const QUrl& origin, const QString& message,
                  const QString& defaultText, bool offerSilence);

    // Shows the dialog and returns once the user has answered, the dialog was
    // closed, or the application is quitting; true when the user chose OK.
    // Only the browser window's own page is held up meanwhile: the other
    // windows of the program stay usable.
    bool ask();

    QString text() const;
    bool silenceRequested() const;

private:
    QLineEdit* m_text = nullptr;
    QCheckBox* m_silence = nullptr;
};

} // namespace platform
