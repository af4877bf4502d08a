// The file side: a drive, its folders and image files as a tree filled one level ahead, the name box.
#include <filesystem>

#include "converter/dialog/converter_dialog.h"
#include "converter/dialog/file_names.h"
#include "converter/dialog/texts.h"
#include "platform/folder_listing.h"
#include "platform/host_paths.h"
#include "platform/text_codec.h"

namespace converter::dialog {
namespace {

std::string asFolder(const std::string& path) {
    return path.ends_with('/') ? path : path + "/";
}

}  // namespace

void ConverterDialog::onFileDriveSelected(int index) {
    fileDriveIndex_ = index;
    view_.selectFileDrive(index);
    selectFileDrive();
}

void ConverterDialog::selectFileDrive() {
    pathResolved_ = false;
    if (fileDriveIndex_ < 0 || static_cast<size_t>(fileDriveIndex_) >= fileDrives_.size()) return;
    const platform::HostDrive drive = fileDrives_[static_cast<size_t>(fileDriveIndex_)];

    // A name box holding ".ext ..." is a new extension list.
    const std::string typed = view_.nameText();
    if (typed.size() > 1 && typed[0] == '.') {
        view_.setNameText("");
        fileName_.clear();
        applyExtensionText(typed + " ");
    }

    if (!services_.driveAccessible(drive.path)) {
        view_.showMessage(desktop::ShownText::filled(
            text::kFileDriveNotSet, {drive.path, fileDriveRoot_.empty() ? std::string("?") : fileDriveRoot_},
            desktop::Places::Drives));
        currentPath_.clear();
        fileDriveRoot_.clear();
        fileDriveIndex_ = -1;
        view_.selectFileDrive(-1);
        view_.setArrows(false);
        return;
    }
    fileDriveRoot_ = drive.path;
    currentPath_ = asFolder(drive.path);
    fileTree_.clear();
    expandedOnce_.clear();
    const int picture = desktop::picture::driveIcon(drive.type);
    const ItemHandle root =
        fileTree_.insert(kNoItem, {drive.path, picture, picture, {}}, {ItemKind::DriveRoot, drive.path});
    {
        const auto wait = view_.waitCursor();
        fillFileLevel(drive.path, root);
        onFileItemExpanding(root);
    }
    view_.expandItem(root);
    view_.setArrows(ClassifyName(fileName_) != NameClass::Empty && floppyDrive_ != 0);
}

void ConverterDialog::fillFileLevel(const std::string& folder, ItemHandle parent) {
    const auto entries = platform::listFolderEntries(folder);
    if (!entries) return;
    for (const platform::FolderEntry& entry : *entries) {
        const std::string path = platform::joinHostPath(folder, entry.name);
        if (entry.isDirectory) {
            // Hidden folders stay hidden as in the browser; links to folders may lead in circles; pseudo file
            // systems hold no images and never end.
            if (entry.name.ends_with('.') || entry.name.starts_with('.') || entry.isLink ||
                !services_.isDiskFolder(path))
                continue;
            fileTree_.insert(parent, {entry.name, icon::kFolder, icon::kFolderOpen, {}},
                             {ItemKind::Folder, path});
            continue;
        }
        const std::string lower = platform::lowerCaseUtf8(entry.name);
        bool listed = false;
        for (const std::string& extension : extensions_) {
            listed = listed || (lower.size() >= extension.size() &&
                                lower.ends_with(platform::lowerCaseUtf8(extension)));
        }
        if (listed) {
            fileTree_.insert(parent,
                             {entry.name + desktop::picture::sizeSuffix(entry.size),
                              icon::kImageFile,
                              icon::kImageFile,
                              {}},
                             {ItemKind::ImageFile, path});
        }
    }
    fileTree_.sortChildren(parent);
}

void ConverterDialog::onFileItemExpanding(ItemHandle item) {
    if (item == kNoItem || !expandedOnce_.insert(item).second) return;
    const auto wait = view_.waitCursor();
    for (ItemHandle child : fileTree_.children(item)) {
        const FileData& data = fileTree_.data(child);
        if (data.kind != ItemKind::ImageFile) fillFileLevel(data.path, child);
    }
}

void ConverterDialog::onFileItemSelected(ItemHandle item) {
    if (!fileTree_.contains(item)) return;
    const FileData& data = fileTree_.data(item);
    if (data.kind == ItemKind::ImageFile) {
        const std::string name = data.path.substr(data.path.find_last_of('/') + 1);
        view_.setNameText(name);
        onNameEdited();
        currentPath_ = data.path;
    } else {
        currentPath_ = asFolder(data.path);
    }
}

void ConverterDialog::onNameEdited() {
    fileName_ = view_.nameText();
    pathResolved_ = false;
    if (currentPath_.empty()) currentPath_ = asFolder(fileDriveRoot_);
    currentPath_ = currentPath_.substr(0, currentPath_.find_last_of('/') + 1);
    if (ClassifyName(fileName_) == NameClass::Empty || fileDriveRoot_.empty())
        view_.setArrows(false);
    else
        view_.setArrows(!fileName_.empty() && floppyDrive_ != 0);
}

bool ConverterDialog::resolveImagePath() {
    std::string path = resolveName(fileName_, fileDriveRoot_, currentPath_, extensions_);
    if (path.empty()) {
        view_.showMessage(text::kFillName);
        return false;
    }
    currentPath_ = std::move(path);
    pathResolved_ = true;
    return true;
}

}  // namespace converter::dialog
