#pragma once
// Paths inside the image as a user types them ("/" or "\", any case) resolved to stored entries.
#include <optional>
#include <string>
#include <string_view>

#include "entry_view.h"
#include "image_session.h"

namespace cli {

struct ImageItem {
    EntryView entry;
    std::string libraryPath =
        "\\";                      // built from stored names, for the library; empty when no name reaches it
    std::string shownPath = "\\";  // built from shown names, for people
    bool isRoot() const { return libraryPath == "\\" && shownPath == "\\"; }
};

ImageItem rootItem();
// "\\" + name for the root, parent + "\\" + name below it.
std::string joinPath(const std::string& parent, const std::string& name);
// The entry of that name in a folder: the library's exact lookup first, then the long name in any case or
// either form of the short name in any case. Labels and dot entries never match.
std::optional<EntryView> findChild(const ImageSession& session, const ImageItem& parent,
                                   const std::string& name);
ImageItem childItem(const ImageItem& parent, const EntryView& child, const std::string& codePage);

enum class ResolveError { None, NotFound, NotAFolder, Unreachable };

struct Resolution {
    ResolveError error = ResolveError::None;
    ImageItem item;        // valid when error is None
    std::string failedAt;  // the shown path where resolving stopped
};

// folder: only a folder will do (as "name\" asks too).
Resolution resolveImagePath(const ImageSession& session, std::string_view typed, bool folder = false);
std::string resolveErrorText(ResolveError error);
// Resolves and, when that fails, tells the user which part of the path in which image failed; nothing then.
std::optional<ImageItem> resolveOrReport(const ImageSession& session, std::string_view typed, bool folder = false);

}  // namespace cli
