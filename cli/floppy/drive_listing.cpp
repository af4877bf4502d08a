#include "floppy/drive_listing.h"

#include <algorithm>
#include <cstdio>

#include "converter/actions/drive_inspection.h"
#include "floppy/failure_texts.h"
#include "floppy/floppy_drives.h"
#include "geometry_list.h"
#include "media_types.h"
#include "messages.h"

namespace cli {
namespace {

namespace actions = converter::actions;

struct DriveRow {
    std::string letter;
    std::string device;
    std::string driveType;  // the first type the drive supports; "-" when the platform does not tell
    std::string medium;     // the medium's line, "none", or "unavailable" (said on stderr why)
};

// The row of a drive as its inspection found it; a drive that cannot be used shows nothing of itself.
DriveRow driveRowFrom(const actions::DriveInspection& look) {
    DriveRow row{"", "", "-", "none"};
    if (look.failure != actions::Failure::None) {
        row.medium = "unavailable";
        return row;
    }
    if (look.facts.medium) row.medium = converter::geometryLine(*look.facts.medium);
    if (!look.facts.types.empty())
        row.driveType = std::string(converter::MediaTypeLabel(look.facts.types.front().mediaType));
    return row;
}

void printRows(const std::vector<DriveRow>& rows) {
    const DriveRow header{"DRIVE", "DEVICE", "TYPE", "MEDIUM"};
    size_t widths[3] = {header.letter.size(), header.device.size(), header.driveType.size()};
    for (const DriveRow& row : rows) {
        widths[0] = std::max(widths[0], row.letter.size());
        widths[1] = std::max(widths[1], row.device.size());
        widths[2] = std::max(widths[2], row.driveType.size());
    }
    const auto print = [&](const DriveRow& row) {
        std::printf("%-*s  %-*s  %-*s  %s\n", static_cast<int>(widths[0]), row.letter.c_str(),
                    static_cast<int>(widths[1]), row.device.c_str(), static_cast<int>(widths[2]),
                    row.driveType.c_str(), row.medium.c_str());
    };
    print(header);
    for (const DriveRow& row : rows) print(row);
}

}  // namespace

int runDrivesListing(const std::vector<std::string>& emulate) {
    const auto drives = setUpDrives(emulate);
    if (!drives) return kExitFailure;
    if (drives->setup.entries.empty()) {
        printWarning("no floppy drives found");
        return kExitOk;
    }
    std::vector<DriveRow> rows;
    for (const converter::FloppyDriveEntry& entry : drives->setup.entries) {
        const actions::DriveInspection look = actions::inspectDrive(*entry.access, driveNumber(entry.letter));
        // A drive's own failures read the same for every action.
        const std::string problem = failureText(actions::ActionKind::Read, {look.failure, look.code});
        if (!problem.empty()) printError(entry.letter + " " + problem);
        DriveRow row = driveRowFrom(look);
        row.letter = entry.letter;
        const auto device = drives->devices.find(entry.letter);
        row.device = device == drives->devices.end() ? "-" : device->second;
        rows.push_back(row);
    }
    printRows(rows);
    return kExitOk;
}

}  // namespace cli
