#pragma once
// One open image: its file, boot sector, allocation table, working directory and the enumeration in progress.
// The library's exports are thin functions over one process-wide instance; tests use instances of their own.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "dir_slot.h"
#include "entry_group.h"
#include "fat_table.h"
#include "image_layout.h"
#include "name_patterns.h"
#include "new_name_rules.h"
#include "orva.h"
#include "platform/containers/open_image.h"
#include "platform/host_file.h"

namespace orva {

enum class MatchMode : uint16_t { MatchExact = 0, MatchLive = 1, MatchAll = 2 };

inline constexpr size_t kLongPatternChars = 256;

// Where a directory read stands: the cluster being read (1 = root), the offset of the next slot, the slots
// left in this cluster or in the root, and the clusters read so far (a chain that leads back ends there).
struct DirCursor {
    uint32_t cluster = 0;
    uint32_t filePos = 0;
    uint32_t remaining = 0;
    ClusterSet visited;
};

struct SearchState {
    DirCursor cursor;  // cluster 0 with remaining 0: no enumeration
    MatchMode matchMode = MatchMode::MatchExact;
    ShortPattern shortPattern{};
    std::u16string longPattern;
    bool active() const { return cursor.cluster != 0 || cursor.remaining != 0; }
};

// Where a new entry group goes: its slots' offsets in order (none when there is no room), and the clusters
// its folder grew by to hold them.
struct SlotRun {
    std::vector<uint64_t> offsets;
    uint32_t clustersAdded = 0;
};

struct GroupRead {
    uint32_t slotCount = 0;
    bool readError = false;
    bool endOfDirectory = false;
    uint8_t checkCode = 0;
    EntryPos firstSlot{};  // where the group begins on disk, also when it runs into the next cluster
};

// The work area entries are handed out from; a DirEntry array, so pointers into it are real DirEntry objects.
struct WorkArea {
    std::array<uint8_t, 512> bootSector{};
    Slot oneSlot{};  // GetFWDirEntry's buffer
    DiskGeometry geometry{};
    // An entry group: the short entry lowest, long-name part 1 above it, the last part on top.
    std::array<DirEntry, kGroupSlots> group{};
};

class ImageState {
public:
    using Opener = std::function<std::unique_ptr<platform::RandomAccessFile>(const std::string&, platform::Access,
                                                                             int&)>;
    explicit ImageState(Opener opener = platform::containers::openImage);
    ~ImageState();
    ImageState(const ImageState&) = delete;
    ImageState& operator=(const ImageState&) = delete;

    // The exports.
    int32_t OpenFDImg(std::string_view path, int32_t fatCopy);
    int32_t CloseFDImg();
    int32_t GetFDType(DiskGeometry* geometry, uint8_t* bootBytes, int32_t count) const;
    int32_t GetLastErr(int32_t* checkCode, uint8_t* badEntry, uint32_t* fileOffset) const;
    int32_t BlockTestFol(int32_t flags);
    int32_t FreeSpace(uint32_t* freeBytes) const;
    int32_t FindInDir(std::string_view name, int32_t dirCluster, DirEntry** entry, EntryPos* pos);
    int32_t FindMInDir(std::string_view pattern, int32_t dirCluster, DirEntry** entry, int32_t* slotCount);
    int32_t GetFDirEntry(std::string_view path, DirEntry** entry, int32_t* slotCount, EntryPos* pos);
    int32_t GetFWDirEntry(int32_t index, uint8_t* slot);
    int32_t SetFWrkDir(std::string_view path);
    int32_t CopyF(std::string_view imagePath, std::string_view hostPath);
    int32_t CopyT(std::string_view hostPath, std::string_view imagePath);
    int32_t KillF(std::string_view imagePath, uint8_t force);
    int32_t MkDir(std::string_view imagePath);
    int32_t SetAttrib(std::string_view imagePath, uint8_t attributes);
    int32_t WriteBoot(const uint8_t* sector);
    int32_t WriteVol(std::string_view label);

    // Clusters and the allocation table.
    int64_t ClusterOffset(int64_t cluster) const;
    int32_t FatGet(int64_t cluster) const { return fat_.FatGet(cluster); }
    void FatSet(int64_t cluster, uint32_t value, bool flush);
    int32_t FatFindFree(int64_t start) const { return fat_.FatFindFree(start); }
    // The new cluster's number, linked after prev and marked as the chain's end, or 0 on a full image.
    uint32_t AllocCluster(uint32_t prev, int64_t& offset);
    bool flushFat();

    // Directories.
    // n free consecutive slots, appending clusters to a folder whose chain ends before they are found.
    // An appended cluster is zeroed on disk before anything links it; the link stays in memory until the
    // caller flushes the table.
    SlotRun FindFreeSlots(int32_t dirCluster, int32_t count);
    // The alias of a long name that no entry of the directory has yet; nothing when every candidate is taken.
    std::optional<ShortName> MakeShortAlias(std::string_view name, uint32_t dirCluster);
    GroupRead ReadEntryGroup(DirCursor& cursor, EntryPos* pos);
    DirEntry* SearchDir(uint32_t dir, const ShortPattern* shortPat, const std::u16string* longPat,
                        bool enumerate, EntryPos* pos);

