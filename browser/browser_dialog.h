#pragma once
// Kelvorn's window logic: the state of the one dialog and a handler per control notification. It reaches
// the user only through BrowserView and images only through the bound library.
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "browser/browser_view.h"
#include "browser/command_line.h"
#include "browser/library_entries.h"
#include "platform/file_stamp.h"
#include "platform/host_drives.h"
#include "platform/os_kind.h"
#include "ui_port/tree_order.h"

namespace browser {

// What a failed library call means to the person: its result code and the message that says so.
struct LibraryFailure {
    int32_t code = 0;
    desktop::ShownText text;  // empty when the code has no message (167 was shown for it already)

    bool toShow() const { return !text.empty(); }
};

// An entry's times, as a host file copied out of it takes them.
struct EntryStamps {
    uint16_t writeDate = 0;
    uint16_t writeTime = 0;
    uint16_t accessDate = 0;
};
inline EntryStamps stampsOf(const DirEntry& e) {
    return {e.writeDate, e.writeTime, e.accessDate};
}

struct HostServices {
    std::function<std::vector<platform::HostDrive>()> listDrives = platform::listHostDrives;
    std::function<bool(const std::string&)> driveAccessible = platform::folderAccessible;
};

class BrowserDialog {
  public:
    BrowserDialog(BrowserView& view, const LibraryEntries& library, const StartOptions& options,
                  HostServices host = {});

    // Fills the filter and the drive list and shows the first drive.
    void initialise();

    // Control notifications.
    void onDriveSelected(int index);
    void onFilterSelected(int index);
    void onFilterEdited();
    void onHostItemExpanding(ItemHandle item);
    void onHostItemDoubleClicked(ItemHandle item);
    void onCopyToHost();
    void onCopyToImage();
    void onDelete();
    void onNew();
    void onAbout();
    // Reads both trees again: the host folders, and the open image from its file.
    void onReread();

    // Host files and folders dropped from another program onto an image item (a file stands for its
    // folder; kNoItem for the space below the items, the root): each goes in as "--->" takes it, with its
    // questions and messages; one result box and one fresh listing at the end.
    void onDropToImage(ItemHandle target, const std::vector<std::string>& hostPaths);
    // An image item dragged out to another program: copied into hostFolder as "<---" copies it, messages
    // included, but without the question (the drag is the person's choice). The host path made, or nothing
    // when the copy did not finish cleanly (there is then nothing whole to hand over).
    std::optional<std::string> copyOutForDrag(ItemHandle item, const std::string& hostFolder);
    // The window's close button: closes the open image first.
    void onClose();

    // An image named on the command line: shown in its folder when it lies on a listed drive, then opened.
    void openImageAtStart(const std::string& path);

    // A library result through the message table: nothing for success; a failure whose text the caller
    // shows (or extends); for a code without a message, 167 is shown here and the failure has no text.
    std::optional<LibraryFailure> libraryFailure(int32_t code, int function, const char* name = nullptr);
    // After a failed entry check: "\nChyba %d: %08lx:\n" and the bad entry as hex digits; empty when the
    // library cannot tell.
    desktop::ShownText checkDetails();
    // What to show after a folder's listing met a failed check (FindMInDir 2 or 3): a chain that leads back
    // into the folder names the folder, with the details; any other failure keeps the failure's text, with
    // the folder and the details when asked.
    desktop::ShownText failedCheckText(const LibraryFailure& failure, const std::string& folder,
                                       bool withDetails, bool namingFolder = false);

    // State others may look at (tests, the view's title).
    bool imageIsOpen() const { return imageIsOpen_; }
    const std::string& openImageFile() const { return openImageFile_; }
    const std::string& defaultExtension() const { return defaultExtension_; }
    const std::string& volumeLabel() const { return volumeLabel_; }
    const std::vector<std::string>& filterEntries() const { return filterEntries_; }
    const std::vector<platform::HostDrive>& drives() const { return drives_; }
    platform::OsKind osKind() const { return osKind_; }

    // The two trees as the logic holds them.
    const ItemTree& tree(Tree which) const { return which == Tree::Host ? hostTree_ : imageTree_; }

    // Host paths and kinds come from item data, never from display texts.
    std::string hostPathOfItem(ItemHandle item) const;
    bool isHostFileItem(ItemHandle item) const;
    std::string imagePathOfItem(ItemHandle item) const;

  private:
    // Host tree.
    void rebuildHostTree();
    void fillHostLevel(const std::string& folder, ItemHandle parent);
    void expandHostItem(ItemHandle item);
    bool passesFilter(const std::string& fileName) const;
    ItemHandle findHostItem(const std::string& path);

