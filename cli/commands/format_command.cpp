// orva format: a low-level format of a floppy and an empty FAT12 file system on it.
#include <memory>
#include <string>

#include "commands/commands.h"
#include "converter/media_types.h"
#include "floppy/drive_options.h"
#include "floppy/floppy_action.h"
#include "floppy/terminal_input.h"
#include "messages.h"
#include "volume_label.h"

namespace cli {
namespace {

struct FormatArgs {
    FloppyRequest request;
    std::string type;  // empty: the medium's own
    std::string label;
};

// The types the converter has templates for, named as orva new names them.
int32_t mediaTypeNamed(const std::string& name) {
    if (name == "1.44M") return converter::F3_1Pt44_512;
    if (name == "720K") return converter::F3_720_512;
    if (name == "1.2M") return converter::F5_1Pt2_512;
    if (name == "360K") return converter::F5_360_512;
    return converter::Unknown;
}

int runFormat(FormatArgs& args) {
    const LabelText checked = checkLabel(args.label);
    if (!checked.problem.empty() || !printableAscii(checked.label)) {
        printError("\"" + args.label +
                   "\": " + (checked.problem.empty() ? labelResultText(7) : checked.problem));
        return kExitFailure;
    }
    args.request.label = checked.label;
    args.request.formatType = args.type.empty() ? 0 : mediaTypeNamed(args.type);
    args.request.answers.ask = stdinIsTerminal();
    return runFloppyAction(args.request);
}

}  // namespace

Command addFormatCommand(CLI::App& app, const GlobalOptions&) {
    CLI::App* sub =
        app.add_subcommand("format", "Format a floppy and lay down an empty FAT12 file system on it");
    auto args = std::make_shared<FormatArgs>();
    args->request.action = FloppyAction::Format;
    sub->add_option("DRIVE", args->request.drive, "The floppy drive: a:, b:, ...")->required();
    sub->add_option("-t,--type", args->type,
                    "Format to this type: 1.44M, 720K, 1.2M or 360K (default: the "
                    "medium's present type)")
        ->check(CLI::IsMember({"1.44M", "720K", "1.2M", "360K"}));
    sub->add_option("-l,--label", args->label,
                    "Volume label: up to 11 ASCII characters, stored in upper case");
    sub->add_flag("-y,--yes", args->request.answers.yes,
                  "Erase the floppy without asking (without it, asked at a terminal, refused elsewhere)");
    addEmulateOption(*sub, args->request.emulate);
    return {sub, [args] { return runFormat(*args); }};
}

}  // namespace cli
