#include "file_items.h"

#include <memory>

#include <QTreeWidget>

#include "mirask_icons.h"

namespace mirask {

using converter::dialog::FileItem;
using converter::dialog::ItemHandle;
using converter::dialog::kNoItem;

namespace {

constexpr int kHandleRole = Qt::UserRole;

// sortChildren asks the items themselves: by text, ignoring case, with a fixed order for names that differ
// only in case.
class Item : public QTreeWidgetItem {
  public:
    static constexpr int kType = QTreeWidgetItem::UserType + 1;
    Item() : QTreeWidgetItem(kType) {}

    bool operator<(const QTreeWidgetItem& other) const override {
        const QString mine = text(0);
        const QString theirs = other.text(0);
        const int folded = mine.compare(theirs, Qt::CaseInsensitive);
        return folded != 0 ? folded < 0 : mine < theirs;
    }
};

}  // namespace

FileItems::FileItems(QTreeWidget& widget, const TreeIcons& icons) : widget_(widget), icons_(icons) {}

QTreeWidgetItem* FileItems::container(ItemHandle parent) const {
    if (parent == kNoItem) return widget_.invisibleRootItem();
    return widgetItem(parent);
}

ItemHandle FileItems::insert(ItemHandle parent, const FileItem& item) {
    QTreeWidgetItem* const into = container(parent);
    if (into == nullptr) return kNoItem;
    const ItemHandle handle = ++lastHandle_;
    auto made = std::make_unique<Item>();
    made->setText(0, QString::fromStdString(item.text));
    made->setIcon(0, icons_.forItem(item.image));
    made->setData(0, kHandleRole, QVariant::fromValue<qulonglong>(handle));
    QTreeWidgetItem* const raw = made.get();
    into->addChild(made.release());  // the widget owns its items
    entries_.emplace(handle, Entry{raw, item});
    return handle;
}

void FileItems::clear() {
    widget_.clear();
    entries_.clear();
}

void FileItems::expand(ItemHandle item) {
    if (QTreeWidgetItem* const found = widgetItem(item)) found->setExpanded(true);
}

void FileItems::sortChildren(ItemHandle parent) {
    // Sorting moves rows in place, so expanded children stay expanded.
    if (QTreeWidgetItem* const into = container(parent)) into->sortChildren(0, Qt::AscendingOrder);
}

std::vector<ItemHandle> FileItems::children(ItemHandle parent) const {
    std::vector<ItemHandle> result;
    if (const QTreeWidgetItem* const from = container(parent)) {
        result.reserve(static_cast<size_t>(from->childCount()));
        for (int i = 0; i < from->childCount(); ++i) result.push_back(handleOf(from->child(i)));
    }
    return result;
}

FileItem FileItems::item(ItemHandle item) const {
    const auto found = entries_.find(item);
    return found == entries_.end() ? FileItem{} : found->second.data;
}

QTreeWidgetItem* FileItems::widgetItem(ItemHandle item) const {
    const auto found = entries_.find(item);
    return found == entries_.end() ? nullptr : found->second.widget;
}

ItemHandle FileItems::handleOf(const QTreeWidgetItem* item) const {
    if (item == nullptr || item->type() != Item::kType) return kNoItem;
    const ItemHandle handle = item->data(0, kHandleRole).toULongLong();
    // Items the tree let go of are no longer known.
    return entries_.contains(handle) ? handle : kNoItem;
}

}  // namespace mirask
