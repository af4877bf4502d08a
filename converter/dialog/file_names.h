#pragma once
// How Mirask turns what was typed into the name box into an image path, and its list of extensions.
#include <string>
#include <string_view>
#include <vector>

namespace converter::dialog {

// What a typed name is. Both "\" and "/" separate names.
enum class NameClass {
    Empty,
    FromDriveRoot,  // "\DIR\NAME"
    OnDrive,        // "A:NAME"
    FullPath,       // "C:\DIR\NAME", or on this host "/dir/name"
    NameOnly,       // "NAME"
    Relative,       // "DIR\NAME"
};
NameClass ClassifyName(std::string_view name);

// Appends the first extension when the path's last name has no ".".
std::string AppendDefaultExtension(const std::string& path, const std::vector<std::string>& extensions);

// Keeps the tokens (each followed by one blank) that begin with "."; a first token holding "*" or "?" gets
// ".gvx " after the list.
std::string FilterExtensionList(std::string_view text);

// The tokens of a filtered list, in order.
std::vector<std::string> splitExtensions(std::string_view text);

// The image path for a typed name. driveRoot is the file drive's folder, currentPath the folder (ending in
// "/") or file picked last. Nothing for an empty name or one that ends in a separator (it names no file).
std::string resolveName(const std::string& name, const std::string& driveRoot, const std::string& currentPath,
                        const std::vector<std::string>& extensions);

}  // namespace converter::dialog
