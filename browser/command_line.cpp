#include "browser/command_line.h"

namespace browser {

StartOptions parseArgumentText(std::string_view text) {
    StartOptions options;
    if (const size_t o = text.find("/o"); o != std::string_view::npos && o + 2 < text.size()) {
        options.entryCheckFlags = static_cast<unsigned char>(text[o + 2]) & 0x0F;
    }
    if (const size_t e = text.find("/e"); e != std::string_view::npos) {
        std::string_view rest = text.substr(e + 2);
        std::string list(rest.substr(0, rest.find('/')));
        list.append((3 - list.size() % 3) % 3, ' ');
        while (list.size() >= 3 && list.compare(list.size() - 3, 3, "   ") == 0) list.resize(list.size() - 3);
        options.extensionList = list;
    }
    return options;
}

StartOptions parseArguments(const std::vector<std::string>& arguments,
                            const std::function<bool(const std::string&)>& isExistingFile) {
    // Linux paths hold "/o" and "/e" ("/opt/disk.img"): a file named on the line is never read as options.
    std::string image;
    std::string joined;
    for (const std::string& argument : arguments) {
        if (image.empty() && isExistingFile(argument)) {
            image = argument;
            continue;
        }
        if (!joined.empty()) joined += ' ';
        joined += argument;
    }
    StartOptions options = parseArgumentText(joined);
    options.imageToOpen = image;
    return options;
}

}  // namespace browser
