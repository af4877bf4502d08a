#include "platform/host_names.h"

#include "platform/text_codec.h"

namespace platform {

orva::NameFault imageNameFault(std::string_view name) {
    const auto wide = utf8ToUtf16(name);
    return orva::newNameFault(name, wide ? std::optional<size_t>(wide->size()) : std::nullopt);
}

std::string hostNameProblem(std::string_view name) {
    if (name.empty()) return "the name is empty";
    if (name == "." || name == "..") return "the name would point at a folder instead of naming a file";
    if (name.find('/') != std::string_view::npos) return "the name contains \"/\"";
    if (name.find('\0') != std::string_view::npos) return "the name contains a NUL character";
    return {};
}

}  // namespace platform
