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

NameClass ClassifyName(std::string_view name) {
    if (name.empty()) return NameClass::Empty;
    if (name.size() > 1 && name[1] == ':')
        return name.size() > 2 && isSeparator(name[2]) ? NameClass::FullPath : NameClass::OnDrive;
    if (name[0] == '/') return NameClass::FullPath;  // an absolute path of this host
    if (name[0] == '\\') return NameClass::FromDriveRoot;
    return std::any_of(name.begin(), name.end(), isSeparator) ? NameClass::Relative : NameClass::NameOnly;
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
    // A name that ends in a separator names a folder: with the extension added it would become a hidden file
    // ".gvx" in there.
    if (!name.empty() && isSeparator(name.back())) return {};
    std::string path;
    switch (ClassifyName(name)) {
        case NameClass::Empty:
            return {};
        case NameClass::FromDriveRoot:
            path = (driveRoot.ends_with('/') ? driveRoot.substr(0, driveRoot.size() - 1) : driveRoot) +
                   withSlashes(name);
            break;
        case NameClass::OnDrive:
        case NameClass::FullPath:
            path = withSlashes(name);
            break;
        case NameClass::NameOnly:
        case NameClass::Relative:
            // A folder picked last takes the name; a file picked last is the path already.
            path = currentPath.ends_with('/') ? currentPath + withSlashes(name) : currentPath;
            break;
    }
    return AppendDefaultExtension(path, extensions);
}

}  // namespace converter::dialog
