#include "forms/Form1.h"

#include "app/Module1.h"
#include "app/Version.h"
#include "forms/Colour.h"
#include "forms/ColouredButton.h"
#include "forms/PaletteSlotBox.h"
#include "forms/ProgramWindows.h"
#include "platform/ErrorReport.h"
#include "platform/Twips.h"
#include "platform/Window.h"
#include "profile/ProfileFile.h"

#include <QApplication>
#include <QCloseEvent>

using platform::twips;

namespace {

constexpr int kBoxHeight = 270;
constexpr int kRowPitch = 240;
constexpr QRect kOuterPlace = twips(0, 0, 1800, 8685);

struct ButtonRow
{
    const char16_t* name;
    const char16_t* caption;
    int left, width;
    profile::Rgb face;
};
constexpr int kButtonHeight = 255;
constexpr std::array<ButtonRow, 3> kButtons{{
    {u"Command1", u"内容変更", 0, 855, {192, 255, 192}},
    {u"Command2", u"PT", 840, 375, {192, 255, 255}},
    {u"btnHelp", u"ﾍﾙﾌﾟ", 1200, 495, {255, 255, 192}},
}};

} // namespace

Form1::Form1(ProgramWindows& windows) : m_windows(windows)
{
    setObjectName(QStringLiteral("Form1"));
    platform::setErrorReportOwner(this);
    paintWhite(*this);
    // Until the start-up sequence places it, the whole outer size is client.
    platform::setFixedDialogFrame(*this, kOuterPlace.size());
    createButtons();
    createSlotBoxes();
}

void Form1::createSlotBoxes()
{
    for (int slot = 0; slot < profile::kSlotCount; ++slot) {
        const profile::Slot& item = profile::kSlots[slot];
        auto* box = new PaletteSlotBox(this);
        box->setObjectName(QStringLiteral("Text%1").arg(slot));
        box->setAccessibleName(profile::fieldName(slot));
        box->setGeometry(twips(item.left, kRowPitch * (item.row + 1), item.width, kBoxHeight));
        QPalette colours = box->palette();
        colours.setColor(QPalette::Base, Qt::white);
        colours.setColor(QPalette::Text, toColor(item.colour));
        box->setPalette(colours);
        box->setText(QString::fromUtf16(profile::kPlaceholder));
        box->setCursorPosition(0);
        Text[slot] = box;
    }
}

void Form1::createButtons()
{
    std::array<QPushButton**, 3> members{&Command1, &Command2, &btnHelp};
    for (std::size_t i = 0; i < kButtons.size(); ++i) {
        const ButtonRow& item = kButtons[i];
        auto* button =
            makeColouredButton(this, QString::fromUtf16(item.caption), toColor(item.face));
        button->setObjectName(QString::fromUtf16(item.name));
        button->setGeometry(twips(item.left, 0, item.width, kButtonHeight));
        *members[i] = button;
    }
    connect(Command1, &QPushButton::clicked, this,
            [this] { platform::trap([this] { m_windows.showEditor(); }); });
    connect(Command2, &QPushButton::clicked, this,
            [this] { platform::trap([this] { m_windows.showBrowser(); }); });
    connect(btnHelp, &QPushButton::clicked, this,
            [this] { platform::trap([this] { m_windows.showHelp(); }); });
}

Form1::Companion Form1::Load()
{
    platform::placeTopmost(*this);
    Companion companion = Companion::None;
    platform::trap([this, &companion] {
        setWindowTitle(QStringLiteral("Ver.%1.%2").arg(kVersionMinor).arg(kVersionRevision));
        platform::setOuterGeometry(*this, kOuterPlace);
        const QString marker = profile::LoadProfile(
            m_windows.module().profilePath(),
            [this](int slot, const QString& text) { setSlotText(slot, text); });
        companion =
            profile::markerSaysProfileExists(marker) ? Companion::Browser : Companion::Welcome;
    });
    return companion;
}

void Form1::openCompanion(Companion companion)
{
    using platform::Activation;
    Module1& module = m_windows.module();
    platform::trap([&] {
        switch (companion) {
        case Companion::None:
            return;
        case Companion::Browser:
            // Where the compositor places windows, the browser could cover
            // the palette's boxes and the palette could not rise above it;
            // the user opens it with the palette's button and moves it aside.
            if (platform::windowsStayWherePlaced())
                m_windows.showBrowser(Activation::Leave);
            module.HasProfile = 1;
            return;
        case Companion::Welcome:
            m_windows.showWelcome(Activation::Leave);
            module.HasProfile = 0;
            return;
        }
    });
}

QString Form1::slotText(int slot) const
{
    return Text[slot]->text();
}

void Form1::setSlotText(int slot, const QString& text)
{
    Text[slot]->setText(text);
    // Show the beginning of a long value, not its end.
    Text[slot]->setCursorPosition(0);
}

profile::Record Form1::record() const
{
    profile::Record record;
    for (int slot = 0; slot < profile::kSlotCount; ++slot)
        record[slot] = slotText(slot);
    return record;
}

void Form1::closeEvent(QCloseEvent* event)
{
    // Closing the palette ends the program at once, whatever else is open;
    // nothing is saved and nothing is asked.
    event->accept();
    QApplication::quit();
}
