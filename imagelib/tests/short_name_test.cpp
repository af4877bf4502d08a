#include "short_name.h"

#include <gtest/gtest.h>

#include <unordered_set>

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
}

// After the 50 one-character tails come numbers, each cutting the base only as far as it must.
TEST(ShortName, NumericTailsFollowTheFiftyCharacterTails) {
    constexpr int k10 = kCharacterTails;  // the ordinal of ~10
    struct Row {
        const char* what;
        const char* name;
        int ordinal;
        std::optional<std::string> alias;
    } rows[] = {
        {"50th: the last character tail", "Holiday photo 50.jpeg", k10 - 1, "HOLIDA~`.JPE"},
        {"51st: the first numeric tail", "Holiday photo 51.jpeg", k10, "HOLID~10.JPE"},
        {"~99 keeps five characters", "Holiday photo 99.jpeg", k10 + 89, "HOLID~99.JPE"},
        {"~100 keeps four", "Holiday photo 99.jpeg", k10 + 90, "HOLI~100.JPE"},
        {"~999 keeps four", "Holiday photo 99.jpeg", k10 + 989, "HOLI~999.JPE"},
        {"~1000 keeps three", "Holiday photo 99.jpeg", k10 + 990, "HOL~1000.JPE"},
        {"the last tail keeps one", "Holiday photo 99.jpeg", kAliasCandidates - 1, "H~999999.JPE"},
        {"nothing after the last", "Holiday photo 99.jpeg", kAliasCandidates, std::nullopt},
        {"nothing before the first", "Holiday photo 99.jpeg", -1, std::nullopt},
        // Only the padding gives way while the taken characters fit.
        {"short name, ~10", "ab.txt", k10, "ABTXT~10.TXT"},
        {"short name, ~100", "ab.txt", k10 + 90, "ABTX~100.TXT"},
        {"one character", "x", k10 + 90, "X___~100"},
        {"no extension", "thirteen_char", k10, "THIRT~10"},
        {"nothing usable after the dot", "abc.\xC5\xBE", k10, "ABC__~10"},
    };
    for (const Row& r : rows) EXPECT_EQ(aliasCandidate(r.name, r.ordinal), r.alias) << r.what;
}

TEST(ShortName, FirstFreeAliasAsksOncePerCandidateInOrder) {
    const std::string name = "Holiday photo 07.jpeg";
    // The first `taken` candidates are in the folder: the next one is free, found after taken + 1 questions.
    for (int taken : {0, 1, 49, 50, 51, 139, 140, 1040}) {
        std::unordered_set<ShortName, ShortNameHash> folder;
        for (int i = 0; i < taken; ++i) folder.insert(storedForm(*aliasCandidate(name, i)));
        int asked = 0;
        const auto alias = firstFreeAlias(name, [&](const ShortName& n) {
            ++asked;
            return folder.contains(n);
        });
        ASSERT_TRUE(alias) << taken;
        EXPECT_EQ(text(*alias), text(storedForm(*aliasCandidate(name, taken)))) << taken;
        EXPECT_EQ(asked, taken + 1) << taken;
    }
    // Tails used out of order: the lowest free one.
    const std::unordered_set<ShortName, ShortNameHash> scattered = {
        storedForm("HOLIDA~1.JPE"), storedForm("HOLIDA~2.JPE"), storedForm("HOLID~10.JPE")};
    EXPECT_EQ(text(*firstFreeAlias(name, [&](const ShortName& n) { return scattered.contains(n); })),
              "HOLIDA~3JPE");
}

TEST(ShortName, EveryCandidateDiffersAndRefusalComesOnlyWhenAllAreTaken) {
    const std::string name = "Holiday photo 07.jpeg";
    std::unordered_set<ShortName, ShortNameHash> asked;
    int ordinal = 0;
    bool agrees = true;
    const auto alias = firstFreeAlias(name, [&](const ShortName& n) {
        agrees = agrees && text(n) == text(storedForm(*aliasCandidate(name, ordinal++)));
        asked.insert(n);
        return true;
    });
    EXPECT_FALSE(alias);
    EXPECT_EQ(ordinal, kAliasCandidates);
    EXPECT_EQ(asked.size(), static_cast<size_t>(kAliasCandidates));  // no candidate comes twice
    EXPECT_TRUE(agrees);  // the stored form of the text sequence, in its order
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
    e.attributes = attr::kArchive;
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
