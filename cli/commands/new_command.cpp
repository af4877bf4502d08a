// orva new: creates an empty, formatted floppy image.
#include <memory>
#include <string>

#include "bootsectors/boot_templates.h"
#include "bootsectors/empty_image.h"
#include "commands/commands.h"
#include "messages.h"
#include "platform/host_errors.h"
#include "platform/path_info.h"
#include "volume_label.h"

namespace cli {
namespace {

struct NewArgs {
    std::string image;
    std::string type = "1.44M";
    std::string label;
    bool force = false;
};

std::string createResultText(int code) {
    switch (code) {
        case bootsectors::kImageWriteFailed:
            return "writing the image failed; the partly written file is left in place";
        case bootsectors::kImageNotCreated:
            return "the file cannot be created (missing folder, no access, a folder or a locked file in the "
                   "way)";
        default:
            return "unexpected result";
    }
}

int runNew(const NewArgs& args) {
    const auto templateId = bootsectors::templateIdForType(args.type);
    if (!templateId) {
        printError("unknown disk type " + args.type + "; one of 1.44M, 720K, 1.2M, 360K");
        return kExitUsage;
    }
    const LabelText checked = checkLabel(args.label);
    if (!checked.problem.empty() || !printableAscii(checked.label)) {
        printError(
            "\"" + args.label + "\": " +
            (checked.problem.empty() ? labelResultText(result::WriteVol::kBadLabel) : checked.problem));
        return kExitFailure;
    }
    if (platform::inspectPath(args.image).exists && !args.force) {
        printError(args.image + ": already exists; use --force to replace it");
        return kExitFailure;
    }
    if (const int r = bootsectors::CreateEmptyImage(*templateId, args.image, checked.label);
        r != bootsectors::kImageCreated) {
        // The host says why a file cannot be made; the list of likely causes is for when it cannot tell.
        const int error = r == bootsectors::kImageNotCreated ? platform::createFailure(args.image) : 0;
        printError(
            args.image + ": " +
            (error ? "the file cannot be created: " + platform::errorText(error) : createResultText(r)) +
            " (CreateEmptyImage result " + std::to_string(r) + ")");
        return kExitFailure;
    }
    return kExitOk;
}

Runner configureNew(CLI::App* sub, const GlobalOptions&) {
    auto args = std::make_shared<NewArgs>();
    sub->add_option("-t,--type", args->type, "Disk type: 1.44M, 720K, 1.2M or 360K")->capture_default_str();
    sub->add_option("-l,--label", args->label,
                    "Volume label: up to 11 ASCII characters, stored in upper case");
    sub->add_flag("-f,--force", args->force, "Replace an existing file");
    sub->add_option("IMAGE", args->image, "The new image file")->required();
    return [args] { return runNew(*args); };
}

}  // namespace

constinit const CommandSpec kNewCommand{"new", "Create an empty, formatted floppy image", configureNew};

}  // namespace cli
