#include "floppy/drive_listing.h"

#include <algorithm>
#include <cstdio>

#include "converter/dialog/converter_dialog.h"
#include "converter/dialog/texts.h"
#include "floppy/command_line_view.h"
#include "floppy/floppy_drives.h"
#include "messages.h"

namespace cli {
namespace {

namespace dialog = converter::dialog;

struct DriveRow {
    std::string letter;
    std::string device;
    std::string driveType;  // the first type the drive supports; "-" when the platform does not tell
    std::string medium;     // the medium's line, "none", or "unavailable" (said on stderr why)
};

// A geometry line is "<label> CTS=c/t/s"; a drive's type is the label alone.
std::string labelOf(const std::string& geometryLine) {
    const size_t numbers = geometryLine.rfind(" CTS=");
    return numbers == std::string::npos ? geometryLine : geometryLine.substr(0, numbers);
}

// The row from the information list the converter filled for one drive.
DriveRow driveRowFrom(const std::vector<std::string>& lines, bool unavailable) {
    DriveRow row;
    row.medium = unavailable ? "unavailable" : "none";
    row.driveType = "-";
    if (!unavailable && lines.size() > 1 && lines[0] == "Floppy:") row.medium = lines[1];
    const auto header = std::find(lines.begin(), lines.end(), std::string(dialog::text::kDriveHeader));
    if (header != lines.end() && header + 1 != lines.end()) row.driveType = labelOf(*(header + 1));
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
        // Choosing the drive in the window fills its information list.
        CommandLineView view(FloppyAction::Drives, entry.letter, {});
        dialog::ConverterDialog window(view, servicesFor(entry, ""), optionsFor(*drives));
        window.initialise();
        DriveRow row = driveRowFrom(view.infoLines(), view.failed());
        row.letter = entry.letter;
        const auto device = drives->devices.find(entry.letter);
        row.device = device == drives->devices.end() ? "-" : device->second;
        rows.push_back(row);
    }
    printRows(rows);
    return kExitOk;
}

}  // namespace cli
