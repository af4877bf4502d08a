#pragma once
// Names from the image that become host file names.
#include <string>
#include <string_view>

namespace platform {

// Why a name cannot name a file inside the target folder; empty when it can. Whatever passes stays one
// level below the folder it is put in.
std::string hostNameProblem(std::string_view name);

}  // namespace platform
