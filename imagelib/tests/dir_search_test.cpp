#include <gtest/gtest.h>

#include <set>

#include "fixture.h"
#include "image_builder.h"
#include "image_state.h"
#include "platform/text_codec.h"

namespace orva {
namespace {

using testing::ImageBuilder;
using testing::longNameOf;
namespace fs = std::filesystem;

std::string shortNameOf(const DirEntry* e) {
    return std::string(reinterpret_cast<const char*>(e->name), 11);
}

class DirSearch : public ::testing::Test {
  protected:
    void open(const ImageBuilder& b) {
        const fs::path p = dir / "img.img";
        b.save(p);
        ASSERT_EQ(state.OpenFDImg(p.string(), 1), 0);
    }
    int32_t find(const std::string& name, int32_t cluster = 1, EntryPos* pos = nullptr) {
        DirEntry* e = nullptr;
        return state.FindInDir(name, cluster, &e, pos);
    }
    // Every entry of an enumeration as "short name" or "short name|long name".
    std::vector<std::string> enumerate(const std::string& pattern, int32_t cluster = 1) {
        std::vector<std::string> seen;
        DirEntry* e = nullptr;
        int32_t slots = 0;
        for (int32_t r = state.FindMInDir(pattern, cluster, &e, &slots); r == 0 || r == 2;
             r = state.FindMInDir("", 0, &e, &slots)) {
            std::string item = shortNameOf(e);
            if (slots > 1) item += "|" + platform::utf16ToUtf8(longNameOf(e, slots));
            seen.push_back(item);
        }
        return seen;
    }
    testing_support::ScratchDir dir;
    ImageState state;
};

TEST_F(DirSearch, ShortAndLongNamesAreFoundTheirOwnWay) {
    ImageBuilder b;
    uint32_t i = 0;
    i = b.putGroup(1, i, u"", "README  TXT", attr::kArchive, 0, 0);
    i = b.putGroup(1, i, u"Dlouhé jméno souboru.txt", "DLOUHE~1TXT", attr::kArchive, 0, 0);
    i = b.putGroup(1, i, u"ABCDEFGHI", "ABCDEF~1   ", attr::kArchive, 0, 0);
    i = b.putGroup(1, i, u"", "A&B     TXT", attr::kArchive, 0, 0);
    i = b.putGroup(1, i, u"",
                   "\x9A"
                   "BER    DOC",
                   attr::kArchive, 0, 0);
    open(b);
    struct Row {
        const char* name;
        int32_t expected;
    } rows[] = {
        {"README.TXT", 0},
        {"readme.txt", 1},  // short names are raw bytes: no case folding
        {"Dlouhé jméno souboru.txt", 0},
        {"dlouhé jméno souboru.txt", 1},  // long names compare exactly
        {"DLOUHE~1.TXT", 0},
        {"ABCDEFGHI", 0},  // looks like a short pattern, is a long name
        {"ABCDEF~1", 0},
        {"A&B.TXT", 0},  // a plain 8.3 name outside the lookup's characters
        {"\x9A"
         "BER.DOC",
         0},
        {".", 1},
        {"..", 1},
        {"", 1},
        {"\xC3", 1},  // not UTF-8
    };
    for (const Row& r : rows) EXPECT_EQ(find(r.name), r.expected) << r.name;
}

TEST_F(DirSearch, QuestionMarksInLongLookups) {
    ImageBuilder b;
    uint32_t i = 0;
    for (const char16_t* name : {u"REPORT1", u"REPORT", u"REPORT12", u"REPORT1.DOC", u"REPORT.DOC"}) {
        i = b.putGroup(1, i, name, "X" + std::to_string(i) + "         ", attr::kArchive, 0, 0);
    }
    open(b);
    auto matches = [&](const std::string& pattern) {
        std::set<std::u16string> found;
        DirEntry* e = nullptr;
        // One lookup finds the first match; hide it and look again to see them all.
        ImageBuilder copy = b;
        for (int round = 0; round < 5; ++round) {
            copy.save(dir / "q.img");
            ImageState s;
            s.OpenFDImg((dir / "q.img").string(), 1);
            EntryPos pos{};
            if (s.FindInDir(pattern, 1, &e, &pos) != 0) break;
            found.insert(longNameOf(e, static_cast<int32_t>(s.lastSlotCount())));
            std::vector<uint8_t> gone = copy.slot(1, pos.index);
            gone[0] = kDeletedMark;
            copy.putSlot(1, pos.index, gone);
        }
        return found;
    };
    EXPECT_EQ(matches("REPORT?"), (std::set<std::u16string>{u"REPORT1", u"REPORT"}));
    EXPECT_EQ(matches("REPORT?.DOC"), (std::set<std::u16string>{u"REPORT1.DOC"}));
}

TEST_F(DirSearch, EnumerationModes) {
    ImageBuilder b;
    uint32_t i = 0;
    i = b.putGroup(1, i, u"", "FILE1   TXT", attr::kArchive, 0, 0);
    i = b.putGroup(1, i, u"Long name", "LONGNA~1   ", attr::kArchive, 0, 0);
    std::vector<uint8_t> deleted = ImageBuilder::shortEntry("GONE    TXT", attr::kArchive, 0, 0);
    deleted[0] = kDeletedMark;
    b.putSlot(1, i++, deleted);
    b.putSlot(1, i++, std::vector<uint8_t>(32, 0xF6));  // filler
    b.putSlot(1, i++, std::vector<uint8_t>(32, 0));     // end slot, but reading goes on
    i = b.putGroup(1, i, u"", "AFTER   END", attr::kArchive, 0, 0);
    open(b);
    const std::vector<std::string> live = {"FILE1   TXT", "LONGNA~1   |Long name", "AFTER   END"};
    EXPECT_EQ(enumerate("*"), live);
    EXPECT_EQ(enumerate("*.*"), live);
    EXPECT_EQ(enumerate("*.TXT"), live);  // the mode follows the leading star only
    EXPECT_TRUE(enumerate("FILE1.TXT").empty());
    EXPECT_TRUE(enumerate("A*").empty());
    const auto all = enumerate("**");
    EXPECT_EQ(all.size(), 224u - 1);  // every slot but the one long-name part, each a group of its own
    EXPECT_EQ(all[2].substr(0, 1), "\xE5");
}

TEST_F(DirSearch, EmptyDirectoriesAndContinuation) {
    ImageBuilder b;
    b.putGroup(1, 0, u"Sub", "SUB        ", attr::kDirectory, 2, 0);
    b.makeDirectory(2, 1);
    open(b);
    DirEntry* e = nullptr;
    int32_t slots = 0;
    EXPECT_EQ(enumerate("*", 2), (std::vector<std::string>{".          ", "..         "}));
    // After the end a continuation reads nothing and says so again.
    EXPECT_EQ(state.FindMInDir("", 0, &e, &slots), 1);
    ImageBuilder empty;
    open(empty);
    EXPECT_EQ(state.FindMInDir("*", 1, &e, &slots), 1);
    EXPECT_EQ(state.FindMInDir("", 1, &e, &slots), 1);
}

TEST_F(DirSearch, OneEnumerationSurvivesLookupsBetweenCalls) {
    ImageBuilder b;
    uint32_t i = 0;
    for (const char* n : {"A          ", "B          ", "C          "})
        i = b.putGroup(1, i, u"", n, attr::kArchive, 0, 0);
    open(b);
    DirEntry* e = nullptr;
    int32_t slots = 0;
    ASSERT_EQ(state.FindMInDir("*", 1, &e, &slots), 0);
    EXPECT_EQ(shortNameOf(e), "A          ");
    EXPECT_EQ(find("C"), 0);
    ASSERT_EQ(state.FindMInDir("", 0, &e, &slots), 0);
    EXPECT_EQ(shortNameOf(e), "B          ");
}

TEST_F(DirSearch, AGroupAcrossAClusterBoundaryIsOneEntry) {
    ImageBuilder b;
    b.putGroup(1, 0, u"Sub", "SUB        ", attr::kDirectory, 2, 0);
    b.makeDirectory(2, 1);
    b.chain({2, 3});
    // Fill cluster 2 so that a three-part name ends in its last slots and the short entry opens cluster 3.
    uint32_t i = 2;
    for (; i < 13; ++i)
        i = b.putGroup(2, i, u"", "F" + std::to_string(i) + "         ", attr::kArchive, 0, 0) - 1;
    const std::u16string name = u"A name of more than twenty-six chars";
    auto parts = ImageBuilder::longParts(name, ImageBuilder::checksum("ANAMEO~1   "));
    ASSERT_EQ(parts.size(), 3u);
    for (size_t p = 0; p < 3; ++p) b.putSlot(2, 13 + static_cast<uint32_t>(p), parts[p]);
    b.putSlot(3, 0, ImageBuilder::shortEntry("ANAMEO~1   ", attr::kArchive, 0, 0));
    open(b);
    EntryPos pos{};
    DirEntry* e = nullptr;
    ASSERT_EQ(state.FindInDir("A name of more than twenty-six chars", 2, &e, &pos), 0);
    EXPECT_EQ(state.lastSlotCount(), 4u);
    EXPECT_EQ(pos.cluster, 3);
    EXPECT_EQ(pos.index, 0);
    EXPECT_EQ(shortNameOf(e), "ANAMEO~1   ");
    ASSERT_EQ(state.FindInDir("F5", 2, &e, &pos), 0);
    EXPECT_EQ(pos.cluster, 2);
    EXPECT_EQ(pos.index, 5);
}

TEST_F(DirSearch, OrphanPartsAndOverlongGroups) {
    ImageBuilder b;
    uint32_t i = 0;
    // Parts of a lost name, then a complete group: the lost parts are dropped.
    auto lost = ImageBuilder::longParts(u"lost name here", 0);
    b.putSlot(1, i++, lost[0]);
    i = b.putGroup(1, i, u"Kept", "KEPT       ", attr::kArchive, 0, 0);
    // A group without its first part still names its entry.
    auto parts = ImageBuilder::longParts(u"Twenty-six characters long", 0);
    b.putSlot(1, i++, parts[1]);
    b.putSlot(1, i++, ImageBuilder::shortEntry("TWENTY~1   ", attr::kArchive, 0, 0));
    // 22 parts of one name: more than a group holds; the entry after them is found on its own.
    for (int p = 22; p >= 1; --p) {
        auto part = ImageBuilder::longParts(u"x", 0)[0];
        part[0] = static_cast<uint8_t>(p == 22 ? kLastPartMark | p : p);
        b.putSlot(1, i++, part);
    }
    b.putSlot(1, i++, ImageBuilder::shortEntry("AFTER      ", attr::kArchive, 0, 0));
    open(b);
    EXPECT_EQ(find("Kept"), 0);
    EXPECT_EQ(state.lastSlotCount(), 2u);
    EXPECT_EQ(find("Twenty-six ch"), 0);  // part 1 alone
    EXPECT_EQ(find("Twenty-six characters long"), 1);
    EXPECT_EQ(find("AFTER"), 0);
}

TEST_F(DirSearch, FailedChecksAreReported) {
    ImageBuilder b;
    uint32_t i = 0;
    i = b.putGroup(1, i, u"", "GOOD       ", attr::kArchive, 0, 0);
    i = b.putGroup(1, i, u"", "BAD|NAME   ", attr::kArchive, 0, 0);
    i = b.putGroup(1, i, u"", "LATER      ", attr::kArchive, 0, 0);
    open(b);
    EXPECT_EQ(find("LATER"), 0);  // no checks until they are switched on
    ASSERT_EQ(state.BlockTestFol(2), 0);
    EXPECT_EQ(find("GOOD"), 0);
    EXPECT_EQ(find("LATER"), 3);  // the rest of the directory is invisible to a lookup
    int32_t code = 0;
    uint8_t slot[32];
    uint32_t offset = 0;
    ASSERT_EQ(state.GetLastErr(&code, slot, &offset), 0);
    EXPECT_EQ(code, 3);
    EXPECT_EQ(offset, b.slotOffset(1, 1));
    EXPECT_EQ(std::string(reinterpret_cast<char*>(slot), 8), "BAD|NAME");
    // An enumeration goes on: 2 for the entry with the failed slot, then the rest.
    DirEntry* e = nullptr;
    int32_t slots = 0;
    EXPECT_EQ(state.FindMInDir("*", 1, &e, &slots), 0);
    EXPECT_EQ(state.FindMInDir("", 1, &e, &slots), 2);
    EXPECT_EQ(state.FindMInDir("", 1, &e, &slots), 0);
    EXPECT_EQ(shortNameOf(e), "LATER      ");
    EXPECT_EQ(state.FindMInDir("", 1, &e, &slots), 1);
}

// A folder's walk stops at the first cluster it has read already: every entry once, and the loop reported
// as a failed check at the cluster the chain leads back to.
TEST_F(DirSearch, ADirectoryWhoseChainLoopsIsReadOnceAndReported) {
    struct Row {
        const char* name;
        std::vector<uint32_t> chain;  // the folder's clusters in order; the last one leads back to loopsTo
        uint32_t loopsTo;
    } rows[] = {
        {"back to the first cluster", {2, 3, 4}, 2},
        {"back into the middle", {2, 3, 4}, 3},
        {"onto itself", {2}, 2},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        ImageBuilder b;
        b.putGroup(1, 0, u"", "LOOP       ", attr::kDirectory, 2, 0);
        b.makeDirectory(2, 1);
        std::vector<std::string> expected{".          ", "..         "};
        for (size_t n = 0; n < r.chain.size(); ++n) {
            const uint32_t c = r.chain[n];
            const bool last = n + 1 == r.chain.size();
            b.setFat(c, last ? r.loopsTo : r.chain[n + 1]);
            // Every slot of the folder is taken, so that a new entry would have to grow it.
            for (uint32_t i = c == 2 ? 2 : 0; i < 16; ++i) {
                std::string name = "E" + std::to_string(c) + "_" + std::to_string(i);
                name.resize(11, ' ');
                b.putGroup(c, i, u"", name, attr::kArchive, 0, 0);
                expected.push_back(name);
            }
        }
        open(b);
        const std::vector<std::string> seen = enumerate("*", 2);
        EXPECT_EQ(seen, expected);
        DirEntry* e = nullptr;
        int32_t slots = 0;
        ASSERT_EQ(state.FindMInDir("*", 2, &e, &slots), 0);
        int32_t last = 0;
        for (size_t n = 1; n <= expected.size(); ++n) last = state.FindMInDir("", 2, &e, &slots);
        EXPECT_EQ(last, 3) << "the end of the listing says that something failed";
        int32_t code = 0;
        uint8_t slot[32];
        uint32_t offset = 0;
        ASSERT_EQ(state.GetLastErr(&code, slot, &offset), 0);
        EXPECT_EQ(code, int32_t{check::kChainLoop});
        EXPECT_EQ(offset, b.slotOffset(r.loopsTo, 0));
        EXPECT_EQ(state.FindMInDir("", 2, &e, &slots), 1) << "and nothing is read after it";
        EXPECT_EQ(find("NOTHERE", 2), 3);
        EXPECT_EQ(find("E" + std::to_string(r.chain.back()) + "_15", 2), 0);
        const uint32_t free = state.freeClusters();
        EXPECT_TRUE(state.FindFreeSlots(2, 1).offsets.empty()) << "a folder without an end is not grown";
        EXPECT_EQ(state.freeClusters(), free);
        state.CloseFDImg();
    }
}

}  // namespace
}  // namespace orva
