#pragma once
// Mirask's window logic: the state of its one dialog and a handler per control notification. It reaches the
// user only through ConverterView and floppies only through FloppyAccess.
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "converter/dialog/converter_view.h"
#include "desktop/logic/tree_order.h"
#include "floppy_access.h"
#include "platform/host_drives.h"

namespace converter::dialog {

// One floppy drive of the list: its letter ("a:") and the access that reaches it.
struct FloppyDriveEntry {
    std::string letter;
    FloppyAccess* access = nullptr;
};

struct ConverterOptions {
    std::string extensionText = ".gvx .imd .td0 .cqm .imz";  // tokens, each beginning with "."
    int diagSwitch = 0;                  // 0, or (the character after /D AND 15) + 1
    char osKind = 'N';                   // 'N' the NT line (Linux too), '9' the 95/98 line
};

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
    void onAbout() { view_.showAbout(); }

    // For callers without an information list to pick from (orva format): the next formats lay down this
    // type (0: the medium's own, decided as the window does) with this volume label (empty: none), after
    // the erase question. False, changing nothing, for a type without a template.
    bool chooseFormat(int32_t mediaType, const std::string& label);

    // State others may look at (tests, the view).
    int floppyDrive() const { return floppyDrive_; }
    const std::string& currentPath() const { return currentPath_; }
    bool pathResolved() const { return pathResolved_; }
    const std::vector<std::string>& extensions() const { return extensions_; }
    char osKind() const { return osKind_; }
    const FileTree& fileTree() const { return fileTree_; }

  private:
    void refreshFloppyInfo();
    void resetFloppy();
    void updateArrows();
    FloppyAccess* selectedAccess() const;
    std::string driveText() const;

    void selectFileDrive();
    void fillFileLevel(const std::string& folder, ItemHandle parent);
    void applyExtensionText(std::string text);
    bool resolveImagePath();

    // Actions.
    void readFloppy(FloppyAccess& access);
    void writeImage(FloppyAccess& access);
    void formatFloppy(FloppyAccess& access);

    // Steps the three actions share: each shows its own message when it fails.
    FloppyHandle openAndLock(FloppyAccess& access);  // INVALID_HANDLE_VALUE when stopped (nothing left open)
    bool waitForMedium(FloppyAccess& access, FloppyHandle handle);  // false: cancelled, unlocked and closed
    void release(FloppyAccess& access, FloppyHandle handle);        // dismount, unlock, close
    bool imagePathUsable();                                         // resolved, and not a folder or device
    int appendProgressLine(const char* line);

    ConverterView& view_;
    FileTree fileTree_{desktop::faceTextLess};
    ConverterServices services_;
    char osKind_;
    int diagSwitch_;
    std::string extensionText_;
    std::vector<std::string> extensions_;

    std::vector<std::string> floppyEntries_;
    int floppyIndex_ = -1;
    int floppyDrive_ = 0;  // 1 = the first floppy drive of the list ("A:"); 0 = none usable

    std::vector<platform::HostDrive> fileDrives_;
    int fileDriveIndex_ = -1;
    std::string fileDriveRoot_;  // empty: no drive
    std::string currentPath_;
    std::string fileName_;
    bool pathResolved_ = false;
    std::set<ItemHandle> expandedOnce_;

    int32_t chosenFormatType_ = 0;  // see chooseFormat
    std::string chosenFormatLabel_;
};

}  // namespace converter::dialog
