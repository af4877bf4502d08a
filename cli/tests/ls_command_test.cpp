// orva ls against mtools' own listing of the same images.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

#include "cli_fixture.h"
#include "damaged_images.h"

namespace cli_test {
namespace {

using testing_support::quote;
using testing_support::runOk;
using testing_support::ScratchDir;

class LsOnFloppy : public ::testing::TestWithParam<int> {};

TEST_P(LsOnFloppy, RecursiveListingNamesWhatMdirNames) {
    const fs::path& image = sampleImage(GetParam());
    const CommandResult ls = orvaStdout("ls -R -a " + quote(image.string()));
    ASSERT_EQ(ls.exitCode, 0) << ls.output;
    const std::set<std::string> mdir = mdirPaths(image);
    EXPECT_EQ(lsPaths(ls.output), mdir);

    // Started below the root, in whatever case, the walk covers that folder's part of the same tree.
    const CommandResult docs = orvaStdout("ls -R -a " + quote(image.string()) + " /docs");
    ASSERT_EQ(docs.exitCode, 0) << docs.output;
    std::set<std::string> mdirDocs;
    for (const std::string& p : mdir) {
        if (p.starts_with("::/Docs/") && p != "::/Docs/") mdirDocs.insert(p);
    }
    EXPECT_EQ(lsPaths(docs.output), mdirDocs);
}

INSTANTIATE_TEST_SUITE_P(Sizes, LsOnFloppy, ::testing::Values(1440, 720, 1200, 360),
                         [](const auto& info) { return std::to_string(info.param) + "K"; });

struct EntryLineCase {
    const char* path;
    const char* afterStamp;  // size, the 8.3 alias column (blank without a long name), the name
};

void PrintTo(const EntryLineCase& c, std::ostream* os) {
    *os << c.path;
}

class LsOneEntry : public ::testing::TestWithParam<EntryLineCase> {};

TEST_P(LsOneEntry, ShowsAttributesStampSizeAliasAndName) {
    const CommandResult ls = orva("ls " + quote(sampleImage(1440).string()) + " " + quote(GetParam().path));
    ASSERT_EQ(ls.exitCode, 0) << ls.output;
    std::string stamp = ls.output.substr(6, 16);
    EXPECT_EQ(ls.output, "----a " + stamp + GetParam().afterStamp + "\n");
    std::replace_if(
        stamp.begin(), stamp.end(), [](char c) { return std::isdigit(static_cast<uint8_t>(c)); }, 'd');
    EXPECT_EQ(stamp, "dddd-dd-dd dd:dd");
}

INSTANTIATE_TEST_SUITE_P(
    Names, LsOneEntry,
    ::testing::Values(EntryLineCase{"README.TXT", "        100              README.TXT"},
                      // stored upper case with the lower-case bits, shown as mtools shows it
                      EntryLineCase{"\\EMPTY", "          0              empty"},
                      EntryLineCase{"/Příliš žluťoučký kůň.txt",
                                    "        700 PRÍLIS~1.TXT Příliš žluťoučký kůň.txt"},
                      EntryLineCase{"docs\\SUB FOLDER/big.bin", "       5000              big.bin"},
                      EntryLineCase{"Docs/Sub Folder/deeper/notes.md", "         33              NOTES.MD"}));

// Hidden entries and the dot entries appear only with -a; hidden folders are not entered without it.
TEST(LsVisibility, HiddenAndDotEntriesOnlyWithAll) {
    ScratchDir scratch;
    const fs::path image = scratch / "hidden.img";
    fs::copy_file(sampleImage(1440), image);
    runOk("mattrib +h -i " + quote(image.string()) + " ::/README.TXT ::/Docs");
    const std::string img = quote(image.string());

    struct Row {
        std::string args;
        bool readmeShown, dotShown, docsContentShown;
    };
    for (const Row& row : {Row{"ls -R " + img, false, false, false}, Row{"ls -R -a " + img, true, true, true},
                           Row{"ls " + img + " docs", false, false, true}}) {
        const CommandResult ls = orvaStdout(row.args);
        ASSERT_EQ(ls.exitCode, 0) << row.args;
        EXPECT_EQ(ls.output.find("-h--a") != std::string::npos, row.readmeShown) << row.args << "\n"
                                                                                 << ls.output;
        EXPECT_EQ(ls.output.find(" ..\n") != std::string::npos, row.dotShown) << row.args << "\n"
                                                                              << ls.output;
        EXPECT_EQ(ls.output.find("c512.bin") != std::string::npos, row.docsContentShown) << row.args;
    }
}

// A folder whose entry points back at its parent must not trap the walk.
TEST(LsDamagedImage, FolderContainingItselfIsReportedNotFollowed) {
    ScratchDir scratch;
    const fs::path tree = scratch / "tree";
    fs::create_directories(tree / "OUTER" / "INNER");
    testing_support::writeFile(tree / "OUTER" / "INNER" / "X.TXT", "x");
    const fs::path image = scratch / "loop.img";
    makeImageOf(image, 1440, tree);

    auto bytes = testing_support::readFile(image);
    const size_t outer = findOnce(bytes, bytesOf("OUTER      \x10"));
    const size_t inner = findOnce(bytes, bytesOf("INNER      \x10"));
    std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(outer + 26), 2,
                bytes.begin() + static_cast<std::ptrdiff_t>(inner + 26));
    testing_support::writeFile(image, bytes);

