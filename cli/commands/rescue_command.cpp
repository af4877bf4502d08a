// orva rescue: a failing floppy into an image, retried until its sectors come good, resumable through a
// ddrescue map beside the image.
#include <cstdio>
#include <memory>

#include "commands/commands.h"
#include "converter/actions/rescue_floppy.h"
#include "floppy/drive_options.h"
#include "floppy/floppy_action.h"
#include "floppy/floppy_drives.h"
#include "floppy/rescue_terminal.h"
#include "floppy/stop_signals.h"
#include "messages.h"
#include "platform/containers/rescue_map.h"

namespace cli {
namespace {

namespace actions = converter::actions;

struct RescueOptions {
    std::string drive;
    std::string image;
    std::string map;
    uint32_t retries = 3;
    std::vector<std::string> emulate;
};

// On stdout, for people and scripts alike.
void printSummary(const actions::RescueSummary& s) {
    std::printf("finished: %u of %u sectors\n", s.finished, s.sectors);
    std::printf("recovered by vote: %zu\n", s.recoveredByVote.size());
    for (const auto& id : s.recoveredByVote) std::printf("  %s\n", sectorText(id).c_str());
    std::printf("still missing: %zu\n", s.missing.size());
    for (const auto& id : s.missing) std::printf("  %s\n", sectorText(id).c_str());
    std::printf("requests: %llu\n", static_cast<unsigned long long>(s.requests));
    std::printf("recalibrations: %llu\n", static_cast<unsigned long long>(s.recalibrations));
}

int runRescue(const RescueOptions& options) {
    if (!driveLetter(options.drive)) {
        printError("\"" + options.drive + "\" is not a drive letter such as a:");
        return kExitUsage;
    }
    const auto image = imagePath(options.image);
    if (!image) return kExitFailure;
    const auto map = options.map.empty() ? std::optional(platform::containers::rescueMapPath(*image))
                                         : imagePath(options.map);
    if (!map) return kExitFailure;
    int exitStatus = kExitFailure;
    const auto found = findDrive(options.drive, options.emulate, exitStatus);
    if (!found) return exitStatus;

    RescueTerminal events(found->letter);
    const actions::ActionDrive drive{*found->entry.access, driveNumber(found->letter),
                                     found->drives.setup.osKind};
    actions::RescueRequest request{*image, *map, options.retries, "orva rescue", false};
    {
        StopSignals signals;
        actions::rescueFloppy(drive, request, events);
        if (events.summary()) printSummary(*events.summary());
        // As a shell reports a command the signal ended: 128 + its number.
        if (events.result().failure == actions::Failure::Stopped && StopSignals::caught() != 0)
            return 128 + StopSignals::caught();
    }
    if (events.result().failure != actions::Failure::None) return kExitFailure;
    return events.summary() && events.summary()->missing.empty() ? kExitOk : kExitFilledSectors;
}

Runner configureRescue(CLI::App* sub, const GlobalOptions&) {
    auto options = std::make_shared<RescueOptions>();
    sub->add_option("DRIVE", options->drive, "The floppy drive: a:, b:, ...")->required();
    sub->add_option("IMAGE", options->image, "The image file to create or continue")->required();
    sub->add_option("--map", options->map, "The map file (default: the image's name + .map)");
    sub->add_option("--retries", options->retries, "Rounds over the sectors still missing (default 3)");
    addEmulateOption(*sub, options->emulate);
    return [options] { return runRescue(*options); };
}

}  // namespace

constinit const CommandSpec kRescueCommand{
    "rescue",
    "Rescue a failing floppy into an image, retrying what fails; a ddrescue map beside the image lets a "
    "later run continue (exit 3 while sectors are missing)",
    configureRescue};

}  // namespace cli
