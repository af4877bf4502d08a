// orva drives: the floppy drives, their devices, types and media.
#include <memory>
#include <string>
#include <vector>

#include "commands/commands.h"
#include "floppy/drive_listing.h"
#include "floppy/drive_options.h"

namespace cli {

Command addDrivesCommand(CLI::App& app, const GlobalOptions&) {
    CLI::App* sub = app.add_subcommand("drives", "List the floppy drives, their types and the media in them");
    auto emulate = std::make_shared<std::vector<std::string>>();
    addEmulateOption(*sub, *emulate);
    return {sub, [emulate] { return runDrivesListing(*emulate); }};
}

}  // namespace cli
