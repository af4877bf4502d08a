// The three action buttons: each runs its action on the selected floppy drive, the window showing what the
// action reports; writing and formatting list the floppy afresh when they had it locked.
#include <algorithm>

#include "converter/actions/format_floppy.h"
#include "converter/actions/read_floppy.h"
#include "converter/actions/write_image.h"
#include "converter/dialog/converter_dialog.h"
#include "converter/dialog/window_events.h"

namespace converter::dialog {

actions::ActionDrive ConverterDialog::actionDrive(FloppyAccess& access) const {
    return {access, floppyDrive_, osKind_};
}

bool ConverterDialog::imagePathResolved() {
    return pathResolved_ || resolveImagePath();
}

bool ConverterDialog::fileDriveIsOptical() const {
    const auto root = std::find_if(fileDrives_.begin(), fileDrives_.end(),
                                   [&](const platform::HostDrive& d) { return d.path == fileDriveRoot_; });
    return root != fileDrives_.end() && root->type == platform::DriveType::Optical;
}

void ConverterDialog::onReadFloppy() {
    FloppyAccess* access = selectedAccess();
    if (access == nullptr || !imagePathResolved()) return;
    if (rescue_) return rescueFloppy(*access);
    WindowEvents events(view_, info_, actions::ActionKind::Read);
    actions::readFloppy(actionDrive(*access), {currentPath_, fileDriveIsOptical()}, events);
}

void ConverterDialog::onWriteImage() {
    FloppyAccess* access = selectedAccess();
    if (access == nullptr || !imagePathResolved()) return;
    WindowEvents events(view_, info_, actions::ActionKind::Write);
    actions::writeImage(actionDrive(*access), {currentPath_}, events);
    if (events.result().driveTaken) refreshFloppyInfo();
}

void ConverterDialog::onFormat() {
    // The button is on only while a drive is selected.
    FloppyAccess* access = selectedAccess();
    if (access == nullptr) return;
    WindowEvents events(view_, info_, actions::ActionKind::Format);
    actions::formatFloppy(actionDrive(*access), {listed_, Unknown, {}}, events);
    if (events.result().driveTaken) refreshFloppyInfo();
}

}  // namespace converter::dialog
