// orva mkdir: creates a folder in the image.
#include <memory>
#include <string>
#include <string_view>

#include "commands/commands.h"
#include "image_names.h"
#include "image_path.h"
#include "image_session.h"
#include "messages.h"
#include "orva.h"

namespace cli {
namespace {

struct MkdirArgs {
    std::string image;
    std::string path;
};

int runMkdir(const MkdirArgs& args, const GlobalOptions& global) {
    std::string_view typed = args.path;
    while (!typed.empty() && (typed.back() == '/' || typed.back() == '\\')) typed.remove_suffix(1);
    const size_t split = typed.find_last_of("/\\");
    const std::string_view parentTyped = split == std::string_view::npos ? "" : typed.substr(0, split);
    const std::string name(split == std::string_view::npos ? typed : typed.substr(split + 1));
    if (const std::string problem = imageNameProblem(name); !problem.empty()) {
        printError(args.path + ": " + problem);
        return kExitFailure;
    }

    ImageSession session(args.image, global);
    if (!session.isOpen() || !session.checkWritable()) return kExitFailure;
    const auto parent = resolveOrReport(session, parentTyped, true);
    if (!parent) return kExitFailure;
    const std::string shown = joinPath(parent->shownPath, name);
    // The library adds a second entry of the same name without a word.
    if (const auto existing = findChild(session, *parent, name)) {
        const std::string existingName = shownName(*existing, global.codePage);
        printError(args.image + ": " + shown + ": already exists" +
                   (existingName == name ? "" : " as " + existingName));
        return kExitFailure;
    }
    const std::string target = joinPath(parent->libraryPath, name);
    if (const int32_t r = MkDir(target.c_str()); r != result::MkDir::kCreated) {
        printError(args.image + ": " + shown + ": " + withCode(mkDirResultText(r), "MkDir", r));
        return kExitFailure;
    }
    return kExitOk;
}

Runner configureMkdir(CLI::App* sub, const GlobalOptions& global) {
    auto args = std::make_shared<MkdirArgs>();
    sub->add_option("IMAGE", args->image, "Image file")->required();
    sub->add_option("PATH", args->path,
                    "The new folder; its parent must exist (\\ or / separated, any case for the parent)")
        ->required();
    return [args, &global] { return runMkdir(*args, global); };
}

}  // namespace

constinit const CommandSpec kMkdirCommand{"mkdir", "Create a folder in an image", configureMkdir};

}  // namespace cli