    const CommandResult ls = orva("ls -R " + quote(image.string()));
    EXPECT_EQ(ls.exitCode, 0) << ls.output;
    EXPECT_NE(ls.output.find("\\OUTER\\INNER: leads back to a folder already walked"), std::string::npos)
        << ls.output;
    // Extracting the tree ends too, with the folder's files once.
    const CommandResult get =
        orva("get -r " + quote(image.string()) + " / " + quote((scratch / "out").string()));
    EXPECT_NE(get.output.find("leads back to a folder already walked"), std::string::npos) << get.output;
    EXPECT_TRUE(fs::exists(scratch / "out" / "OUTER" / "INNER"));
    EXPECT_FALSE(fs::exists(scratch / "out" / "OUTER" / "INNER" / "INNER"));
}

// A folder whose cluster chain leads from its last cluster back to its first: each entry once, the loop
// named.
TEST(LsDamagedImage, FolderWhoseChainLoopsIsListedOnceWithAWarning) {
    ScratchDir scratch;
    const fs::path image = scratch / "loop.img";
    testing_support::makeLoopingFolderImage(image, 40);
    const std::string warning = "\\DIR: the folder's cluster chain leads back into itself";

    const CommandResult ls = orva("ls -R " + quote(image.string()));
    EXPECT_EQ(ls.exitCode, 0) << ls.output;
    for (int i = 1; i <= 40; ++i) {
        const std::string name = " f" + std::to_string(i) + ".txt\n";
        const size_t first = ls.output.find(name);
        EXPECT_NE(first, std::string::npos) << name;
        EXPECT_EQ(ls.output.find(name, first + 1), std::string::npos) << name << " is listed twice";
    }
    EXPECT_NE(ls.output.find(warning), std::string::npos) << ls.output;
    EXPECT_EQ(ls.output.find(warning), ls.output.rfind(warning)) << "one warning";

    // A copy brings every file out once and says that the folder was cut short.
    const fs::path out = scratch / "out";
    const CommandResult get = orva("get -r " + quote(image.string()) + " / " + quote(out.string()));
    EXPECT_EQ(get.exitCode, 3) << get.output;
    EXPECT_NE(get.output.find(warning), std::string::npos) << get.output;
    EXPECT_EQ(std::distance(fs::directory_iterator(out / "DIR"), fs::directory_iterator()), 40);
    EXPECT_EQ(testing_support::readFile(out / "DIR" / "f40.txt"), bytesOf("file 40"));
}

}  // namespace
}  // namespace cli_test

namespace cli_test {
namespace {

// mtools keeps "návrh.txt" as the 8.3 name NÁVRH.TXT with the lower-case flags; every letter is shown
// in lower case, not only the ASCII ones (mdir itself shows nÁvrh.txt).
TEST(LsCaseFlags, LowerCaseAppliesToCodePageLetters) {
    testing_support::ScratchDir dir;
    fs::create_directories(dir / "tree");
    testing_support::writeFile(dir / "tree" / "návrh.txt", std::string("draft"));
    makeImageOf(dir / "img.img", 1440, dir / "tree");
    const CommandResult ls = orvaStdout("ls " + quote((dir / "img.img").string()));
    ASSERT_EQ(ls.exitCode, 0) << ls.output;
    EXPECT_NE(ls.output.find(" návrh.txt\n"), std::string::npos) << ls.output;
    ASSERT_EQ(orva("get " + quote((dir / "img.img").string()) + " návrh.txt " + quote((dir / "out").string()))
                  .exitCode,
              0);
    EXPECT_EQ(testing_support::readFile(dir / "out"), bytesOf("draft"));
}

}  // namespace
}  // namespace cli_test
