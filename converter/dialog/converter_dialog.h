#pragma once
// Mirask's window logic: the state of its one dialog and a handler per control notification. It reaches the
// user only through ConverterView, and floppies through the converter's actions.
#include <algorithm>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "converter/actions/action_drive.h"
#include "converter/actions/drive_inspection.h"
#include "converter/dialog/converter_options.h"
#include "converter/dialog/converter_view.h"
#include "converter/dialog/info_list.h"
#include "drive_setup.h"
#include "platform/host_drives.h"
#include "ui_port/tree_order.h"

namespace converter::dialog {

// Retry rounds a rescue runs until the person sets another number.
inline constexpr uint32_t kDefaultRescueRounds = 3;

struct ConverterServices {
    std::vector<FloppyDriveEntry> floppies;
    std::function<std::vector<platform::HostDrive>()> listDrives = platform::listHostDrives;
    std::function<bool(const std::string&)> driveAccessible = platform::folderAccessible;
    // False for folders where a pseudo file system (/proc, /sys, ...) is mounted.
    std::function<bool(const std::string&)> isDiskFolder = platform::isDiskFolder;
};

class ConverterDialog {
  public:
    ConverterDialog(ConverterView& view, ConverterServices services, const ConverterOptions& options);

    void initialise();

    // Control notifications.
    void onFloppyDriveSelected(int index);  // and RefreshFloppyInfo
    void onFileDriveSelected(int index);    // SelectFileDrive
    void onFileItemSelected(ItemHandle item);
    void onFileItemExpanding(ItemHandle item);
    void onNameEdited();
    void onWriteImage();  // "<<----"
    void onReadFloppy();  // "---->>"
    void onFormat();
    // The rescue choice beside the read arrow, its rounds, and the Stop button of a rescue that runs.
    void onRescueChosen(bool chosen) { rescue_ = chosen; }
    void onRescueRounds(int rounds) { rounds_ = static_cast<uint32_t>(std::max(rounds, 0)); }
    void onStopRescue() { stopAsked_ = true; }
    void onAbout() { view_.showAbout(); }

    // State others may look at (tests, the view).
    int floppyDrive() const { return floppyDrive_; }
    const std::string& currentPath() const { return currentPath_; }
    bool pathResolved() const { return pathResolved_; }
    const std::vector<std::string>& extensions() const { return extensions_; }
    OsKind osKind() const { return osKind_; }
    const FileTree& fileTree() const { return fileTree_; }
    const std::vector<std::string>& infoLines() const { return info_.lines(); }
    bool rescueChosen() const { return rescue_; }
    uint32_t rescueRounds() const { return rounds_; }

  private:
    void refreshFloppyInfo();
    void showFloppyNote();  // says so when there is no floppy drive
    void listDrive(const actions::DriveInspection& look);
    void resetFloppy();
    void dropFloppy();
    void updateArrows();
    FloppyAccess* selectedAccess() const;

    void selectFileDrive();
    void fillFileLevel(const std::string& folder, ItemHandle parent);
    void applyExtensionText(std::string text);
    bool resolveImagePath();

    // What the three action buttons share.
    actions::ActionDrive actionDrive(FloppyAccess& access) const;
    bool imagePathResolved();  // shows why not when it cannot be
    bool fileDriveIsOptical() const;
    void rescueFloppy(FloppyAccess& access);

    ConverterView& view_;
    FileTree fileTree_{desktop::faceTextLess};
    InfoList info_{view_};
    ConverterServices services_;
    OsKind osKind_;
    int diagSwitch_;
    std::string extensionText_;
    std::vector<std::string> extensions_;

    std::vector<std::string> floppyEntries_;
    int floppyIndex_ = -1;
    int floppyDrive_ = 0;         // 1 = the first floppy drive of the list ("A:"); 0 = none usable
    actions::DriveFacts listed_;  // what the information list shows of the drive

    std::vector<platform::HostDrive> fileDrives_;
    int fileDriveIndex_ = -1;
    std::string fileDriveRoot_;  // empty: no drive
    std::string currentPath_;
    std::string fileName_;
    bool pathResolved_ = false;
    std::set<ItemHandle> expandedOnce_;

    bool rescue_ = false;
    uint32_t rounds_ = kDefaultRescueRounds;
    bool stopAsked_ = false;
};

}  // namespace converter::dialog
