#include "tools/pictures/PalettePicture.h"

#include "app/Module1.h"
#include "app/Version.h"
#include "forms/Form1.h"
#include "forms/PaletteSlotBox.h"
#include "forms/ProgramWindows.h"
#include "platform/Twips.h"
#include "tools/pictures/SampleProfile.h"
#include "tools/pictures/WindowFrame.h"

namespace pictures {

namespace {

// The palette's outer size: the picture shows the whole window.
constexpr QSize kOuter = platform::twipsSize(1800, 8685);

} // namespace

PalettePicture renderPalette()
{
    Module1 module;
    ProgramWindows windows(module);
    Form1& palette = windows.palette();
    palette.setFixedSize(clientSize(kOuter));
    const profile::Record sample = sampleProfile();
    for (int slot = 0; slot < profile::kSlotCount; ++slot)
        palette.setSlotText(slot, sample[slot]);

    const QImage client = palette.grab().toImage();
    const QString caption = QStringLiteral("Ver.%1.%2").arg(kVersionMinor).arg(kVersionRevision);
    return {
        framedWindow(client, caption,
                     Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
        palette.Text[0]->geometry().intersected(palette.rect()).translated(kClientOffset)};
}

} // namespace pictures
