#pragma once
// Host names that become names inside the image.
#include <string>
#include <string_view>

#include "new_name_rules.h"

namespace cli {

// What a fault of a new name means; empty for none. The name tells which character is at fault.
std::string nameFaultText(orva::NameFault fault, std::string_view name = {});

// Why a host name cannot be stored as the name of an image entry; empty when it can.
std::string imageNameProblem(std::string_view name);

}  // namespace cli
