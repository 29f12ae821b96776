// The least a Qt Widgets program does to show the palette's 57 boxes: the
// yardstick for the palette's start-up. Plain read-only line edits holding the
// placeholder, in the palette's rows, in a plain window of the palette's
// client size at the top left; no buttons, colours, fonts, icon or file.
#include "bench/PaintProbe.h"
#include "profile/SlotTable.h"

#include <QApplication>
#include <QLineEdit>

#include <array>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QWidget window;
    window.setFixedSize(118, 558);
    window.move(0, 0);

    // The boxes of a row share its width equally, from left to right in the
    // order of the slot table.
    constexpr int kWidth = 113, kTop = 16, kPitch = 16, kHeight = 18;
    constexpr auto kBoxesInRow = [] {
        std::array<int, profile::kPaletteRowCount> boxes{};
        for (const profile::Slot& slot : profile::kSlots)
            ++boxes[slot.row];
        return boxes;
    }();
    std::array<int, profile::kPaletteRowCount> placed{};
    for (const profile::Slot& slot : profile::kSlots) {
        const int boxes = kBoxesInRow[slot.row];
        const int i = placed[slot.row]++;
        auto* box = new QLineEdit(QString::fromUtf16(profile::kPlaceholder), &window);
        box->setReadOnly(true);
        box->setGeometry(i * kWidth / boxes, kTop + slot.row * kPitch, kWidth / boxes + 1, kHeight);
    }
    exitOnFirstPaint(window);
    window.show();
    return QApplication::exec();
}
