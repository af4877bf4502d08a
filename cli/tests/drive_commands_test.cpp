// orva drives, read, write and format over emulated drives whose media are files here, so every result can be
// checked byte for byte and with fsck.fat and mtools.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "cli_fixture.h"
#include "orva_version.h"

namespace cli_test {
namespace {

using testing_support::patternBytes;
using testing_support::quote;
using testing_support::readFile;
using testing_support::run;
using testing_support::ScratchDir;
using testing_support::writeFile;

constexpr size_t k144 = 1474560;
constexpr size_t k720 = 737280;
constexpr size_t k12 = 1228800;
constexpr size_t kSector = 512;

struct Split {
    int exitCode;
    std::string out;  // stdout
    std::string err;  // stderr
};

// orva with nobody at the terminal: stdin is /dev/null.
Split orvaSplit(const ScratchDir& scratch, const std::string& arguments) {
    const fs::path err = scratch / "stderr.txt";
    const CommandResult r =
        run("( " + quote(ORVA_CLI_PATH) + " " + arguments + " </dev/null 2>" + quote(err.string()) + " )");
    const auto bytes = readFile(err);
    return {r.exitCode, r.output, std::string(bytes.begin(), bytes.end())};
}

// orva on a terminal of its own (script(1) gives it one), the typed lines fed to it; both streams together.
CommandResult orvaOnTerminal(const std::string& arguments, const std::string& typed) {
    return run("printf " + quote(typed) + " | script -qec " + quote(quote(ORVA_CLI_PATH) + " " + arguments) +
               " /dev/null");
}

// Where sector C/H/S of a floppy with this many sectors per track starts.
size_t offsetOf(size_t cylinder, size_t head, size_t sector, size_t sectorsPerTrack) {
    return ((cylinder * 2 + head) * sectorsPerTrack + sector - 1) * kSector;
}

struct ReadCase {
    const char* name;
    const char* kind;  // the drive's, and the medium's size below
    size_t mediumBytes;
    const char* options;  // scenario options after the medium
    const char* flags;    // orva read's own
    int exitCode;
    std::vector<std::string> badLines;  // stdout
    std::vector<size_t> filledSectors;  // offsets of the sectors filled with 0xEE
    size_t imageBytes;                  // what the image holds: the medium, or the cylinders before a stop
    const char* message;                // on stderr; "" for none at all
};

class ReadFloppy : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadFloppy, TheImageHoldsTheMediumWithBadSectorsFilledAndListed) {
    const ReadCase& c = GetParam();
    ScratchDir scratch;
    const auto medium = patternBytes(c.mediumBytes, 7);
    writeFile(scratch / "medium.bin", medium);
    const fs::path image = scratch / "copy.img";
    const Split r = orvaSplit(scratch, std::string("read a: ") + quote(image.string()) + " " + c.flags +
                                           " --emulate a=" + c.kind + ":" +
                                           quote((scratch / "medium.bin").string()) + c.options);
    EXPECT_EQ(r.exitCode, c.exitCode) << r.err;
    std::string lines;
    for (const std::string& line : c.badLines) lines += line + "\n";
    EXPECT_EQ(r.out, lines);
    if (*c.message == 0) {
        EXPECT_EQ(r.err, "");
    } else {
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    }

