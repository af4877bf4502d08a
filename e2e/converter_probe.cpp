// Runs inside the test machine: drives Mirask's window logic without a window over the machine's real floppy
// drives and prints everything a person would see, one "RESULT conv ACTION DRIVE ..." line each, for the host
// to check. Questions are answered from --answers (y = Yes/OK, n = No/Cancel); once they run out, No/Cancel.
//
//   converter_probe read   a: /dir/IMAGE               the floppy into a new image file
//   converter_probe write  /dir/IMAGE a: [--answers yn] the image onto the floppy
//   converter_probe format a: [--answers y]
// The file side gets one drive: the image's folder (for format, /tmp). ORVA_PROBE_USB="PATH..." adds disks as
// USB floppies lettered u:, v:, ... as floppy_probe does.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "converter/dialog/converter_dialog.h"
#include "drive_setup.h"
#include "linux/floppy_discovery.h"
#include "linux/linux_floppy.h"
#include "linux/sys_call_seam.h"

namespace {

using namespace converter;
using namespace converter::dialog;

class PrintingView final : public ConverterView {
  public:
    PrintingView(std::string prefix, std::string answers)
        : prefix_(std::move(prefix)), answers_(std::move(answers)) {}

    void say(const std::string& kind, const std::string& text) const {
        std::printf("RESULT conv %s %s %s\n", prefix_.c_str(), kind.c_str(), text.c_str());
        std::fflush(stdout);
    }

    void showMessage(const desktop::ShownText& text) override { say("message", text.str()); }
    bool askYesNo(const desktop::ShownText& text) override { return ask("yesno", text.str(), "yes", "no"); }
    bool askOkCancel(const desktop::ShownText& text) override {
        return ask("okcancel", text.str(), "ok", "cancel");
    }
    std::unique_ptr<WaitCursorScope> waitCursor() override { return std::make_unique<WaitCursorScope>(); }

    void setFloppyDrives(const std::vector<std::string>& entries) override { floppyDrives = entries; }
    void selectFloppyDrive(int index) override { floppySelection = index; }
    void clearInfo() override { info_.clear(); }
    void appendInfo(const std::string& line) override { info_.push_back(line); }
    void removeInfo(int index) override {
        if (index >= 0 && static_cast<size_t>(index) < info_.size()) info_.erase(info_.begin() + index);
    }
    void repaintInfo() override {}
    void setFloppyNote(const std::string& text) override {
        if (!text.empty()) say("note", text);
    }

    void setFileDrives(const std::vector<std::string>&) override {}
    void selectFileDrive(int) override {}
    void showFileTree(desktop::TreeSource& tree) override { tree_ = &tree; }
    void expandItem(ItemHandle) override {}
    std::string nameText() const override { return name_; }
    void setNameText(const std::string& text) override { name_ = text; }

    void setArrows(bool on) override { arrows = on; }
    void setFormatEnabled(bool on) override { formatEnabled = on; }
    void showAbout() override {}
    void setCylinderText(const std::string&) override {}
    void setRescueRunning(bool) override {}
    void letStopThrough() override {}

    // Each range is one run of the bar (formatting, then writing); its steps are counted on their own.
    void SetRange(uint32_t, uint32_t upper) override { runs_.push_back({0, upper}); }
    void SetStep(uint32_t) override {}
    void SetPos(uint32_t) override {}
    void StepIt() override {
        if (runs_.empty()) runs_.push_back({0, 0});
        ++runs_.back().first;
    }

    void printInfo(const char* kind) const {
        for (const std::string& line : info_) say(kind, line);
    }
    // The tree as "parent > child" paths of display texts.
    void printTree() const { printLevel(kNoItem, ""); }
    std::string progress() const {
        std::string text;
        for (const auto& [steps, upper] : runs_)
            text += (text.empty() ? "" : ",") + std::to_string(steps) + "/" + std::to_string(upper);
        return text.empty() ? "none" : text;
    }
    size_t answersLeft() const { return answers_.size() - used_; }

    std::vector<std::string> floppyDrives;
    int floppySelection = -1;
    bool arrows = false;
    bool formatEnabled = false;

  private:
    bool ask(const char* kind, const std::string& text, const char* yes, const char* no) {
        const bool answer = used_ < answers_.size() && answers_[used_] == 'y';
        if (used_ < answers_.size()) ++used_;
        say(kind, text + " -> " + (answer ? yes : no));
        return answer;
    }
    void printLevel(ItemHandle parent, const std::string& above) const {
        if (tree_ == nullptr) return;
        for (const ItemHandle handle : tree_->children(parent)) {
            const std::string& text = tree_->face(handle).text;
            const std::string path = above.empty() ? text : above + " > " + text;
            say("tree", path);
            printLevel(handle, path);
        }
    }

