// Formatting a floppy: the empty file system of each type, the type offered for an unformatted floppy
// (decided from the drive's own list of types), and what stops a format before it begins.
#include <sstream>

#include "action_fixture.h"
#include "converter/actions/drive_inspection.h"
#include "converter/actions/format_floppy.h"
#include "converter/actions/format_types.h"

namespace converter::actions::testing {
namespace {

namespace fs = std::filesystem;
using testing_support::patternBytes;
using testing_support::readFile;
using testing_support::writeFile;

class FormatFloppy : public ActionTest {
  protected:
    // What the window or orva would know of the drive before formatting.
    DriveFacts listed() { return inspectDrive(*counting, 1).facts; }

    // fsck.fat's findings on an image, leaving out the unlabelled boot label every new floppy has.
    static std::string findings(const fs::path& image) {
        const auto r = testing_support::run("fsck.fat -n " + testing_support::quote(image.string()));
        std::string out;
        std::istringstream lines(r.output);
        for (std::string line; std::getline(lines, line);) {
            if (line.starts_with("fsck.fat ") || line.find("__NO_NAME__") != std::string::npos ||
                line.find("label from boot sector") != std::string::npos ||
                line == "Leaving filesystem unchanged." || line.starts_with(image.string()) || line.empty())
                continue;
            out += line + "\n";
        }
        return out;
    }
};

TEST_F(FormatFloppy, EachTypeGetsAnEmptyFileSystem) {
    struct Row {
        const char* drive;
        const char* medium;
        size_t bytes;
        uint8_t mediaByte;
        size_t secondFat;
    } rows[] = {
        {"1.44M", "blank", 1474560, 0xF0, 5120},
        {"1.44M", "blank=720K", 737280, 0xF9, 2048},
        {"1.2M", "blank", 1228800, 0xF9, 4096},
        {"1.2M", "blank=360K", 368640, 0xFD, 1536},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.drive) + " " + row.medium);
        writeFile(scratch / "medium.bin", patternBytes(row.bytes, 1));
        attach(std::string(row.drive) + ":" + path("medium.bin"));
        observer = {};
        observer.answers = {true};
        formatFloppy(drive(), {.listed = listed()}, observer);
        EXPECT_EQ(observer.result().failure, Failure::None);
        EXPECT_EQ(observer.events.front(), "erase A:?");
        EXPECT_EQ(counting->formats, 1);
        const auto bytes = readFile(scratch / "medium.bin");
        ASSERT_EQ(bytes.size(), row.bytes);
        EXPECT_EQ(std::string(bytes.begin() + 43, bytes.begin() + 54), "__NO_NAME__");
        EXPECT_EQ(bytes[512], row.mediaByte);
        EXPECT_EQ(bytes[row.secondFat], row.mediaByte);
        EXPECT_EQ(bytes[row.secondFat + 1], 0xFF);
        EXPECT_EQ(findings(scratch / "medium.bin"), "");
    }
}

TEST_F(FormatFloppy, TheOfferIsTheDrivesHighestTypeWithATemplate) {
    const auto type = [](int32_t mediaType) { return DiskGeometry{80, mediaType, 2, 18, 512}; };
    struct Row {
        const char* what;
        std::vector<DiskGeometry> types;
        int32_t offered;
    } rows[] = {
        {"3.5-inch HD drive", {type(F3_1Pt44_512), type(F3_720_512)}, F3_1Pt44_512},
        {"3.5-inch ED drive", {type(F3_2Pt88_512), type(F3_1Pt44_512), type(F3_720_512)}, F3_1Pt44_512},
        {"5.25-inch HD drive", {type(F5_1Pt2_512), type(F5_360_512)}, F5_1Pt2_512},
        {"3.5-inch DD drive", {type(F3_720_512)}, F3_720_512},
        {"5.25-inch DD drive", {type(F5_360_512)}, F5_360_512},
        {"smaller types listed first", {type(F5_360_512), type(F3_720_512)}, F3_720_512},
        {"nothing with a template, 3.5-inch second", {type(F3_2Pt88_512), type(F3_20Pt8_512)}, F3_1Pt44_512},
        {"nothing with a template", {type(F3_2Pt88_512)}, F5_1Pt2_512},
        {"no list", {}, F5_1Pt2_512},
    };
    for (const Row& row : rows) {
        const DiskGeometry offered = offeredGeometry(row.types);
        EXPECT_EQ(offered.mediaType, row.offered) << row.what;
        EXPECT_EQ(offered.sectorsPerTrack, builtGeometry(row.offered)->sectorsPerTrack) << row.what;
        EXPECT_EQ(offered.cylinders, builtGeometry(row.offered)->cylinders) << row.what;
    }
}

