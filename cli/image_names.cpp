#include "image_names.h"

#include "platform/host_names.h"

namespace cli {

std::string nameFaultText(orva::NameFault fault, std::string_view name) {
    switch (fault) {
        case orva::NameFault::None:
            return {};
        case orva::NameFault::Empty:
            return "the name is empty";
        case orva::NameFault::DotName:
            return "the name would point at a folder instead of naming an entry";
        case orva::NameFault::ControlChar:
            return "the name contains a control character, which FAT does not allow in a name";
        case orva::NameFault::ForbiddenChar: {
            const size_t at = orva::forbiddenCharAt(name);
            const std::string which =
                at < name.size() ? std::string(1, name[at]) : std::string("\\ / : * ? \" < > |");
            return "the name contains \"" + which + "\", which FAT does not allow in a name";
        }
        case orva::NameFault::TrailingDotOrBlank:
            return "the name ends with a dot or a blank, which other systems drop from a name";
        case orva::NameFault::NotText:
            return "the name is not valid UTF-8, the host's character set";
        case orva::NameFault::TooLong:
            return "the name is longer than " + std::to_string(orva::kMaxLongNameChars) +
                   " characters, the most a FAT name holds";
    }
    return "the name cannot be stored";
}

std::string imageNameProblem(std::string_view name) {
    return nameFaultText(platform::imageNameFault(name), name);
}

}  // namespace cli
