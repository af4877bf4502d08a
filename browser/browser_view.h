#pragma once
// Everything the browser's logic shows goes through this port: the Qt view renders it, tests script it.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "bootsectors/boot_templates.h"
#include "ui_port/host_items.h"
#include "ui_port/item_store.h"
#include "ui_port/message_port.h"

namespace browser {

enum class Tree { Host, Image };

// An item of one of the two trees; 0 is no item (as a parent: the tree's top level).
using desktop::ItemFace;
using desktop::ItemHandle;
using desktop::kNoItem;

enum class ItemKind { DriveRoot, Folder, File, ImageRoot, ImageFolder, ImageFile };

// Set when the logic inserts an item and never derived from its text again.
struct ItemData {
    ItemKind kind = ItemKind::Folder;
    std::string path;         // a host path, or a path inside the image ("\" for the image's root)
    std::string libraryPath;  // image items: the same path in the names the library resolves
    uint16_t cluster = 0;     // image folders: the folder's first cluster (1 for the root)
    uint8_t attributes = 0;   // image entries: their attribute byte
    uint32_t size = 0;        // image files: their length in bytes
    uint16_t writeDate = 0;   // image entries: when they were last written, as the entry stores it
    uint16_t writeTime = 0;
};

// The logic holds both trees; the view shows them.
using ItemTree = desktop::ItemStore<ItemData>;

// The pictures of both trees. An item with an extension shows the system's picture for it, where the system
// has one, instead.
namespace icon {
using desktop::picture::kFixedDrive;
using desktop::picture::kFolder;
using desktop::picture::kFolderOpen;
using desktop::picture::kOpticalDrive;
using desktop::picture::kRemovableDrive;
inline constexpr int kGenericFile = 3;
inline constexpr int kImage35 = 6;     // root of a 3.5-inch medium
inline constexpr int kImageOther = 7;  // root of any other medium
inline constexpr int kImageFile = 8;   // file inside an image without an icon of its own
inline constexpr int kCount = 9;
}  // namespace icon

using desktop::WaitCursorScope;

// What the new-image dialog returns when accepted.
struct NewImageChoice {
    bootsectors::TemplateId templateId = bootsectors::TemplateId::Disk1440K;  // of the chosen disk type
    std::string fileName;
    std::string label;
};

// What the new-folder dialog returns on OK.
struct NewItemChoice {
    bool volumeLabel = false;  // "VOL1 diskety" chosen instead of a subfolder
    std::string name;
};

struct AboutText {
    std::string caption;  // "Kelvorn - o programu"
    std::string version;  // "Kelvorn verze 2.3"
    std::string hint;
};

// Message boxes are titled "Kelvorn".
class BrowserView : public desktop::MessagePort {
  public:
    // Trees: the logic's own, shown from here on and followed as they change.
    virtual void showTrees(desktop::TreeSource& host, desktop::TreeSource& image) = 0;
    virtual void expandItem(Tree tree, ItemHandle item) = 0;
    virtual ItemHandle selectedItem(Tree tree) const = 0;
    // Selects the item and scrolls it into sight.
    virtual void selectItem(Tree tree, ItemHandle item) = 0;

    // The drive list (not editable); -1 clears the selection.
    virtual void setDriveEntries(const std::vector<std::string>& entries) = 0;
    virtual void selectDrive(int index) = 0;

    // The extension filter: entries in the order given, an edit field of at most 6 characters.
    virtual void setFilterEntries(const std::vector<std::string>& entries) = 0;
    virtual void selectFilterEntry(int index) = 0;  // shows the entry's text in the edit field
    virtual std::string filterEditText() const = 0;
    virtual void setFilterEditText(const std::string& text) = 0;

    // The new-image dialog with the file name preset; nothing when the user says no.
    virtual std::optional<NewImageChoice> askNewImage(const std::string& presetName) = 0;
    // The new-folder dialog; offerLabel shows the choice of the volume label (the image's root), whose field
    // then starts with presetLabel. Nothing on cancel.
    virtual std::optional<NewItemChoice> askNewItem(const std::string& presetLabel, bool offerLabel) = 0;

    virtual void showAbout(const AboutText& about) = 0;
    // The result box: shows text and closes itself after closeAfterMs unless OK closes it first.
    virtual void showResultBox(const std::string& text, int closeAfterMs) = 0;
    virtual void closeWindow() = 0;
    // The image file now open (its host path), or none (empty), for the window to name.
    virtual void showOpenImage(const std::string& path) = 0;
};

}  // namespace browser
