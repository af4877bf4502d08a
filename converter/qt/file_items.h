#pragma once
// The file tree seen through the logic's item handles: each item's data stays in a side map, so nothing is
// ever read back from what the widget displays. Handles grow and are never given twice.
#include <unordered_map>
#include <vector>

#include "converter/dialog/converter_view.h"

class QTreeWidget;
class QTreeWidgetItem;

namespace mirask {

class TreeIcons;

class FileItems {
  public:
    FileItems(QTreeWidget& widget, const TreeIcons& icons);

    // Nothing is inserted (kNoItem) under a parent the tree does not hold.
    converter::dialog::ItemHandle insert(converter::dialog::ItemHandle parent,
                                         const converter::dialog::FileItem& item);
    void clear();
    void expand(converter::dialog::ItemHandle item);
    void sortChildren(converter::dialog::ItemHandle parent);

    std::vector<converter::dialog::ItemHandle> children(converter::dialog::ItemHandle parent) const;
    // An empty item for a handle the tree does not hold.
    converter::dialog::FileItem item(converter::dialog::ItemHandle item) const;

    QTreeWidgetItem* widgetItem(converter::dialog::ItemHandle item) const;
    converter::dialog::ItemHandle handleOf(const QTreeWidgetItem* item) const;

  private:
    struct Entry {
        QTreeWidgetItem* widget;
        converter::dialog::FileItem data;
    };
    QTreeWidgetItem* container(converter::dialog::ItemHandle parent) const;

    QTreeWidget& widget_;
    const TreeIcons& icons_;
    std::unordered_map<converter::dialog::ItemHandle, Entry> entries_;
    converter::dialog::ItemHandle lastHandle_ = converter::dialog::kNoItem;
};

}  // namespace mirask
