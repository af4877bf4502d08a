// orva write: an image file onto a floppy of exactly its size.
#include <memory>

#include "commands/commands.h"
#include "floppy/drive_options.h"
#include "floppy/floppy_action.h"
#include "floppy/terminal_input.h"

namespace cli {

namespace {

Runner configureWrite(CLI::App* sub, const GlobalOptions&) {
    auto request = std::make_shared<FloppyRequest>();
    request->action = converter::actions::ActionKind::Write;
    sub->add_option("IMAGE", request->image, "The image file")->required()->check(CLI::ExistingFile);
    sub->add_option("DRIVE", request->drive, "The floppy drive: a:, b:, ...")->required();
    sub->add_flag("--format", request->answers.formatFirst, "Format the floppy to its present type first");
    sub->add_flag("-y,--yes", request->answers.yes,
                  "Erase the floppy without asking (without it, asked at a terminal, refused elsewhere)");
    addEmulateOption(*sub, request->emulate);
    return [request] {
        request->answers.ask = stdinIsTerminal();
        return runFloppyAction(*request);
    };
}

}  // namespace

constinit const CommandSpec kWriteCommand{"write", "Write an image file onto a floppy of the same size",
                                          configureWrite};

}  // namespace cli
