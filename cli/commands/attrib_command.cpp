// orva attrib: shows or changes the read-only, hidden, system and archive bits of an entry.
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "commands/commands.h"
#include "entry_view.h"
#include "image_path.h"
#include "image_session.h"
#include "messages.h"
#include "orva.h"

namespace cli {
namespace {

struct AttribArgs {
    std::string image;
    std::string path;
};

struct Change {
    uint8_t set = 0;
    uint8_t cleared = 0;
};

std::optional<uint8_t> attributeBit(char letter) {
    switch (letter) {
        case 'r':
        case 'R':
            return attr::kReadOnly;
        case 'h':
        case 'H':
            return attr::kHidden;
        case 's':
        case 'S':
            return attr::kSystem;
        case 'a':
        case 'A':
            return attr::kArchive;
        default:
            return std::nullopt;
    }
}

// "+r", "-hs" ... in the order given, so that a later word overrides an earlier one.
std::optional<Change> parseChanges(const std::vector<std::string>& words) {
    Change change;
    for (const std::string& word : words) {
        if (word.size() < 2 || (word[0] != '+' && word[0] != '-')) return std::nullopt;
        for (size_t i = 1; i < word.size(); ++i) {
            const auto bit = attributeBit(word[i]);
            if (!bit) return std::nullopt;
            uint8_t& on = word[0] == '+' ? change.set : change.cleared;
            uint8_t& off = word[0] == '+' ? change.cleared : change.set;
            on |= *bit;
            off &= static_cast<uint8_t>(~*bit);
        }
    }
    return change;
}

int runAttrib(const AttribArgs& args, const std::vector<std::string>& words, const GlobalOptions& global) {
    const auto change = parseChanges(words);
    if (!change) {
        std::string all;
        for (const std::string& w : words) all += " " + w;
        printError("attrib: cannot read the changes" + all +
                   ": write them as +r, -h, +rs ... (r read-only, "
                   "h hidden, s system, a archive)");
        return kExitUsage;
    }
    ImageSession session(args.image, global);
    if (!session.isOpen()) return kExitFailure;
    const auto found = resolveOrReport(session, args.path);
    if (!found) return kExitFailure;
    if (found->isRoot()) {
        printError(args.image + ": the root folder has no attributes");
        return kExitFailure;
    }
    const uint8_t old = found->entry.attributes;
    if (words.empty()) {
        std::printf("%s %s\n", attributeText(old).c_str(), found->shownPath.c_str());
        return kExitOk;
    }
    if (!session.checkWritable()) return kExitFailure;
    const uint8_t wanted = static_cast<uint8_t>(((old & attr::kCarried) | change->set) & ~change->cleared);
    if (wanted == (old & attr::kCarried)) return kExitOk;
    if (const int32_t r = SetAttrib(found->libraryPath.c_str(), wanted); r != result::SetAttrib::kSet) {
        printError(args.image + ": " + found->shownPath + ": " +
                   withCode(setAttribResultText(r), "SetAttrib", r));
        return kExitFailure;
    }
    return kExitOk;
}

Runner configureAttrib(CLI::App* sub, const GlobalOptions& global) {
    // -h and -r are attribute changes here, not options, and must not fall through to orva's own -h.
    sub->set_help_flag("--help", "Print this help message and exit");
    sub->fallthrough(false);
    sub->allow_extras();
    auto args = std::make_shared<AttribArgs>();
    sub->add_option("IMAGE", args->image, "Image file")->required();
    sub->add_option("PATH", args->path, "File or folder inside the image (\\ or / separated, any case)")
        ->required();
    sub->footer(
        "Changes follow PATH: + sets, - clears; letters r h s a may be combined (+rh). Without changes "
        "the attributes are shown as rhsda, - for a bit not set.");
    return [args, sub, &global] { return runAttrib(*args, sub->remaining(), global); };
}

}  // namespace

constinit const CommandSpec kAttribCommand{
    "attrib",
    "Show an entry's attributes, or change them: +r -h +s -a ... (read-only, hidden, system, archive)",
    configureAttrib};

}  // namespace cli
