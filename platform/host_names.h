#pragma once
// Names that cross between host and image: image names that become host file names, host names that
// become image names.
#include <string>
#include <string_view>

#include "new_name_rules.h"

namespace platform {

// Why a host name cannot name a new entry of an image; NameFault::None when it can.
orva::NameFault imageNameFault(std::string_view name);

// Why a name cannot name a file inside the target folder; empty when it can. Whatever passes stays one
// level below the folder it is put in.
std::string hostNameProblem(std::string_view name);

}  // namespace platform
