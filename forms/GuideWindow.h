#pragma once

#include "profile/Rgb.h"

#include <QLabel>
#include <QLine>
#include <QMap>
#include <QPushButton>
#include <QWidget>

#include <cstdint>
#include <span>

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
struct LabelRow
{
    const char16_t* array; // control array the label belongs to
    int index;
    int left, top, width, height;
    const char16_t* text;
    profile::Rgb colour;
    Font font;
};

struct PictureRow
{
    const char16_t* name;
    const char16_t* resource;
    int left, top, width, height;
};

struct LineRow
{
    int index;
    int x1, y1, x2, y2;
};

struct ButtonRow
{
    const char16_t* name;
    const char16_t* caption;
    int left, top, width, height;
    profile::Rgb face;
    Font font;
};

using LabelArray = QMap<int, QLabel*>;

// A window's layout, and the members of Window that receive the controls it
// creates: each row names its member, so a misspelt one does not compile.
template <class Window> struct Layout
{
    struct Picture
    {
        QLabel* Window::*member;
        PictureRow row;
    };
    struct Label
    {
        LabelArray Window::*array;
        LabelRow row;
    };

    const char16_t* name;
    const char16_t* caption;
    int clientWidth, clientHeight;
    std::span<const Picture> pictures;
    std::span<const LineRow> lines;
    std::span<const Label> labels;
    QPushButton* Window::*button;
    ButtonRow buttonRow;
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
    Lines(QWidget* parent, std::span<const LineRow> lines);

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

// Names the window, sizes its client area and paints it white; returns the
// client area's size in pixels.
QSize prepare(QWidget& window, const char16_t* name, const char16_t* caption, int clientWidth,
              int clientHeight);
QLabel* makePicture(QWidget& window, const PictureRow& item);
QLabel* makeLabel(QWidget& window, const LabelRow& item);
QPushButton* makeButton(QWidget& window, const ButtonRow& item);

// Prepares the window and creates its controls into their members, stacked
// from the bottom: pictures, lines, labels, button. A later sibling is drawn
// above an earlier one.
template <class Window> void build(Window& window, const Layout<Window>& layout)
{
    const QSize client =
        prepare(window, layout.name, layout.caption, layout.clientWidth, layout.clientHeight);
    for (const auto& item : layout.pictures)
        window.*item.member = makePicture(window, item.row);
    window.Line1 = new Lines(&window, layout.lines);
    window.Line1->setGeometry(QRect(QPoint(0, 0), client));
    for (const auto& item : layout.labels)
        (window.*item.array).insert(item.row.index, makeLabel(window, item.row));
    window.*layout.button = makeButton(window, layout.buttonRow);
}

} // namespace guide
