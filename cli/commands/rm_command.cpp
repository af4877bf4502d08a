// orva rm: deletes a file or an empty folder of the image, or with -r a folder and everything below it.
#include <memory>
#include <string>
#include <unordered_set>

#include "commands/commands.h"
#include "dir_listing.h"
#include "entry_view.h"
#include "image_path.h"
#include "image_session.h"
#include "messages.h"
#include "orva.h"

namespace cli {
namespace {

struct RmArgs {
    std::string image;
    std::string path;
    bool recursive = false;
    bool force = false;
};

class Remover {
  public:
    // The root is never below anything: a folder entry that leads there (cluster 0 in a damaged entry
    // does) must not get the whole disk deleted.
    Remover(const ImageSession& session, bool force)
        : session_(session), force_(force), visited_{orva::kRootCluster} {}

    // Entries first, then the folder: the library deletes only empty folders. False once anything stayed.
    bool removeTree(const ImageItem& folder) {
        if (!visited_.insert(folder.entry.folderCluster()).second) {
            // Deleting it would free clusters another folder still uses.
            printError(session_.path() + ": " + folder.shownPath +
                       ": leads back to a folder already walked; not deleted");
            return false;
        }
        bool emptied = true;
        for (const EntryView& e : listDirectory(session_, folder)) {
            if (e.isLabel() || e.isDotEntry()) continue;
            const ImageItem item = childItem(folder, e, session_.options().codePage);
            emptied = (e.isDirectory() ? removeTree(item) : remove(item)) && emptied;
        }
        // Its own failure would only repeat that something inside stayed.
        return emptied && remove(folder);
    }

    bool remove(const ImageItem& item) {
        if (item.libraryPath.empty()) {
            printError(session_.path() + ": " + item.shownPath + ": " +
                       resolveErrorText(ResolveError::Unreachable) + "; not deleted");
            return false;
        }
        const int32_t r = KillF(item.libraryPath.c_str(), force_ ? 1 : 0);
        if (r == result::KillF::kDeleted) return true;
        printError(session_.path() + ": " + item.shownPath + ": " + withCode(killResultText(r), "KillF", r));
        return false;
    }

  private:
    const ImageSession& session_;
    bool force_;
    std::unordered_set<int32_t> visited_;
};

int runRm(const RmArgs& args, const GlobalOptions& global) {
    ImageSession session(args.image, global);
    if (!session.isOpen() || !session.checkWritable()) return kExitFailure;
    const auto found = resolveOrReport(session, args.path);
    if (!found) return kExitFailure;
    if (found->isRoot()) {
        printError(args.image + ": the root folder cannot be deleted");
        return kExitFailure;
    }
    Remover remover(session, args.force);
    const bool done =
        args.recursive && found->entry.isDirectory() ? remover.removeTree(*found) : remover.remove(*found);
    return done ? kExitOk : kExitFailure;
}

Runner configureRm(CLI::App* sub, const GlobalOptions& global) {
    auto args = std::make_shared<RmArgs>();
    sub->add_flag("-r,--recursive", args->recursive, "Delete a folder with everything below it");
    sub->add_flag("-f,--force", args->force, "Also delete read-only, hidden and system entries");
    sub->add_option("IMAGE", args->image, "Image file")->required();
    sub->add_option("PATH", args->path, "File or folder inside the image (\\ or / separated, any case)")
        ->required();
    return [args, &global] { return runRm(*args, global); };
}

}  // namespace

constinit const CommandSpec kRmCommand{
    "rm", "Delete a file or an empty folder, or with -r a whole folder tree", configureRm};

}  // namespace cli
