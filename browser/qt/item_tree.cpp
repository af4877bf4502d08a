#include "item_tree.h"

#include <memory>

#include <QTreeWidget>

#include "browser/tree_order.h"
#include "image_list.h"

namespace kelvorn {

using browser::ItemHandle;
using browser::kNoItem;

class ItemTree::Item : public QTreeWidgetItem {
  public:
    static constexpr int kType = QTreeWidgetItem::UserType + 1;

    Item(ItemHandle handle, const browser::TreeItem& item)
        : QTreeWidgetItem(kType), handle(handle), text(item.text), data(item.data) {}

    // sortChildren asks the items themselves, so the tree's one order rule applies there too.
    bool operator<(const QTreeWidgetItem& other) const override {
        if (other.type() != kType) return QTreeWidgetItem::operator<(other);
        return browser::treeTextLess(text, static_cast<const Item&>(other).text);
    }

    const ItemHandle handle;
    std::string text;  // as the logic gave it: label bytes need not be valid UTF-8
    const browser::ItemData data;
};

ItemTree::ItemTree(QTreeWidget& widget, const ImageList& images) : widget_(widget), images_(images) {}

ItemTree::Item* ItemTree::find(ItemHandle item) const {
    const auto found = items_.find(item);
    return found == items_.end() ? nullptr : found->second;
}

QTreeWidgetItem* ItemTree::container(ItemHandle parent) const {
    if (parent == kNoItem) return widget_.invisibleRootItem();
    return find(parent);
}

ItemHandle ItemTree::insert(ItemHandle handle, ItemHandle parent, const browser::TreeItem& item,
                            browser::InsertAt at) {
    QTreeWidgetItem* const into = container(parent);
    if (into == nullptr) return kNoItem;
    auto made = std::make_unique<Item>(handle, item);
    made->setText(0, QString::fromStdString(item.text));
    made->setIcon(0, images_.itemIcon(item.image, item.selectedImage));
    int position = into->childCount();
    if (at == browser::InsertAt::Sorted) {
        // After every sibling that does not sort behind it, as the list control inserts equal texts.
        position = 0;
        while (position < into->childCount() && !(*made < *into->child(position))) ++position;
    }
    Item* const raw = made.get();
    into->insertChild(position, made.release());  // the widget owns its items
    items_.emplace(handle, raw);
    return handle;
}

void ItemTree::clear() {
    widget_.clear();
    items_.clear();
}

void ItemTree::forget(QTreeWidgetItem* subtree) {
    for (int i = 0; i < subtree->childCount(); ++i) forget(subtree->child(i));
    if (subtree->type() == Item::kType) items_.erase(static_cast<Item*>(subtree)->handle);
}

void ItemTree::remove(ItemHandle item) {
    Item* const found = find(item);
    if (found == nullptr) return;
    forget(found);
    QTreeWidgetItem* const parent = found->parent() ? found->parent() : widget_.invisibleRootItem();
    std::unique_ptr<QTreeWidgetItem> taken(parent->takeChild(parent->indexOfChild(found)));
}

void ItemTree::setText(ItemHandle item, const std::string& text) {
    if (Item* const found = find(item)) {
        found->text = text;
        found->setText(0, QString::fromStdString(text));
    }
}

void ItemTree::expand(ItemHandle item) {
    if (Item* const found = find(item)) found->setExpanded(true);
}

void ItemTree::sortChildren(ItemHandle parent) {
    // Sorting moves rows in place, so expanded children stay expanded.
    if (QTreeWidgetItem* const into = container(parent)) into->sortChildren(0, Qt::AscendingOrder);
}

std::vector<ItemHandle> ItemTree::children(ItemHandle parent) const {
    std::vector<ItemHandle> result;
    if (const QTreeWidgetItem* const from = container(parent)) {
        result.reserve(static_cast<size_t>(from->childCount()));
        for (int i = 0; i < from->childCount(); ++i) result.push_back(handleOf(from->child(i)));
    }
    return result;
}

ItemHandle ItemTree::parentOf(ItemHandle item) const {
    const Item* const found = find(item);
    return found ? handleOf(found->parent()) : kNoItem;
}

ItemHandle ItemTree::selected() const {
    const QList<QTreeWidgetItem*> selection = widget_.selectedItems();
    return selection.isEmpty() ? kNoItem : handleOf(selection.first());
}

void ItemTree::select(ItemHandle item) {
    Item* const found = find(item);
    if (found == nullptr) return;
    widget_.setCurrentItem(found);
    widget_.scrollToItem(found);
}

std::string ItemTree::text(ItemHandle item) const {
    const Item* const found = find(item);
    return found ? found->text : std::string();
}

browser::ItemData ItemTree::data(ItemHandle item) const {
    const Item* const found = find(item);
    return found ? found->data : browser::ItemData{};
}

QTreeWidgetItem* ItemTree::widgetItem(ItemHandle item) const {
    return find(item);
}

ItemHandle ItemTree::handleOf(const QTreeWidgetItem* item) const {
    if (item == nullptr || item->type() != Item::kType) return kNoItem;
    return static_cast<const Item*>(item)->handle;
}

}  // namespace kelvorn
