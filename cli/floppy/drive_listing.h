#pragma once
// orva drives: each floppy drive with its device, its type and the medium in it, as the converter's
// information list shows them when the drive is chosen.
#include <string>
#include <vector>

namespace cli {

int runDrivesListing(const std::vector<std::string>& emulate);

}  // namespace cli
