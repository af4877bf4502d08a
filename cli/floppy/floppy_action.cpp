#include "floppy/floppy_action.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "converter/dialog/converter_dialog.h"
#include "floppy/floppy_drives.h"
#include "messages.h"

namespace cli {
namespace {

namespace dialog = converter::dialog;
namespace fs = std::filesystem;

std::string letters(const FloppyDrives& drives) {
    std::string all;
    for (const auto& entry : drives.setup.entries) all += (all.empty() ? "" : " ") + entry.letter;
    return all.empty() ? "none found" : all;
}

// The unreadable sectors, for scripts on stdout; the warnings about each went to stderr as they came.
void listBadSectors(const CommandLineView& view, const std::string& drive) {
    const auto& bad = view.badSectors();
    if (bad.empty()) return;
    printWarning(drive + " " + std::to_string(bad.size()) + " unreadable sector" +
                 (bad.size() == 1 ? "" : "s") + " (cylinder/head/sector on standard output)");
    for (const std::string& sector : bad) std::printf("%s\n", sector.c_str());
}

}  // namespace

int runFloppyAction(const FloppyRequest& request) {
    const auto letter = driveLetter(request.drive);
    if (!letter) {
        printError("\"" + request.drive + "\" is not a drive letter such as a:");
        return kExitUsage;
    }
    std::string image;
    std::string folder;
    if (request.action != FloppyAction::Format) {
        // The converter takes "\" for a separator, as on its home platform.
        if (request.image.find('\\') != std::string::npos) {
            printError(request.image + ": image paths holding \"\\\" are not supported here");
            return kExitFailure;
        }
        std::error_code error;
        image = fs::absolute(request.image, error).lexically_normal().string();
        if (error || image.empty() || image.back() == '/') {
            printError(request.image + ": not a file path");
            return kExitFailure;
        }
        folder = image.substr(0, image.find_last_of('/'));
        if (folder.empty()) folder = "/";
    }

    const auto drives = setUpDrives(request.emulate);
    if (!drives) return kExitFailure;
    const auto& entries = drives->setup.entries;
    const auto entry =
        std::find_if(entries.begin(), entries.end(),
                     [&](const converter::FloppyDriveEntry& e) { return e.letter == *letter; });
    if (entry == entries.end()) {
        printError("no floppy drive " + *letter + " (drives: " + letters(*drives) + ")");
        return kExitFailure;
    }

    CommandLineView view(request.action, *letter, request.answers);
    dialog::ConverterDialog window(view, servicesFor(*entry, folder), optionsFor(*drives));
    window.initialise();
    if (request.action == FloppyAction::Format) {
        window.chooseFormat(request.formatType, request.label);
        // As in the window: a drive whose look-up failed leaves its button off.
        if (view.formatEnabled()) window.onFormat();
    } else {
        view.setNameText(image);
        window.onNameEdited();
        if (view.arrows()) {
            request.action == FloppyAction::Read ? window.onReadFloppy() : window.onWriteImage();
        }
    }

    listBadSectors(view, *letter);
    if (view.stoppedAtBadSector()) {
        printError(request.image + ": holds only the " + std::to_string(view.steps()) +
                   " whole cylinders read before the bad sector");
    }
    if (!view.failed() && !view.done()) view.fail("the drive cannot be used");
    if (view.failed()) return kExitFailure;
    return view.badSectors().empty() ? kExitOk : kExitFilledSectors;
}

}  // namespace cli
