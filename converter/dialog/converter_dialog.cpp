// The window's start and its floppy side: the drive list, the information list, the buttons' state.
#include "converter/dialog/converter_dialog.h"

#include "converter/dialog/file_names.h"
#include "converter/dialog/texts.h"
#include "geometry_list.h"

namespace converter::dialog {

ConverterDialog::ConverterDialog(ConverterView& view, ConverterServices services,
                                 const ConverterOptions& options)
    : view_(view),
      services_(std::move(services)),
      osKind_(options.osKind),
      diagSwitch_(options.diagSwitch),
      extensionText_(options.extensionText) {
    view_.showFileTree(fileTree_);
}

void ConverterDialog::initialise() {
    applyExtensionText(extensionText_);
    floppyEntries_.clear();
    for (const FloppyDriveEntry& entry : services_.floppies) floppyEntries_.push_back(entry.letter);
    view_.setFloppyDrives(floppyEntries_);
    showFloppyNote();
    // Every mounted folder can hold images, removable ones too: the floppies come from their own list.
    fileDrives_ = services_.listDrives();
    std::vector<std::string> names;
    for (const platform::HostDrive& drive : fileDrives_) names.push_back(drive.path);
    view_.setFileDrives(names);

    floppyDrive_ = 0;
    currentPath_.clear();
    fileDriveRoot_.clear();
    view_.setArrows(false);
    view_.setFormatEnabled(false);
    if (!floppyEntries_.empty()) onFloppyDriveSelected(0);
    if (!fileDrives_.empty()) onFileDriveSelected(0);
}

void ConverterDialog::showFloppyNote() {
    view_.setFloppyNote(floppyEntries_.empty() ? text::kNoFloppyDrive : "");
}

void ConverterDialog::applyExtensionText(std::string text) {
    extensionText_ = FilterExtensionList(text);
    extensions_ = splitExtensions(extensionText_);
}

FloppyAccess* ConverterDialog::selectedAccess() const {
    if (floppyDrive_ <= 0) return nullptr;
    for (const FloppyDriveEntry& entry : services_.floppies) {
        if (entry.letter.size() == 2 && entry.letter[0] - 'a' + 1 == floppyDrive_) return entry.access;
    }
    return nullptr;
}

void ConverterDialog::onFloppyDriveSelected(int index) {
    floppyIndex_ = index;
    view_.selectFloppyDrive(index);
    refreshFloppyInfo();
}

void ConverterDialog::resetFloppy() {
    dropFloppy();
    view_.setArrows(false);
    view_.setFormatEnabled(false);
}

void ConverterDialog::dropFloppy() {
    floppyIndex_ = -1;
    view_.selectFloppyDrive(-1);
    floppyDrive_ = 0;
    listed_ = {};
    info_.clear();
}

void ConverterDialog::refreshFloppyInfo() {
    if (floppyIndex_ < 0 || static_cast<size_t>(floppyIndex_) >= floppyEntries_.size()) return;
    const auto wait = view_.waitCursor();
    // A drive is there when its device opens; an empty one shows no medium lines.
    floppyDrive_ = floppyEntries_[static_cast<size_t>(floppyIndex_)][0] - 'a' + 1;
    FloppyAccess* access = selectedAccess();
    const std::optional<int> diagnosis =
        osKind_ == OsKind::Win9x && diagSwitch_ != 0 ? std::optional(diagSwitch_ - 1) : std::nullopt;
    const actions::DriveInspection look =
        access ? actions::inspectDrive(*access, floppyDrive_, diagnosis)
               : actions::DriveInspection{.failure = actions::Failure::DriveNotOpened};
    const std::string drive = actions::driveText(floppyDrive_);
    if (look.failure == actions::Failure::DriveNotOpened) {
        view_.showMessage(text::shown(text::kCannotOpen, drive.c_str(), look.code));
        resetFloppy();
        return;
    }
    listDrive(look);
    if (look.failure == actions::Failure::RemovableMedium) {
        // A removable hard disk is no floppy; its folders are already on the file side as a mounted drive.
        if (view_.askYesNo(text::kRemovableHardDisk)) {
            floppyEntries_.erase(floppyEntries_.begin() + floppyIndex_);
            view_.setFloppyDrives(floppyEntries_);
            showFloppyNote();
        }
        dropFloppy();
    } else if (look.failure == actions::Failure::DriveLocked) {
        view_.showMessage(text::shown(text::kLocked, drive.c_str(), look.code));
        dropFloppy();
    }
    info_.append(" ");
    view_.setFormatEnabled(floppyDrive_ > 0);
    updateArrows();
}

void ConverterDialog::listDrive(const actions::DriveInspection& look) {
    info_.clear();
    if (look.diagnosis) view_.showMessage(*look.diagnosis);
    if (look.facts.medium) ListGeometryLine(true, *look.facts.medium, info_);
    if (!look.facts.types.empty()) {
        info_.append(text::kDriveHeader);
        for (const DiskGeometry& type : look.facts.types) ListGeometryLine(false, type, info_);
    }
    listed_ = look.facts;
}

void ConverterDialog::updateArrows() {
    view_.setArrows(floppyDrive_ != 0 && !currentPath_.empty() &&
                    ClassifyName(fileName_) != NameClass::Empty);
}

}  // namespace converter::dialog
