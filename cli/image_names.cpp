#include "image_names.h"

#include "dir_entry_layout.h"
#include "platform/text_codec.h"

namespace cli {
namespace {

// Characters no FAT name may hold; "\" would also split the name in a library path.
constexpr std::string_view kForbidden = "\\/:*?\"<>|";

}  // namespace

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
    const auto wide = platform::utf8ToUtf16(name);
    if (!wide) return "the name is not valid UTF-8";
    if (wide->size() > orva::kMaxLongNameChars) {
        return "the name is longer than " + std::to_string(orva::kMaxLongNameChars) + " characters";
    }
    return {};
}

}  // namespace cli
