#include "converter/dialog/file_names.h"

#include <algorithm>

namespace converter::dialog {
namespace {

bool isSeparator(char c) {
    return c == '\\' || c == '/';
}

std::string withSlashes(std::string_view name) {
    std::string out(name);
    std::replace(out.begin(), out.end(), '\\', '/');
    return out;
}

}  // namespace

int ClassifyName(std::string_view name) {
    if (name.empty()) return 0;
    if (name.size() > 1 && name[1] == ':') return name.size() > 2 && isSeparator(name[2]) ? 3 : 2;
    if (name[0] == '/') return 3;  // an absolute path of this host
    if (name[0] == '\\') return 1;
    return std::any_of(name.begin(), name.end(), isSeparator) ? 5 : 4;
}

std::string AppendDefaultExtension(const std::string& path, const std::vector<std::string>& extensions) {
    const size_t separator = path.find_last_of("\\/");
    const size_t dot = path.rfind('.');
    const long separatorAt = separator == std::string::npos ? -1 : static_cast<long>(separator);
    const long dotAt = dot == std::string::npos ? -1 : static_cast<long>(dot);
    if (separatorAt >= dotAt && !extensions.empty()) return path + extensions.front();
    return path;
}

std::string FilterExtensionList(std::string_view text) {
    std::string kept;
    for (const std::string& token : splitExtensions(text)) {
        if (token.starts_with('.')) kept += token + " ";
    }
    const std::string first = kept.substr(0, kept.find(' '));
    if (first.find_first_of("*?") != std::string::npos) kept += ".gvx ";
    return kept;
}

std::vector<std::string> splitExtensions(std::string_view text) {
    std::vector<std::string> tokens;
    size_t at = 0;
    while (at < text.size()) {
        const size_t blank = text.find(' ', at);
        const size_t end = blank == std::string_view::npos ? text.size() : blank;
        if (end > at) tokens.emplace_back(text.substr(at, end - at));
        at = end + 1;
    }
    return tokens;
}

std::string resolveName(const std::string& name, const std::string& driveRoot, const std::string& currentPath,
                        const std::vector<std::string>& extensions) {
    std::string path;
    switch (ClassifyName(name)) {
        case 0:
            return {};
        case 1:
            path = (driveRoot.ends_with('/') ? driveRoot.substr(0, driveRoot.size() - 1) : driveRoot) +
                   withSlashes(name);
            break;
        case 2:
        case 3:
            path = withSlashes(name);
            break;
        default:
            // A folder picked last takes the name; a file picked last is the path already.
            path = currentPath.ends_with('/') ? currentPath + withSlashes(name) : currentPath;
            break;
    }
    return AppendDefaultExtension(path, extensions);
}

}  // namespace converter::dialog
