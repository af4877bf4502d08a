#include "tree_walk.h"

#include <algorithm>
#include <unordered_set>

#include "dir_listing.h"
#include "messages.h"

namespace cli {
namespace {

class Walker {
  public:
    Walker(const ImageSession& session, bool recursive, TreeVisitor& visitor, bool reportLoops)
        : session_(session), recursive_(recursive), visitor_(visitor), reportLoops_(reportLoops) {}

    void walk(const ImageItem& folder) {
        visited_.insert(folder.entry.folderCluster());
        std::vector<EntryView> entries = listDirectory(session_, folder);
        std::erase_if(entries, [](const EntryView& e) { return e.isLabel(); });
        visitor_.visitFolder(folder, entries);
        if (!recursive_) return;
        for (const EntryView& e : entries) {
            // A folder's own "." and ".." are never followed; the root has none, so there they are damage,
            // which the visitor hears of like any folder.
            if (!e.isDirectory() || (e.isDotEntry() && !folder.isRoot())) continue;
            const ImageItem sub = childItem(folder, e, session_.options().codePage);
            if (!visitor_.enterFolder(folder, sub)) continue;
            if (visited_.contains(sub.entry.folderCluster())) {
                ++leftOut_;
                if (reportLoops_) {
                    printWarning(session_.path() + ": " + sub.shownPath +
                                 ": leads back to a folder already walked; not entered");
                }
                continue;
            }
            walk(sub);
        }
    }

    int leftOut() const { return leftOut_; }

  private:
    const ImageSession& session_;
    bool recursive_;
    TreeVisitor& visitor_;
    bool reportLoops_;
    std::unordered_set<int32_t> visited_;
    int leftOut_ = 0;
};

}  // namespace

int walkTree(const ImageSession& session, const ImageItem& start, bool recursive, TreeVisitor& visitor,
             bool reportLoops) {
    Walker walker(session, recursive, visitor, reportLoops);
    walker.walk(start);
    return walker.leftOut();
}

}  // namespace cli
