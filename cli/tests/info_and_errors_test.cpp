// orva info, and how every kind of failure reaches the user.
#include <gtest/gtest.h>

#include <fstream>

#include "cli_fixture.h"

namespace cli_test {
namespace {

using testing_support::quote;
using testing_support::runOk;
using testing_support::ScratchDir;

// mdir's "1 452 544 bytes free" without the grouping blanks.
std::string mdirFreeBytes(const fs::path& image) {
    const std::string out = runOk("mdir -i " + quote(image.string()) + " :: | grep 'bytes free'");
    std::string digits;
    for (char c : out) {
        if (c >= '0' && c <= '9') digits += c;
    }
    return digits;
}

struct InfoCase {
    int kilobytes;
    const char* media;
    const char* geometry;
};

class InfoOnFloppy : public ::testing::TestWithParam<InfoCase> {};

TEST_P(InfoOnFloppy, ReportsGeometryLabelsAndFreeSpace) {
    const InfoCase& c = GetParam();
    const fs::path& image = sampleImage(c.kilobytes);
    const CommandResult info = orva("info " + quote(image.string()));
    ASSERT_EQ(info.exitCode, 0) << info.output;
    for (const std::string& expected :
         {std::string("Media:             ") + c.media, std::string("Geometry:          ") + c.geometry,
          std::string("Volume label:      \"SAMPLE\""), std::string("Boot sector label: \"SAMPLE\""),
          "Free space:        " + mdirFreeBytes(image) + " bytes\n"}) {
        EXPECT_NE(info.output.find(expected), std::string::npos) << expected << "\n" << info.output;
    }
    EXPECT_EQ(info.output.find("Warning"), std::string::npos) << info.output;
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, InfoOnFloppy,
    ::testing::Values(InfoCase{1440, "3.5-inch 1.44 MB (media byte 0xF0)",
                               "80 cylinders, 2 heads, 18 sectors per track, 512 bytes per sector"},
                      InfoCase{720, "3.5-inch 720 KB (media byte 0xF9)",
                               "80 cylinders, 2 heads, 9 sectors per track, 512 bytes per sector"},
                      InfoCase{1200, "5.25-inch 1.2 MB (media byte 0xF9)",
                               "80 cylinders, 2 heads, 15 sectors per track, 512 bytes per sector"},
                      InfoCase{360, "5.25-inch 360 KB (media byte 0xFD)",
                               "40 cylinders, 2 heads, 9 sectors per track, 512 bytes per sector"}),
    [](const auto& info) { return std::to_string(info.param.kilobytes) + "K"; });

TEST(InfoWarnings, OddImagesOpenWithAWarning) {
    struct Row {
        const char* what;
        const char* shellChange;  // applied to the copy, named $IMG
        const char* warning;
    };
    for (const Row& row :
         {Row{"read-only", "chmod a-w \"$IMG\"", "read-only (OpenFDImg result 1)"},
          Row{"one byte longer", "printf x >> \"$IMG\"", "longer than its boot sector says"},
          Row{"one byte shorter", "truncate -s -1 \"$IMG\"", "shorter than its boot sector says"}}) {
        ScratchDir scratch;
        const fs::path image = scratch / "odd.img";
        fs::copy_file(sampleImage(720), image);
        runOk("IMG=" + quote(image.string()) + "; " + row.shellChange);
        const CommandResult info = orva("info " + quote(image.string()));
        EXPECT_EQ(info.exitCode, 0) << row.what << "\n" << info.output;
        EXPECT_NE(info.output.find(row.warning), std::string::npos) << row.what << "\n" << info.output;
    }
}

struct FailureCase {
    const char* name;
    std::string args;  // $IMG stands for the sample image, $OUT for an empty scratch folder
    int exitCode;
    const char* message;
};

class Failures : public ::testing::TestWithParam<FailureCase> {};

TEST_P(Failures, ExitNonZeroWithAMessage) {
    const FailureCase& c = GetParam();
    ScratchDir scratch;
    testing_support::writeFile(scratch / "tiny.img", std::string(40, 'x'));
    // locked.img is held by flock(1) while orva runs, as another program would hold it.
    fs::copy_file(sampleImage(1440), scratch / "locked.img");
    fs::copy_file(sampleImage(1440), scratch / "target.img");
    const std::string command =
        "IMG=" + quote(sampleImage(1440).string()) + " OUT=" + quote(scratch.path().string()) +
        "; flock -x " + quote((scratch / "locked.img").string()) + " " + quote(ORVA_CLI_PATH) + " " + c.args;
    const CommandResult r = testing_support::run(command);
    EXPECT_EQ(r.exitCode, c.exitCode) << r.output;
    EXPECT_NE(r.output.find(c.message), std::string::npos) << r.output;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Failures,
    ::testing::Values(
        // What the host said comes with its number: the library's result only says that it failed.
        FailureCase{"MissingImage", "ls \"$OUT/none.img\"", 1,
                    "none.img: cannot open the image: error 2 (No such file or directory)"},
        FailureCase{"ImageIsAFolder", "ls \"$OUT\"", 1, "cannot open the image: error 21 (Is a directory)"},
        FailureCase{"LockedImage", "ls \"$OUT/locked.img\"", 1,
                    "another program holds it locked: error 11 (Resource temporarily unavailable)"},
        FailureCase{"NewOverAFolder", "new --force \"$OUT\"", 1,
                    "the file cannot be created: error 21 (Is a directory) (CreateEmptyImage result 4)"},
        FailureCase{"NewInAMissingFolder", "new \"$OUT/no/new.img\"", 1,
                    "the file cannot be created: error 2 (No such file or directory)"},
        FailureCase{"PutALockedFile", "put \"$OUT/target.img\" \"$OUT/locked.img\" /", 1,
                    "locked.img: error 11 (Resource temporarily unavailable) not copied"},
        FailureCase{"BootIntoAMissingFolder", "boot \"$IMG\" --save \"$OUT/no/boot.bin\"", 1,
                    "cannot create the file: error 2 (No such file or directory)"},
        FailureCase{"MissingImageCode", "info \"$OUT/none.img\"", 1, "(OpenFDImg result 10)"},
        FailureCase{"NotAnImage", "ls \"$OUT/tiny.img\"", 1,
                    "too short to hold a boot sector (OpenFDImg result 6)"},
        FailureCase{"MissingPath", "ls \"$IMG\" /Docs/nothere", 1, "\\Docs\\nothere: no such file or folder"},
        FailureCase{"MissingFile", "get \"$IMG\" nothere.txt \"$OUT\"", 1, "\\nothere.txt: no such file"},
        FailureCase{"FileAsFolder", "get \"$IMG\" readme.txt/x \"$OUT\"", 1,
                    "\\README.TXT: is a file, not a folder"},
        FailureCase{"FileWithSlash", "ls \"$IMG\" readme.txt/", 1, "is a file, not a folder"},
        FailureCase{"FolderWithoutR", "get \"$IMG\" docs \"$OUT\"", 1, "\\Docs: is a folder; use -r"},
        FailureCase{"HostFolderMissing", "get \"$IMG\" readme.txt \"$OUT/no/such/file\"", 1,
                    "/no/such/file: error 2 (No such file or directory) (CopyF result 2)"},
        FailureCase{"NoImageArgument", "ls", 2, "IMAGE is required"},
        FailureCase{"NoCommand", "", 2, "Subcommands:"},
        FailureCase{"UnknownCodePage", "--codepage NOPE-42 ls \"$IMG\"", 2, "unknown code page"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace cli_test
