#include "forms/Form4.h"

#include "forms/Colour.h"
#include "forms/ProgramWindows.h"
#include "platform/ErrorReport.h"
#include "platform/Window.h"

#include <QPushButton>

namespace {

using colours::kPaleRed;
using colours::kRed;
using guide::Font;
using Layout = guide::Layout<Form4>;

constexpr profile::Rgb kLightGreen{128, 255, 128};

constexpr std::array<Layout::Picture, 2> kPictures{{
    {&Form4::Image1, {u"Image1", guide::kPalettePicture, 120, 840, 1800, 8685}},
    {&Form4::Image2, {u"Image2", guide::kFormPicture, 3360, 840, 5805, 7260}},
}};

// Line 0 runs from the palette picture's full-name slot to the top edge of the
// form picture's name box; lines 1 and 2 make a small mark ending there too.
constexpr std::array<guide::LineRow, 3> kLines{{
    {0, 1560, 1680, 5520, 3600},
    {1, 5040, 3360, 5280, 3240},
    {2, 5280, 3240, 5520, 3600},
}};

constexpr std::array<Layout::Label, 5> kLabels{{
    {&Form4::lbl説明,
     {u"lbl説明", 0, 120, 0, 6615, 375, u"この度は『ペタッと名簿』を", kRed, Font::Gothic18}},
    {&Form4::lbl説明,
     {u"lbl説明", 1, 2400, 480, 6735, 375, u"インストールしていただき有難うございます。", kRed,
      Font::Gothic18}},
    {&Form4::Label1,
     {u"Label1", 0, 2040, 1560, 1215, 375, u"マウスをクリックしながら", kRed, Font::Window}},
    {&Form4::Label1,
     {u"Label1", 1, 5520, 3240, 1215, 255, u"マウスを離す", kPaleRed, Font::Window}},
    {&Form4::Label1,
     {u"Label1", 3, 5760, 4200, 3495, 1095,
      u"ドラック＆ドロップで  簡単に申込みフォームに貼り付けできます", kRed, Font::Gothic18}},
}};

constexpr Layout kLayout{
    .name = u"Form4",
    .caption = u"はじめまして",
    .clientWidth = 9315,
    .clientHeight = 9705,
    .pictures = kPictures,
    .lines = kLines,
    .labels = kLabels,
    .button = &Form4::btn登録,
    .buttonRow = {u"btn登録", u"あなたの住所や氏名などを登録します。ここを「クリック」して下さい。",
                  120, 8280, 9135, 1335, kLightGreen, Font::Gothic12Bold},
};

} // namespace

Form4::Form4(ProgramWindows& windows) : m_windows(windows)
{
    guide::build(*this, kLayout);
    connect(btn登録, &QPushButton::clicked, this, &Form4::btn登録_Click);

    // A sizable border that nothing follows: the controls keep their places.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    Load();
    platform::centreOnScreen(*this);
}

void Form4::Load()
{
    platform::placeTopmost(*this);
}

void Form4::btn登録_Click()
{
    platform::trap([this] {
        // The editor is shown before the welcome window goes away.
        m_windows.showEditor();
        close();
    });
}
