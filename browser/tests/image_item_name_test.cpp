// How image entries are named in the tree.
#include <gtest/gtest.h>

#include <array>
#include <cstring>

#include "browser/image_item_name.h"
#include "dir_entry_layout.h"

namespace browser::testing {
namespace {

// An entry followed by long-name parts built from UTF-16 text, part 1 first, as the library hands them out.
std::array<DirEntry, 4> group(const char (&shortName)[12], std::u16string longName, bool padWithFFFF = true) {
    std::array<DirEntry, 4> slots{};
    std::memcpy(slots[0].name, shortName, 8);
    std::memcpy(slots[0].extension, shortName + 8, 3);
    for (size_t part = 0; part * 13 < longName.size() && part < 3; ++part) {
        std::array<uint8_t, 32> bytes{};
        for (size_t i = 0; i < 13; ++i) {
            const size_t at = part * 13 + i;
            const char16_t c =
                at < longName.size() ? longName[at] : (at == longName.size() || !padWithFFFF ? 0 : 0xFFFF);
            bytes[orva::kPartCharOffsets[i]] = static_cast<uint8_t>(c);
            bytes[orva::kPartCharOffsets[i] + 1] = static_cast<uint8_t>(c >> 8);
        }
        bytes[orva::kAttributesAt] = orva::attr::kLongName;
        std::memcpy(&slots[part + 1], bytes.data(), 32);
    }
    return slots;
}

TEST(ImageItemName, ShortAndLongNames) {
    struct Row {
        const char* shortName;
        std::u16string longName;
        int slotCount;
        std::string shown;
    } rows[] = {
        {"REPORT~1DOC", u"Report 2003.doc", 3, "Report 2003.doc"},
        {"README  TXT", u"", 1, "README.TXT"},
        {"MAKEFILE   ", u"", 1, "MAKEFILE"},
        {"N\xB5VRH   TXT", u"", 1, "NÁVRH.TXT"},  // CP852 bytes
        {"\x05"
         "BC     TXT",
         u"", 1, "ňBC.TXT"},  // 0x05 stands for 0xE5, ň in CP852
        {"AB~1    TXT",
         std::u16string(u"a\xD800"
                        "b.txt"),
         2,
         "a\xEF\xBF\xBD"
         "b.txt"},  // unpaired half
        {"LONGNA~1TXT", u"a name of exactly 26 chars", 3, "a name of exactly 26 chars"},
        {"X       TXT", u"", 3, "X.TXT"},  // parts that hold nothing: the short name
    };
    for (Row& row : rows) {
        char name[12];
        std::memcpy(name, row.shortName, 12);
        const auto slots = group(reinterpret_cast<const char(&)[12]>(name), row.longName);
        EXPECT_EQ(imageItemName(slots.data(), row.slotCount), row.shown) << row.shortName;
    }
}

TEST(ImageItemName, LabelsAreShownWhole) {
    const uint8_t label[11] = {'D', 'I', 'S', 'K', 0x8A, ' ', ' ', ' ', ' ', ' ', ' '};
    EXPECT_EQ(labelText(label, 11), "DISKŠ      ");
}

}  // namespace
}  // namespace browser::testing
