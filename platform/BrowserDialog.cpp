#include "platform/BrowserDialog.h"

#include "platform/BrowserAddress.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace platform {

namespace {

// A longer message would push the buttons and the check box off the screen,
// and with them the user's way out.
constexpr qsizetype kMessageShown = 1000;

QString shownMessage(const QString& message)
{
    if (message.size() <= kMessageShown)
        return message;
    return message.left(kMessageShown) + QStringLiteral("…");
}

// Names the site as the browser window's caption does, so that both read the
// same and a look-alike host shows its xn-- form in both.
QString caption(const QUrl& origin)
{
    const QString name = origin.host().isEmpty() ? origin.toDisplayString() : shownSite(origin);
    return name.isEmpty() ? QStringLiteral("このページの内容") : name + QStringLiteral(" の内容");
}

} // namespace

BrowserDialog::BrowserDialog(QWidget& window, Kind kind, const QUrl& origin, const QString& message,
                             const QString& defaultText, bool offerSilence)
    : QDialog(&window)
{
    setObjectName(QStringLiteral("BrowserDialog"));
    // No minimize box: a minimized dialog would leave its page held up with
    // nothing on the screen to say why.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setWindowTitle(caption(origin));
    // Wide enough for the caption, which names the page's origin.
    setMinimumWidth(fontMetrics().averageCharWidth() * 48);
    auto* layout = new QVBoxLayout(this);

    auto* label = new QLabel(shownMessage(message), this);
    // Never rich text: a page could otherwise show links and pictures, or
    // make its words look like the program's.
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    layout->addWidget(label);

    if (kind == Kind::Prompt) {
        m_text = new QLineEdit(defaultText, this);
        layout->addWidget(m_text);
    }
    if (offerSilence) {
        m_silence = new QCheckBox(QStringLiteral("このページのダイアログを今後表示しない"), this);
        layout->addWidget(m_silence);
    }

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    if (kind != Kind::Alert)
        buttons->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

bool BrowserDialog::ask()
{
    // Not exec(): that would make the dialog modal to the whole application,
    // and the palette, its drags and the editor must stay usable.
    QEventLoop loop;
    connect(this, &QDialog::finished, &loop, &QEventLoop::quit);
    show();
    loop.exec();
    hide();
    return result() == QDialog::Accepted;
}

QString BrowserDialog::text() const
{
    return m_text ? m_text->text() : QString();
}

bool BrowserDialog::silenceRequested() const
{
    return m_silence && m_silence->isChecked();
}

} // namespace platform
