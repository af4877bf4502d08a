#pragma once
// Walking a folder of the image and, if asked, everything below it.
#include <vector>

#include "entry_view.h"
#include "image_path.h"
#include "image_session.h"

namespace cli {

class TreeVisitor {
  public:
    virtual ~TreeVisitor() = default;
    // A folder's entries in stored order, the volume label left out.
    virtual void visitFolder(const ImageItem& folder, const std::vector<EntryView>& entries) = 0;
    // Whether the walk goes below a subfolder; asked in stored order after visitFolder.
    virtual bool enterFolder(const ImageItem& folder, const ImageItem& subfolder) = 0;
};

// Lists a folder's whole contents before going below any of its subfolders (as ls -R does). A folder's own
// dot entries are never followed, and a folder whose cluster was already walked is reported and left out, so
// a directory that contains itself cannot trap the walk.
// A walk that only counts passes reportLoops false: the walk that does the work reports them.
// Returns the number of folders left out that way.
int walkTree(const ImageSession& session, const ImageItem& start, bool recursive, TreeVisitor& visitor,
             bool reportLoops = true);

}  // namespace cli
