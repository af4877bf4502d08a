#include "mirask_icons.h"

#include "converter/dialog/converter_view.h"
#include "desktop/shared_icons.h"

// The icons live in a static library, where nothing would pull their resource in without this call.
static void loadMiraskIcons() {
    static const bool loaded = [] {
        Q_INIT_RESOURCE(mirask_icons);
        return true;
    }();
    (void)loaded;
}

namespace mirask {

namespace icon = converter::dialog::icon;

QIcon programIcon() {
    loadMiraskIcons();
    return QIcon::fromTheme(QStringLiteral("mirask"), QIcon(QStringLiteral(":/mirask/mirask.svg")));
}

QIcon floppyIcon() {
    return QIcon::fromTheme(QStringLiteral("media-floppy"), desktop::floppy35Picture());
}

desktop::IconCache treePictures() {
    std::vector<QIcon> pictures(icon::kCount);
    pictures[icon::kFolder] = desktop::folderIcon();
    pictures[icon::kFolderOpen] = desktop::openFolderIcon();
    pictures[icon::kFixedDrive] = desktop::hardDiskIcon();
    pictures[icon::kImageFile] = floppyIcon();
    pictures[icon::kOpticalDrive] = desktop::opticalDiskIcon();
    pictures[icon::kRemovableDrive] = desktop::removableDiskIcon();
    return desktop::IconCache(std::move(pictures), icon::kFolder);
}

}  // namespace mirask
