// orva get: what lands on the host must be the bytes that went into the image, and nothing outside the
// target.
#include <gtest/gtest.h>

#include "cli_fixture.h"
#include "damaged_images.h"
#include "dated_files.h"

namespace cli_test {
namespace {

using testing_support::quote;
using testing_support::readFile;
using testing_support::ScratchDir;

class GetTree : public ::testing::TestWithParam<int> {};

TEST_P(GetTree, WholeDiskAndOneFolderComeOutByteForByte) {
    ScratchDir scratch;
    const std::string image = quote(sampleImage(GetParam()).string());

    const CommandResult all = orva("get -r " + image + " / " + quote((scratch / "all").string()));
    ASSERT_EQ(all.exitCode, 0) << all.output;
    EXPECT_EQ(treeDifferences(sampleTree(), scratch / "all"), std::vector<std::string>{});

    // A folder to a new host path becomes that folder; into an existing one it keeps its own name.
    const CommandResult sub =
        orva("get -r " + image + " 'docs\\sub folder' " + quote((scratch / "sub").string()));
    ASSERT_EQ(sub.exitCode, 0) << sub.output;
    EXPECT_EQ(treeDifferences(sampleTree() / "Docs" / "Sub Folder", scratch / "sub"),
              std::vector<std::string>{});
    const CommandResult into = orva("get -r " + image + " /DOCS " + quote((scratch / "sub").string()));
    ASSERT_EQ(into.exitCode, 0) << into.output;
    EXPECT_EQ(treeDifferences(sampleTree() / "Docs", scratch / "sub" / "Docs"), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(Sizes, GetTree, ::testing::Values(1440, 720, 1200, 360),
                         [](const auto& info) { return std::to_string(info.param) + "K"; });

struct OneFileCase {
    const char* typed;
    const char* source;    // below the sample tree
    const char* hostName;  // what the copy is called in the target folder
};

void PrintTo(const OneFileCase& c, std::ostream* os) {
    *os << c.typed;
}

class GetOneFile : public ::testing::TestWithParam<OneFileCase> {};

TEST_P(GetOneFile, AnyCaseAndEitherSeparatorFindsTheFile) {
    const OneFileCase& c = GetParam();
    ScratchDir scratch;
    const CommandResult get = orva("get " + quote(sampleImage(720).string()) + " " + quote(c.typed) + " " +
                                   quote(scratch.path().string()));
    ASSERT_EQ(get.exitCode, 0) << get.output;
    ASSERT_TRUE(fs::exists(scratch / c.hostName)) << get.output;
    EXPECT_EQ(readFile(scratch / c.hostName), readFile(sampleTree() / c.source));
}

INSTANTIATE_TEST_SUITE_P(
    Paths, GetOneFile,
    ::testing::Values(OneFileCase{"\\README.TXT", "README.TXT", "README.TXT"},
                      OneFileCase{"readme.txt", "README.TXT", "README.TXT"},
                      OneFileCase{"EMPTY", "empty", "empty"},
                      OneFileCase{"/docs/C512.BIN", "Docs/c512.bin", "c512.bin"},
                      OneFileCase{"Docs\\c1024.bin", "Docs/c1024.bin", "c1024.bin"},
                      OneFileCase{"DOCS/SUB FOLDER/BIG.BIN", "Docs/Sub Folder/big.bin", "big.bin"},
                      OneFileCase{"prÍlis~1.txt", "Příliš žluťoučký kůň.txt", "Příliš žluťoučký kůň.txt"},
                      OneFileCase{"a long FILE name with spaces.TEXT", "A long file name with spaces.text",
                                  "A long file name with spaces.text"},
                      OneFileCase{"many/../Docs/./sub folder/deeper/nulový soubor.dat",
                                  "Docs/Sub Folder/Deeper/nulový soubor.dat", "nulový soubor.dat"}));

// Long names that would leave the target folder, or name no file at all, are refused one by one.
TEST(GetHostNames, NamesThatWouldEscapeTheTargetAreSkipped) {
    ScratchDir scratch;
    const fs::path tree = scratch / "tree";
    fs::create_directories(tree / "Qq");
    testing_support::writeFile(tree / "Qq" / "inner.txt", "inner");
    testing_support::writeFile(tree / "Aqb", "slash");
    testing_support::writeFile(tree / "KEEP.TXT", "keep");
    const fs::path image = scratch / "names.img";
    makeImageOf(image, 1440, tree);
    patchOnce(image, utf16Bytes("Qq"), utf16Bytes(".."));
    patchOnce(image, utf16Bytes("Aqb"), utf16Bytes("a/b"));

    const fs::path target = scratch / "out" / "target";
    fs::create_directories(target);
    const CommandResult get = orva("get -r " + quote(image.string()) + " / " + quote(target.string()));
    EXPECT_EQ(get.exitCode, 1);
    EXPECT_NE(get.output.find("\\..: skipped"), std::string::npos) << get.output;
    EXPECT_NE(get.output.find("\\a/b: skipped"), std::string::npos) << get.output;
    EXPECT_EQ(readFile(target / "KEEP.TXT"), bytesOf("keep"));
    EXPECT_EQ(std::distance(fs::directory_iterator(target), fs::directory_iterator()), 1);
    EXPECT_EQ(std::distance(fs::directory_iterator(scratch / "out"), fs::directory_iterator()), 1);
}

TEST(GetHostNames, LinkInTheTargetFolderIsNotFollowed) {
    ScratchDir scratch;
    const fs::path target = scratch / "target";
    fs::create_directories(target);
    testing_support::writeFile(scratch / "outside.txt", "untouched");
    fs::create_symlink(scratch / "outside.txt", target / "README.TXT");

    const CommandResult get =
        orva("get -r " + quote(sampleImage(1440).string()) + " / " + quote(target.string()));
    EXPECT_EQ(get.exitCode, 1);
    EXPECT_NE(get.output.find("symbolic link is in the way"), std::string::npos) << get.output;
    EXPECT_EQ(readFile(scratch / "outside.txt"), bytesOf("untouched"));
    EXPECT_EQ(readFile(target / "empty"), std::vector<uint8_t>{});
}

// Files whose cluster chains end before their sizes come out as far as their chains go, each with a warning;
// a ".." folder in the root (the root has no dot entries) is named too.
TEST(GetDamaged, WhatIsCutShortOrLeftOutIsNamedAndTheExitSaysSo) {
    ScratchDir scratch;
    const fs::path tree = scratch / "tree";
    fs::create_directories(tree / "SUB");
    testing_support::writeFile(tree / "BIG.BIN", testing_support::patternBytes(3000, 7));
    testing_support::writeFile(tree / "SUB" / "DEEP.BIN", testing_support::patternBytes(2000, 8));
    const fs::path image = scratch / "short.img";
    makeImageOf(image, 1440, tree);
    for (const char* name : {"::BIG.BIN", "::SUB/DEEP.BIN"}) {
        const std::string info = testing_support::runOk("mshowfat -i " + quote(image.string()) + " " + name);
        testing_support::setFatEntry(
            image, static_cast<uint32_t>(std::stoul(info.substr(info.find('<') + 1))), 0xFFF);
    }

    const CommandResult one =
        orva("get " + quote(image.string()) + " /BIG.BIN " + quote(scratch.path().string()));
    EXPECT_EQ(one.exitCode, 3) << one.output;
    EXPECT_NE(
        one.output.find("\\BIG.BIN: the file's cluster chain ends before its size; copied 512 of 3000 bytes"),
        std::string::npos)
        << one.output;
    EXPECT_EQ(fs::file_size(scratch / "BIG.BIN"), 512u);

    const CommandResult all =
        orva("get -r " + quote(image.string()) + " / " + quote((scratch / "out").string()));
    EXPECT_EQ(all.exitCode, 3) << all.output;
    EXPECT_NE(all.output.find("\\SUB\\DEEP.BIN: the file's cluster chain ends before its size"),
              std::string::npos)
        << all.output;

    // SUB renamed ".." in the root: a damaged entry, not a way up.
    patchOnce(image, bytesOf("SUB        \x10"), bytesOf("..         \x10"));
    const CommandResult dots =
        orva("get -r " + quote(image.string()) + " / " + quote((scratch / "dots").string()));
    EXPECT_EQ(dots.exitCode, 1) << dots.output;
    EXPECT_NE(dots.output.find("\\..: skipped"), std::string::npos) << dots.output;
}

// A disk rescued to a folder and copied back keeps its dates: files take their entries' write times (as cp -p
// and mcopy -m do), folders too; --no-times leaves the copy's own time.
TEST(GetTimes, HostFilesTakeTheEntriesWriteTimesAndBringThemBack) {
    using testing_support::datedFiles;
    using testing_support::writtenUtc;
    ScratchDir scratch;
    const fs::path tree = scratch / "tree";
    testing_support::makeDatedTree(tree);
    // The tree's file and folder into a new image.
    const auto putInto = [&](const fs::path& image, const fs::path& from) {
        newImage(image, "1.44M", "");
        return orva("put -r " + quote(image.string()) + " " + quote((from / "OLD.TXT").string()) + " " +
                    quote((from / "Sub folder").string()) + " /")
            .exitCode;
    };
    const fs::path image = scratch / "times.img";
    ASSERT_EQ(putInto(image, tree), 0);

    const fs::path out = scratch / "out";
    const CommandResult get = orva("get -r " + quote(image.string()) + " / " + quote(out.string()));
    ASSERT_EQ(get.exitCode, 0) << get.output;
    for (const auto& f : datedFiles())
        EXPECT_EQ(writtenUtc(out / f.path), std::string(f.written) + "\n") << f.path;
    // The folder's own entry holds the time it was made in the image.
    const std::string listed = orva("ls " + quote(image.string()) + " /").output;
    const std::string folderTime = writtenUtc(out / "Sub folder").substr(0, 16);
    EXPECT_NE(listed.find(folderTime + "      <DIR>"), std::string::npos) << folderTime << "\n" << listed;

    const CommandResult untimed =
        orva("get -r --no-times " + quote(image.string()) + " / " + quote((scratch / "now").string()));
    ASSERT_EQ(untimed.exitCode, 0) << untimed.output;
    EXPECT_NE(writtenUtc(scratch / "now" / "OLD.TXT"), std::string(datedFiles()[0].written) + "\n");

    // Back into a new image: the entries carry the dates they had.
    const fs::path again = scratch / "again.img";
    ASSERT_EQ(putInto(again, out), 0);
    const std::string first = orvaStdout("ls -R " + quote(image.string())).output;
    const std::string second = orvaStdout("ls -R " + quote(again.string())).output;
    for (const auto& f : datedFiles()) {
        const std::string stamp = std::string(f.written).substr(0, 16);
        EXPECT_NE(first.find(stamp), std::string::npos) << first;
        EXPECT_NE(second.find(stamp), std::string::npos) << second;
    }
}

}  // namespace
}  // namespace cli_test
