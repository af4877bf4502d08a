#pragma once
// One directory's entries, read in one enumeration (the library runs only one at a time).
#include <cstdint>
#include <vector>

#include "entry_view.h"
#include "image_session.h"

namespace cli {

// Every entry of the directory in stored order, dot entries and the label included. A failed slot check is
// reported as a warning; the enumeration goes on past it.
std::vector<EntryView> listDirectory(const ImageSession& session, int32_t cluster);

}  // namespace cli
