#include "dir_listing.h"

#include "messages.h"
#include "orva.h"

namespace cli {
namespace {

using namespace result::FindMInDir;
// More slots than a floppy directory can hold: an enumeration that gets there is not ending.
constexpr size_t kMaxEntries = 65536;

}  // namespace

std::vector<EntryView> listDirectory(const ImageSession& session, const ImageItem& folder) {
    const int32_t cluster = folder.entry.folderCluster();
    std::vector<EntryView> entries;
    DirEntry* entry = nullptr;
    int32_t slots = 0;
    for (int32_t r = FindMInDir("*", cluster, &entry, &slots);; r = FindMInDir("", cluster, &entry, &slots)) {
        if (r == kFoundCheckFailed || r == kEndCheckFailed) session.reportFailedCheck(folder.shownPath);
        if (r != kFound && r != kFoundCheckFailed) break;
        entries.push_back(captureEntry(entry, slots));
        if (entries.size() == kMaxEntries) {
            printWarning(session.path() + ": a directory listing does not end; stopped after " +
                         std::to_string(kMaxEntries) + " entries");
            break;
        }
    }
    return entries;
}

}  // namespace cli
