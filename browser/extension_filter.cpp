// The extension filter above the host tree: which files the tree lists and which extension new images get.
#include <algorithm>

#include "browser/browser_dialog.h"
#include "ui_port/tree_order.h"
#include "platform/text_codec.h"
#include "platform/containers/container_format.h"

namespace browser {
namespace {

constexpr const char* kAllEntry = " {...}";
constexpr const char* kAnyExtension = ".*";
constexpr const char* kFallbackExtension = ".gvx";

bool isAllEntry(const std::string& entry) {
    return !entry.empty() && entry[0] == ' ';
}

bool endsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

void BrowserDialog::fillExtensionFilter() {
    filterEntries_.clear();
    filterEntries_.push_back(kAllEntry);
    for (size_t at = 0; at + 3 <= extensionList_.size(); at += 3) {
        std::string group = extensionList_.substr(at, 3);
        group.erase(group.find_last_not_of(' ') + 1);
        addFilterEntry("." + group);
    }
    view_.setFilterEntries(filterEntries_);
    selectedFilter_ = 0;
    view_.selectFilterEntry(0);
    pickDefaultExtension();
}

void BrowserDialog::addFilterEntry(const std::string& text) {
    // The list keeps itself sorted; an entry that is there already is not added twice (it would list its
    // files twice under the all-entry).
    if (std::find(filterEntries_.begin(), filterEntries_.end(), text) != filterEntries_.end()) return;
    const auto at = std::upper_bound(
        filterEntries_.begin(), filterEntries_.end(), text,
        [](const std::string& a, const std::string& b) { return desktop::treeTextLess(a, b); });
    filterEntries_.insert(at, text);
}

void BrowserDialog::pickDefaultExtension() {
    defaultExtension_ = "    ";
    for (const std::string& entry : filterEntries_) {
        if (entry == kAnyExtension || isAllEntry(entry)) {
            filterHasAll_ = entry == kAnyExtension;
            continue;
        }
        // A new image is always raw: a container's extension would name a format it is not.
        if (platform::containers::isContainerExtension(entry)) continue;
        // Kept whole, also when the user added five or six characters.
        defaultExtension_ = entry;
        break;
    }
    if (defaultExtension_.empty() || defaultExtension_[0] != '.') defaultExtension_ = kFallbackExtension;
}

bool BrowserDialog::passesFilter(const std::string& fileName) const {
    const std::string name = platform::lowerCaseUtf8(fileName);
    const auto matches = [&](const std::string& entry) {
        return entry == kAnyExtension || endsWith(name, platform::lowerCaseUtf8(entry));
    };
    if (selectedFilter_ >= 0 && static_cast<size_t>(selectedFilter_) < filterEntries_.size() &&
        !isAllEntry(filterEntries_[static_cast<size_t>(selectedFilter_)])) {
        return matches(filterEntries_[static_cast<size_t>(selectedFilter_)]);
    }
    for (size_t i = 1; i < filterEntries_.size(); ++i) {
        const std::string& entry = filterEntries_[i];
        if (entry == kAnyExtension && filterHasAll_) continue;
        if (matches(entry)) return true;  // listed once, whichever entries match
    }
    return false;
}

void BrowserDialog::onFilterSelected(int index) {
    filterSelection_ = index;
    selectedFilter_ = index;
    rebuildHostTree();
}

void BrowserDialog::onFilterEdited() {
    std::string text = view_.filterEditText();
    if (text == "*") text = kAnyExtension;
    if (text.size() >= 2 && text[0] != '.') text = "." + text;

    const auto selectEntry = [&](int index) {
        selectedFilter_ = index;
        view_.selectFilterEntry(index);
    };
    if (!text.empty() && text.back() == '+') {
        if (text[0] == '.') {
            const std::string entry = text.substr(0, text.size() - 1);
            addFilterEntry(entry);
            view_.setFilterEntries(filterEntries_);
            // The new entry counts as chosen, so clearing the field removes it again.
            filterSelection_ = static_cast<int>(
                std::find(filterEntries_.begin(), filterEntries_.end(), entry) - filterEntries_.begin());
            selectEntry(filterSelection_);
            rebuildHostTree();
        } else {
            view_.setFilterEditText("");
            if (filterSelection_ != -1) selectEntry(filterSelection_);
        }
    } else if (text.empty() && filterSelection_ > 0 &&
               static_cast<size_t>(filterSelection_) < filterEntries_.size() &&
               !isAllEntry(filterEntries_[static_cast<size_t>(filterSelection_)])) {
        filterEntries_.erase(filterEntries_.begin() + filterSelection_);
        view_.setFilterEntries(filterEntries_);
        filterSelection_ = 0;
        selectEntry(0);
        rebuildHostTree();
    }
    pickDefaultExtension();
}

}  // namespace browser
