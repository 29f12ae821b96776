#include "forms/Form4.h"

#include "forms/ProgramWindows.h"
#include "platform/ErrorReport.h"
#include "platform/Window.h"

#include <QPushButton>

namespace {

using guide::Font;

constexpr profile::Rgb kRed{255, 0, 0}, kPaleRed{255, 128, 128}, kLightGreen{128, 255, 128};

constexpr std::array<guide::PictureSpec, 2> kPictures{{
    {u"Image1", guide::kPalettePicture, 120, 840, 1800, 8685},
    {u"Image2", guide::kFormPicture, 3360, 840, 5805, 7260},
}};

// Line 0 runs from the palette picture's full-name slot to the top edge of the
// form picture's name box; lines 1 and 2 make a small mark ending there too.
constexpr std::array<guide::LineSpec, 3> kLines{{
    {0, 1560, 1680, 5520, 3600},
    {1, 5040, 3360, 5280, 3240},
    {2, 5280, 3240, 5520, 3600},
}};

constexpr std::array<guide::LabelSpec, 5> kLabels{{
    {u"lbl説明", 0, 120, 0, 6615, 375, u"この度は『ペタッと名簿』を", kRed, Font::Gothic18},
    {u"lbl説明", 1, 2400, 480, 6735, 375, u"インストールしていただき有難うございます。", kRed,
     Font::Gothic18},
    {u"Label1", 0, 2040, 1560, 1215, 375, u"マウスをクリックしながら", kRed, Font::Window},
    {u"Label1", 1, 5520, 3240, 1215, 255, u"マウスを離す", kPaleRed, Font::Window},
    {u"Label1", 3, 5760, 4200, 3495, 1095,
     u"ドラック＆ドロップで  簡単に申込みフォームに貼り付けできます", kRed, Font::Gothic18},
}};

constexpr guide::Layout kLayout{
    u"Form4",
    u"はじめまして",
    9315,
    9705,
    kPictures,
    kLines,
    kLabels,
    {u"btn登録", u"あなたの住所や氏名などを登録します。ここを「クリック」して下さい。", 120, 8280,
     9135, 1335, kLightGreen, Font::Gothic12Bold},
};

} // namespace

Form4::Form4(ProgramWindows& windows) : m_windows(windows)
{
    const guide::Controls controls = guide::build(*this, kLayout);
    lbl説明 = controls.labels.value(QStringLiteral("lbl説明"));
    Label1 = controls.labels.value(QStringLiteral("Label1"));
    Image1 = controls.pictures.value(QStringLiteral("Image1"));
    Image2 = controls.pictures.value(QStringLiteral("Image2"));
    Line1 = controls.lines;
    btn登録 = controls.button;
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
