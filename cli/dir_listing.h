#pragma once
// One directory's entries, read in one enumeration (the library runs only one at a time).
#include <cstdint>
#include <vector>

#include "entry_view.h"
#include "image_path.h"
#include "image_session.h"

namespace cli {

// Every entry of the folder in stored order, dot entries and the label included. A failed slot check is
// reported as a warning; the enumeration goes on past it. A folder whose cluster chain leads back into itself
// is listed up to there, with a warning naming it.
std::vector<EntryView> listDirectory(const ImageSession& session, const ImageItem& folder);

}  // namespace cli
