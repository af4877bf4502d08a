#include "desktop/icon_cache.h"

#include <QMimeDatabase>

#include "desktop/shared_icons.h"

namespace desktop {

IconCache::IconCache(std::vector<QIcon> pictures, int fallback)
    : pictures_(std::move(pictures)), fallback_(fallback) {}

int IconCache::known(int index) const {
    return index < 0 || static_cast<size_t>(index) >= pictures_.size() ? fallback_ : index;
}

QIcon IconCache::picture(int index) const {
    return pictures_.at(static_cast<size_t>(known(index)));
}

std::optional<QIcon> IconCache::extensionIcon(const std::string& extension) const {
    if (const auto kept = slotOf_.find(extension); kept != slotOf_.end())
        return extensions_[kept->second].second;
    ++lookups_;
    // Any base name will do: the database matches by the name's ending, the file need not exist.
    std::optional<QIcon> found;
    const QList<QMimeType> types =
        QMimeDatabase().mimeTypesForFileName(QStringLiteral("x") + QString::fromStdString(extension));
    if (!types.isEmpty()) {
        const QMimeType& type = types.first();
        const QIcon themed = QIcon::fromTheme(type.iconName(), QIcon::fromTheme(type.genericIconName()));
        if (!themed.isNull()) found = themed;
    }
    if (extensions_.size() < kExtensions) {
        slotOf_[extension] = extensions_.size();
        extensions_.emplace_back(extension, found);
    } else {
        slotOf_.erase(extensions_[oldest_].first);
        slotOf_[extension] = oldest_;
        extensions_[oldest_] = {extension, found};
        oldest_ = (oldest_ + 1) % kExtensions;
    }
    return found;
}

QIcon IconCache::iconFor(const ItemFace& face, bool marked) const {
    const QIcon plain = unmarkedIconFor(face);
    if (!marked) return plain;
    // Extension pictures asked again after they left the cache come with new keys: start afresh now and then.
    if (marked_.size() > 2 * kExtensions) marked_.clear();
    const auto [at, added] = marked_.try_emplace(plain.cacheKey());
    if (added) at->second = withWarningMark(plain);
    return at->second;
}

QIcon IconCache::unmarkedIconFor(const ItemFace& face) const {
    if (!face.extension.empty()) {
        if (const auto system = extensionIcon(face.extension)) return *system;
    }
    const auto key = std::make_pair(known(face.icon), known(face.selectedIcon));
    if (key.first == key.second) return picture(key.first);
    if (const auto cached = pairs_.find(key); cached != pairs_.end()) return cached->second;
    const QIcon both = withSelectedPicture(picture(key.first), picture(key.second));
    pairs_.emplace(key, both);
    return both;
}

}  // namespace desktop
