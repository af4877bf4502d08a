#include "image_list.h"

#include <QMimeDatabase>

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

ImageList::ImageList() {
    namespace icon = browser::icon;
    icons_.resize(icon::kFirstExtensionIcon);
    icons_[icon::kFolder] = desktop::folderIcon();
    icons_[icon::kFolderOpen] = desktop::openFolderIcon();
    icons_[icon::kFixedDrive] = desktop::hardDiskIcon();
    icons_[icon::kGenericFile] = themed("unknown", ":/kelvorn/file.svg");
    icons_[icon::kOpticalDrive] = desktop::opticalDiskIcon();
    icons_[icon::kRemovableDrive] = desktop::removableDiskIcon();
    // No theme tells a 3.5-inch disk from a 5.25-inch one, so image roots always use our own pair.
    icons_[icon::kImage35] = desktop::floppy35Picture();
    icons_[icon::kImageOther] = ours(":/kelvorn/floppy-525.svg");
    icons_[icon::kImageFile] = themed("text-x-generic", ":/kelvorn/document.svg");
}

std::optional<int> ImageList::addExtensionIcon(const std::string& extension) {
    // Any base name will do: the database matches by the name's ending, the file need not exist.
    const QList<QMimeType> types =
        QMimeDatabase().mimeTypesForFileName(QStringLiteral("x") + QString::fromStdString(extension));
    if (types.isEmpty()) return std::nullopt;
    const QMimeType& type = types.first();
    const QIcon found = QIcon::fromTheme(type.iconName(), QIcon::fromTheme(type.genericIconName()));
    if (found.isNull()) return std::nullopt;
    icons_.push_back(found);
    return size() - 1;
}

QIcon ImageList::icon(int index) const {
    if (index < 0 || index >= size()) return icons_[browser::icon::kGenericFile];
    return icons_[static_cast<size_t>(index)];
}

QIcon ImageList::itemIcon(int image, int selectedImage) const {
    if (image == selectedImage) return icon(image);
    const auto key = std::make_pair(image, selectedImage);
    if (const auto cached = pairs_.find(key); cached != pairs_.end()) return cached->second;
    const QIcon both = desktop::withSelectedPicture(icon(image), icon(selectedImage));
    pairs_.emplace(key, both);
    return both;
}

}  // namespace kelvorn
