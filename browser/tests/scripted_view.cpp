#include "scripted_view.h"

#include <gtest/gtest.h>

#include <algorithm>

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

void ScriptedView::showTrees(desktop::TreeSource& host, desktop::TreeSource& image) {
    sources_[static_cast<int>(Tree::Host)] = &host;
    sources_[static_cast<int>(Tree::Image)] = &image;
}

ItemHandle ScriptedView::selectedItem(Tree tree) const {
    const ItemHandle item = selected[static_cast<int>(tree)];
    return source(tree).contains(item) ? item : kNoItem;
}

void ScriptedView::selectFilterEntry(int index) {
    filterSelection = index;
    filterEdit = index >= 0 && static_cast<size_t>(index) < filterEntries.size()
                     ? filterEntries[static_cast<size_t>(index)]
                     : std::string();
}

std::string ScriptedView::dump(Tree tree) const {
    std::string out;
    dumpLevel(tree, kNoItem, 0, out);
    return out;
}

void ScriptedView::dumpLevel(Tree tree, ItemHandle parent, int depth, std::string& out) const {
    for (ItemHandle h : children(tree, parent)) {
        const ItemFace& f = face(tree, h);
        out += std::string(static_cast<size_t>(depth) * 2, ' ') + (isExpanded(tree, h) ? "+" : "") + f.text +
               " [" + std::to_string(f.icon) + (f.extension.empty() ? "" : " " + f.extension) + "]\n";
        dumpLevel(tree, h, depth + 1, out);
    }
}

ItemHandle ScriptedView::find(Tree tree, const std::string& text) const {
    ItemHandle found = kNoItem;
    std::vector<ItemHandle> pending = children(tree, kNoItem);
    while (!pending.empty()) {
        const ItemHandle h = pending.back();
        pending.pop_back();
        if (face(tree, h).text == text && (found == kNoItem || h < found)) found = h;
        for (ItemHandle child : children(tree, h)) pending.push_back(child);
    }
    return found;
}

}  // namespace browser::testing
