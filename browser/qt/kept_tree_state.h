#pragma once
// What a person had in a tree (open folders, the selection, how far it was scrolled), kept by the items'
// paths across a rebuild by the logic, which makes every item anew.
#include <functional>
#include <set>
#include <string>

#include "ui_port/item_store.h"

class QTreeView;

namespace kelvorn {

class KeptTreeState {
  public:
    // An item's path: what names the same file or folder before and after a rebuild.
    using PathOf = std::function<std::string(desktop::ItemHandle)>;

    // The view must show a desktop::TreeModel.
    static KeptTreeState take(const QTreeView& view, const PathOf& pathOf);

    // Opens the folders again (parents first, so a tree listed on demand lists them), selects the item or,
    // when it is gone, the nearest folder that held it, and scrolls back. What the logic chose itself
    // during the rebuild stays: its selection wins, and stays in sight.
    void restore(QTreeView& view, const PathOf& pathOf) const;

  private:
    std::set<std::string> expanded_;
    std::string selected_;
    std::string top_;  // the item at the top of the view
    int vertical_ = 0;
    int horizontal_ = 0;
};

}  // namespace kelvorn
