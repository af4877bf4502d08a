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

TreeIcons::TreeIcons() {
    pictures_[icon::kFolder] = desktop::folderIcon();
    pictures_[icon::kFolderOpen] = desktop::openFolderIcon();
    pictures_[icon::kFixedDrive] = desktop::hardDiskIcon();
    pictures_[icon::kImageFile] = floppyIcon();
    pictures_[icon::kOpticalDrive] = desktop::opticalDiskIcon();
    pictures_[icon::kRemovableDrive] = desktop::removableDiskIcon();
    folderItem_ = desktop::withSelectedPicture(pictures_[icon::kFolder], pictures_[icon::kFolderOpen]);
}

QIcon TreeIcons::picture(int image) const {
    if (image < 0 || image >= static_cast<int>(pictures_.size())) return pictures_[icon::kFolder];
    return pictures_[static_cast<size_t>(image)];
}

QIcon TreeIcons::forItem(int image) const {
    return image == icon::kFolder ? folderItem_ : picture(image);
}

}  // namespace mirask
