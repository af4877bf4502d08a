#pragma once
// Everything Mirask's logic shows goes through this port: the Qt view renders it, tests script it.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "progress_port.h"
#include "ui_port/host_items.h"
#include "ui_port/item_store.h"
#include "ui_port/message_port.h"

namespace converter::dialog {

// An item of the file tree; 0 is no item (as a parent: the tree's top level).
using desktop::ItemHandle;
using desktop::kNoItem;

enum class ItemKind { DriveRoot, Folder, ImageFile };

// Set when the logic inserts an item and never derived from its text again.
struct FileData {
    ItemKind kind = ItemKind::Folder;
    std::string path;  // the host path
};

// The file tree as the logic holds it; its pictures are kFolder..kRemovableDrive below.
using FileTree = desktop::ItemStore<FileData>;

namespace icon {
using desktop::picture::kFixedDrive;
using desktop::picture::kFolder;
using desktop::picture::kFolderOpen;
using desktop::picture::kOpticalDrive;
using desktop::picture::kRemovableDrive;
inline constexpr int kImageFile = 3;
inline constexpr int kCount = 6;
}  // namespace icon

using desktop::WaitCursorScope;

// Message boxes are titled "Mirask".
class ConverterView : public ProgressPort, public desktop::MessagePort {
  public:
    // The floppy side: the drive list (-1 clears the selection) and the information list.
    virtual void setFloppyDrives(const std::vector<std::string>& entries) = 0;
    virtual void selectFloppyDrive(int index) = 0;
    virtual void clearInfo() = 0;
    virtual void appendInfo(const std::string& line) = 0;
    virtual void removeInfo(int index) = 0;
    // Shows the list as it stands now, while a long action holds the window.
    virtual void repaintInfo() = 0;
    // A note of our own on the floppy side, for a window without floppy drives; empty hides it.
    virtual void setFloppyNote(const std::string& text) = 0;

    // The file side: the drive list, the tree, the name box.
    virtual void setFileDrives(const std::vector<std::string>& entries) = 0;
    virtual void selectFileDrive(int index) = 0;
    // The logic's file tree, shown from here on and followed as it changes.
    virtual void showFileTree(desktop::TreeSource& tree) = 0;
    virtual void expandItem(ItemHandle item) = 0;
    virtual std::string nameText() const = 0;
    // Replaces the name box's text without raising the name change handler.
    virtual void setNameText(const std::string& text) = 0;

    // The two arrow buttons together (captions per state), and the format button.
    virtual void setArrows(bool on) = 0;
    virtual void setFormatEnabled(bool on) = 0;

    virtual void showAbout() = 0;
    // ProgressPort (SetRange, SetStep, SetPos, StepIt) drives the progress bar; beside it stands the cylinder
    // a long action is at ("40/80"), empty while none runs.
    virtual void setCylinderText(const std::string& text) = 0;

    // While a rescue runs its Stop button is the one live control; every other is off.
    virtual void setRescueRunning(bool running) = 0;
    // Between a rescue's requests: lets a press of Stop through to onStopRescue.
    virtual void letStopThrough() = 0;
};

}  // namespace converter::dialog