    auto expected = medium;
    for (size_t at : c.filledSectors) std::fill_n(expected.begin() + static_cast<long>(at), kSector, 0xEE);
    expected.resize(c.imageBytes);
    EXPECT_EQ(readFile(image), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadFloppy,
    ::testing::Values(ReadCase{"Healthy", "1.44M", k144, "", "", 0, {}, {}, k144, ""},
                      ReadCase{"Healthy720K", "720K", k720, "", "", 0, {}, {}, k720, ""},
                      ReadCase{
                          "ABadSector",
                          "1.44M",
                          k144,
                          ":bad=3/1/5",
                          "",
                          3,
                          {"3/1/5"},
                          {offsetOf(3, 1, 5, 18)},
                          k144,
                          "3/1/5 cannot be read, error 23 (Data error (cyclic redundancy check)); filled"},
                      ReadCase{"BadSectorsInOrder",
                               "1.2M",
                               k12,
                               ":bad=10/0/1,2/1/15",
                               "",
                               3,
                               {"2/1/15", "10/0/1"},
                               {offsetOf(2, 1, 15, 15), offsetOf(10, 0, 1, 15)},
                               k12,
                               "2 unreadable sectors"},
                      ReadCase{"StopOnBadSector",
                               "1.44M",
                               k144,
                               ":bad=3/1/5",
                               "--stop-on-bad-sector",
                               1,
                               {"3/1/5"},
                               {},
                               3 * 18432,
                               "holds only the 3 whole cylinders read before the bad sector"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ReadFloppy, AnEmptyDriveIsNotWaitedForWithoutATerminal) {
    ScratchDir scratch;
    const fs::path image = scratch / "copy.img";
    const Split r = orvaSplit(scratch, "read b: " + quote(image.string()) + " --emulate b=1.2M:none");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "orva: b: no floppy in the drive\n");
    EXPECT_FALSE(fs::exists(image));
}

struct WriteCase {
    const char* name;
    size_t imageBytes;
    const char* options;  // scenario options
    const char* flags;
    int exitCode;
    bool written;
    const char* message;  // on stderr; "" for none at all
};

class WriteFloppy : public ::testing::TestWithParam<WriteCase> {};

TEST_P(WriteFloppy, OnlyAnAgreedWriteOfTheRightSizeChangesTheFloppy) {
    const WriteCase& c = GetParam();
    ScratchDir scratch;
    const auto medium = patternBytes(k144, 1);
    const auto image = patternBytes(c.imageBytes, 2);
    writeFile(scratch / "medium.bin", medium);
    writeFile(scratch / "disk.img", image);
    const Split r =
        orvaSplit(scratch, "write " + quote((scratch / "disk.img").string()) + " a: " + c.flags +
                               " --emulate a=1.44M:" + quote((scratch / "medium.bin").string()) + c.options);
    EXPECT_EQ(r.exitCode, c.exitCode) << r.err;
    EXPECT_EQ(r.out, "");
    if (*c.message == 0) {
        EXPECT_EQ(r.err, "");
    } else {
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    }
    EXPECT_EQ(readFile(scratch / "medium.bin"), c.written ? image : medium);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WriteFloppy,
    ::testing::Values(WriteCase{"RefusedWithoutYes", k144, "", "", 1, false,
                                "a: everything on the floppy will be erased; add --yes to go on\n"},
                      WriteCase{"WithYes", k144, "", "--yes", 0, true, ""},
                      WriteCase{"FormattedFirst", k144, "", "--yes --format", 0, true, ""},
                      WriteCase{"WrongSize", k720, "", "--yes --format", 1, false, "nothing was written\n"},
                      WriteCase{"OneByteShort", k144 - 1, "", "--yes", 1, false,
                                "the image's size is not that of the floppy in the drive"},
                      WriteCase{"WriteProtected", k144, ":wp", "--yes", 1, false,
                                "a: the floppy is write-protected\n"},
                      WriteCase{"LockedElsewhere", k144, ":locked", "--yes", 1, false,
                                "another program holds the drive, error 5 (Access is denied)\n"}),
    [](const auto& info) { return std::string(info.param.name); });

// A read into an ImageDisk image keeps what was not read as sectors without data, and the image goes back
// onto a floppy as the sectors it holds.
TEST(Containers, AReadIntoAnImdMarksItsBadSectorsAndWritesBackAsSectors) {
    ScratchDir scratch;
    const auto medium = patternBytes(k720, 5);
    writeFile(scratch / "medium.bin", medium);
    const fs::path imd = scratch / "copy.IMD";
    const Split read = orvaSplit(scratch, "read a: " + quote(imd.string()) + " --emulate a=720K:" +
                                              quote((scratch / "medium.bin").string()) + ":bad=2/1/4");
    ASSERT_EQ(read.exitCode, 3) << read.err;
    EXPECT_EQ(read.out, "2/1/4\n");
    const auto bytes = readFile(imd);
    ASSERT_GE(bytes.size(), 4u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "IMD ");

    // Converted to raw, the one sector without data is named and filled; everything else is the medium.
    const fs::path raw = scratch / "copy.img";
    const Split converted = orvaSplit(scratch, "convert " + quote(imd.string()) + " " + quote(raw.string()));
    EXPECT_EQ(converted.exitCode, 3) << converted.err;
    auto expected = medium;
    std::fill_n(expected.begin() + static_cast<long>(offsetOf(2, 1, 4, 9)), kSector, 0xEE);
    EXPECT_EQ(readFile(raw), expected);

    writeFile(scratch / "blank.bin", std::vector<uint8_t>(k720, 0));
    const Split written = orvaSplit(scratch, "write " + quote(imd.string()) + " a: --yes --emulate a=720K:" +
                                                 quote((scratch / "blank.bin").string()));
    EXPECT_EQ(written.exitCode, 0) << written.err;
    EXPECT_EQ(readFile(scratch / "blank.bin"), expected);
}

TEST(WriteFloppy, OnATerminalTheQuestionIsAskedAndProgressShownPerCylinder) {
    if (run("command -v script").exitCode != 0) GTEST_SKIP() << "script(1) is not installed";
    ScratchDir scratch;
    const auto medium = patternBytes(k144, 1);
    const auto image = patternBytes(k144, 2);
    writeFile(scratch / "medium.bin", medium);
    writeFile(scratch / "disk.img", image);
    const std::string args = "write " + quote((scratch / "disk.img").string()) +
                             " a: --emulate a=1.44M:" + quote((scratch / "medium.bin").string());

    const CommandResult no = orvaOnTerminal(args, "n\n");
    EXPECT_EQ(no.exitCode, 1) << no.output;
    EXPECT_NE(no.output.find("Go on? [y/N]"), std::string::npos) << no.output;
    EXPECT_EQ(readFile(scratch / "medium.bin"), medium);

    const CommandResult yes = orvaOnTerminal(args, "y\n");
    EXPECT_EQ(yes.exitCode, 0) << yes.output;
    EXPECT_NE(yes.output.find("\rwriting a: cylinder 1 of 80"), std::string::npos) << yes.output;
    EXPECT_NE(yes.output.find("\rwriting a: cylinder 80 of 80"), std::string::npos) << yes.output;
    EXPECT_EQ(readFile(scratch / "medium.bin"), image);
}

TEST(ReadFloppy, OnATerminalAnEmptyDriveWaitsForAFloppyUntilGivenUp) {
    if (run("command -v script").exitCode != 0) GTEST_SKIP() << "script(1) is not installed";
    ScratchDir scratch;
    const fs::path image = scratch / "copy.img";
    const CommandResult r =
        orvaOnTerminal("read b: " + quote(image.string()) + " --emulate b=1.2M:none", "\nn\n");
    EXPECT_EQ(r.exitCode, 1) << r.output;
    const std::string prompt = "no floppy in the drive. Insert one and press Enter";
    const size_t first = r.output.find(prompt);
    ASSERT_NE(first, std::string::npos) << r.output;
    EXPECT_NE(r.output.find(prompt, first + 1), std::string::npos) << "asked again after Enter\n" << r.output;
    EXPECT_FALSE(fs::exists(image));
}

// fsck.fat -n on a fresh unlabelled file system: only the boot sector's "__NO_NAME__" without a root label.
std::string fsckComplaints(const fs::path& image) {
    std::string rest;
    std::istringstream lines(fsck(image).output);
    for (std::string line; std::getline(lines, line);) {
        if (line.empty() || line.starts_with("fsck.fat ") || line.starts_with(image.string() + ": ") ||
            line ==
                "Label in boot sector is '__NO_NAME__', but there is no volume label in root directory." ||
            line == "  Auto-removing label from boot sector." || line == "Leaving filesystem unchanged.")
            continue;
        rest += line + "\n";
    }
    return rest;
}

struct FormatCase {
    const char* name;
    const char* kind;
    size_t mediumBytes;
    const char* flags;
    size_t formattedBytes;
    const char* freeBytes;  // as mdir shows them
    const char* label;      // as mdir shows it; "" for none
};

class FormatFloppy : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatFloppy, LaysDownACleanEmptyFileSystemOfTheType) {
    const FormatCase& c = GetParam();
    ScratchDir scratch;
    const fs::path medium = scratch / "medium.bin";
    writeFile(medium, patternBytes(c.mediumBytes, 3));
    const Split r = orvaSplit(scratch, std::string("format a: --yes ") + c.flags + " --emulate a=" + c.kind +
                                           ":" + quote(medium.string()));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(fs::file_size(medium), c.formattedBytes);
    EXPECT_EQ(fsckComplaints(medium), "");
    if (*c.label != 0) {
        EXPECT_EQ(fsck(medium).exitCode, 0) << "a labelled one has no complaint at all";
    }
    const std::string listing = run("mdir -i " + quote(medium.string()) + " ::").output;
    EXPECT_NE(listing.find("No files"), std::string::npos) << listing;
    EXPECT_NE(listing.find(std::string(c.freeBytes) + " bytes free"), std::string::npos) << listing;
    const std::string labelLine = *c.label == 0 ? "has no label" : std::string("is ") + c.label;
    EXPECT_NE(listing.find(labelLine), std::string::npos) << listing;
}

INSTANTIATE_TEST_SUITE_P(
    Types, FormatFloppy,
    ::testing::Values(FormatCase{"TheMediumsOwn", "1.44M", k144, "", k144, "1 457 664", ""},
                      FormatCase{"To144", "1.44M", k720, "--type 1.44M", k144, "1 457 664", ""},
                      FormatCase{"To720", "1.44M", k144, "--type 720K", k720, "730 112", ""},
                      FormatCase{"To12", "1.2M", k12, "--type 1.2M", k12, "1 213 952", ""},
                      FormatCase{"To360", "1.2M", k12, "--type 360K", 368640, "362 496", ""},
                      FormatCase{"Labelled", "1.44M", k144, "--label 'Rescue 1'", k144, "1 457 664",
                                 "RESCUE 1"},
                      FormatCase{"LabelledTo360", "1.2M", k12, "-t 360K -l old", 368640, "362 496", "OLD"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FormatFloppy, RefusalsLeaveTheMediumAsItWas) {
    struct Row {
        const char* flags;
        const char* options;
        int exitCode;
        const char* message;
    };
    for (const Row& row : {Row{"", "", 1, "everything on the floppy will be erased; add --yes to go on"},
                           Row{"--yes --type 1.44M", "", 1,  // 1.44 MB in a 1.2 MB drive
                               "the drive refused to format the floppy to this type, error "},
                           Row{"--yes", ":wp", 1, "a: the floppy is write-protected\n"},
                           Row{"--yes --label 'a*b'", "", 1, "a label cannot hold \"*\""},
                           Row{"--yes --type 2.88M", "", 2, "2.88M"}}) {
        ScratchDir scratch;
        const fs::path medium = scratch / "medium.bin";
        const auto bytes = patternBytes(k12, 4);
        writeFile(medium, bytes);
        const Split r = orvaSplit(scratch, std::string("format a: ") + row.flags +
                                               " --emulate a=1.2M:" + quote(medium.string()) + row.options);
        EXPECT_EQ(r.exitCode, row.exitCode) << row.flags << "\n" << r.err;
        EXPECT_NE(r.err.find(row.message), std::string::npos) << row.flags << "\n" << r.err;
        EXPECT_EQ(readFile(medium), bytes) << row.flags;
    }
}

// A floppy whose format cannot be made again gets the drive's highest type, said before anything is erased,
// also when --yes agreed to it beforehand.
TEST(FormatFloppy, AFormatThatCannotBeKeptIsReplacedByTheDrivesOwnOnlyWithYes) {
    struct Row {
        const char* scenario;
        const char* flags;
        int exitCode;
        std::vector<std::string> messages;  // on stderr, in this order
    };
    for (const Row& row : {
             Row{"1.44M:unformatted",
                 "",
                 1,
                 {"the floppy is not formatted",
                  "a: the floppy will be formatted to 3.5-inch 1.44 MB; add --yes to go on\n"}},
             Row{"1.44M:unformatted",
                 "--yes",
                 0,
                 {"warning: a: the floppy is not formatted",
                  "warning: a: the floppy will be formatted to 3.5-inch 1.44 MB\n"}},
             Row{"720K:unformatted", "--yes", 0, {"the floppy will be formatted to 3.5-inch 720 KB\n"}},
             Row{"360K:unformatted", "--yes", 0, {"the floppy will be formatted to 5.25-inch 360 KB\n"}},
             Row{"2.88M:blank",
                 "--yes",
                 0,
                 {"warning: a: the floppy's present format, 3.5-inch 2.88 MB, cannot be laid down again\n",
                  "warning: a: the floppy will be formatted to 3.5-inch 1.44 MB\n"}},
         }) {
        ScratchDir scratch;
        const Split r =
            orvaSplit(scratch, std::string("format a: ") + row.flags + " --emulate a=" + row.scenario);
        EXPECT_EQ(r.exitCode, row.exitCode) << row.scenario << " " << row.flags << "\n" << r.err;
        size_t at = 0;
        for (const std::string& message : row.messages) {
            at = r.err.find(message, at);
            ASSERT_NE(at, std::string::npos) << row.scenario << " " << row.flags << ": " << message << "\n"
                                             << r.err;
        }
    }
}

// What went wrong with the drive, said as it happened, and every code with its meaning.
TEST(DriveCommands, DriveFailuresSayWhatHappened) {
    struct Row {
        const char* args;
        const char* message;
    };
    for (const Row& row : {
             Row{"read a: x.img --emulate a=1.44M:blank:noanswer",
                 "orva: a: the drive does not answer, error 21 (The device is not ready)\n"},
             Row{"drives --emulate a=1.44M:blank:noanswer",
                 "orva: a: the drive does not answer, error 21 (The device is not ready)\n"},
             Row{"format a: --yes --emulate a=1.44M:blank:locked",
                 "orva: a: another program holds the drive, error 5 (Access is denied)\n"},
         }) {
        ScratchDir scratch;
        std::string args = row.args;
        if (const size_t image = args.find("x.img"); image != std::string::npos)
            args.replace(image, 5, quote((scratch / "x.img").string()));
        const Split r = orvaSplit(scratch, args);
        EXPECT_EQ(r.err, row.message) << args;
        EXPECT_FALSE(fs::exists(scratch / "x.img")) << args;
    }
}

TEST(DrivesListing, EachDriveWithItsDeviceTypeAndMedium) {
    ScratchDir scratch;
    writeFile(scratch / "medium.bin", patternBytes(k720, 5));
    const Split r =
        orvaSplit(scratch, "drives --emulate a=1.44M:" + quote((scratch / "medium.bin").string()) +
                               " --emulate b=1.2M:none --emulate c=720K:blank:locked");
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out,
              "DRIVE  DEVICE    TYPE                 MEDIUM\n"
              "a:     emulated  3.5  1.44MB 512 BpS  3.5  720KB  512 BpS CTS=80/2/9\n"
              "b:     emulated  5.25 1.2MB  512 BpS  none\n"
              "c:     emulated  -                    unavailable\n");
    EXPECT_EQ(r.err, "orva: c: another program holds the drive, error 5 (Access is denied)\n");
}

TEST(DriveCommands, MistakesOnTheCommandLine) {
    struct Row {
        const char* args;
        int exitCode;
        const char* message;
    };
    for (const Row& row :
         {Row{"read floppy x.img --emulate a=1.44M", 2, "\"floppy\" is not a drive letter"},
          Row{"read z: x.img --emulate a=1.44M --emulate b=720K", 1, "no floppy drive z: (drives: a: b:)"},
          Row{"read a: x.img --emulate a=9M", 1, "drive a: "},
          Row{"read a: x.img --emulate a=1.44M:missing.img", 1,
              "drive a: cannot open missing.img: error 2 (No such file or directory)\n"},
          Row{"write missing.img a: --emulate a=1.44M", 2, "missing.img"},
          Row{"read a: no/x.img --emulate a=1.44M", 1,
              "/no/x.img: the image file cannot be used, error 2 (No such file or directory)\n"},
          Row{"format --emulate a=1.44M", 2, "DRIVE is required"}}) {
        ScratchDir scratch;
        const CommandResult r = run("cd " + quote(scratch.path().string()) + " && " + quote(ORVA_CLI_PATH) +
                                    " " + row.args + " </dev/null");
        EXPECT_EQ(r.exitCode, row.exitCode) << row.args << "\n" << r.output;
        EXPECT_NE(r.output.find(row.message), std::string::npos) << row.args << "\n" << r.output;
        EXPECT_FALSE(fs::exists(scratch / "x.img")) << row.args;
    }
}

TEST(ProgramInfo, VersionHelpAndNoCommand) {
    const CommandResult version = orvaStdout("--version");
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.output, std::string("orva ") + ORVA_VERSION + "\n");

    const CommandResult help = orvaStdout("--help");
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.output.find("Usage: orva"), std::string::npos) << help.output;

    const CommandResult bare = orva("");
    EXPECT_EQ(bare.exitCode, 2);
    EXPECT_EQ(bare.output, help.output) << "the same help, as the complaint";
}

}  // namespace
}  // namespace cli_test
