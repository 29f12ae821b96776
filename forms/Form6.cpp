#include "forms/Form6.h"

#include "forms/FormFiller.h"
#include "platform/Browser.h"
#include "platform/BrowserEngine.h"
#include "platform/ErrorReport.h"
#include "platform/Twips.h"
#include "platform/Window.h"

#include <QResizeEvent>

namespace {

// Right of the palette, which is 1800 twips wide, with its top and height.
constexpr QRect kOuterPlace = platform::twips(1800, 0, 10200, 8685);

} // namespace

Form6::Form6(RecordSource record) : m_record(std::move(record))
{
    platform::prepareBrowserEngine();
    setObjectName(QStringLiteral("Form6"));
    // The browser keeps the caption: the program's name and the site shown,
    // never the page's title, so that a look-alike page cannot pass for the
    // practice page or for the site the user meant to visit.
    brwWebBrowser = new platform::Browser(this);
    brwWebBrowser->setObjectName(QStringLiteral("brwWebBrowser"));
    letFill(*brwWebBrowser);
    Load();
}

void Form6::letFill(platform::Browser& view)
{
    auto* filler = new FormFiller(view, m_record);
    connect(&view, &platform::Browser::fillFormRequested, filler, &FormFiller::fill);
    // Sites often open their sign-up form in a window of its own.
    connect(&view, &platform::Browser::popupOpened, this, &Form6::letFill);
}

void Form6::Load()
{
    platform::trap([this] {
        platform::setOuterGeometry(*this, kOuterPlace);
        brwWebBrowser->load(QUrl(QString::fromLatin1(kStartPage)));
    });
}

void Form6::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // The browser always covers exactly the whole client area.
    platform::trap([this] { brwWebBrowser->setGeometry(rect()); });
}