    // Extension filter.
    void fillExtensionFilter();
    void addFilterEntry(const std::string& text);
    void pickDefaultExtension();

    // Runs an action on the image. When another program has changed the open image since it was read, the
    // tree is read again instead, and the person told: what they chose may be gone. What the action writes
    // itself is known afterwards.
    void onImage(const std::function<void()>& action);

    // Transfers, delete, new image, folder and label.
    void transferToHost();
    void transferToImage();
    void dropToImage(ItemHandle target, const std::vector<std::string>& hostPaths);
    // What one host item's copy into the image came to.
    enum class IntoImage {
        Declined,      // the person said no: nothing happened
        Refused,       // stopped before the image changed, or a single file failed; said why
        Copied,        // all of it went in
        CopiedInPart,  // the image changed, but a tree copy stopped or left items out; said why
    };
    IntoImage copyIntoImage(const ItemData& target, const ItemData& source);
    // One image item into a host folder, the question aside: the host path made and the copy's result, or
    // nothing when it stopped before anything was made (said why).
    struct OutToHost {
        std::string path;
        int32_t result = 0;
    };
    std::optional<OutToHost> copyItemToHost(ItemHandle imageItem, const std::string& hostFolder);
    void deleteImageItem();
    int32_t copyHostFileToImage(const std::string& hostPath, const std::string& imageFolder);
    int32_t copyHostTreeToImage(const std::string& imageFolder, const std::string& hostFolder,
                                const std::string& skip);
    int32_t copyImageFileToHost(ItemHandle imageItem, const std::string& hostFolder);
    // A folder of the image by the path the library finds it under and the path a person knows it by.
    struct ImageFolder {
        std::string libraryPath;
        std::string shownPath;
    };
    int32_t copyImageTreeToHost(uint16_t cluster, const ImageFolder& folder, const std::string& hostFolder,
                                std::set<uint16_t>& listed);
    // Whether a file copied out is as long as its entry says; a message names it when its chain ended first.
    bool keptWhole(const std::string& hostFile, uint32_t size, const std::string& shownPath);
    bool copyDiskIntoRoot(const std::string& hostFolder, const std::string& bootFile);
    bool writeBootFile(const std::string& path);
    // The entry's times on a host file or folder copied out of it, as cp -p and mcopy -m keep them.
    void setHostTimes(const std::string& hostPath, const EntryStamps& stamps);
    void newImage();
    void newFolderOrLabel();
    void showResultBox();
    // A failure inside a tree copy, with the path it concerns unless its text names it already.
    void showNaming(const LibraryFailure& failure, const std::string& path);
    // The library's working folder for a tree copy: 0, or the reported failure (already shown).
    int enterImageFolder(const std::string& folder);
    bool hostNameUsable(const std::string& name);
    // Whether a host name can name an entry of the image; a message naming the host path says why not.
    bool imageNameUsable(const std::string& name, const std::string& hostPath);
    platform::DriveType driveTypeOf(const std::string& path) const;

    // Image.
    void openImage(const std::string& path);
    void closeImage(bool forgetFile);
    void refreshImage();
    void showMessageIfReported(int32_t code, int function, const char* name = nullptr);
    struct PendingFolder;
    std::vector<PendingFolder> listImageFolder(const PendingFolder& folder, ItemHandle root,
                                               const std::string& freeSuffix);

    BrowserView& view_;
    ItemTree hostTree_{desktop::faceTextLess};
    ItemTree imageTree_{desktop::faceTextLess};
    LibraryEntries lib_;
    HostServices host_;

    platform::OsKind osKind_ = platform::OsKind::Nt;
    std::string extensionList_;
    int entryCheckFlags_ = 0;
    int32_t checkCode_ = 0;
    std::array<uint8_t, 32> checkEntry_{};
    uint32_t checkOffset_ = 0;

    std::vector<platform::HostDrive> drives_;
    int selectedDrive_ = -1;
    int shownDrive_ = -1;
    std::vector<std::string> filterEntries_;
    int filterSelection_ = -1;  // the entry the user chose last
    int selectedFilter_ = -1;   // the entry selected now
    bool filterHasAll_ = false;
    std::string defaultExtension_;
    std::set<ItemHandle> hostExpandedOnce_;

    bool imageIsOpen_ = false;
    std::string openImageFile_;
    std::optional<platform::FileStamp> imageStamp_;  // the open image as it was last read or written by us
    std::string volumeLabel_;
    std::string shownLabel_;  // the label text the root shows
    std::string mapProblemShown_;  // what an unreadable rescue map got said, not said again at each rebuild
    std::array<uint8_t, 62> bootCopy_{};
    DiskGeometry geometry_{};
};

}  // namespace browser
