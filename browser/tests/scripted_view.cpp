#include "scripted_view.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "browser/tree_order.h"

namespace browser::testing {
namespace {

class CountedWait : public WaitCursorScope {
  public:
    explicit CountedWait(int& count) : count_(count) { ++count_; }
    ~CountedWait() override { --count_; }

  private:
    int& count_;
};

}  // namespace

bool ScriptedView::answer(const std::string& kind, const std::string& text) {
    messages.push_back(kind + " " + text);
    if (answers.empty()) {
        ADD_FAILURE() << "unscripted question: " << text;
        return false;
    }
    const bool given = answers.front();
    answers.pop_front();
    return given;
}

std::optional<NewImageChoice> ScriptedView::askNewImage(const std::string& presetName) {
    dialogPresets.push_back("new image: " + presetName);
    if (newImageAnswers.empty()) {
        ADD_FAILURE() << "unscripted new-image dialog";
        return std::nullopt;
    }
    auto given = newImageAnswers.front();
    newImageAnswers.pop_front();
    return given;
}

std::optional<NewItemChoice> ScriptedView::askNewItem(const std::string& presetLabel, bool offerLabel) {
    dialogPresets.push_back(std::string(offerLabel ? "new item with label: " : "new folder: ") + presetLabel);
    if (newItemAnswers.empty()) {
        ADD_FAILURE() << "unscripted new-folder dialog";
        return std::nullopt;
    }
    auto given = newItemAnswers.front();
    newItemAnswers.pop_front();
    return given;
}

std::unique_ptr<WaitCursorScope> ScriptedView::waitCursor() {
    return std::make_unique<CountedWait>(waitCursors);
}

ItemHandle ScriptedView::insertItem(Tree tree, ItemHandle parent, const TreeItem& item, InsertAt at) {
    const ItemHandle handle = next_++;
    auto& level = parent == kNoItem ? tops[static_cast<int>(tree)] : node(tree, parent).children;
    nodes[static_cast<int>(tree)][handle] = Node{parent, item, {}, false};
    auto place = level.end();
    if (at == InsertAt::Sorted) {
        place = std::upper_bound(level.begin(), level.end(), item.text,
                                 [&](const std::string& text, ItemHandle h) {
                                     return treeTextLess(text, node(tree, h).item.text);
                                 });
    }
    level.insert(place, handle);
    return handle;
}

void ScriptedView::deleteAllItems(Tree tree) {
    nodes[static_cast<int>(tree)].clear();
    tops[static_cast<int>(tree)].clear();
    selected[static_cast<int>(tree)] = kNoItem;
}

void ScriptedView::deleteItem(Tree tree, ItemHandle item) {
    const Node gone = node(tree, item);
    for (ItemHandle child : std::vector<ItemHandle>(gone.children)) deleteItem(tree, child);
    auto& level = gone.parent == kNoItem ? tops[static_cast<int>(tree)] : node(tree, gone.parent).children;
    level.erase(std::find(level.begin(), level.end(), item));
    nodes[static_cast<int>(tree)].erase(item);
    if (selected[static_cast<int>(tree)] == item) selected[static_cast<int>(tree)] = kNoItem;
}

void ScriptedView::setItemText(Tree tree, ItemHandle item, const std::string& text) {
    node(tree, item).item.text = text;
}

void ScriptedView::sortChildren(Tree tree, ItemHandle parent) {
    auto& level = parent == kNoItem ? tops[static_cast<int>(tree)] : node(tree, parent).children;
    std::stable_sort(level.begin(), level.end(), [&](ItemHandle a, ItemHandle b) {
        return treeTextLess(node(tree, a).item.text, node(tree, b).item.text);
    });
}

std::vector<ItemHandle> ScriptedView::children(Tree tree, ItemHandle parent) const {
    return parent == kNoItem ? tops[static_cast<int>(tree)] : node(tree, parent).children;
}

std::optional<int> ScriptedView::addExtensionIcon(const std::string& extension) {
    iconRequests.push_back(extension);
    if (extensionsWithoutIcon.count(extension)) return std::nullopt;
    return nextIcon_++;
}

void ScriptedView::selectFilterEntry(int index) {
    filterSelection = index;
    filterEdit = index >= 0 && static_cast<size_t>(index) < filterEntries.size()
                     ? filterEntries[static_cast<size_t>(index)]
                     : std::string();
}

std::string ScriptedView::dump(Tree tree) const {
    std::string out;
    dumpLevel(tree, tops[static_cast<int>(tree)], 0, out);
    return out;
}

void ScriptedView::dumpLevel(Tree tree, const std::vector<ItemHandle>& level, int depth,
                             std::string& out) const {
    for (ItemHandle h : level) {
        const Node& n = node(tree, h);
        out += std::string(static_cast<size_t>(depth) * 2, ' ') + (n.expanded ? "+" : "") + n.item.text +
               " [" + std::to_string(n.item.image) + "]\n";
        dumpLevel(tree, n.children, depth + 1, out);
    }
}

ItemHandle ScriptedView::find(Tree tree, const std::string& text) const {
    for (const auto& [handle, n] : nodes[static_cast<int>(tree)]) {
        if (n.item.text == text) return handle;
    }
    return kNoItem;
}

}  // namespace browser::testing
