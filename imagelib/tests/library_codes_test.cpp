// The named numbers of the on-disk format and of the C interface hold the values other systems and callers
// of orva.h know them by: every part of the library now speaks through the names alone.
#include <gtest/gtest.h>

#include <cstdint>

#include "dir_entry_layout.h"
#include "library_codes.h"
#include "new_name_rules.h"
#include "short_name_text.h"

namespace orva {
namespace {

struct Named {
    const char* name;
    int64_t value;
    int64_t documented;
};

void expectDocumented(std::initializer_list<Named> rows) {
    for (const Named& row : rows) EXPECT_EQ(row.value, row.documented) << row.name;
}

TEST(LibraryCodes, OnDiskNumbers) {
    expectDocumented({
        {"read-only", attr::kReadOnly, 0x01},
        {"hidden", attr::kHidden, 0x02},
        {"system", attr::kSystem, 0x04},
        {"label", attr::kLabel, 0x08},
        {"directory", attr::kDirectory, 0x10},
        {"archive", attr::kArchive, 0x20},
        {"long name", attr::kLongName, 0x0F},
        {"kind bits", attr::kKindBits, 0x0F},
        {"carried with files", attr::kCarried, 0x27},
        {"end mark", kEndMark, 0x00},
        {"deleted mark", kDeletedMark, 0xE5},
        {"stands for 0xE5", kStandsForE5, 0x05},
        {"last part mark", kLastPartMark, 0x40},
        {"highest part number", kMaxPartNumber, 20},
        {"slot bytes", kSlotBytes, 32},
        {"attributes offset", kAttributesAt, 11},
        {"group slots", kGroupSlots, 22},
        {"longest long name", kMaxLongNameChars, 255},
        {"base bytes", kBaseBytes, 8},
        {"extension bytes", kExtensionBytes, 3},
    });
}

TEST(LibraryCodes, InterfaceArguments) {
    expectDocumented({
        {"working directory", kWorkingDirCluster, 0},
        {"root", kRootCluster, 1},
        {"first data cluster", kFirstDataCluster, 2},
        {"first table copy", kFirstTableCopy, 1},
        {"second table copy", kSecondTableCopy, 2},
        {"check every slot", check_flags::kEverySlot, 2},
        {"strict long names", check_flags::kStrictLongNames, 1},
    });
}

TEST(LibraryCodes, CheckCodes) {
    expectDocumented({
        {"passed", check::kPassed, 0},
        {"cluster out of limits", check::kClusterOutOfLimits, 1},
        {"size beyond the image", check::kSizeBeyondImage, 2},
        {"bad short name byte", check::kBadShortNameByte, 3},
        {"part attributes", check::kPartAttributes, 4},
        {"part sequence", check::kPartSequence, 5},
        {"part type", check::kPartType, 6},
        {"part cluster", check::kPartCluster, 7},
        {"bad long name character", check::kBadLongNameChar, 8},
        {"bad label byte", check::kBadLabelByte, 9},
        {"chain loop", check::kChainLoop, 10},
    });
}

// As orva.h documents them.
TEST(LibraryCodes, ResultCodes) {
    namespace r = result;
    expectDocumented({
        {"OpenFDImg opened", r::OpenFDImg::kOpened, 0},
        {"OpenFDImg read-only", r::OpenFDImg::kReadOnly, 1},
        {"OpenFDImg longer", r::OpenFDImg::kLonger, 2},
        {"OpenFDImg longer, read-only", r::OpenFDImg::kLongerReadOnly, 3},
        {"OpenFDImg shorter", r::OpenFDImg::kShorter, 4},
        {"OpenFDImg boot sector read short", r::OpenFDImg::kShortBootRead, 5},
        {"OpenFDImg unreadable", r::OpenFDImg::kUnreadable, 6},
        {"OpenFDImg unknown media", r::OpenFDImg::kUnknownMedia, 7},
        {"OpenFDImg bad parameters", r::OpenFDImg::kBadParameters, 8},
        {"OpenFDImg no work area", r::OpenFDImg::kNoWorkArea, 9},
        {"OpenFDImg cannot open", r::OpenFDImg::kCannotOpen, 10},
        {"CloseFDImg closed", r::CloseFDImg::kClosed, 0},
        {"CloseFDImg failed", r::CloseFDImg::kCloseFailed, 1},
        {"GetFDType nothing open", r::GetFDType::kNoImage, 9},
        {"GetLastErr nothing open", r::GetLastErr::kNoImage, 9},
        {"BlockTestFol nothing open", r::BlockTestFol::kNoImage, 9},
        {"FreeSpace nothing open", r::FreeSpace::kNothingOpen, 10},
        {"FindInDir not found", r::FindInDir::kNotFound, 1},
        {"FindInDir not found, check failed", r::FindInDir::kNotFoundCheckFailed, 3},
        {"FindInDir nothing open", r::FindInDir::kNothingOpen, 10},
        {"FindMInDir end", r::FindMInDir::kEnd, 1},
        {"FindMInDir found, check failed", r::FindMInDir::kFoundCheckFailed, 2},
        {"FindMInDir end, check failed", r::FindMInDir::kEndCheckFailed, 3},
        {"GetFDirEntry not found", r::GetFDirEntry::kNotFound, 1},
        {"GetFDirEntry not a folder", r::GetFDirEntry::kNotAFolder, 4},
        {"GetFDirEntry empty name", r::GetFDirEntry::kEmptyName, 5},
        {"GetFWDirEntry end slot", r::GetFWDirEntry::kEndSlot, 1},
        {"GetFWDirEntry beyond the directory", r::GetFWDirEntry::kBeyondDirectory, 2},
        {"GetFWDirEntry read failed", r::GetFWDirEntry::kReadFailed, 9},
        {"SetFWrkDir not found", r::SetFWrkDir::kNotFound, 1},
        {"SetFWrkDir empty path", r::SetFWrkDir::kEmptyPath, 5},
        {"CopyF image read failed", r::CopyF::kImageReadFailed, 1},
        {"CopyF host write failed", r::CopyF::kHostWriteFailed, 2},
        {"CopyF cluster out of limits", r::CopyF::kClusterOutOfLimits, 3},
        {"CopyF not found", r::CopyF::kNotFound, 4},
        {"CopyF names a folder", r::CopyF::kNamesFolder, 5},
        {"CopyT does not fit", r::CopyT::kDoesNotFit, 1},
        {"CopyT no room", r::CopyT::kNoRoom, 2},
        {"CopyT host read failed", r::CopyT::kHostReadFailed, 3},
        {"CopyT no target", r::CopyT::kNoTarget, 4},
        {"CopyT image write failed", r::CopyT::kImageWriteFailed, 5},
        {"CopyT host unopenable", r::CopyT::kHostUnopenable, 6},
        {"CopyT host is a folder", r::CopyT::kHostIsFolder, 7},
        {"CopyT read-only image", r::CopyT::kReadOnlyImage, 8},
        {"CopyT nothing open", r::CopyT::kNothingOpen, 10},
        {"CopyT name too long", r::CopyT::kNameTooLong, 11},
        {"CopyT name not text", r::CopyT::kNameNotText, 12},
        {"CopyT name forbidden", r::CopyT::kNameForbidden, 13},
        {"KillF protected", r::KillF::kProtected, 1},
        {"KillF not empty", r::KillF::kNotEmpty, 2},
        {"KillF root", r::KillF::kIsRoot, 3},
        {"KillF not found", r::KillF::kNotFound, 4},
        {"KillF write failed", r::KillF::kWriteFailed, 5},
        {"KillF read failed", r::KillF::kReadFailed, 6},
        {"MkDir no room", r::MkDir::kNoRoom, 3},
        {"MkDir no parent", r::MkDir::kNoParent, 4},
        {"MkDir write failed", r::MkDir::kWriteFailed, 5},
        {"MkDir bad name", r::MkDir::kBadName, 7},
        {"MkDir name too long", r::MkDir::kNameTooLong, 11},
        {"MkDir name not text", r::MkDir::kNameNotText, 12},
        {"SetAttrib not found", r::SetAttrib::kNotFound, 1},
        {"SetAttrib root", r::SetAttrib::kIsRoot, 2},
        {"SetAttrib not a folder", r::SetAttrib::kNotAFolder, 4},
        {"SetAttrib empty name", r::SetAttrib::kEmptyName, 5},
        {"SetAttrib slot failed", r::SetAttrib::kSlotFailed, 6},
        {"WriteBoot write failed", r::WriteBoot::kWriteFailed, 5},
        {"WriteVol no root slot", r::WriteVol::kNoRootSlot, 1},
        {"WriteVol write failed", r::WriteVol::kWriteFailed, 5},
        {"WriteVol bad label", r::WriteVol::kBadLabel, 7},
        {"writing exports on a read-only image", r::kReadOnlyImage, 8},
        {"nothing open", r::kNothingOpen, 10},
        {"writing exports after another program changed the disk parameters", r::kChangedOutside, 14},
    });
}

}  // namespace
}  // namespace orva
