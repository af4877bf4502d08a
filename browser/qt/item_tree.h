#pragma once
// One QTreeWidget seen through the logic's item handles: every item keeps its handle, its exact text and
// its data, so nothing is ever read back from what the widget displays.
#include <string>
#include <unordered_map>
#include <vector>

#include <QTreeWidgetItem>

#include "browser/browser_view.h"

class QTreeWidget;

namespace kelvorn {

class ImageList;

class ItemTree {
  public:
    ItemTree(QTreeWidget& widget, const ImageList& images);

    // Nothing is inserted (kNoItem) under a parent this tree does not hold.
    browser::ItemHandle insert(browser::ItemHandle handle, browser::ItemHandle parent,
                               const browser::TreeItem& item, browser::InsertAt at);
    void clear();
    void remove(browser::ItemHandle item);
    void setText(browser::ItemHandle item, const std::string& text);
    void expand(browser::ItemHandle item);
    void sortChildren(browser::ItemHandle parent);

    std::vector<browser::ItemHandle> children(browser::ItemHandle parent) const;
    browser::ItemHandle parentOf(browser::ItemHandle item) const;
    browser::ItemHandle selected() const;
    void select(browser::ItemHandle item);
    std::string text(browser::ItemHandle item) const;
    browser::ItemData data(browser::ItemHandle item) const;

    QTreeWidgetItem* widgetItem(browser::ItemHandle item) const;
    browser::ItemHandle handleOf(const QTreeWidgetItem* item) const;

  private:
    class Item;
    Item* find(browser::ItemHandle item) const;
    // The parent's container: the tree's invisible root for kNoItem.
    QTreeWidgetItem* container(browser::ItemHandle parent) const;
    void forget(QTreeWidgetItem* subtree);

    QTreeWidget& widget_;
    const ImageList& images_;
    std::unordered_map<browser::ItemHandle, Item*> items_;
};

}  // namespace kelvorn
