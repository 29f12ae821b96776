#pragma once

#include "profile/SlotTable.h"

#include <QLabel>
#include <QLine>
#include <QMap>
#include <QWidget>

#include <cstdint>
#include <span>

class QPushButton;

// What the welcome and the help window have in common: one illustration of a
// drag made of pictures, lines and captions, and one button above it all.
namespace guide {

enum class Font : std::uint8_t
{
    Window,      // the window's default font
    Gothic18,    // "ＭＳ Ｐゴシック" 18 pt
    Gothic12Bold // "ＭＳ Ｐゴシック" 12 pt bold
};

// Geometry in twips, within the client area.
struct LabelSpec
{
    const char16_t* array; // control array the label belongs to
    int index;
    int left, top, width, height;
    const char16_t* text;
    profile::Rgb colour;
    Font font;
};

struct PictureSpec
{
    const char16_t* name;
    const char16_t* resource;
    int left, top, width, height;
};

struct LineSpec
{
    int index;
    int x1, y1, x2, y2;
};

struct ButtonSpec
{
    const char16_t* name;
    const char16_t* caption;
    int left, top, width, height;
    profile::Rgb face;
    Font font;
};

struct Layout
{
    const char16_t* name;
    const char16_t* caption;
    int clientWidth, clientHeight;
    std::span<const PictureSpec> pictures;
    std::span<const LineSpec> lines;
    std::span<const LabelSpec> labels;
    ButtonSpec button;
};

// The pictures both windows show, made by tools/pictures.
inline constexpr char16_t kPalettePicture[] = u":/guide/palette.png";
inline constexpr char16_t kFormPicture[] = u":/guide/form.png";
inline constexpr char16_t kBalloonPicture[] = u":/guide/balloon.png";

inline constexpr profile::Rgb kLineColour{192, 192, 255};
inline constexpr int kLineWidth = 5;

// The array `Line1`: lines drawn across the whole client area, above the
// pictures and below the labels. It never takes the mouse.
class Lines : public QWidget
{
    Q_OBJECT

public:
    Lines(QWidget* parent, std::span<const LineSpec> lines);

    // End points in pixels of the client area.
    QLine line(int index) const { return m_lines.value(index); }
    QList<int> indexes() const { return m_lines.keys(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QMap<int, QLine> m_lines;
};

// An opaque caption set as the windows were laid out for it. Workaround: they
// were laid out for a proportional Gothic with lines one em high; the Japanese
// fonts that stand in for it on Linux have full-width kana and lines about
// 1.45 em high, so a caption's last characters, or the lower half of its
// lines, would fall outside its label. Lines are set one em apart and the
// characters a little closer, as in the proportional Gothic.
class Caption : public QLabel
{
    Q_OBJECT

public:
    Caption(const QString& text, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

using LabelArray = QMap<int, QLabel*>;

struct Controls
{
    QMap<QString, LabelArray> labels; // by array name, then index
    QMap<QString, QLabel*> pictures;  // by name
    Lines* lines = nullptr;
    QPushButton* button = nullptr;
};

// Names the window, sizes its client area, paints it white and creates its
// controls, stacked from the bottom: pictures, lines, labels, button.
Controls build(QWidget& window, const Layout& layout);

} // namespace guide
