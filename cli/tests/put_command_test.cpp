// orva put: what goes in must be what fsck.fat calls clean and what mtools reads back byte for byte; a full
// image stops the copy at the file that did not fit.
#include <gtest/gtest.h>

#include <sys/xattr.h>

#include <cstdio>

#include "cli_fixture.h"

namespace cli_test {
namespace {

using testing_support::quote;
using testing_support::readFile;
using testing_support::run;
using testing_support::runOk;
using testing_support::ScratchDir;
using testing_support::writeFile;

struct TreeCase {
    const char* type;
    int kilobytes;
};

class PutTree : public ::testing::TestWithParam<TreeCase> {};

TEST_P(PutTree, FreshImageHoldsTheTreeAsMtoolsWouldWriteIt) {
    ScratchDir scratch;
    const fs::path image = scratch / "put.img";
    newImage(image, GetParam().type, "TREE");
    std::string sources;
    for (const auto& e : fs::directory_iterator(sampleTree())) sources += " " + quote(e.path().string());
    const CommandResult put = orva("put -r " + quote(image.string()) + sources + " /");
    ASSERT_EQ(put.exitCode, 0) << put.output;
    EXPECT_EQ(put.output, "");  // no terminal, no progress line

    const CommandResult check = fsck(image);
    EXPECT_EQ(check.exitCode, 0) << check.output;
    EXPECT_EQ(mdirPaths(image), mdirPaths(sampleImage(GetParam().kilobytes)));
    mcopyOut(image, scratch / "out");
    EXPECT_EQ(treeDifferences(sampleTree(), scratch / "out"), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(Sizes, PutTree,
                         ::testing::Values(TreeCase{"1.44M", 1440}, TreeCase{"720K", 720},
                                           TreeCase{"1.2M", 1200}, TreeCase{"360K", 360}),
                         [](const auto& info) { return std::to_string(info.param.kilobytes) + "K"; });

struct OneFileCase {
    std::string hostName;
    size_t size;
    std::string imageDir;  // as typed
    std::string mtoolsDir;
    bool readOnly;
    std::string dosAttrib;   // the user.DOSATTRIB text Samba keeps; empty for none
    std::string attributes;  // as mattrib shows them
};

void PrintTo(const OneFileCase& c, std::ostream* os) {
    *os << c.hostName << " -> " << c.imageDir;
}

class PutOneFile : public ::testing::TestWithParam<OneFileCase> {};

TEST_P(PutOneFile, LandsUnderItsOwnNameInTheFolderTyped) {
    const OneFileCase& c = GetParam();
    ScratchDir scratch;
    const fs::path image = scratch / "one.img";
    newImage(image, "1.44M", "ONE");
    for (const char* folder : {"Docs", "Docs/Sub Folder", "Many"}) {
        ASSERT_EQ(orva("mkdir " + quote(image.string()) + " " + quote(folder)).exitCode, 0) << folder;
    }
    const fs::path host = scratch / c.hostName;
    writeFile(host, testing_support::patternBytes(c.size, 77));
    if (!c.dosAttrib.empty() &&
        ::setxattr(host.c_str(), "user.DOSATTRIB", c.dosAttrib.c_str(), c.dosAttrib.size() + 1, 0) != 0) {
        GTEST_SKIP() << "no user extended attributes on " << scratch.path();
    }
    if (c.readOnly) {
        fs::permissions(host, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                        fs::perm_options::remove);
    }

    const CommandResult put =
        orva("put " + quote(image.string()) + " " + quote(host.string()) + " " + quote(c.imageDir));
    ASSERT_EQ(put.exitCode, 0) << put.output;
    const CommandResult check = fsck(image);
    EXPECT_EQ(check.exitCode, 0) << check.output;
    const std::string mtoolsPath = c.mtoolsDir + c.hostName;
    EXPECT_EQ(mattribLetters(image, mtoolsPath), c.attributes);
    runOk("mcopy -n -i " + quote(image.string()) + " " + quote(mtoolsPath) + " " +
          quote((scratch / "back").string()));
    EXPECT_EQ(readFile(scratch / "back"), readFile(host));
}

INSTANTIATE_TEST_SUITE_P(
    Names, PutOneFile,
    ::testing::Values(OneFileCase{"NEW.TXT", 10, "/", "::/", false, "", "A"},
                      OneFileCase{"Nový dokument s dlouhým jménem.txt", 2048, "docs\\sub folder",
                                  "::/Docs/Sub Folder/", false, "", "A"},
                      OneFileCase{"zero", 0, "\\MANY", "::/Many/", false, "", "A"},
                      OneFileCase{"Locked.bin", 1536, "/docs/", "::/Docs/", true, "", "AR"},
                      // Samba's hidden and system bits, read-only from the permissions
                      OneFileCase{"IO.SYS", 512, "/", "::/", true, "0x7", "ASHR"},
                      // the longest name FAT holds (and a host folder too), its group across clusters
                      OneFileCase{std::string(249, 'n') + ".longx", 700, "/", "::/", false, "", "A"},
                      OneFileCase{std::string(254, 'n'), 700, "/docs", "::/Docs/", false, "", "A"}));

struct RefusalCase {
    const char* name;
    std::string
        command;  // $ORVA; $IMG: a copy of the sample image; $H: a host folder holding the files below
    const char* message;
    std::vector<std::string> added;  // what the image holds afterwards that it did not before
};

class PutRefusals : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(PutRefusals, OnlyTheRefusedEntryIsLeftOutAndTheReasonIsGiven) {
    const RefusalCase& c = GetParam();
    ScratchDir scratch;
    const fs::path image = scratch / "img.img";
    fs::copy_file(sampleImage(720), image);
    const fs::path host = scratch / "h";
    for (const char* name :
         {"readme.txt", "docs", "ALONGF~1.TEX", "a:b.txt", "tab\tname", "ok.txt", "clash/CLASH.TXT",
          "clash/Clash.txt", "alias/AAA long name.txt", "alias/AAALON~1.TXT", "odd/a*b?.txt", "odd/dot.",
          "odd/blank ", "odd/kept.txt", "odd/pipe|"}) {
        fs::create_directories((host / name).parent_path());
        writeFile(host / name, std::string("x"));
    }
    fs::create_directories(host / "folder");
    writeFile(host / "caf\xE9.txt", std::string("Latin-1"));
    std::set<std::string> expected = mdirPaths(image);
    expected.insert(c.added.begin(), c.added.end());

    const CommandResult put = run("ORVA=" + quote(ORVA_CLI_PATH) + " IMG=" + quote(image.string()) +
                                  " H=" + quote(host.string()) + "; " + c.command);
    EXPECT_EQ(put.exitCode, 1) << put.output;
    EXPECT_NE(put.output.find(c.message), std::string::npos) << put.output;
    EXPECT_EQ(mdirPaths(image), expected);
    EXPECT_EQ(fsck(image).exitCode, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PutRefusals,
    ::testing::Values(
        RefusalCase{"SameNameOtherCase",
                    "$ORVA put \"$IMG\" \"$H/readme.txt\" /",
                    "\\readme.txt: already exists as README.TXT",
                    {}},
        RefusalCase{
            "FileNamedLikeAFolder", "$ORVA put \"$IMG\" \"$H/docs\" /", "\\docs: already exists as Docs", {}},
        RefusalCase{"NameOfAnAlias",
                    "$ORVA put \"$IMG\" \"$H/ALONGF~1.TEX\" /",
                    "\\ALONGF~1.TEX: already exists as A long file name with spaces.text",
                    {}},
        RefusalCase{
            "FolderWithoutR", "$ORVA put \"$IMG\" \"$H/folder\" /", "folder: is a folder; use -r", {}},
        RefusalCase{"OnlyTheBadNameIsSkipped",
                    "$ORVA put \"$IMG\" \"$H/a:b.txt\" \"$H/ok.txt\" /",
                    "skipped: the name contains \":\"",
                    {"::/ok.txt"}},
        // Within one copied folder: names that differ only in case, and a plain name equal to an alias.
        RefusalCase{"CaseClashInAFolder",
                    "$ORVA put -r \"$IMG\" \"$H/clash\" /",
                    "\\clash\\Clash.txt: already exists",
                    {"::/clash/", "::/clash/CLASH.TXT"}},
        RefusalCase{"AliasClashInAFolder",
                    "$ORVA put -r \"$IMG\" \"$H/alias\" /",
                    "\\alias\\AAALON~1.TXT: already exists as AAA long name.txt",
                    {"::/alias/", "::/alias/AAA long name.txt"}},
        // Every name FAT does not allow is named; the rest of the folder is copied.
        RefusalCase{"ForbiddenInAFolder",
                    "$ORVA put -r \"$IMG\" \"$H/odd\" /",
                    "odd/a*b?.txt: skipped: the name contains \"*\", which FAT does not allow in a name",
                    {"::/odd/", "::/odd/kept.txt"}},
        RefusalCase{"TrailingDotInAFolder",
                    "$ORVA put -r \"$IMG\" \"$H/odd\" /",
                    "odd/dot.: skipped: the name ends with a dot or a blank",
                    {"::/odd/", "::/odd/kept.txt"}},
        RefusalCase{"TrailingBlankInAFolder",
                    "$ORVA put -r \"$IMG\" \"$H/odd\" /",
                    "odd/blank : skipped: the name ends with a dot or a blank",
                    {"::/odd/", "::/odd/kept.txt"}},
        RefusalCase{"ControlCharacter",
                    "$ORVA put \"$IMG\" \"$H/tab\tname\" /",
                    "skipped: the name contains a control character",
                    {}},
        RefusalCase{"NotText",
                    "$ORVA put \"$IMG\" \"$H/\"caf* \"$H/ok.txt\" /",
                    "caf\xE9.txt: skipped: the name is not valid UTF-8",
                    {"::/ok.txt"}},
        RefusalCase{
            "MissingHostFile", "$ORVA put \"$IMG\" \"$H/nothere\" /", "nothere: no such file or folder", {}},
        RefusalCase{"TargetIsAFile",
                    "$ORVA put \"$IMG\" \"$H/ok.txt\" readme.txt",
                    "\\README.TXT: is a file, not a folder",
                    {}},
        RefusalCase{"ReadOnlyImage",
                    "chmod a-w \"$IMG\"; $ORVA put \"$IMG\" \"$H/ok.txt\" /",
                    "the image file is read-only; nothing changed",
                    {}}),
    [](const auto& info) { return std::string(info.param.name); });

struct FullCase {
    const char* name;
    const char* type;
    std::string command;  // $ORVA, $IMG (a fresh image of the type), $H (the host files below)
    const char* stoppedAt;
    const char* result;
    const char* lastCopied;  // mtools path of the last file that must be in the image
};

class PutIntoFullImage : public ::testing::TestWithParam<FullCase> {};

TEST_P(PutIntoFullImage, StopsAtTheFileThatDoesNotFitAndLeavesACleanImage) {
    const FullCase& c = GetParam();
    ScratchDir scratch;
    const fs::path image = scratch / "full.img";
    newImage(image, c.type, "FULL");
    const fs::path host = scratch / "h";
    fs::create_directories(host / "big");
    fs::create_directories(host / "small");
    fs::create_directories(host / "folder");
    for (int i = 1; i <= 5; ++i) {
        writeFile(host / "big" / ("part" + std::to_string(i) + ".bin"),
                  testing_support::patternBytes(100000, i));
    }
    for (int i = 1; i <= 120; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "F%03d.TXT", i);
        writeFile(host / "small" / name, std::string(name));
    }

    const CommandResult put = run("ORVA=" + quote(ORVA_CLI_PATH) + " IMG=" + quote(image.string()) +
                                  " H=" + quote(host.string()) + "; " + c.command);
    EXPECT_EQ(put.exitCode, 1) << put.output;
    EXPECT_NE(put.output.find(std::string(c.stoppedAt) + ": "), std::string::npos) << put.output;
    EXPECT_NE(put.output.find(c.result), std::string::npos) << put.output;
    EXPECT_NE(put.output.find("stopped"), std::string::npos) << put.output;
    const CommandResult check = fsck(image);
    EXPECT_EQ(check.exitCode, 0) << check.output;
    runOk("mcopy -n -i " + quote(image.string()) + " " + quote(c.lastCopied) + " " +
          quote((scratch / "back").string()));
    const std::string hostName =
        std::string(c.lastCopied).substr(std::string(c.lastCopied).find_last_of('/') + 1);
    const fs::path source =
        fs::exists(host / "big" / hostName) ? host / "big" / hostName : host / "small" / hostName;
    EXPECT_EQ(readFile(scratch / "back"), readFile(source));
}

INSTANTIATE_TEST_SUITE_P(Cases, PutIntoFullImage,
                         ::testing::Values(
                             // 354 clusters of 1 KB: three files of 98 clusters fit, a fourth does not.
                             FullCase{"NoClusterLeft", "360K", "$ORVA put -r \"$IMG\" \"$H/big\" /",
                                      "\\big\\part4.bin", "(CopyT result 1)", "::/big/part3.bin"},
                             // 112 root slots, one of them the label.
                             FullCase{"RootFull", "360K", "$ORVA put \"$IMG\" \"$H\"/small/* /", "\\F112.TXT",
                                      "(CopyT result 2)", "::/F111.TXT"},
                             FullCase{"NoSlotForAFolder", "360K",
                                      "$ORVA put \"$IMG\" \"$H\"/small/F0* \"$H\"/small/F10* "
                                      "\"$H\"/small/F110.TXT \"$H\"/small/F111.TXT / && "
                                      "$ORVA put -r \"$IMG\" \"$H/folder\" /",
                                      "\\folder", "(MkDir result 3)", "::/F111.TXT"}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace cli_test