TEST_F(FormatFloppy, AnUnformattedFloppyIsFormattedToTheOfferWithoutTheEraseQuestion) {
    struct Row {
        const char* scenario;
        std::string offer;
        Failure failure;
    } rows[] = {
        {"1.44M:unformatted", "format to type 2?", Failure::None},
        // A drive without a second type is offered its own, which it can format.
        {"720K:unformatted", "format to type 5?", Failure::None},
        {"360K:unformatted", "format to type 6?", Failure::None},
        // The drive's list decides, whatever the drive is.
        {"1.44M:unformatted:types=720K,360K", "format to type 5?", Failure::None},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.scenario);
        attach(row.scenario);
        observer = {};
        observer.answers = {true};
        const DriveFacts facts = listed();
        EXPECT_FALSE(facts.medium);
        formatFloppy(drive(), {.listed = facts}, observer);
        ASSERT_FALSE(observer.events.empty());
        EXPECT_EQ(observer.events.front(), row.offer);
        EXPECT_EQ(std::count(observer.events.begin(), observer.events.end(), "erase A:?"), 0);
        EXPECT_EQ(observer.result().failure, row.failure);
    }
}

TEST_F(FormatFloppy, WhatStopsAFormatBeforeItBegins) {
    struct Row {
        const char* what;
        const char* scenario;
        const char* line;
        std::deque<bool> answers;
        Failure failure;
        bool opened;
    } rows[] = {
        {"the 95/98 line", "1.44M:blank", "9x", {}, Failure::FormatsOnlyOnNt, false},
        {"the offer declined", "1.44M:unformatted", "", {false}, Failure::Declined, false},
        {"the erase declined", "1.44M:blank", "", {false}, Failure::Declined, true},
        {"no medium, given up", "1.44M:none", "", {true, false}, Failure::NoMedium, true},
        {"protected", "1.44M:blank:wp", "", {true}, Failure::WriteProtected, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        attach(row.scenario, row.line);
        const DriveFacts facts = listed();
        counting->calls.clear();
        observer = {};
        observer.answers = row.answers;
        formatFloppy(drive(), {.listed = facts}, observer);
        EXPECT_EQ(observer.result().failure, row.failure);
        EXPECT_EQ(counting->calls.empty(), !row.opened);
        EXPECT_TRUE(observer.answers.empty()) << "every scripted question asked";
    }
}

TEST_F(FormatFloppy, TemplatesAndTypesAnswerEachOther) {
    for (const bootsectors::TemplateParams& t : bootsectors::kTemplateTable) {
        const auto type = mediaTypeOf(t.id);
        ASSERT_TRUE(type) << t.typeName;
        EXPECT_EQ(templateFor(*type), t.id) << t.typeName;
        EXPECT_EQ(builtGeometry(*type)->sectorsPerTrack, t.sectorsPerTrack) << t.typeName;
    }
    EXPECT_FALSE(templateFor(F3_2Pt88_512));
    EXPECT_FALSE(templateFor(Unknown));
}

}  // namespace
}  // namespace converter::actions::testing
