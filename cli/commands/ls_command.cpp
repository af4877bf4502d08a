// orva ls: the entries of a folder of the image, or of the whole tree below it.
#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>

#include "commands/commands.h"
#include "entry_view.h"
#include "image_path.h"
#include "image_session.h"
#include "messages.h"
#include "table_copy_option.h"
#include "tree_walk.h"

namespace cli {
namespace {

struct LsArgs {
    std::string image;
    std::string path = "\\";
    bool recursive = false;
    bool all = false;
    int32_t tableCopy = orva::kFirstTableCopy;
};

constexpr size_t kSizeColumns = 10;
constexpr size_t kAliasColumns = 12;

size_t codePoints(const std::string& text) {
    size_t n = 0;
    for (char c : text) n += (static_cast<uint8_t>(c) & 0xC0) != 0x80;
    return n;
}

// attributes, write time, size, the 8.3 alias when the name is a long one, the name.
void printEntry(const EntryView& e, const std::string& codePage) {
    std::string line = attributeText(e.attributes);
    line += ' ';
    line += writeStampText(e.writeDate, e.writeTime);
    const std::string size = e.isDirectory() ? "<DIR>" : std::to_string(e.size);
    line.append(kSizeColumns + 1 - std::min(size.size(), kSizeColumns), ' ');
    line += size;
    line += ' ';
    const std::string alias = e.longName.empty() ? std::string() : shownShortName(e, codePage);
    line += alias;
    line.append(kAliasColumns + 1 - std::min(codePoints(alias), kAliasColumns), ' ');
    line += shownName(e, codePage);
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), stdout);
}

class Lister final : public TreeVisitor {
  public:
    Lister(const LsArgs& args, const std::string& codePage) : args_(args), codePage_(codePage) {}

    void visitFolder(const ImageItem& folder, const std::vector<EntryView>& entries) override {
        if (args_.recursive) {
            if (!first_) std::printf("\n");
            std::printf("%s:\n", folder.shownPath.c_str());
        }
        first_ = false;
        for (const EntryView& e : entries) {
            if (shown(e)) printEntry(e, codePage_);
        }
    }
    bool enterFolder(const ImageItem&, const ImageItem& sub) override { return shown(sub.entry); }

  private:
    bool shown(const EntryView& e) const { return args_.all || (!e.isHiddenOrSystem() && !e.isDotEntry()); }

    const LsArgs& args_;
    const std::string& codePage_;
    bool first_ = true;
};

int runLs(const LsArgs& args, const GlobalOptions& global) {
    ImageSession session(args.image, global, true, args.tableCopy);
    if (!session.isOpen()) return kExitFailure;
    const auto found = resolveOrReport(session, args.path);
    if (!found) return kExitFailure;
    if (!found->entry.isDirectory()) {
        printEntry(found->entry, global.codePage);
        return kExitOk;
    }
    Lister lister(args, global.codePage);
    walkTree(session, *found, args.recursive, lister);
    return kExitOk;
}

Runner configureLs(CLI::App* sub, const GlobalOptions& global) {
    auto args = std::make_shared<LsArgs>();
    sub->add_flag("-R,--recursive", args->recursive, "Also list every folder below, each under its path");
    sub->add_flag("-a,--all", args->all, "Also list hidden and system entries and the . and .. entries");
    sub->add_option("IMAGE", args->image, "Image file")->required();
    addTableCopyOption(*sub, args->tableCopy);
    sub->add_option("PATH", args->path, "Folder or file inside the image (\\ or / separated, any case)")
        ->capture_default_str();
    return [args, &global] { return runLs(*args, global); };
}

}  // namespace

constinit const CommandSpec kLsCommand{"ls", "List a folder of an image (attributes, write time, size, name)",
                                       configureLs};

}  // namespace cli
