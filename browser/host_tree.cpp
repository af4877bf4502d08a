// The host tree: one drive's folders and the files the filter lets through, listed one level ahead.
#include <filesystem>

#include "browser/browser_dialog.h"
#include "browser/message_table.h"
#include "browser/paths.h"
#include "platform/folder_listing.h"

namespace browser {
using desktop::picture::driveIcon;
using desktop::picture::sizeSuffix;

std::string BrowserDialog::hostPathOfItem(ItemHandle item) const {
    return hostTree_.data(item).path;
}

bool BrowserDialog::isHostFileItem(ItemHandle item) const {
    return hostTree_.contains(item) && hostTree_.data(item).kind == ItemKind::File;
}

void BrowserDialog::onDriveSelected(int index) {
    selectedDrive_ = index;
    rebuildHostTree();
}

void BrowserDialog::rebuildHostTree() {
    if (selectedDrive_ < 0 || static_cast<size_t>(selectedDrive_) >= drives_.size()) return;
    const platform::HostDrive& drive = drives_[static_cast<size_t>(selectedDrive_)];
    if (!host_.driveAccessible(drive.path)) {
        std::error_code ignored;
        const std::string remaining = shownDrive_ >= 0 ? drives_[static_cast<size_t>(shownDrive_)].path
                                                       : std::filesystem::current_path(ignored).string();
        view_.showMessage(desktop::ShownText::filled(browser::messageText(Message::DriveNotSet),
                                                     {drive.path, remaining}, desktop::Places::Drives));
        selectedDrive_ = -1;
        view_.selectDrive(-1);
        return;
    }
    shownDrive_ = selectedDrive_;

    hostTree_.clear();
    hostExpandedOnce_.clear();
    const int image = driveIcon(drive.type);
    const ItemHandle root = hostTree_.insert(kNoItem, {drive.path, image, image, {}},
                                             {ItemKind::DriveRoot, drive.path, {}, 0, 0});
    const auto wait = view_.waitCursor();
    fillHostLevel(drive.path, root);
    expandHostItem(root);
    view_.expandItem(Tree::Host, root);
}

void BrowserDialog::fillHostLevel(const std::string& folder, ItemHandle parent) {
    const auto entries = platform::listFolderEntries(folder);
    if (!entries) return;
    for (const platform::FolderEntry& entry : *entries) {
        const std::string path = joinHostPath(folder, entry.name);
        if (entry.isDirectory) {
            if (entry.name.starts_with('.')) continue;
            hostTree_.insert(parent, {entry.name, icon::kFolder, icon::kFolderOpen, {}},
                             {ItemKind::Folder, path, {}, 0, 0});
            continue;
        }
        if (!passesFilter(entry.name)) continue;
        hostTree_.insert(parent,
                         {entry.name + sizeSuffix(entry.size), icon::kGenericFile, icon::kGenericFile,
                          extensionOf(entry.name)},
                         {ItemKind::File, path, {}, 0, 0});
    }
    hostTree_.sortChildren(parent);
}

void BrowserDialog::onHostItemExpanding(ItemHandle item) {
    expandHostItem(item);
}

void BrowserDialog::expandHostItem(ItemHandle item) {
    if (item == kNoItem || !hostExpandedOnce_.insert(item).second) return;
    const auto wait = view_.waitCursor();
    for (ItemHandle child : hostTree_.children(item)) {
        const ItemData data = hostTree_.data(child);
        if (data.kind != ItemKind::File) fillHostLevel(data.path, child);
    }
}

void BrowserDialog::onHostItemDoubleClicked(ItemHandle item) {
    if (!isHostFileItem(item)) return;
    if (imageIsOpen_) closeImage(true);
    openImageFile_ = hostPathOfItem(item);
    openImage(openImageFile_);
}

ItemHandle BrowserDialog::findHostItem(const std::string& path) {
    // Walks down from the root, expanding each folder on the way, so the item is listed and visible.
    const auto roots = hostTree_.children(kNoItem);
    if (roots.empty()) return kNoItem;
    ItemHandle at = roots.front();
    std::string reached = hostTree_.data(at).path;
    while (reached != path) {
        ItemHandle next = kNoItem;
        for (ItemHandle child : hostTree_.children(at)) {
            const std::string childPath = hostTree_.data(child).path;
            if (path == childPath || path.starts_with(childPath + "/")) {
                next = child;
                reached = childPath;
                break;
            }
        }
        if (next == kNoItem) return kNoItem;
        expandHostItem(at);
        view_.expandItem(Tree::Host, at);
        at = next;
    }
    return at;
}

void BrowserDialog::openImageAtStart(const std::string& path) {
    const std::string absolute = std::filesystem::absolute(path).lexically_normal().string();
    // The drive whose folder holds the image most closely.
    int best = -1;
    size_t bestLength = 0;
    for (size_t i = 0; i < drives_.size(); ++i) {
        const std::string& d = drives_[i].path;
        const bool holds = d == "/" || absolute.starts_with(d + "/");
        if (holds && d.size() >= bestLength) {
            best = static_cast<int>(i);
            bestLength = d.size();
        }
    }
    if (best >= 0) {
        if (best != shownDrive_) {
            selectedDrive_ = best;
            view_.selectDrive(best);
            rebuildHostTree();
        }
        if (shownDrive_ == best) {
            if (const ItemHandle item = findHostItem(absolute); item != kNoItem)
                view_.selectItem(Tree::Host, item);
        }
    }
    if (imageIsOpen_) closeImage(true);
    openImageFile_ = absolute;
    openImage(openImageFile_);
}

}  // namespace browser
