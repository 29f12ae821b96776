#include "forms/Form3.h"

#include "platform/ErrorReport.h"
#include "platform/Twips.h"
#include "platform/Window.h"

#include <QPushButton>

namespace {

using guide::Font;

constexpr profile::Rgb kRed{255, 0, 0}, kPaleRed{255, 128, 128}, kLightCyan{192, 255, 255};

// The balloon points up and to the right, at the palette picture's edit
// button.
constexpr std::array<guide::PictureSpec, 3> kPictures{{
    {u"Image3", guide::kBalloonPicture, 240, 1080, 1815, 1740},
    {u"Image1", guide::kPalettePicture, 2040, 480, 1800, 8685},
    {u"Image2", guide::kFormPicture, 5280, 480, 5805, 7260},
}};

// The welcome window's drag illustration, 1920 twips to the right and 360 up.
constexpr std::array<guide::LineSpec, 3> kLines{{
    {0, 3480, 1320, 7440, 3240},
    {1, 6960, 3000, 7200, 2880},
    {2, 7200, 2880, 7440, 3240},
}};

constexpr std::array<guide::LabelSpec, 3> kLabels{{
    {u"Label1", 2, 1080, 120, 9495, 375,
     u"ドラック＆ドロップで簡単に申込みフォームに貼り付けできます", kRed, Font::Gothic18},
    {u"Label1", 0, 3960, 1200, 1215, 375, u"マウスをクリックしながら", kRed, Font::Window},
    {u"Label1", 1, 7440, 2880, 1215, 255, u"マウスを離す", kPaleRed, Font::Window},
}};

constexpr guide::Layout kLayout{
    u"Form3",  u"ヘルプ",
    11265,     8595,
    kPictures, kLines,
    kLabels,   {u"Command1", u"閉じる", 120, 120, 615, 375, kLightCyan, Font::Window},
};

} // namespace

Form3::Form3()
{
    const guide::Controls controls = guide::build(*this, kLayout);
    Command1 = controls.button;
    Label1 = controls.labels.value(QStringLiteral("Label1"));
    Image1 = controls.pictures.value(QStringLiteral("Image1"));
    Image2 = controls.pictures.value(QStringLiteral("Image2"));
    Image3 = controls.pictures.value(QStringLiteral("Image3"));
    Line1 = controls.lines;
    connect(Command1, &QPushButton::clicked, this, &Form3::Command1_Click);

    platform::setFixedDialogFrame(*this,
                                  platform::twipsSize(kLayout.clientWidth, kLayout.clientHeight));
    Load();
    platform::centreOnScreen(*this);
}

void Form3::Load()
{
    platform::placeTopmost(*this);
}

void Form3::Command1_Click()
{
    platform::trap([this] { close(); });
}
