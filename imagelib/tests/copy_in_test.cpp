#include <gtest/gtest.h>
#include <sys/stat.h>

#include "image_fixture.h"
#include "platform/text_codec.h"

namespace orva {
namespace {

using testing::ImageBuilder;
using testing::ImageTest;
using testing_support::patternBytes;
using testing_support::quote;
using testing_support::runOk;

class CopyIn : public ImageTest {
  protected:
    // Copies and returns the new entry's slots as found again through the library.
    std::vector<Slot> copied(const std::string& name, const std::vector<uint8_t>& data, int32_t dir = 1) {
        const auto host = hostFile("host.bin", data);
        EXPECT_EQ(state.CopyT(host.string(), name), 0) << name;
        DirEntry* e = nullptr;
        EXPECT_EQ(state.FindInDir(name, dir, &e, nullptr), 0) << name;
        std::vector<Slot> group;
        if (!e) return group;
        for (uint32_t i = 0; i < state.lastSlotCount(); ++i) group.push_back(slotBytes(e[i]));
        return group;
    }
    std::string shortOf(const Slot& s) { return std::string(s.begin(), s.begin() + 11); }
};

TEST_F(CopyIn, NamesAndAliases) {
    open(ImageBuilder());
    struct Row {
        const char* name;
        size_t slots;
        const char* shortName;
    } rows[] = {
        {"README.TXT", 1, "README  TXT"},    {"readme.txt", 2, "README~1TXT"},
        {"ab.txt", 2, "ABTXT_~1TXT"},        {"Read Me.txt", 2, "README~2TXT"},
        {"A.HTML", 2, "AHTML_~1HTM"},        {"A+B.TXT", 2, "ABTXT_~2TXT"},
        {"thirteen_char", 2, "THIRTE~1   "}, {"Příliš žluťoučký.txt", 3, "PLILUO~1TXT"},
        {"ABCDEFGHI", 2, "ABCDEF~1   "},
    };
    for (const Row& r : rows) {
        const auto group = copied(r.name, {1, 2, 3});
        ASSERT_EQ(group.size(), r.slots) << r.name;
        EXPECT_EQ(shortOf(group[0]), r.shortName) << r.name;
        if (r.slots > 1) {
            std::vector<DirEntry> entries;
            for (const Slot& slot : group) entries.push_back(slotEntry(slot));
            EXPECT_EQ(platform::utf16ToUtf8(
                          testing::longNameOf(entries.data(), static_cast<int32_t>(entries.size()))),
                      r.name);
        }
    }
}

TEST_F(CopyIn, TheExampleAliasesExactly) {
    open(ImageBuilder());
    EXPECT_EQ(shortOf(copied("README.TXT", {1})[0]), "README  TXT");
    EXPECT_EQ(shortOf(copied("readme.txt", {1})[0]), "README~1TXT");
    EXPECT_EQ(shortOf(copied("ab.txt", {1})[0]), "ABTXT_~1TXT");
    // A Czech name of 10 characters needs one part, although its UTF-8 form has more than 13 bytes.
    EXPECT_EQ(copied("Žluťoučký!", {1}).size(), 2u);
}

TEST_F(CopyIn, AliasCollisionsCountOnPastTheFiftyCharacterTails) {
    open(ImageBuilder());
    std::vector<std::string> aliases;
    for (int i = 1; i <= 60; ++i) {
        const std::string number = (i < 10 ? "0" : "") + std::to_string(i);
        const auto group = copied("Holiday photo " + number + ".jpeg", {1});
        ASSERT_FALSE(group.empty()) << i;
        aliases.push_back(shortOf(group[0]));
    }
    EXPECT_EQ(aliases[0], "HOLIDA~1JPE");
    EXPECT_EQ(aliases[8], "HOLIDA~9JPE");
    EXPECT_EQ(aliases[9], "HOLIDA~0JPE");
    EXPECT_EQ(aliases[10], "HOLIDA~AJPE");
    EXPECT_EQ(aliases[49], "HOLIDA~`JPE");
    EXPECT_EQ(aliases[50], "HOLID~10JPE");
    EXPECT_EQ(aliases[59], "HOLID~19JPE");
}

TEST_F(CopyIn, NamesThatCannotBeStored) {
    open(ImageBuilder());
    const auto host = hostFile("one.bin", {1});
    struct Row {
        std::string name;
        int32_t copied, made;  // CopyT's and MkDir's results
    } rows[] = {
        {std::string(255, 'n'), 0, 0},                                        // FAT's longest name
        {std::string(256, 'n'), result::kNameTooLong, result::kNameTooLong},  // one more
        {"caf\xE9.txt", result::kNameNotText, result::kNameNotText},          // Latin-1, not UTF-8
        {"", result::CopyT::kNameForbidden, result::MkDir::kBadName},
        // What FAT forbids in names, and what other systems would drop from them, is never stored.
        {"a:b*c.txt", result::CopyT::kNameForbidden, result::MkDir::kBadName},
        {"what?", result::CopyT::kNameForbidden, result::MkDir::kBadName},
        {"tab\tname", result::CopyT::kNameForbidden, result::MkDir::kBadName},
        {"del\x7F", result::CopyT::kNameForbidden, result::MkDir::kBadName},
        {"trailing.", result::CopyT::kNameForbidden, result::MkDir::kBadName},
        {"trailing ", result::CopyT::kNameForbidden, result::MkDir::kBadName},
        {"..", result::CopyT::kNameForbidden, result::MkDir::kBadName},
        {".hidden", 0, 0},
        {" leading blank", 0, 0},
    };
    // Folders go into a folder of their own, where a group of 21 slots runs on into a second cluster.
    ASSERT_EQ(state.MkDir("\\SUB"), 0);
    for (const Row& r : rows) {
        // A path ending in "\\" would take the host file's name: an empty name is a bare one.
        EXPECT_EQ(state.CopyT(host.string(), r.name.empty() ? "" : "\\" + r.name), r.copied) << r.name.size();
        if (!r.name.empty()) {
            EXPECT_EQ(state.MkDir("\\SUB\\" + r.name), r.made) << r.name.size();
        }
    }
    DirEntry* e = nullptr;
    int32_t slots = 0;
    EXPECT_EQ(state.GetFDirEntry("\\SUB\\" + std::string(255, 'n'), &e, &slots, nullptr), 0);
    EXPECT_EQ(slots, 21);
    EXPECT_EQ(freeSpace(), freeInTable());
}

TEST_F(CopyIn, DataTailAndTable) {
    ImageBuilder b;
    b.putData(2, std::vector<uint8_t>(4 * 512, 0x77));  // old bytes where the new file goes
    open(b);
    const auto data = patternBytes(1300, 1);
    const auto group = copied("DATA.BIN", data);
    const DirEntry e = slotEntry(group[0]);
    EXPECT_EQ(e.firstCluster, 2);
    EXPECT_EQ(e.size, 1300u);
    ImageBuilder after = onDisk();
    EXPECT_EQ(after.fat(2), 3u);
    EXPECT_EQ(after.fat(3), 4u);
    EXPECT_EQ(after.fat(4), 0xFFFu);
    EXPECT_EQ(after.fat(4, 1), 0xFFFu);
    const auto& bytes = after.bytes();
    const auto start = bytes.begin() + after.clusterOffset(2);
    EXPECT_TRUE(std::equal(data.begin(), data.end(), start));
    EXPECT_TRUE(
        std::all_of(start + 1300, start + 1536, [](uint8_t v) { return v == 0; }));  // the tail is zero
    EXPECT_EQ(freeSpace(), freeInTable());
}

TEST_F(CopyIn, EmptyFilesTakeNoClusterAndWriteNoTable) {
    open(ImageBuilder());
    const auto before = testing_support::readFile(imagePath());
    const auto group = copied("EMPTY", {});
    EXPECT_EQ(slotEntry(group[0]).firstCluster, 0);
    const auto after = testing_support::readFile(imagePath());
    EXPECT_TRUE(std::equal(before.begin(), before.begin() + 9728, after.begin()));  // both tables unchanged
}

TEST_F(CopyIn, ExactlyTheFreeClustersFit) {
    ImageBuilder b;
    for (uint32_t c = 2; c < 2849 - 3; ++c) b.setFat(c, 0xFFF);  // three clusters left
    open(b);
    const auto tooBig = hostFile("big.bin", patternBytes(3 * 512 + 1, 2));
    const auto before = testing_support::readFile(imagePath());
    EXPECT_EQ(state.CopyT(tooBig.string(), "\\BIG.BIN"), 1);
    EXPECT_EQ(testing_support::readFile(imagePath()), before);
    const auto fits = hostFile("fits.bin", patternBytes(3 * 512, 3));
    EXPECT_EQ(state.CopyT(fits.string(), "\\FITS.BIN"), 0);
    EXPECT_EQ(freeSpace(), 0u);
    EXPECT_EQ(freeInTable(), 0u);
}

TEST_F(CopyIn, FullRootAndGrowingSubdirectory) {
    ImageBuilder b;
    for (uint32_t i = 0; i < 223; ++i)
        b.putGroup(1, i, u"", "F" + std::to_string(i) + "          ", attr::kArchive, 0, 0);
    b.putGroup(1, 223, u"", "SUB        ", attr::kDirectory, 2, 0);
    b.makeDirectory(2, 1);
    for (uint32_t i = 2; i < 16; ++i)
        b.putGroup(2, i, u"", "G" + std::to_string(i) + "          ", attr::kArchive, 0, 0);
    open(b);
    const auto host = hostFile("h.bin", patternBytes(700, 4));
    EXPECT_EQ(state.CopyT(host.string(), "\\NEW.BIN"), 2);
    const uint32_t freeBefore = freeSpace();
    EXPECT_EQ(state.CopyT(host.string(), "\\SUB\\NEW.BIN"), 0);
    EXPECT_EQ(freeSpace(), freeBefore - 3);  // two data clusters and one for the folder
    EXPECT_EQ(onDisk().fat(2), 3u);          // the folder's chain now has a second cluster
    EXPECT_EQ(freeSpace(), freeInTable());
    DirEntry* e = nullptr;
    EXPECT_EQ(state.FindInDir("NEW.BIN", 2, &e, nullptr), 0);
}

TEST_F(CopyIn, WhereTheFileGoes) {
    ImageBuilder b;
    b.putGroup(1, 0, u"", "DIR        ", attr::kDirectory, 2, 0);
    b.makeDirectory(2, 1);
    b.putGroup(1, 1, u"", "FILE    TXT", attr::kArchive, 0, 0);
    open(b);
    const auto host = hostFile("host name.txt", {'x'});
    struct Row {
        const char* imagePath;
        int32_t expected;
        const char* lookup;
    } rows[] = {
        {"\\", 0, "\\host name.txt"},
        {"\\DIR\\", 0, "\\DIR\\host name.txt"},
        {"\\DIR\\NAMED.TXT", 0, "\\DIR\\NAMED.TXT"},
        {"BARE.TXT", 0, "\\BARE.TXT"},
        {"\\NOPE\\X.TXT", 4, nullptr},
        {"\\FILE.TXT\\X.TXT", 4, nullptr},  // the folder part names a file
    };
    for (const Row& r : rows) {
        EXPECT_EQ(state.CopyT(host.string(), r.imagePath), r.expected) << r.imagePath;
        if (r.lookup) {
            DirEntry* e = nullptr;
            int32_t slots = 0;
            EXPECT_EQ(state.GetFDirEntry(r.lookup, &e, &slots, nullptr), 0) << r.lookup;
        }
    }
    ASSERT_EQ(state.SetFWrkDir("\\DIR"), 0);
    EXPECT_EQ(state.CopyT(host.string(), "INDIR.TXT"), 0);
    DirEntry* e = nullptr;
    int32_t slots = 0;
    EXPECT_EQ(state.GetFDirEntry("\\DIR\\INDIR.TXT", &e, &slots, nullptr), 0);
}

TEST_F(CopyIn, HostPathsThatAreNoRegularFile) {
    open(ImageBuilder());
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
    struct Row {
        std::string host;
        int32_t expected;
    } rows[] = {{dir.path().string(), 7},
                {(dir / "sub/").string(), 7},
                {(dir / "fifo").string(), 6},
                {(dir / "missing").string(), 6},
                {"/dev/null", 6},
                {"", 6}};
    for (const Row& r : rows) EXPECT_EQ(state.CopyT(r.host, "\\X.BIN"), r.expected) << r.host;
    EXPECT_EQ(freeSpace(), freeInTable());
}

TEST_F(CopyIn, ReadOnlyAndClosedImages) {
    const auto host = hostFile("h.bin", {1});
    ImageState closed;
    EXPECT_EQ(closed.CopyT(host.string(), "\\X"), 10);
    ImageBuilder().save(imagePath());
    testing_support::fs::permissions(imagePath(), testing_support::fs::perms::owner_read);
    ASSERT_EQ(state.OpenFDImg(imagePath().string(), 1), 1);
    EXPECT_EQ(state.CopyT(host.string(), "\\X"), 8);
}

TEST_F(CopyIn, StampsComeFromTheHostFileInUtc) {
    open(ImageBuilder());
    struct Row {
        const char* touch;
        uint16_t date, time;
    } rows[] = {
        {"2003-07-18 09:59:57", 0x2EF2, 0x4F7C},
        {"2044-03-01 12:00:00", (0 << 9) | (3 << 5) | 1, 12 << 11},  // past 2043 the year wraps to 1980
        {"1975-05-05 05:05:05", (0 << 9) | (1 << 5) | 1, 0},         // before 1980: its first second
    };
    int n = 0;
    for (const Row& r : rows) {
        const auto host = hostFile("t.bin", {1});
        runOk("TZ=UTC touch -m -d " + quote(r.touch) + " " + quote(host.string()));
        const std::string name = "T" + std::to_string(n++);
        ASSERT_EQ(state.CopyT(host.string(), name), 0);
        DirEntry* found = nullptr;
        ASSERT_EQ(state.FindInDir(name, 1, &found, nullptr), 0);
        const DirEntry e = *found;
        EXPECT_EQ(e.writeDate, r.date) << r.touch;
        EXPECT_EQ(e.writeTime, r.time) << r.touch;
        EXPECT_EQ(e.attributes, 0x20);
    }
}

}  // namespace
}  // namespace orva
