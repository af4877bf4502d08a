// orva rm, mkdir, attrib, label, boot and new, each checked with mtools and fsck.fat; and the progress line.
#include <gtest/gtest.h>

#include <algorithm>

#include "cli_fixture.h"

namespace cli_test {
namespace {

using testing_support::quote;
using testing_support::readFile;
using testing_support::run;
using testing_support::runOk;
using testing_support::ScratchDir;

// Runs a shell command with $ORVA and $IMG (a copy of the 1.44 MB sample image) set.
struct Edited {
    CommandResult result;
    fs::path image;
};

Edited editCopy(const ScratchDir& scratch, const std::string& command) {
    const fs::path image = scratch / "edit.img";
    fs::copy_file(sampleImage(1440), image);
    return {run("ORVA=" + quote(ORVA_CLI_PATH) + " IMG=" + quote(image.string()) + "; " + command), image};
}

struct EditCase {
    const char* name;
    std::string command;
    int exitCode;
    const char* message;  // "" when none is expected
    std::vector<std::string> gone;
    std::vector<std::string> added;
};

class TreeEdits : public ::testing::TestWithParam<EditCase> {};

TEST_P(TreeEdits, ChangeExactlyWhatWasAskedAndKeepTheImageClean) {
    const EditCase& c = GetParam();
    ScratchDir scratch;
    const Edited edit = editCopy(scratch, c.command);
    EXPECT_EQ(edit.result.exitCode, c.exitCode) << edit.result.output;
    EXPECT_NE(edit.result.output.find(c.message), std::string::npos) << edit.result.output;
    std::set<std::string> expected = mdirPaths(sampleImage(1440));
    for (const std::string& path : c.gone) {
        std::erase_if(expected, [&](const std::string& p) { return p.starts_with(path); });
    }
    expected.insert(c.added.begin(), c.added.end());
    EXPECT_EQ(mdirPaths(edit.image), expected);
    const CommandResult check = fsck(edit.image);
    EXPECT_EQ(check.exitCode, 0) << check.output;
}

const std::string kProtectC512 = "mattrib +r -i \"$IMG\" ::/Docs/c512.bin; ";

INSTANTIATE_TEST_SUITE_P(
    Rm, TreeEdits,
    ::testing::Values(
        EditCase{"File", "$ORVA rm \"$IMG\" readme.txt", 0, "", {"::/README.TXT"}, {}},
        EditCase{"LongNamedFile", "$ORVA rm \"$IMG\" '/příliš žluťoučký kůň.txt'", 0, "", {"::/Příliš"}, {}},
        EditCase{"EmptyFolder", "$ORVA rm \"$IMG\" emptydir", 0, "", {"::/EMPTYDIR/"}, {}},
        EditCase{
            "FolderWithoutR", "$ORVA rm \"$IMG\" docs", 1, "\\Docs: the folder is not empty; use -r", {}, {}},
        EditCase{"Tree", "$ORVA rm -r \"$IMG\" docs", 0, "", {"::/Docs/"}, {}},
        EditCase{"TreeOver2Clusters", "$ORVA rm -r \"$IMG\" /Many/", 0, "", {"::/Many/"}, {}},
        EditCase{"ReadOnlyFile",
                 "mattrib +r -i \"$IMG\" ::/README.TXT; $ORVA rm \"$IMG\" readme.txt",
                 1,
                 "\\README.TXT: is read-only, hidden or system; use -f",
                 {},
                 {}},
        EditCase{"ReadOnlyFileForced",
                 "mattrib +r -i \"$IMG\" ::/README.TXT; $ORVA rm -f \"$IMG\" readme.txt",
                 0,
                 "",
                 {"::/README.TXT"},
                 {}},
        // Everything else goes; the read-only file and the folder above it stay.
        EditCase{"TreeWithReadOnlyFile",
                 kProtectC512 + "$ORVA rm -r \"$IMG\" docs",
                 1,
                 "\\Docs\\c512.bin: is read-only, hidden or system",
                 {"::/Docs/c1024.bin", "::/Docs/Sub Folder/"},
                 {}},
        EditCase{"TreeWithReadOnlyFileForced",
                 kProtectC512 + "$ORVA rm -rf \"$IMG\" docs",
                 0,
                 "",
                 {"::/Docs/"},
                 {}},
        EditCase{"Root", "$ORVA rm -r \"$IMG\" /", 1, "the root folder cannot be deleted", {}, {}}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Mkdir, TreeEdits,
    ::testing::Values(
        EditCase{"InRoot", "$ORVA mkdir \"$IMG\" /NEWDIR", 0, "", {}, {"::/NEWDIR/"}},
        EditCase{"LongCzechNested",
                 "$ORVA mkdir \"$IMG\" 'docs/sub folder/Další složka/'",
                 0,
                 "",
                 {},
                 {"::/Docs/Sub Folder/Další složka/"}},
        EditCase{"ThenPutIntoIt",
                 "echo hi > \"$IMG.txt\"; $ORVA mkdir \"$IMG\" 'New Folder' && "
                 "$ORVA put \"$IMG\" \"$IMG.txt\" 'new folder'",
                 0,
                 "",
                 {},
                 {"::/New Folder/", "::/New Folder/edit.img.txt"}},
        EditCase{"Exists", "$ORVA mkdir \"$IMG\" DOCS", 1, "\\DOCS: already exists as Docs", {}, {}},
        EditCase{"ExistsAsFile",
                 "$ORVA mkdir \"$IMG\" /Readme.Txt",
                 1,
                 "\\Readme.Txt: already exists as README.TXT",
                 {},
                 {}},
        EditCase{"ParentIsAFile", "$ORVA mkdir \"$IMG\" readme.txt/x", 1, "is a file, not a folder", {}, {}},
        EditCase{"BadName", "$ORVA mkdir \"$IMG\" 'a*b'", 1, "the name contains \"*\"", {}, {}}),
    [](const auto& info) { return std::string(info.param.name); });

// A folder entry that leads back up, or to cluster 0 (the root), must not get anything outside deleted.
TEST(RmDamagedImage, LoopingFolderIsNotFollowed) {
    for (const bool toRoot : {false, true}) {
        ScratchDir scratch;
        const fs::path tree = scratch / "tree";
        fs::create_directories(tree / "OUTER" / "INNER");
        testing_support::writeFile(tree / "OUTER" / "INNER" / "X.TXT", "x");
        testing_support::writeFile(tree / "KEEP.TXT", "keep");
        const fs::path image = scratch / "loop.img";
        makeImageOf(image, 1440, tree);
        auto bytes = readFile(image);
        const size_t outer = findOnce(bytes, bytesOf("OUTER      \x10"));
        const size_t inner = findOnce(bytes, bytesOf("INNER      \x10"));
        for (size_t i = 0; i < 2; ++i) bytes[inner + 26 + i] = toRoot ? 0 : bytes[outer + 26 + i];
        testing_support::writeFile(image, bytes);

        const CommandResult rm = orva("rm -r " + quote(image.string()) + " /OUTER");
        EXPECT_EQ(rm.exitCode, 1) << rm.output;
        EXPECT_NE(rm.output.find("\\OUTER\\INNER: leads back to a folder already walked"), std::string::npos)
            << rm.output;
        const CommandResult ls = orvaStdout("ls " + quote(image.string()));
        EXPECT_NE(ls.output.find("KEEP.TXT"), std::string::npos) << ls.output;
        EXPECT_NE(ls.output.find("OUTER"), std::string::npos) << ls.output;
    }
}

TEST(Attrib, ChangesShowAsMattribShowsThem) {
    struct Row {
        std::string path;  // as typed
        std::string changes;
        std::string mtoolsPath;
        std::string letters;
    };
    ScratchDir scratch;
    const fs::path image = scratch / "attr.img";
    fs::copy_file(sampleImage(1440), image);
    const std::string img = quote(image.string());
    for (const Row& row :
         {Row{"readme.txt", "+r", "::/README.TXT", "AR"},
          Row{"/README.TXT", "-a +hs -r", "::/README.TXT", "SH"},
          Row{"readme.txt", "+rhsa -rh", "::/README.TXT", "AS"}, Row{"docs", "+rh", "::/Docs", "HR"},
          Row{"docs\\sub folder\\BIG.BIN", "-a", "::/Docs/Sub Folder/big.bin", ""},
          Row{"příliš žluťoučký kůň.txt", "+S", "::/Příliš žluťoučký kůň.txt", "AS"}}) {
        const CommandResult set = orva("attrib " + img + " " + quote(row.path) + " " + row.changes);
        EXPECT_EQ(set.exitCode, 0) << row.path << " " << row.changes << "\n" << set.output;
        EXPECT_EQ(mattribLetters(image, row.mtoolsPath), row.letters) << row.path << " " << row.changes;
    }
    EXPECT_EQ(orva("attrib " + img + " readme.txt").output, "--s-a \\README.TXT\n");
    EXPECT_EQ(fsck(image).exitCode, 0);

    const CommandResult root = orva("attrib " + img + " / +r");
    EXPECT_EQ(root.exitCode, 1);
    EXPECT_NE(root.output.find("the root folder has no attributes"), std::string::npos) << root.output;
    const CommandResult bad = orva("attrib " + img + " readme.txt +x");
    EXPECT_EQ(bad.exitCode, 2);
    EXPECT_NE(bad.output.find("write them as +r"), std::string::npos) << bad.output;
}

TEST(Label, SetReplaceRemoveAndRefuse) {
    struct Row {
        std::string args;
        int exitCode;
        std::string expected;  // mlabel's line, or the message
    };
    ScratchDir scratch;
    const fs::path image = scratch / "label.img";
    fs::copy_file(sampleImage(720), image);
    const std::string img = quote(image.string());
    for (const Row& row : {Row{"label " + img + " data", 0, " Volume label is DATA"},
                           Row{"label " + img + " 'My Disk 1'", 0, " Volume label is MY DISK 1"},
                           Row{"label " + img, 0, " Volume has no label"},
                           Row{"label " + img + " New", 0, " Volume label is NEW"},
                           Row{"label " + img + " Čechy", 1, "(WriteVol result 7)"},
                           Row{"label " + img + " TWELVE_CHARS", 1, "at most 11 characters"},
                           Row{"label " + img + " a.b", 1, "cannot hold \".\""}}) {
        const CommandResult label = orva(row.args);
        EXPECT_EQ(label.exitCode, row.exitCode) << row.args << "\n" << label.output;
        const std::string shown = row.exitCode == 0 ? runOk("mlabel -s -i " + img + " ::") : label.output;
        EXPECT_NE(shown.find(row.expected), std::string::npos) << row.args << "\n" << shown;
        // The boot sector's copy follows, or fsck.fat would call the disk damaged.
        const CommandResult check = fsck(image);
        EXPECT_EQ(check.exitCode, 0) << row.args << "\n" << check.output;
    }
}

TEST(Boot, SavedSectorLoadsIntoAnotherImageKeepingItsParameters) {
    ScratchDir scratch;
    const fs::path from = scratch / "from.img";
    const fs::path to = scratch / "to.img";
    const fs::path bot = scratch / "SAMPLE.BOT";
    fs::copy_file(sampleImage(720), from);
    newImage(to, "1.44M", "TARGET");
    const std::vector<uint8_t> before = readFile(to);

    ASSERT_EQ(orva("boot " + quote(from.string()) + " --save " + quote(bot.string())).exitCode, 0);
    const std::vector<uint8_t> saved = readFile(bot);
    ASSERT_EQ(saved.size(), 512u);
    EXPECT_TRUE(std::equal(saved.begin(), saved.end(), readFile(from).begin()));
    const CommandResult load = orva("boot " + quote(to.string()) + " --load " + quote(bot.string()));
    ASSERT_EQ(load.exitCode, 0) << load.output;

    const std::vector<uint8_t> after = readFile(to);
    const auto same = [](const std::vector<uint8_t>& a, const std::vector<uint8_t>& b, size_t from,
                         size_t to) {
        return std::equal(a.begin() + from, a.begin() + to, b.begin() + from);
    };
    EXPECT_TRUE(same(after, saved, 0, 11)) << "jump and OEM name from the file";
    EXPECT_TRUE(same(after, before, 11, 62)) << "parameters, label and type of the image";
    EXPECT_TRUE(same(after, saved, 62, 512)) << "boot code from the file";
    EXPECT_TRUE(same(after, before, 512, before.size())) << "nothing else written";
    const CommandResult check = fsck(to);
    EXPECT_EQ(check.exitCode, 0) << check.output;

    testing_support::writeFile(scratch / "short.bot", std::vector<uint8_t>(511, 0));
    const CommandResult refused =
        orva("boot " + quote(to.string()) + " --load " + quote((scratch / "short.bot").string()));
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_NE(refused.output.find("is 511 bytes long"), std::string::npos) << refused.output;
    EXPECT_EQ(orva("boot " + quote(to.string())).exitCode, 2);
}

struct NewCase {
    const char* name;
    const char* type;
    const char* media;
    const char* freeBytes;
};

class NewImage : public ::testing::TestWithParam<NewCase> {};

TEST_P(NewImage, IsCleanAndEmpty) {
    const NewCase& c = GetParam();
    ScratchDir scratch;
    const fs::path labelled = scratch / "labelled.img";
    newImage(labelled, c.type, "Fresh");
    const CommandResult check = fsck(labelled);
    EXPECT_EQ(check.exitCode, 0) << check.output;
    const CommandResult info = orva("info " + quote(labelled.string()));
    EXPECT_NE(info.output.find(c.media), std::string::npos) << info.output;
    EXPECT_NE(info.output.find("Volume label:      \"FRESH\""), std::string::npos) << info.output;
    EXPECT_NE(info.output.find(std::string("Free space:        ") + c.freeBytes), std::string::npos)
        << info.output;

    const fs::path plain = scratch / "plain.img";
    newImage(plain, c.type, "");
    const std::string dir = runOk("mdir -i " + quote(plain.string()) + " ::");
    EXPECT_NE(dir.find("has no label"), std::string::npos) << dir;

    const CommandResult again = orva("new --type " + std::string(c.type) + " " + quote(plain.string()));
    EXPECT_EQ(again.exitCode, 1);
    EXPECT_NE(again.output.find("already exists; use --force"), std::string::npos) << again.output;
    EXPECT_EQ(orva("new --force -l again " + quote(labelled.string())).exitCode, 0);
    EXPECT_EQ(fs::file_size(labelled), 1474560u);
}

INSTANTIATE_TEST_SUITE_P(Types, NewImage,
                         ::testing::Values(NewCase{"1440K", "1.44M", "3.5-inch 1.44 MB", "1457664"},
                                           NewCase{"720K", "720K", "3.5-inch 720 KB", "730112"},
                                           NewCase{"1200K", "1.2M", "5.25-inch 1.2 MB", "1213952"},
                                           NewCase{"360K", "360K", "5.25-inch 360 KB", "362496"}),
                         [](const auto& info) { return std::string(info.param.name); });

// script gives orva a terminal; the line is redrawn with \r and erased at the end.
TEST(Progress, ShownOnATerminalOnly) {
    ScratchDir scratch;
    const fs::path image = scratch / "p.img";
    newImage(image, "1.44M", "P");
    const std::string orvaPath = quote(ORVA_CLI_PATH);
    const std::string put =
        "put -r " + quote(image.string()) + " " + quote((sampleTree() / "Many").string()) + " /";
    const std::string get = "get -r " + quote(image.string()) + " / " + quote((scratch / "out").string());
    for (const std::string& args : {put, get}) {
        const std::string verb = args.substr(0, 3);
        const CommandResult onTerminal = run("script -qec " + quote(orvaPath + " " + args) + " /dev/null");
        EXPECT_EQ(onTerminal.exitCode, 0) << onTerminal.output;
        EXPECT_NE(onTerminal.output.find("\r" + verb + " 40/40 files, 1180/1180 bytes"), std::string::npos)
            << onTerminal.output;
        EXPECT_NE(onTerminal.output.find("\r\033[K"), std::string::npos);
        fs::remove_all(scratch / "out");
    }
}

}  // namespace
}  // namespace cli_test
