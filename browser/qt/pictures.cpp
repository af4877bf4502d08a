#include "pictures.h"

#include "browser/browser_view.h"
#include "desktop/shared_icons.h"

// The icons live in a static library, where nothing would pull their resource in without this call.
static void loadIconResource() {
    static const bool loaded = [] {
        Q_INIT_RESOURCE(icons);
        return true;
    }();
    (void)loaded;
}

namespace kelvorn {
namespace {

QIcon ours(const char* resource) {
    loadIconResource();
    return QIcon(QString::fromLatin1(resource));
}

QIcon themed(const char* themeName, const char* resource) {
    return QIcon::fromTheme(QString::fromLatin1(themeName), ours(resource));
}

}  // namespace

QIcon programIcon() {
    return themed("kelvorn", ":/kelvorn/kelvorn.svg");
}
QIcon copyToHostIcon() {
    return themed("go-previous", ":/kelvorn/arrow-left.svg");
}
QIcon copyToImageIcon() {
    return themed("go-next", ":/kelvorn/arrow-right.svg");
}
QIcon deleteIcon() {
    return themed("edit-delete", ":/kelvorn/delete.svg");
}
QIcon newIcon() {
    return themed("document-new", ":/kelvorn/new.svg");
}

desktop::IconCache treeIcons() {
    namespace icon = browser::icon;
    std::vector<QIcon> pictures(icon::kCount);
    pictures[icon::kFolder] = desktop::folderIcon();
    pictures[icon::kFolderOpen] = desktop::openFolderIcon();
    pictures[icon::kFixedDrive] = desktop::hardDiskIcon();
    pictures[icon::kGenericFile] = themed("unknown", ":/kelvorn/file.svg");
    pictures[icon::kOpticalDrive] = desktop::opticalDiskIcon();
    pictures[icon::kRemovableDrive] = desktop::removableDiskIcon();
    // No theme tells a 3.5-inch disk from a 5.25-inch one, so image roots always use our own pair.
    pictures[icon::kImage35] = desktop::floppy35Picture();
    pictures[icon::kImageOther] = ours(":/kelvorn/floppy-525.svg");
    pictures[icon::kImageFile] = themed("text-x-generic", ":/kelvorn/document.svg");
    return desktop::IconCache(std::move(pictures), icon::kGenericFile);
}

}  // namespace kelvorn
