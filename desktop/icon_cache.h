#pragma once
// The one place both programs get an item's picture from: their fixed pictures by index, the system's
// picture of a file extension (asked once, and kept for a bounded number of extensions), and the pairs
// that show another picture while the item is selected.
#include <map>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include <QIcon>

#include "ui_port/item_store.h"

namespace desktop {

class IconCache {
  public:
    static constexpr size_t kExtensions = 256;

    // pictures: by the indices the program's logic names; an index outside them shows fallback.
    IconCache(std::vector<QIcon> pictures, int fallback);

    // marked: with the warning mark over it.
    QIcon iconFor(const ItemFace& face, bool marked = false) const;
    // The system's picture for files ending in the extension (".txt"); nothing when it has none.
    std::optional<QIcon> extensionIcon(const std::string& extension) const;
    QIcon picture(int index) const;

    // How many extensions were asked of the system so far (each at most once while it is kept).
    int systemLookups() const { return lookups_; }

  private:
    int known(int index) const;
    QIcon unmarkedIconFor(const ItemFace& face) const;

    std::vector<QIcon> pictures_;
    int fallback_;
    // Oldest first; a full cache gives up its oldest extension.
    mutable std::vector<std::pair<std::string, std::optional<QIcon>>> extensions_;
    // Where each kept extension stands in extensions_: every painted row asks, so no search.
    mutable std::unordered_map<std::string, size_t> slotOf_;
    mutable size_t oldest_ = 0;
    mutable std::map<std::pair<int, int>, QIcon> pairs_;  // at most pictures² entries
    mutable std::map<qint64, QIcon> marked_;              // by the unmarked icon's cacheKey
    mutable int lookups_ = 0;
};

}  // namespace desktop
