#pragma once
// The numbers the library's C interface speaks in: directory clusters of its arguments, the slot checks
// BlockTestFol switches on and GetLastErr reports, and each export's result codes.
#include <cstdint>

namespace orva {

// Directory cluster arguments, and EntryPos::cluster. A ".." entry keeps 0 for the root as well.
inline constexpr uint16_t kWorkingDirCluster = 0;
inline constexpr uint16_t kRootCluster = 1;
inline constexpr uint16_t kFirstDataCluster = 2;

// OpenFDImg's fatCopy: the copy of the allocation table that is loaded.
inline constexpr int32_t kFirstTableCopy = 1;
inline constexpr int32_t kSecondTableCopy = 2;

// BlockTestFol's flags.
namespace check_flags {
inline constexpr int32_t kEverySlot = 2;
inline constexpr int32_t kStrictLongNames = 1;  // with kEverySlot: type byte and cluster field of long names
}  // namespace check_flags

// What a failed slot check reports through GetLastErr. A folder whose cluster chain leads back into itself is
// reported the same way, whatever checks are switched on: its slot is the first one of the cluster the chain
// returns to, where the folder's listing ends.
namespace check {
enum Code : uint8_t {
    kPassed = 0,
    kClusterOutOfLimits = 1,
    kSizeBeyondImage = 2,
    kBadShortNameByte = 3,
    kPartAttributes = 4,
    kPartSequence = 5,
    kPartType = 6,
    kPartCluster = 7,
    kBadLongNameChar = 8,
    kBadLabelByte = 9,
    kChainLoop = 10,
};
}  // namespace check

// Each export's result codes, in a namespace named after the export. 0 is success everywhere; the codes
// shared by several exports are defined once here and taken into each export's list.
namespace result {

inline constexpr int32_t kDone = 0;
// The writing exports refuse an image opened read-only.
inline constexpr int32_t kReadOnlyImage = 8;
// GetFDType, GetLastErr and BlockTestFol: no work area or no image open.
inline constexpr int32_t kNoImage = 9;
// Every other export but CloseFDImg: no image open.
inline constexpr int32_t kNothingOpen = 10;
// CopyT and MkDir: the new name is longer than a long name can be, or no text in the host's character set.
inline constexpr int32_t kNameTooLong = 11;
inline constexpr int32_t kNameNotText = 12;
// The writing exports: another program changed the disk's parameters in the boot sector while the image was
// open, so nothing the library knows of its layout holds; nothing was written, the image wants opening again.
inline constexpr int32_t kChangedOutside = 14;

namespace OpenFDImg {
// 1 to 5 leave the image open, 6 and above do not (8 may: more free clusters than the table holds).
enum : int32_t {
    kOpened = kDone,
    kReadOnly = 1,
    kLonger = 2,
    kLongerReadOnly = 3,
    kShorter = 4,
    kShortBootRead = 5,
    kUnreadable = 6,
    kUnknownMedia = 7,
    kBadParameters = 8,
    kNoWorkArea = 9,
    kCannotOpen = 10,
};
}  // namespace OpenFDImg

namespace CloseFDImg {
enum : int32_t { kClosed = kDone, kCloseFailed = 1 };
}

namespace GetFDType {
enum : int32_t { kRead = kDone, kNoImage = result::kNoImage };
}

namespace GetLastErr {
enum : int32_t { kRead = kDone, kNoImage = result::kNoImage };
}

namespace BlockTestFol {
enum : int32_t { kSet = kDone, kNoImage = result::kNoImage };
}

namespace FreeSpace {
enum : int32_t { kCounted = kDone, kNothingOpen = result::kNothingOpen };
}

namespace FindInDir {
enum : int32_t {
    kFound = kDone,
    kNotFound = 1,
    kNotFoundCheckFailed = 3,
    kNothingOpen = result::kNothingOpen
};
}

namespace FindMInDir {
// A failed check is reported with the entry it did not stop (2) or at the end (3).
enum : int32_t {
    kFound = kDone,
    kEnd = 1,
    kFoundCheckFailed = 2,
    kEndCheckFailed = 3,
    kNothingOpen = result::kNothingOpen,
};
}  // namespace FindMInDir

namespace GetFDirEntry {
enum : int32_t {
    kFound = kDone,
    kNotFound = 1,
    kNotAFolder = 4,  // a name inside the path is not a folder
    kEmptyName = 5,   // two "\" in a row
    kNothingOpen = result::kNothingOpen,
};
}  // namespace GetFDirEntry

namespace GetFWDirEntry {
enum : int32_t {
    kRead = kDone,
    kEndSlot = 1,
    kBeyondDirectory = 2,
    kReadFailed = 9,
    kNothingOpen = result::kNothingOpen,
};
}  // namespace GetFWDirEntry

namespace SetFWrkDir {
// The path is looked up as GetFDirEntry does, with its results.
enum : int32_t {
    kSet = kDone,
    kNotFound = GetFDirEntry::kNotFound,
    kNotAFolder = GetFDirEntry::kNotAFolder,
    kEmptyPath = GetFDirEntry::kEmptyName,
    kNothingOpen = result::kNothingOpen,
};
}  // namespace SetFWrkDir

namespace CopyF {
enum : int32_t {
    kCopied = kDone,
    kImageReadFailed = 1,
    kHostWriteFailed = 2,
    kClusterOutOfLimits = 3,
    kNotFound = 4,
    kNamesFolder = 5,
    kNothingOpen = result::kNothingOpen,
};
}  // namespace CopyF

namespace CopyT {
enum : int32_t {
    kCopied = kDone,
    kDoesNotFit = 1,
    kNoRoom = 2,
    kHostReadFailed = 3,
    kNoTarget = 4,
    kImageWriteFailed = 5,
    kHostUnopenable = 6,
    kHostIsFolder = 7,
    kReadOnlyImage = result::kReadOnlyImage,
    kChangedOutside = result::kChangedOutside,
    kNothingOpen = result::kNothingOpen,
    kNameTooLong = result::kNameTooLong,
    kNameNotText = result::kNameNotText,
    // A character FAT does not allow in names (control characters too), a trailing dot or blank, or no
    // name at all; MkDir says kBadName.
    kNameForbidden = 13,
};
}  // namespace CopyT

namespace KillF {
enum : int32_t {
    kDeleted = kDone,
    kProtected = 1,  // read-only, hidden or system, and not forced
    kNotEmpty = 2,
    kIsRoot = 3,
    kNotFound = 4,
    kWriteFailed = 5,
    kReadFailed = 6,
    kReadOnlyImage = result::kReadOnlyImage,
    kChangedOutside = result::kChangedOutside,
    kNothingOpen = result::kNothingOpen,
};
}  // namespace KillF

namespace MkDir {
enum : int32_t {
    kCreated = kDone,
    kNoRoom = 3,
    kNoParent = 4,
    kWriteFailed = 5,
    kBadName = 7,
    kReadOnlyImage = result::kReadOnlyImage,
    kChangedOutside = result::kChangedOutside,
    kNothingOpen = result::kNothingOpen,
    kNameTooLong = result::kNameTooLong,
    kNameNotText = result::kNameNotText,
};
}  // namespace MkDir

namespace SetAttrib {
enum : int32_t {
    kSet = kDone,
    kNotFound = 1,
    kIsRoot = 2,
    kNotAFolder = GetFDirEntry::kNotAFolder,
    kEmptyName = GetFDirEntry::kEmptyName,
    kSlotFailed = 6,
    kReadOnlyImage = result::kReadOnlyImage,
    kChangedOutside = result::kChangedOutside,
    kNothingOpen = result::kNothingOpen,
};
}  // namespace SetAttrib

namespace WriteBoot {
enum : int32_t {
    kWritten = kDone,
    kWriteFailed = 5,
    kReadOnlyImage = result::kReadOnlyImage,
    kChangedOutside = result::kChangedOutside,
    kNothingOpen = result::kNothingOpen,
};
}  // namespace WriteBoot

namespace WriteVol {
enum : int32_t {
    kDone = result::kDone,
    kNoRootSlot = 1,
    kWriteFailed = 5,
    kBadLabel = 7,
    kReadOnlyImage = result::kReadOnlyImage,
    kChangedOutside = result::kChangedOutside,
    kNothingOpen = result::kNothingOpen,
};
}  // namespace WriteVol

}  // namespace result
}  // namespace orva
