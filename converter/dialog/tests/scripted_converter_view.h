#pragma once
// A view for Mirask's logic tests: records what the dialog shows and answers questions from a script.
#include <deque>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "converter/dialog/converter_view.h"

namespace converter::dialog::testing {

class ScriptedConverterView : public ConverterView {
  public:
    void showMessage(const desktop::ShownText& text) override { messages.push_back(text.str()); }
    bool askYesNo(const desktop::ShownText& text) override { return answer("[yes/no] ", text.str()); }
    bool askOkCancel(const desktop::ShownText& text) override { return answer("[ok/cancel] ", text.str()); }
    std::unique_ptr<WaitCursorScope> waitCursor() override { return std::make_unique<WaitCursorScope>(); }

    void setFloppyDrives(const std::vector<std::string>& entries) override { floppyDrives = entries; }
    void selectFloppyDrive(int index) override { floppySelection = index; }
    void clearInfo() override { info.clear(); }
    void appendInfo(const std::string& line) override {
        info.push_back(line);
        infoShown.push_back(line);
    }
    void removeInfo(int index) override;
    void repaintInfo() override { ++repaints; }
    void setFloppyNote(const std::string& text) override { floppyNote = text; }

    void setFileDrives(const std::vector<std::string>& entries) override { fileDrives = entries; }
    void selectFileDrive(int index) override { fileDriveSelection = index; }
    void showFileTree(desktop::TreeSource& tree) override { tree_ = &tree; }
    void expandItem(ItemHandle item) override { expanded.insert(item); }
    std::string nameText() const override { return name; }
    void setNameText(const std::string& text) override { name = text; }

    void setArrows(bool on) override { arrows = on; }
    void setFormatEnabled(bool on) override { formatEnabled = on; }
    void showAbout() override { ++abouts; }

    void SetRange(uint32_t lower, uint32_t upper) override { range = {lower, upper}; }
    void SetStep(uint32_t) override {}
    void SetPos(uint32_t position) override { progress = position; }
    void setCylinderText(const std::string& text) override { cylinderTexts.push_back(text); }
    void setRescueRunning(bool running) override { rescueRunning.push_back(running); }
    void letStopThrough() override {
        ++stopChances;
        if (onStopChance) onStopChance(stopChances);
    }
    void StepIt() override {
        ++progress;
        ++steps;
    }

    // The item whose text is this; kNoItem when there is none.
    ItemHandle find(const std::string& text) const;
    // The tree as indented lines of text.
    std::string dump() const;
    std::vector<ItemHandle> children(ItemHandle parent) const { return tree_->children(parent); }
    const desktop::ItemFace& face(ItemHandle item) const { return tree_->face(item); }

    std::vector<std::string> messages;
    std::deque<bool> answers;  // a question without an answer fails the test
    std::vector<std::string> floppyDrives, fileDrives, info;
    std::vector<std::string> infoShown;  // every line appended, also those removed since
    int floppySelection = -1, fileDriveSelection = -1;
    std::string name;
    std::string floppyNote;
    std::vector<std::string> cylinderTexts;  // every text set beside the progress bar, in order
    bool arrows = false, formatEnabled = false;
    int abouts = 0, repaints = 0;
    std::pair<uint32_t, uint32_t> range{0, 0};
    uint32_t progress = 0, steps = 0;

    std::set<ItemHandle> expanded;
    std::vector<bool> rescueRunning;  // every change, in order
    int stopChances = 0;
    std::function<void(int)> onStopChance;  // a person pressing Stop at the n-th chance

  private:
    bool answer(const char* kind, const std::string& text);
    void dumpLevel(ItemHandle parent, int depth, std::string& out) const;
    desktop::TreeSource* tree_ = nullptr;
};

}  // namespace converter::dialog::testing
