#include "image_path.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "dir_listing.h"
#include "messages.h"
#include "orva.h"
#include "platform/text_codec.h"

namespace cli {
namespace {

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    const auto fold = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return fold(x) == fold(y); });
}

// Long names differ by case in any script no more than in ASCII: Příliš and PŘÍLIŠ are one name.
bool sameLongName(std::string_view a, std::string_view b) {
    if (platform::isAscii(a) && platform::isAscii(b)) return equalsIgnoringAsciiCase(a, b);
    return platform::lowerCaseUtf8(a) == platform::lowerCaseUtf8(b);
}

std::vector<std::string> splitComponents(std::string_view typed) {
    std::vector<std::string> parts;
    size_t at = 0;
    while (at <= typed.size()) {
        const size_t sep = std::min(typed.find_first_of("/\\", at), typed.size());
        if (sep > at) parts.emplace_back(typed.substr(at, sep - at));
        at = sep + 1;
    }
    return parts;
}

}  // namespace

std::string joinPath(const std::string& parent, const std::string& name) {
    return parent == "\\" ? "\\" + name : parent + "\\" + name;
}

// The library's lookup is exact about case for long names and about bytes for short names; a user is not.
std::optional<EntryView> findChild(const ImageSession& session, const ImageItem& parent,
                                   const std::string& name) {
    DirEntry* entry = nullptr;
    int32_t slots = 0;
    const std::string probe = joinPath(parent.libraryPath, name);
    if (GetFDirEntry(probe.c_str(), &entry, &slots, nullptr) == result::GetFDirEntry::kFound) {
        EntryView found = captureEntry(entry, slots);
        if (!found.isLabel()) return found;
    }
    const std::string& codePage = session.options().codePage;
    for (EntryView& e : listDirectory(session, parent)) {
        if (e.isLabel() || e.isDotEntry()) continue;
        if ((!e.longName.empty() && sameLongName(name, e.longName)) ||
            equalsIgnoringAsciiCase(name, shownShortName(e, codePage)) ||
            equalsIgnoringAsciiCase(name, orva::storedShortName(e.shortName))) {
            return std::move(e);
        }
    }
    return std::nullopt;
}

ImageItem rootItem() {
    return ImageItem{rootEntry(), "\\", "\\"};
}

ImageItem childItem(const ImageItem& parent, const EntryView& child, const std::string& codePage) {
    const std::string name = libraryName(child);
    return ImageItem{child,
                     name.empty() || parent.libraryPath.empty() ? "" : joinPath(parent.libraryPath, name),
                     joinPath(parent.shownPath, shownName(child, codePage))};
}

Resolution resolveImagePath(const ImageSession& session, std::string_view typed, bool folder) {
    // Each step keeps the items above it, so ".." needs no lookup (the library cannot find dot entries).
    std::vector<ImageItem> trail{rootItem()};
    for (const std::string& name : splitComponents(typed)) {
        if (name == ".") continue;
        if (name == "..") {
            if (trail.size() > 1) trail.pop_back();
            continue;
        }
        const ImageItem& parent = trail.back();
        if (!parent.entry.isDirectory()) return {ResolveError::NotAFolder, {}, parent.shownPath};
        const auto child = findChild(session, parent, name);
        if (!child) return {ResolveError::NotFound, {}, joinPath(parent.shownPath, name)};
        trail.push_back(childItem(parent, *child, session.options().codePage));
        if (trail.back().libraryPath.empty()) return {ResolveError::Unreachable, {}, trail.back().shownPath};
    }
    // "name\" asks for a folder, as it does in a shell.
    const bool folderWanted = folder || (!typed.empty() && (typed.back() == '/' || typed.back() == '\\'));
    if (folderWanted && !trail.back().entry.isDirectory()) {
        return {ResolveError::NotAFolder, {}, trail.back().shownPath};
    }
    return {ResolveError::None, trail.back(), {}};
}

std::string resolveErrorText(ResolveError error) {
    switch (error) {
        case ResolveError::None:
            return "found";
        case ResolveError::NotFound:
            return "no such file or folder in the image";
        case ResolveError::NotAFolder:
            return "is a file, not a folder";
        case ResolveError::Unreachable:
            return "its stored name cannot be passed to the image library";
    }
    return "unexpected result";
}

std::optional<ImageItem> resolveOrReport(const ImageSession& session, std::string_view typed, bool folder) {
    Resolution found = resolveImagePath(session, typed, folder);
    if (found.error == ResolveError::None) return std::move(found.item);
    printError(session.path() + ": " + found.failedAt + ": " + resolveErrorText(found.error));
    return std::nullopt;
}

}  // namespace cli
