// The read arrow with the rescue chosen: the rescue action into the chosen image with its map beside it,
// continued or started afresh as the person says when a map is there already.
#include "converter/actions/rescue_floppy.h"
#include "converter/dialog/converter_dialog.h"
#include "converter/dialog/rescue_window.h"
#include "converter/dialog/texts.h"
#include "platform/containers/rescue_map.h"

namespace converter::dialog {

void ConverterDialog::rescueFloppy(FloppyAccess& access) {
    actions::RescueRequest request{currentPath_, platform::containers::rescueMapPath(currentPath_), rounds_,
                                   "mirask", fileDriveIsOptical()};
    if (actions::earlierRunThere(request))
        request.resume = view_.askYesNo(text::shown(text::kContinueMap, currentPath_.c_str()));
    stopAsked_ = false;
    RescueWindow events(view_, info_, rounds_, request.imagePath, request.mapPath, stopAsked_);
    view_.setRescueRunning(true);
    actions::rescueFloppy(actionDrive(access), request, events);
    view_.setRescueRunning(false);
}

}  // namespace converter::dialog
