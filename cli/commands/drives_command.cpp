// orva drives: the floppy drives, their devices, types and media.
#include <memory>
#include <string>
#include <vector>

#include "commands/commands.h"
#include "floppy/drive_listing.h"
#include "floppy/drive_options.h"

namespace cli {

namespace {

Runner configureDrives(CLI::App* sub, const GlobalOptions&) {
    auto emulate = std::make_shared<std::vector<std::string>>();
    addEmulateOption(*sub, *emulate);
    return [emulate] { return runDrivesListing(*emulate); };
}

}  // namespace

constinit const CommandSpec kDrivesCommand{
    "drives", "List the floppy drives, their types and the media in them", configureDrives};

}  // namespace cli