    bool isOpen() const { return work_ && imageOpen_; }
    bool readOnly() const { return readOnly_; }
    const ImageLayout& layout() const { return layout_; }
    const FatTable& fat() const { return fat_; }
    uint32_t freeClusters() const { return freeClusters_; }
    uint32_t workDirCluster() const { return workDirCluster_; }
    uint32_t lastSlotCount() const { return lastSlotCount_; }
    uint8_t lastCheckCode() const { return lastCheckCode_; }

    bool readImage(uint64_t offset, std::span<uint8_t> out);
    bool writeImage(uint64_t offset, std::span<const uint8_t> data);
    // An ordering point: what was written so far is made durable before anything that depends on it.
    bool barrier();

  private:
    // The directory a cluster argument names: 0 is the working directory.
    uint32_t directoryArgument(int32_t dirCluster) const {
        return dirCluster == kWorkingDirCluster ? workDirCluster_ : static_cast<uint32_t>(dirCluster);
    }
    DirCursor cursorAt(uint32_t dir) const;
    // Moves the cursor to the start of its folder's next cluster; any other link leaves it where it was.
    ChainLink nextCluster(DirCursor& cur) const;
    // A folder's chain that leads back to a cluster already read, reported as a failed check there.
    void reportLoop(uint32_t cluster, GroupRead& r);
    DirEntry* groupBottom(uint32_t slotCount) { return &work_->group[kGroupSlots - slotCount]; }
    DirEntry* lookup(uint32_t dir, std::string_view name, EntryPos* pos);
    bool longNameMatches(uint32_t slotCount, const std::u16string& pattern);
    void releaseImage();

    // How a new entry is named: the 8.3 form, and the long name when it needs one. Nothing when the name
    // cannot name an entry (fault says why) or when every alias of it is taken (fault None).
    std::optional<NewEntry> nameNewEntry(std::string_view name, uint32_t dirCluster, NameFault& fault);
    // The result of CopyT or MkDir for a name nameNewEntry refused: the codes both share for a name's faults,
    // badName for the others, noRoom when every alias was taken.
    static int32_t refusedNameResult(NameFault fault, int32_t badName, int32_t noRoom);
    // The directory a new entry goes into: the working directory for a bare name, else the folder the path
    // names up to its last "\"; nothing when that is missing or no folder.
    std::optional<uint32_t> targetDirectory(std::string_view imagePath);
    // The offsets of an entry group's slots on disk, from its first slot to its 8.3 entry.
    std::optional<std::vector<uint64_t>> groupSlotOffsets(const EntryPos& pos, bool& readFailed);
    bool directoryIsEmpty(uint32_t cluster);
    bool copyLabelToBootSector(std::string_view label);
    int32_t copyHostData(platform::RandomAccessFile& host, NewEntry& entry);
    // Writes a new entry group into its slots, after an ordering point.
    bool writeGroup(const SlotRun& slots, const NewEntry& entry);
    // The table if it changed; the writes left after the export's last ordering point wait for the next one
    // (or for the close, which syncs).
    bool finishWrite();
    // Before a change: the image as it is on disk now, should another program have written into it since it
    // was read. False when that program changed the disk's parameters, which nothing may be written over.
    bool ensureCurrent();
    uint64_t tableOffset() const;

    // The last block read: directories are read a slot at a time. Our own writes keep it current; another
    // program's (the lock does not keep them all out) are looked for before each change, which drops it.
    struct ReadCache {
        static constexpr size_t kBlockBytes = 4096;
        uint64_t start = UINT64_MAX;
        std::vector<uint8_t> bytes;  // fewer than a block at the end of the file
    };

    Opener opener_;
    ReadCache cache_;
    std::unique_ptr<WorkArea> work_;
    bool imageOpen_ = false;
    std::unique_ptr<platform::RandomAccessFile> imageFile_;
    bool readOnly_ = false;
    uint64_t fileBytes_ = 0;            // the image file's size when opened; writes never make it grow
    bool unsynced_ = false;             // written since the last ordering point
    bool fatDirty_ = false;             // the table changed in memory since it was last written
    bool zeroedFolderCluster_ = false;  // a folder grew by a cluster the table does not link on disk yet
    bool fatFromSecondCopy_ = false;
    uint8_t checkFlags_ = 0;
    ImageLayout layout_{};
    FatTable fat_;
    uint32_t workDirCluster_ = kRootCluster;
    uint32_t freeClusters_ = 0;
    SearchState search_;
    uint8_t lastCheckCode_ = 0;
    Slot lastBadEntry_{};
    uint32_t lastBadEntryOffset_ = 0;
    uint32_t lastSlotCount_ = 0;
    // Where the group of the entry the last search found begins: the slots a delete or an attribute change
    // must reach. (The position handed to callers is the one of the cluster the group ends in.)
    EntryPos lastGroupStart_{};
};

}  // namespace orva
