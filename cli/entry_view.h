#pragma once
// A directory entry copied out of the library's work area, and how it is shown.
#include <cstdint>
#include <string>

#include "dir_entry_layout.h"
#include "short_name_text.h"

namespace cli {

namespace attr = orva::attr;

struct EntryView {
    orva::ShortName shortName{};  // raw, blank-padded
    uint8_t attributes = 0;
    uint8_t caseBits = 0;  // Windows NT: 0x08 name in lower case, 0x10 extension in lower case
    uint16_t writeTime = 0;
    uint16_t writeDate = 0;
    uint16_t accessDate = 0;
    uint16_t firstCluster = 0;
    uint32_t size = 0;
    std::string longName;  // UTF-8; empty when the entry has none

    bool isDirectory() const { return (attributes & attr::kDirectory) != 0; }
    // The label entry of the root: exactly the label bit, so long-name parts never count.
    bool isLabel() const { return attributes == attr::kLabel; }
    bool isHiddenOrSystem() const { return (attributes & (attr::kHidden | attr::kSystem)) != 0; }
    bool isDotEntry() const { return orva::isDotName(shortName); }
    // The directory's cluster for the library.
    int32_t folderCluster() const { return orva::folderClusterOf(firstCluster); }
};

// Copies an entry and its long-name parts (slotCount - 1 of them follow it in memory).
EntryView captureEntry(const DirEntry* entry, int32_t slotCount);
// The root directory, which has no entry of its own.
EntryView rootEntry();

// "NAME.EXT" with the lower-case bits applied, converted from the code page.
std::string shownShortName(const EntryView& e, const std::string& codePage);
// The long name when there is one, else the shown short name.
std::string shownName(const EntryView& e, const std::string& codePage);
// The name to put in a path handed to the library; empty when no name of the entry reaches it.
std::string libraryName(const EntryView& e);

// "rhsda" with "-" for every attribute not set.
std::string attributeText(uint8_t attributes);
// "YYYY-MM-DD HH:MM"; dashes when the entry carries no date.
std::string writeStampText(uint16_t date, uint16_t time);

}  // namespace cli
