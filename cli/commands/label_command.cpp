// orva label: sets, replaces or removes the volume label of an image (the library keeps the boot sector's
// copy in step).
#include <memory>
#include <string>

#include "commands/commands.h"
#include "image_session.h"
#include "messages.h"
#include "orva.h"
#include "volume_label.h"

namespace cli {
namespace {

struct LabelArgs {
    std::string image;
    std::string text;
};

int runLabel(const LabelArgs& args, const GlobalOptions& global) {
    const LabelText checked = checkLabel(args.text);
    if (!checked.problem.empty()) {
        printError("\"" + args.text + "\": " + checked.problem);
        return kExitFailure;
    }
    ImageSession session(args.image, global);
    if (!session.isOpen() || !session.checkWritable()) return kExitFailure;
    if (const int32_t r = WriteVol(checked.label.c_str()); r != result::WriteVol::kDone) {
        printError(args.image + ": cannot " + (checked.label.empty() ? "remove the label" : "set the label") +
                   ": " + withCode(labelResultText(r), "WriteVol", r));
        return kExitFailure;
    }
    return kExitOk;
}

Runner configureLabel(CLI::App* sub, const GlobalOptions& global) {
    auto args = std::make_shared<LabelArgs>();
    sub->add_option("IMAGE", args->image, "Image file")->required();
    sub->add_option("TEXT", args->text,
                    "The new label: up to 11 ASCII characters, stored in upper case; none removes the label");
    return [args, &global] { return runLabel(*args, global); };
}

}  // namespace

constinit const CommandSpec kLabelCommand{"label", "Set or remove the volume label of an image",
                                          configureLabel};

}  // namespace cli
