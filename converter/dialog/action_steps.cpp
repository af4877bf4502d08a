// What reading, writing and formatting share: taking the drive, waiting for a medium, giving the drive back.
#include "converter/dialog/converter_dialog.h"
#include "converter/dialog/texts.h"
#include "platform/path_info.h"

#include <cerrno>

namespace converter::dialog {

FloppyHandle ConverterDialog::openAndLock(FloppyAccess& access) {
    const std::string drive = driveText();
    const FloppyHandle handle = access.OpenDrive(drive);
    if (handle == INVALID_HANDLE_VALUE) {
        view_.showMessage(text::fill(text::kCannotOpen, drive.c_str(), static_cast<int>(access.LastError())));
        return INVALID_HANDLE_VALUE;
    }
    if (!access.LockDrive(handle, floppyDrive_)) {
        view_.showMessage(text::fill(text::kLocked, drive.c_str(), static_cast<int>(access.LastError())));
        access.CloseDrive(handle);
        return INVALID_HANDLE_VALUE;
    }
    return handle;
}

bool ConverterDialog::waitForMedium(FloppyAccess& access, FloppyHandle handle) {
    while (!access.CheckMedia(handle)) {
        if (!view_.askOkCancel(text::kInsertDisk)) {
            access.UnlockDrive(handle, floppyDrive_);
            access.CloseDrive(handle);
            return false;
        }
    }
    return true;
}

void ConverterDialog::release(FloppyAccess& access, FloppyHandle handle) {
    access.DismountDrive(handle);
    access.UnlockDrive(handle, floppyDrive_);
    access.CloseDrive(handle);
}

bool ConverterDialog::imagePathUsable() {
    if (!pathResolved_ && !resolveImagePath()) return false;
    // Reading into /dev/sda would overwrite a disk: only a regular file (or none yet) names an image.
    const platform::PathInfo info = platform::inspectPath(currentPath_);
    if (info.exists && !info.regular) {
        view_.showMessage(
            text::fill(text::kFileError, currentPath_.c_str(), info.directory ? EISDIR : EINVAL));
        return false;
    }
    return true;
}

int ConverterDialog::appendProgressLine(const char* line) {
    view_.appendInfo(line);
    view_.repaintInfo();
    return static_cast<int>(view_.infoLines().size()) - 1;
}

}  // namespace converter::dialog
