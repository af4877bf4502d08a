#include "floppy/floppy_action.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "converter/actions/drive_inspection.h"
#include "converter/actions/format_floppy.h"
#include "converter/actions/read_floppy.h"
#include "converter/actions/write_image.h"
#include "floppy/floppy_drives.h"
#include "messages.h"

namespace cli {
namespace {

namespace actions = converter::actions;
namespace fs = std::filesystem;

std::string letters(const FloppyDrives& drives) {
    std::string all;
    for (const auto& entry : drives.setup.entries) all += (all.empty() ? "" : " ") + entry.letter;
    return all.empty() ? "none found" : all;
}

// The unreadable sectors, for scripts on stdout; the warnings about each went to stderr as they came.
void listBadSectors(const TerminalEvents& events, const std::string& drive) {
    const auto& bad = events.badSectors();
    if (bad.empty()) return;
    printWarning(drive + " " + std::to_string(bad.size()) + " unreadable sector" +
                 (bad.size() == 1 ? "" : "s") + " (cylinder/head/sector on standard output)");
    for (const std::string& sector : bad) std::printf("%s\n", sector.c_str());
}

}  // namespace

std::optional<std::string> imagePath(const std::string& typed) {
    // Mirask takes "\" for a separator, as on its home platform; such a path is refused rather than read
    // differently here.
    if (typed.find('\\') != std::string::npos) {
        printError(typed + ": image paths holding \"\\\" are not supported here");
        return std::nullopt;
    }
    std::error_code error;
    const std::string image = fs::absolute(typed, error).lexically_normal().string();
    if (error || image.empty() || image.back() == '/') {
        printError(typed + ": not a file path");
        return std::nullopt;
    }
    return image;
}

std::optional<FoundDrive> findDrive(const std::string& typed, const std::vector<std::string>& emulate,
                                    int& exitStatus) {
    exitStatus = kExitFailure;
    const auto letter = driveLetter(typed);
    if (!letter) {
        printError("\"" + typed + "\" is not a drive letter such as a:");
        exitStatus = kExitUsage;
        return std::nullopt;
    }
    auto drives = setUpDrives(emulate);
    if (!drives) return std::nullopt;
    const auto& entries = drives->setup.entries;
    const auto entry =
        std::find_if(entries.begin(), entries.end(),
                     [&](const converter::FloppyDriveEntry& e) { return e.letter == *letter; });
    if (entry == entries.end()) {
        printError("no floppy drive " + *letter + " (drives: " + letters(*drives) + ")");
        return std::nullopt;
    }
    const converter::FloppyDriveEntry found = *entry;
    return FoundDrive{std::move(*drives), found, *letter};
}

namespace {

void run(const FloppyRequest& request, const actions::ActionDrive& drive, const actions::DriveFacts& listed,
         const std::string& image, TerminalEvents& events) {
    switch (request.action) {
        case actions::ActionKind::Read:
            actions::readFloppy(drive, {image}, events);
            break;
        case actions::ActionKind::Write:
            actions::writeImage(drive, {image}, events);
            break;
        case actions::ActionKind::Format:
            actions::formatFloppy(drive, {listed, request.formatType, request.label}, events);
            break;
    }
}

}  // namespace

int runFloppyAction(const FloppyRequest& request) {
    if (!driveLetter(request.drive)) {
        printError("\"" + request.drive + "\" is not a drive letter such as a:");
        return kExitUsage;
    }
    std::string image;
    if (request.action != actions::ActionKind::Format) {
        const auto path = imagePath(request.image);
        if (!path) return kExitFailure;
        image = *path;
    }

    int exitStatus = kExitFailure;
    const auto found = findDrive(request.drive, request.emulate, exitStatus);
    if (!found) return exitStatus;
    const std::string* letter = &found->letter;

    TerminalEvents events(request.action, *letter, request.answers);
    const actions::ActionDrive drive{*found->entry.access, driveNumber(*letter), found->drives.setup.osKind};
    // A drive that cannot be had, or holds no floppy, is not used; what it holds decides a format's type.
    const actions::DriveInspection look = actions::inspectDrive(drive.access, drive.number);
    if (look.failure != actions::Failure::None) {
        events.finished({look.failure, look.code});
        return kExitFailure;
    }
    events.setListedMedium(look.facts.medium);
    run(request, drive, look.facts, image, events);

    listBadSectors(events, *letter);
    if (events.stoppedAtBadSector()) {
        printError(request.image + ": holds only the " + std::to_string(events.result().cylinders) +
                   " whole cylinders read before the bad sector");
    }
    if (events.result().failure != actions::Failure::None) return kExitFailure;
    return events.badSectors().empty() ? kExitOk : kExitFilledSectors;
}

}  // namespace cli
