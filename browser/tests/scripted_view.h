#pragma once
// A view for the logic tests: records what the dialog shows and answers questions from a script.
#include <deque>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "browser/browser_view.h"

namespace browser::testing {

class ScriptedView : public BrowserView {
  public:
    struct Node {
        ItemHandle parent = kNoItem;
        TreeItem item;
        std::vector<ItemHandle> children;
        bool expanded = false;
    };

    void showMessage(const std::string& text) override { messages.push_back(text); }
    bool askYesNo(const std::string& text) override { return answer("[yes/no]", text); }
    bool askOkCancel(const std::string& text) override { return answer("[ok/cancel]", text); }
    std::unique_ptr<WaitCursorScope> waitCursor() override;

    ItemHandle insertItem(Tree tree, ItemHandle parent, const TreeItem& item, InsertAt at) override;
    void deleteAllItems(Tree tree) override;
    void deleteItem(Tree tree, ItemHandle item) override;
    void setItemText(Tree tree, ItemHandle item, const std::string& text) override;
    void expandItem(Tree tree, ItemHandle item) override { node(tree, item).expanded = true; }
    void sortChildren(Tree tree, ItemHandle parent) override;
    std::vector<ItemHandle> children(Tree tree, ItemHandle parent) const override;
    ItemHandle parentOf(Tree tree, ItemHandle item) const override { return node(tree, item).parent; }
    ItemHandle selectedItem(Tree tree) const override { return selected[static_cast<int>(tree)]; }
    void selectItem(Tree tree, ItemHandle item) override { selected[static_cast<int>(tree)] = item; }
    std::string itemText(Tree tree, ItemHandle item) const override { return node(tree, item).item.text; }
    ItemData itemData(Tree tree, ItemHandle item) const override { return node(tree, item).item.data; }

    std::optional<int> addExtensionIcon(const std::string& extension) override;

    void setDriveEntries(const std::vector<std::string>& entries) override { driveEntries = entries; }
    void selectDrive(int index) override { driveSelection = index; }
    void setFilterEntries(const std::vector<std::string>& entries) override { filterEntries = entries; }
    void selectFilterEntry(int index) override;
    std::string filterEditText() const override { return filterEdit; }
    void setFilterEditText(const std::string& text) override { filterEdit = text; }

    std::optional<NewImageChoice> askNewImage(const std::string& presetName) override;
    std::optional<NewItemChoice> askNewItem(const std::string& presetLabel, bool offerLabel) override;
    void showAbout(const AboutText& about) override { abouts.push_back(about.version); }
    void showResultBox(const std::string& text, int) override { messages.push_back("[result] " + text); }
    void closeWindow() override { closed = true; }

    // The tree as indented lines "text [image]", children in their order; expanded items marked "+".
    std::string dump(Tree tree) const;
    // The item whose text is this, searched depth-first; kNoItem when there is none.
    ItemHandle find(Tree tree, const std::string& text) const;
    const Node& node(Tree tree, ItemHandle item) const { return nodes[static_cast<int>(tree)].at(item); }
    Node& node(Tree tree, ItemHandle item) { return nodes[static_cast<int>(tree)].at(item); }

    std::vector<std::string> messages;
    std::deque<bool> answers;  // for questions, in order; a question without an answer fails the test
    std::vector<std::string> driveEntries;
    int driveSelection = -1;
    std::vector<std::string> filterEntries;
    int filterSelection = -1;
    std::string filterEdit;
    std::vector<std::string> abouts;
    // Answers of the two small dialogs, in order (nothing: the user cancels), and what they were shown.
    std::deque<std::optional<NewImageChoice>> newImageAnswers;
    std::deque<std::optional<NewItemChoice>> newItemAnswers;
    std::vector<std::string> dialogPresets;
    std::set<std::string> extensionsWithoutIcon;
    std::vector<std::string> iconRequests;
    ItemHandle selected[2] = {kNoItem, kNoItem};
    int waitCursors = 0;
    bool closed = false;

  private:
    bool answer(const std::string& kind, const std::string& text);
    void dumpLevel(Tree tree, const std::vector<ItemHandle>& level, int depth, std::string& out) const;
    std::map<ItemHandle, Node> nodes[2];
    std::vector<ItemHandle> tops[2];
    ItemHandle next_ = 1;
    int nextIcon_ = icon::kFirstExtensionIcon;
};

}  // namespace browser::testing
