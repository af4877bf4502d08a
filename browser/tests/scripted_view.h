#pragma once
// A view for the logic tests: records what the dialog shows and answers questions from a script.
#include <deque>
#include <set>
#include <string>
#include <vector>

#include "browser/browser_view.h"

namespace browser::testing {

class ScriptedView : public BrowserView {
  public:
    void showMessage(const desktop::ShownText& text) override { messages.push_back(text.str()); }
    bool askYesNo(const desktop::ShownText& text) override { return answer("[yes/no]", text.str()); }
    bool askOkCancel(const desktop::ShownText& text) override { return answer("[ok/cancel]", text.str()); }
    std::unique_ptr<WaitCursorScope> waitCursor() override;

    void showTrees(desktop::TreeSource& host, desktop::TreeSource& image) override;
    void expandItem(Tree tree, ItemHandle item) override { expanded[static_cast<int>(tree)].insert(item); }
    // A selected item the logic has since taken out of its tree is no longer selected, as in a real view.
    ItemHandle selectedItem(Tree tree) const override;
    void selectItem(Tree tree, ItemHandle item) override { selected[static_cast<int>(tree)] = item; }

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
    void showOpenImage(const std::string& path) override { openImage = path; }

    // The tree as indented lines "text [icon]" (" .ext" after the icon for an item with an extension),
    // children in their order; expanded items marked "+".
    std::string dump(Tree tree) const;
    // The first item inserted whose text is this; kNoItem when there is none.
    ItemHandle find(Tree tree, const std::string& text) const;
    std::vector<ItemHandle> children(Tree tree, ItemHandle parent) const {
        return source(tree).children(parent);
    }
    ItemHandle parentOf(Tree tree, ItemHandle item) const { return source(tree).parentOf(item); }
    const ItemFace& face(Tree tree, ItemHandle item) const { return source(tree).face(item); }
    const std::string& text(Tree tree, ItemHandle item) const { return face(tree, item).text; }
    bool isExpanded(Tree tree, ItemHandle item) const {
        return expanded[static_cast<int>(tree)].count(item) != 0;
    }

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
    ItemHandle selected[2] = {kNoItem, kNoItem};
    int waitCursors = 0;
    bool closed = false;
    std::string openImage;  // what the window would name

  private:
    bool answer(const std::string& kind, const std::string& text);
    const desktop::TreeSource& source(Tree tree) const { return *sources_[static_cast<int>(tree)]; }
    void dumpLevel(Tree tree, ItemHandle parent, int depth, std::string& out) const;
    desktop::TreeSource* sources_[2] = {nullptr, nullptr};
    std::set<ItemHandle> expanded[2];
};

}  // namespace browser::testing
