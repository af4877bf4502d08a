#include "browser/browser_dialog.h"

#include <algorithm>

#include "browser/message_table.h"

namespace browser {

BrowserDialog::BrowserDialog(BrowserView& view, const LibraryEntries& library, const StartOptions& options,
                             HostServices host)
    : view_(view),
      lib_(library),
      host_(std::move(host)),
      extensionList_(options.extensionList),
      entryCheckFlags_(options.entryCheckFlags) {
    view_.showTrees(hostTree_, imageTree_);
}

void BrowserDialog::initialise() {
    fillExtensionFilter();

    // Removable drives are not offered (floppies among them: the converter's business).
    drives_.clear();
    for (const platform::HostDrive& drive : host_.listDrives()) {
        if (drive.type != platform::DriveType::Removable) drives_.push_back(drive);
    }
    std::vector<std::string> names;
    for (const platform::HostDrive& drive : drives_) names.push_back(drive.path);
    view_.setDriveEntries(names);

    openImageFile_.clear();
    imageIsOpen_ = false;
    if (!drives_.empty()) {
        selectedDrive_ = 0;
        view_.selectDrive(0);
        rebuildHostTree();
    }
}

void BrowserDialog::showResultBox() {
    view_.showResultBox(kResultText, kResultBoxCloseMs);
}

platform::DriveType BrowserDialog::driveTypeOf(const std::string& path) const {
    for (const platform::HostDrive& drive : drives_) {
        if (drive.path == path) return drive.type;
    }
    return platform::DriveType::Fixed;
}

void BrowserDialog::onAbout() {
    view_.showAbout({kAboutCaption, kAboutVersion, kAboutHint});
}

void BrowserDialog::onReread() {
    rebuildHostTree();
    if (imageIsOpen_) refreshImage();
}

void BrowserDialog::onClose() {
    showMessageIfReported(lib_.CloseFDImg(), kCloseFDImg);
    imageIsOpen_ = false;
}

}  // namespace browser
