// orva format: a low-level format of a floppy and an empty FAT12 file system on it.
#include <memory>
#include <string>

#include "bootsectors/boot_templates.h"
#include "commands/commands.h"
#include "converter/actions/format_types.h"
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
converter::MEDIA_TYPE mediaTypeNamed(const std::string& name) {
    const auto templateId = bootsectors::templateIdForType(name);
    return templateId ? converter::actions::mediaTypeOf(*templateId).value_or(converter::Unknown)
                      : converter::Unknown;
}

int runFormat(FormatArgs& args) {
    const LabelText checked = checkLabel(args.label);
    if (!checked.problem.empty() || !printableAscii(checked.label)) {
        printError("\"" + args.label +
                   "\": " + (checked.problem.empty() ? labelResultText(7) : checked.problem));
        return kExitFailure;
    }
    args.request.label = checked.label;
    args.request.formatType = args.type.empty() ? converter::Unknown : mediaTypeNamed(args.type);
    args.request.answers.ask = stdinIsTerminal();
    return runFloppyAction(args.request);
}

Runner configureFormat(CLI::App* sub, const GlobalOptions&) {
    auto args = std::make_shared<FormatArgs>();
    args->request.action = converter::actions::ActionKind::Format;
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
    return [args] { return runFormat(*args); };
}

}  // namespace

constinit const CommandSpec kFormatCommand{
    "format", "Format a floppy and lay down an empty FAT12 file system on it", configureFormat};

}  // namespace cli
