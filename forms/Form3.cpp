#include "forms/Form3.h"

#include "forms/Colour.h"
#include "platform/ErrorReport.h"
#include "platform/Twips.h"
#include "platform/Window.h"

#include <QPushButton>

namespace {

using colours::kPaleRed;
using colours::kRed;
using guide::Font;
using Layout = guide::Layout<Form3>;

constexpr profile::Rgb kLightCyan{192, 255, 255};

// The balloon points up and to the right, at the palette picture's edit
// button.
constexpr std::array<Layout::Picture, 3> kPictures{{
    {&Form3::Image3, {u"Image3", guide::kBalloonPicture, 240, 1080, 1815, 1740}},
    {&Form3::Image1, {u"Image1", guide::kPalettePicture, 2040, 480, 1800, 8685}},
    {&Form3::Image2, {u"Image2", guide::kFormPicture, 5280, 480, 5805, 7260}},
}};

// The welcome window's drag illustration, 1920 twips to the right and 360 up.
constexpr std::array<guide::LineRow, 3> kLines{{
    {0, 3480, 1320, 7440, 3240},
    {1, 6960, 3000, 7200, 2880},
    {2, 7200, 2880, 7440, 3240},
}};

constexpr std::array<Layout::Label, 3> kLabels{{
    {&Form3::Label1,
     {u"Label1", 2, 1080, 120, 9495, 375,
      u"ドラック＆ドロップで簡単に申込みフォームに貼り付けできます", kRed, Font::Gothic18}},
    {&Form3::Label1,
     {u"Label1", 0, 3960, 1200, 1215, 375, u"マウスをクリックしながら", kRed, Font::Window}},
    {&Form3::Label1,
     {u"Label1", 1, 7440, 2880, 1215, 255, u"マウスを離す", kPaleRed, Font::Window}},
}};

constexpr Layout kLayout{
    .name = u"Form3",
    .caption = u"ヘルプ",
    .clientWidth = 11265,
    .clientHeight = 8595,
    .pictures = kPictures,
    .lines = kLines,
    .labels = kLabels,
    .button = &Form3::Command1,
    .buttonRow = {u"Command1", u"閉じる", 120, 120, 615, 375, kLightCyan, Font::Window},
};

} // namespace

Form3::Form3()
{
    guide::build(*this, kLayout);
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
