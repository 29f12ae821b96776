// Makes the guide windows' pictures and the application icon:
//   make-pictures RESOURCES_DIR
// writes guide/palette.png, guide/form.png, guide/balloon.png, icon.png and
// icons/SIZE.png, the icon in each size desktops' menus draw.
// Needs a screen for the browser engine; the `pictures` build target runs it
// on a private one.
#include "platform/Application.h"
#include "profile/SlotTable.h"
#include "tools/pictures/FormPicture.h"
#include "tools/pictures/GuidePictures.h"
#include "tools/pictures/PalettePicture.h"
#include "tools/pictures/SampleProfile.h"

#include <QApplication>
#include <QDir>
#include <QIcon>

#include <algorithm>
#include <cstdio>

namespace {

bool save(const QImage& image, const QDir& resources, const QString& file)
{
    const QString path = resources.filePath(file);
    if (image.isNull() || !image.save(path, "PNG")) {
        std::fprintf(stderr, "make-pictures: cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s %dx%d\n", qPrintable(path), image.width(), image.height());
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    platform::Application application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-pictures RESOURCES_DIR\n");
        return 2;
    }
    const QDir resources(QString::fromLocal8Bit(argv[1]));
    resources.mkpath(QStringLiteral("guide"));
    resources.mkpath(QStringLiteral("icons"));

    // The title bars in the pictures carry the new icon.
    const QImage icon = pictures::renderIcon();
    QApplication::setWindowIcon(QIcon(QPixmap::fromImage(icon)));

    const pictures::PalettePicture palette = pictures::renderPalette();
    if (!palette.fullNameSlot.contains(pictures::kFullNameSlotPoint)) {
        std::fprintf(stderr,
                     "make-pictures: the full-name slot is not where the guide lines start\n");
        return 1;
    }
    QString error;
    const QImage form = pictures::renderFormPicture(pictures::sampleProfile()[0], error);
    if (form.isNull()) {
        std::fprintf(stderr, "make-pictures: %s\n", qPrintable(error));
        return 1;
    }
    const bool saved =
        save(palette.image, resources, QStringLiteral("guide/palette.png")) &&
        save(form, resources, QStringLiteral("guide/form.png")) &&
        save(pictures::renderBalloon(), resources, QStringLiteral("guide/balloon.png")) &&
        save(icon, resources, QStringLiteral("icon.png"));
    const bool iconsSaved = std::ranges::all_of(pictures::kMenuIconSizes, [&](int size) {
        return save(pictures::renderIcon(size), resources,
                    QStringLiteral("icons/%1.png").arg(size));
    });
    return saved && iconsSaved ? 0 : 1;
}
