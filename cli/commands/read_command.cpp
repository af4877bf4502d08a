// orva read: a whole floppy into an image file, unreadable sectors filled and listed.
#include <memory>

#include "commands/commands.h"
#include "floppy/drive_options.h"
#include "floppy/floppy_action.h"
#include "floppy/terminal_input.h"

namespace cli {

namespace {

Runner configureRead(CLI::App* sub, const GlobalOptions&) {
    auto request = std::make_shared<FloppyRequest>();
    request->action = converter::actions::ActionKind::Read;
    sub->add_option("DRIVE", request->drive, "The floppy drive: a:, b:, ...")->required();
    sub->add_option("IMAGE", request->image, "The image file to create or replace")->required();
    sub->add_flag("--stop-on-bad-sector", request->answers.stopOnBadSector,
                  "Stop at the first unreadable sector instead of filling it (exit 1)");
    addEmulateOption(*sub, request->emulate);
    return [request] {
        request->answers.ask = stdinIsTerminal();
        return runFloppyAction(*request);
    };
}

}  // namespace

constinit const CommandSpec kReadCommand{
    "read", "Read a whole floppy into an image file (exit 3 when unreadable sectors were filled with 0xEE)",
    configureRead};

}  // namespace cli