    std::string prefix_;
    std::string answers_;
    size_t used_ = 0;
    std::vector<std::string> info_;
    const desktop::TreeSource* tree_ = nullptr;
    std::string name_;
    std::vector<std::pair<uint32_t, uint32_t>> runs_;
};

// realDrives(), with the USB disks of ORVA_PROBE_USB added after the discovered drives.
DriveSetup probeDrives() {
    const char* usb = std::getenv("ORVA_PROBE_USB");
    if (usb == nullptr) return realDrives();
    namespace lf = converter::linux_floppy;
    auto devices = lf::findFloppyDrives();
    std::istringstream paths(usb);
    char letter = 'u';
    for (std::string path; paths >> path; ++letter)
        devices.push_back({std::string(1, letter) + ":", path, lf::DriveBackEnd::UsbFloppy});
    DriveSetup setup;
    auto sys = std::make_shared<lf::RealSysCalls>();
    auto access = std::make_shared<lf::LinuxFloppy>(*sys, devices);
    for (const auto& device : devices) setup.entries.push_back({device.letter, access.get()});
    setup.owned = {sys, access};
    return setup;
}

// Handles the actions left open; anything above 0 after an action is a leak.
size_t openHandles(const DriveSetup& setup) {
    size_t open = 0;
    for (const FloppyDriveEntry& entry : setup.entries) {
        if (const auto* floppy = dynamic_cast<const converter::linux_floppy::LinuxFloppy*>(entry.access)) {
            open = std::max(open, floppy->openCount());
        }
    }
    return open;
}

int usage() {
    std::fputs(
        "usage: converter_probe read D /dir/IMAGE | write /dir/IMAGE D | format D  [--answers yn...]\n",
        stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string answers;
    if (args.size() >= 2 && args[args.size() - 2] == "--answers") {
        answers = args.back();
        args.resize(args.size() - 2);
    }
    std::string action, drive, image;
    if (args.size() == 3 && args[0] == "read") {
        action = "read", drive = args[1], image = args[2];
    } else if (args.size() == 3 && args[0] == "write") {
        action = "write", drive = args[2], image = args[1];
    } else if (args.size() == 2 && args[0] == "format") {
        action = "format", drive = args[1], image = "/tmp/";
    } else {
        return usage();
    }
    const size_t slash = image.find_last_of('/');
    if (slash == std::string::npos) return usage();
    const std::string folder = slash == 0 ? "/" : image.substr(0, slash);
    const std::string name = image.substr(slash + 1);

    PrintingView view(action + " " + drive, answers);
    DriveSetup setup = probeDrives();
    if (!setup.error.empty()) {
        view.say("setup", setup.error);
        return 1;
    }
    std::string letters;
    for (const FloppyDriveEntry& entry : setup.entries) letters += " " + entry.letter;
    view.say("drives", letters.empty() ? "none" : letters.substr(1));

    ConverterServices services;
    services.floppies = setup.entries;
    services.listDrives = [folder] {
        return std::vector<platform::HostDrive>{{folder, platform::DriveType::Fixed}};
    };
    services.driveAccessible = [](const std::string&) { return true; };
    ConverterDialog dialog(view, services, parseConverterText(".img", setup.osKind));
    dialog.initialise();

    const auto chosen = std::find(view.floppyDrives.begin(), view.floppyDrives.end(), drive);
    if (chosen == view.floppyDrives.end()) {
        view.say("missing", drive);
        return 1;
    }
    const int index = static_cast<int>(chosen - view.floppyDrives.begin());
    if (view.floppySelection != index) dialog.onFloppyDriveSelected(index);
    view.printInfo("info");
    view.printTree();
    if (!name.empty()) {
        view.setNameText(name);
        dialog.onNameEdited();
    }

    // A person can only press what is enabled.
    const bool enabled = action == "format" ? view.formatEnabled : view.arrows;
    if (!enabled) {
        view.say("disabled", action);
    } else if (action == "read") {
        dialog.onReadFloppy();
    } else if (action == "write") {
        dialog.onWriteImage();
    } else {
        dialog.onFormat();
    }
    view.printInfo("after");
    view.say("done", "open=" + std::to_string(openHandles(setup)) + " progress=" + view.progress() +
                         " unanswered=" + std::to_string(view.answersLeft()));
    return 0;
}
