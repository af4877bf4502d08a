// orva check: what a rescued image's reader needs to know before trusting its files, against fsck.fat -n
// where both speak; and --fat 2 taking the second table copy when the first is cut.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>

#include "cli_fixture.h"
#include "damaged_images.h"

namespace cli_test {
namespace {

using testing_support::quote;
using testing_support::readFile;
using testing_support::ScratchDir;

constexpr const char* kDeepFile = "A/B/C/A rather long file name.txt";

// The clusters of the three files, from mtools.
struct Chains {
    std::vector<uint32_t> big, small, deep;
};

uint32_t firstCluster(const fs::path& image, const std::string& mtoolsPath) {
    const std::string info =
        testing_support::runOk("mshowfat -i " + quote(image.string()) + " " + quote(mtoolsPath));
    return static_cast<uint32_t>(std::stoul(info.substr(info.find('<') + 1)));
}

// BIG.BIN of 3000 bytes (6 clusters), SMALL.TXT of one, a long-named file of 5000 bytes three folders deep.
Chains makeCheckImage(const fs::path& image) {
    const fs::path tree = image.parent_path() / "tree";
    fs::create_directories(tree / "A" / "B" / "C");
    testing_support::writeFile(tree / "BIG.BIN", testing_support::patternBytes(3000, 1));
    testing_support::writeFile(tree / "SMALL.TXT", testing_support::patternBytes(3, 2));
    testing_support::writeFile(tree / kDeepFile, testing_support::patternBytes(5000, 3));
    makeImageOf(image, 1440, tree);
    using testing_support::chainOf;
    return {chainOf(image, firstCluster(image, "::BIG.BIN")),
            chainOf(image, firstCluster(image, "::SMALL.TXT")),
            chainOf(image, firstCluster(image, std::string("::") + kDeepFile))};
}

std::string hex(uint32_t v) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%03X", v);
    return text;
}

TEST(Check, CleanImageHasNothingToSay) {
    ScratchDir scratch;
    const fs::path image = scratch / "clean.img";
    makeCheckImage(image);
    const CommandResult check = orva("check " + quote(image.string()));
    EXPECT_EQ(check.exitCode, 0) << check.output;
    EXPECT_EQ(check.output, "no damage found\n");
    EXPECT_EQ(fsck(image).exitCode, 0);
}

struct DamageCase {
    const char* name;
    std::function<void(const fs::path&, const Chains&)> damage;
    std::function<std::vector<std::string>(const Chains&)> findings;  // the lines of orva check, in order
    const char* fsckSays;
};

void PrintTo(const DamageCase& c, std::ostream* os) {
    *os << c.name;
}

class CheckDamage : public ::testing::TestWithParam<DamageCase> {};

TEST_P(CheckDamage, NamesWhatIsHurtAsFsckDoes) {
    const DamageCase& c = GetParam();
    ScratchDir scratch;
    const fs::path image = scratch / "hurt.img";
    const Chains chains = makeCheckImage(image);
    c.damage(image, chains);

    const CommandResult check = orvaStdout("check " + quote(image.string()));
    EXPECT_EQ(check.exitCode, 3) << check.output;
    std::string expected;
    for (const std::string& line : c.findings(chains)) expected += line + "\n";
    EXPECT_EQ(check.output, expected);
    const CommandResult fsckRun = fsck(image);
    EXPECT_NE(fsckRun.exitCode, 0) << fsckRun.output;
    EXPECT_NE(fsckRun.output.find(c.fsckSays), std::string::npos) << fsckRun.output;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CheckDamage,
    ::testing::Values(DamageCase{"ChainCutShort",
                                 [](const fs::path& image, const Chains& ch) {
                                     testing_support::setFatEntry(image, ch.big[0], 0xFFF);
                                 },
                                 [](const Chains&) {
                                     return std::vector<std::string>{
                                         "chain short: \\BIG.BIN: 1 cluster for 3000 bytes (6 needed)"};
                                 },
                                 "File size is 3000 bytes, cluster chain length is 512 bytes"},
                      DamageCase{"TableCopiesDiffer",
                                 [](const fs::path& image, const Chains& ch) {
                                     testing_support::setFatEntryInCopy(image, 0, ch.big[0], 0xFFF);
                                 },
                                 [](const Chains& ch) {
                                     return std::vector<std::string>{
                                         "tables differ: cluster " + std::to_string(ch.big[0]) +
                                             ": first copy 0xFFF, second copy " + hex(ch.big[1]),
                                         "chain short: \\BIG.BIN: 1 cluster for 3000 bytes (6 needed)"};
                                 },
                                 "FATs differ"},
                      DamageCase{
                          "ChainsCross",
                          [](const fs::path& image, const Chains& ch) {
                              testing_support::setFatEntry(image, ch.small[0], ch.big[2]);
                          },
                          [](const Chains& ch) {
                              return std::vector<std::string>{
                                  "chain long: \\SMALL.TXT: 5 clusters for 3 bytes (1 needed)",
                                  "clusters shared: \\BIG.BIN and \\SMALL.TXT: 4 clusters from cluster " +
                                      std::to_string(ch.big[2])};
                          },
                          "File size is 3 bytes, cluster chain length is > 512 bytes"},
                      // A name read from a damaged folder keeps its finding on one line.
                      DamageCase{"ControlCharacterInAName",
                                 [](const fs::path& image, const Chains& ch) {
                                     patchOnce(image, utf16Bytes("her"), utf16Bytes("h\nr"));
                                     testing_support::setFatEntry(image, ch.deep[0], 0xFFF);
                                 },
                                 [](const Chains&) {
                                     return std::vector<std::string>{
                                         "chain short: \\A\\B\\C\\A rath?r long file name.txt: 1 cluster for "
                                         "5000 bytes (10 needed)"};
                                 },
                                 "File size is 5000 bytes, cluster chain length is 512 bytes"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Check, LoopingFolderIsNamed) {
    ScratchDir scratch;
    const fs::path image = scratch / "loop.img";
    const std::vector<uint32_t> dir = testing_support::makeLoopingFolderImage(image, 40);
    const CommandResult check = orvaStdout("check " + quote(image.string()));
    EXPECT_EQ(check.exitCode, 3) << check.output;
    EXPECT_NE(check.output.find("chain loops: \\DIR: after " + std::to_string(dir.size()) +
                                " clusters it leads back to cluster " + std::to_string(dir.front()) + "\n"),
              std::string::npos)
        << check.output;
    EXPECT_NE(fsck(image).exitCode, 0);
}

// A map as ddrescue writes it: a finished run, with bad sectors in the first table copy, a not yet scraped
// sector of the root folder, and the last cluster of the deep file (392 of its bytes, the rest is slack).
TEST(Check, MapNamesEveryPartOnSectorsNotRescued) {
    ScratchDir scratch;
    const fs::path image = scratch / "rescued.img";
    const Chains chains = makeCheckImage(image);
    // mkfs.fat's 1.44 MB layout: boot sector, two tables of 9 sectors, 14 sectors of root folder, data.
    constexpr uint64_t kSector = 512;
    constexpr uint64_t kDataSector = 33;
    const uint64_t deepLast = (kDataSector + chains.deep.back() - 2) * kSector;
    struct Run {
        uint64_t pos, size;
        char status;
    };
    const std::vector<Run> runs{{0, 2 * kSector, '+'},
                                {2 * kSector, kSector, '-'},
                                {3 * kSector, 17 * kSector, '+'},
                                {20 * kSector, kSector, '/'},
                                {21 * kSector, deepLast - 21 * kSector, '+'},
                                {deepLast, kSector, '-'},
                                {deepLast + kSector, 2880 * kSector - deepLast - kSector, '+'}};
    std::string map =
        "# Mapfile. Created by GNU ddrescue version 1.27\n# current_pos  current_status  current_pass\n"
        "0x00000000     +               1\n#      pos        size  status\n";
    for (const Run& r : runs) {
        char line[64];
        std::snprintf(line, sizeof line, "0x%08llX  0x%08llX  %c\n", static_cast<unsigned long long>(r.pos),
                      static_cast<unsigned long long>(r.size), r.status);
        map += line;
    }
    const fs::path mapPath = scratch / "rescued.map";
    testing_support::writeFile(mapPath, map);
    testing_support::runOk("ddrescuelog -t " + quote(mapPath.string()));

    const CommandResult check =
        orvaStdout("check --map " + quote(mapPath.string()) + " " + quote(image.string()));
    EXPECT_EQ(check.exitCode, 3) << check.output;
    EXPECT_EQ(check.output,
              "bad sectors: table copy 1: 512 bytes\n"
              "bad sectors: root folder: 512 bytes\n"
              "bad sectors: \\A\\B\\C\\A rather long file name.txt: 392 bytes\n");
}

// The first copy cut, the second whole: get says so and exits 3, or with --fat 2 brings the file out whole.
TEST(TableCopy, GetFollowsTheSecondCopyWhenTold) {
    ScratchDir scratch;
    const fs::path image = scratch / "first-cut.img";
    const Chains chains = makeCheckImage(image);
    testing_support::setFatEntryInCopy(image, 0, chains.big[0], 0xFFF);

    const CommandResult cut =
        orva("get " + quote(image.string()) + " /BIG.BIN " + quote((scratch / "cut").string()));
    EXPECT_EQ(cut.exitCode, 3) << cut.output;
    EXPECT_EQ(fs::file_size(scratch / "cut"), 512u);
    const CommandResult whole =
        orva("get --fat 2 " + quote(image.string()) + " /BIG.BIN " + quote((scratch / "whole").string()));
    EXPECT_EQ(whole.exitCode, 0) << whole.output;
    EXPECT_EQ(readFile(scratch / "whole"), readFile(scratch / "tree" / "BIG.BIN"));
    // check follows the copy it is told to: the second holds the whole chain.
    const CommandResult second = orvaStdout("check --fat 2 " + quote(image.string()));
    EXPECT_EQ(second.output.find("chain short"), std::string::npos) << second.output;
    EXPECT_NE(second.output.find("tables differ: cluster " + std::to_string(chains.big[0])),
              std::string::npos)
        << second.output;
}

TEST(TableCopy, ChoicesOutsideTheCopiesAreRefused) {
    ScratchDir scratch;
    const std::string image = quote(sampleImage(1440).string());
    for (const std::string& args : {"ls --fat 3 " + image, "check --fat 0 " + image}) {
        const CommandResult r = orva(args);
        EXPECT_EQ(r.exitCode, 2) << args << "\n" << r.output;
    }
    const CommandResult noMap = orva("check --map " + quote((scratch / "none.map").string()) + " " + image);
    EXPECT_EQ(noMap.exitCode, 1) << noMap.output;
    EXPECT_NE(noMap.output.find("cannot read the map"), std::string::npos) << noMap.output;

    // An image with one table copy has nothing to compare, and no second copy to follow.
    const std::string one = quote((scratch / "one.img").string());
    testing_support::runOk("mkfs.fat -C -F 12 -f 1 " + one + " 1440");
    const CommandResult checked = orva("check " + one);
    EXPECT_EQ(checked.exitCode, 0) << checked.output;
    const CommandResult second = orva("ls --fat 2 " + one);
    EXPECT_EQ(second.exitCode, 1) << second.output;
    EXPECT_NE(second.output.find("holds one copy of the allocation table"), std::string::npos)
        << second.output;
}

}  // namespace
}  // namespace cli_test
