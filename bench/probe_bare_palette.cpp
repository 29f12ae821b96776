// The least a Qt Widgets program does to show the palette's 57 boxes: the
// yardstick for the palette's start-up. Plain read-only line edits holding the
// placeholder, in the palette's rows, in a plain window of the palette's
// client size at the top left; no buttons, colours, fonts, icon or file.
#include "bench/PaintProbe.h"

#include <QApplication>
#include <QLineEdit>

#include <array>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QWidget window;
    window.setFixedSize(118, 558);
    window.move(0, 0);

    // Boxes in each of the palette's 33 rows, top to bottom.
    constexpr std::array<int, 33> kBoxesPerRow{1, 2, 1, 2, 1, 2, 1, 2, 1, 2, 2, 2, 1, 2, 2, 2, 3,
                                               2, 3, 2, 2, 3, 1, 2, 2, 1, 2, 2, 1, 1, 1, 1, 2};
    constexpr int kWidth = 113, kTop = 16, kPitch = 16, kHeight = 18;
    for (std::size_t row = 0; row < kBoxesPerRow.size(); ++row) {
        const int boxes = kBoxesPerRow[row];
        for (int i = 0; i < boxes; ++i) {
            auto* box = new QLineEdit(QStringLiteral("■■■■■■"), &window);
            box->setReadOnly(true);
            box->setGeometry(i * kWidth / boxes, kTop + int(row) * kPitch, kWidth / boxes + 1,
                             kHeight);
        }
    }
    exitOnFirstPaint(window);
    window.show();
    return QApplication::exec();
}
