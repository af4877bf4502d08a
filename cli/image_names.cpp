#include "image_names.h"

#include "platform/host_names.h"

namespace cli {
namespace {

// Characters no FAT name may hold; "\" would also split the name in a library path.
constexpr std::string_view kForbidden = "\\/:*?\"<>|";

}  // namespace

std::string nameFaultText(orva::NameFault fault) {
    switch (fault) {
        case orva::NameFault::None:
            return {};
        case orva::NameFault::Empty:
            return "the name is empty";
        case orva::NameFault::NotText:
            return "the name is not valid UTF-8, the host's character set";
        case orva::NameFault::TooLong:
            return "the name is longer than " + std::to_string(orva::kMaxLongNameChars) +
                   " characters, the most a FAT name holds";
    }
    return "the name cannot be stored";
}

std::string imageNameProblem(std::string_view name) {
    if (name.empty()) return "the name is empty";
    if (name == "." || name == "..") return "the name would point at a folder instead of naming an entry";
    for (char c : name) {
        const auto b = static_cast<uint8_t>(c);
        if (b < 0x20 || b == 0x7F) return "the name contains a control character";
        if (kForbidden.find(c) != std::string_view::npos) {
            return std::string("the name contains \"") + c + "\", which an image name cannot hold";
        }
    }
    // Such a name would be stored without its trailing dots or blanks by others and no longer match itself.
    if (name.back() == '.' || name.back() == ' ') return "the name ends with a dot or a blank";
    return nameFaultText(platform::imageNameFault(name));
}

}  // namespace cli
