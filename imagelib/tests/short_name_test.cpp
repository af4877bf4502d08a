#include "short_name.h"

#include <gtest/gtest.h>

#include "entry_group.h"
#include "le_bytes.h"

namespace orva {
namespace {

std::string text(const ShortName& s) { return std::string(s.begin(), s.end()); }

TEST(ShortName, WhichNamesAn83EntryHoldsAsTheyAre) {
    for (const char* plain : {"README.TXT", "NOEXT", "ABCDEFGH.TXT", "A.B", "X1~2.$$$", "ABC."}) {
        EXPECT_TRUE(isPlainShortName(plain)) << plain;
    }
    for (const char* longName : {"readme.txt", "Read Me.txt", "LONGNAME1.TXT", "A.HTML", "\xC3\x9A\xC4\x8C" "ET.TXT",
                                 "A.B.C", "", ".ABC", "A B.TXT", "A+B.TXT", "A<B", "A|B", "ABCDEFGHI"}) {
        EXPECT_FALSE(isPlainShortName(longName)) << longName;
    }
}

TEST(ShortName, StoredFormSplitsAtTheLastDot) {
    EXPECT_EQ(text(storedForm("README.TXT")), "README  TXT");
    EXPECT_EQ(text(storedForm("NOEXT")), "NOEXT      ");
    EXPECT_EQ(text(storedForm("README~1.TXT")), "README~1TXT");
    EXPECT_EQ(shortNameChecksum(storedForm("README.TXT")), 0x73);
}

TEST(ShortName, AliasesTakeAllowedCharactersOfTheWholeName) {
    struct Row {
        const char* name;
        int ordinal;
        const char* alias;
    } rows[] = {
        {"readme.txt", 0, "README~1.TXT"},
        {"ab.txt", 0, "ABTXT_~1.TXT"},
        {"Long File Name.text", 0, "LONGFI~1.TEX"},
        {"Long File Name.text", 1, "LONGFI~2.TEX"},
        {"Long File Name.text", 8, "LONGFI~9.TEX"},
        {"Long File Name.text", 9, "LONGFI~0.TEX"},
        {"Long File Name.text", 10, "LONGFI~A.TEX"},
        {"Long File Name.text", 49, "LONGFI~`.TEX"},
        {"abc.\xC5\xBE", 0, "ABC___~1"},  // nothing usable after the dot: no extension
        {"{x}", 0, "X_____~1"},          // "{" and "}" become "[" and "]", which are not taken
        {"Příliš.txt", 0, "PLITXT~1.TXT"},
    };
    for (const Row& r : rows) EXPECT_EQ(aliasCandidate(r.name, r.ordinal), r.alias) << r.name << " " << r.ordinal;
    EXPECT_FALSE(aliasCandidate("name", kAliasCandidates));
}

TEST(EntryGroup, LongNamePartsEndWithAZeroUnitOnlyWhereThereIsRoom) {
    const auto unitsOf = [](const Slot& s) {
        std::u16string units;
        for (size_t at : kPartCharOffsets) units += static_cast<char16_t>(load16(s, at));
        return units;
    };
    NewEntry e{};
    e.shortName = storedForm("THIRTE~1");
    e.longName = u"thirteen_char";
    auto slots = buildEntryGroup(e);
    ASSERT_EQ(slots.size(), 2u);
    EXPECT_EQ(slots[0][0], 0x41);
    EXPECT_EQ(unitsOf(slots[0]), u"thirteen_char");
    EXPECT_EQ(slots[0][13], shortNameChecksum(e.shortName));
    e.longName = u"twelve_chars";
    slots = buildEntryGroup(e);
    EXPECT_EQ(unitsOf(slots[0]), std::u16string(u"twelve_chars\0", 13));
    e.longName = u"twenty-six-characters-long!";
    slots = buildEntryGroup(e);
    ASSERT_EQ(slots.size(), 4u);
    EXPECT_EQ(slots[0][0], 0x43);
    EXPECT_EQ(slots[1][0], 0x02);
    EXPECT_EQ(slots[2][0], 0x01);
    EXPECT_EQ(unitsOf(slots[0]), std::u16string(u"!\0\xFFFF\xFFFF\xFFFF\xFFFF\xFFFF\xFFFF\xFFFF\xFFFF\xFFFF\xFFFF\xFFFF", 13));
}

TEST(EntryGroup, StampsOfTheShortEntry) {
    NewEntry e{};
    e.shortName = storedForm("A.TXT");
    e.attributes = 0x20;
    e.stamps = {{2003, 7, 18, 9, 59, 57}, {2004, 1, 2, 0, 0, 0}, {2003, 7, 18, 9, 59, 56}};
    e.firstCluster = 7;
    e.size = 1234;
    const DirEntry d = shortEntryOf(e);
    EXPECT_EQ(d.createFine, 128);
    EXPECT_EQ(d.createTime, 0x4F7C);
    EXPECT_EQ(d.createDate, 0x2EF2);
    EXPECT_EQ(d.accessDate, (24 << 9) | (1 << 5) | 2);
    EXPECT_EQ(d.writeTime, 0x4F7C);
    EXPECT_EQ(d.firstCluster, 7);
    EXPECT_EQ(d.size, 1234u);
    EXPECT_EQ(d.reserved, 0);
    EXPECT_EQ(stampTimeOf({1970, 1, 1, 0, 0, 0}).year, 1980);  // before FAT dates begin
}

}  // namespace
}  // namespace orva
