// Writing an image onto a floppy: the questions in their order on each line, the size check, refusals.
#include "converter/actions/write_image.h"
#include "action_fixture.h"

namespace converter::actions::testing {
namespace {

using testing_support::patternBytes;
using testing_support::readFile;
using testing_support::writeFile;

constexpr size_t kHd = 1474560;
constexpr uint32_t kCylinder = 18432;

class WriteImage : public ActionTest {};

TEST_F(WriteImage, TheQuestionsFollowThePlatformLine) {
    struct Row {
        const char* line;
        std::deque<bool> answers;
        std::vector<std::string> events;
        int formats;
    } rows[] = {
        {"", {true, false}, {"erase A:?", "format first?", "writing 80/2/18"}, 0},
        {"nt", {true, true}, {"erase A:?", "format first?", "formatting 80/2/18", "writing 80/2/18"}, 1},
        {"9x", {true}, {"must be formatted", "erase A:?", "writing 80/2/18"}, 0},
    };
    for (Row& row : rows) {
        SCOPED_TRACE(row.line);
        medium(kHd);
        const auto image = patternBytes(kHd, 5);
        writeFile(scratch / "full.img", image);
        attach("1.44M:" + path("medium.bin"), row.line);
        observer = {};
        observer.answers = row.answers;
        writeImage(drive(), {path("full.img")}, observer);
        EXPECT_EQ(observer.result().failure, Failure::None);
        EXPECT_EQ(observer.result().cylinders, 80u);
        EXPECT_EQ(observer.events, row.events);
        EXPECT_EQ(observer.cylinders[Phase::Writing], firstCylinders(80));
        EXPECT_EQ(observer.cylinders[Phase::Formatting],
                  firstCylinders(static_cast<uint32_t>(row.formats) * 80));
        EXPECT_EQ(counting->formats, row.formats);
        EXPECT_EQ(counting->writes, std::vector<uint32_t>(80, kCylinder));
        EXPECT_EQ(readFile(scratch / "medium.bin"), image);
    }
}

TEST_F(WriteImage, OnlyAnImageOfTheMediumsSizeIsWritten) {
    const auto bytes = medium(kHd);
    for (const size_t size : {size_t{737280}, kHd - 1, kHd + 512}) {
        SCOPED_TRACE(size);
        writeFile(scratch / "other.img", patternBytes(size, 2));
        attach("1.44M:" + path("medium.bin"));
        observer = {};
        observer.answers = {true};
        writeImage(drive(), {path("other.img")}, observer);
        EXPECT_EQ(observer.result().failure, Failure::ImageSizeDiffers);
        EXPECT_TRUE(observer.result().driveTaken);
        EXPECT_TRUE(counting->writes.empty());
        EXPECT_EQ(readFile(scratch / "medium.bin"), bytes);
    }
}

TEST_F(WriteImage, AProtectedFloppyIsToldApartFromOtherRefusals) {
    struct Row {
        const char* what;
        std::deque<bool> answers;
        int formats;
    } rows[] = {
        {"writing", {true, false}, 0},
        {"formatting first", {true, true}, 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const auto bytes = medium(kHd);
        writeFile(scratch / "full.img", patternBytes(kHd, 5));
        attach("1.44M:" + path("medium.bin") + ":wp");
        observer = {};
        observer.answers = row.answers;
        writeImage(drive(), {path("full.img")}, observer);
        EXPECT_EQ(observer.result().failure, Failure::WriteProtected);
        EXPECT_EQ(observer.result().code, 19);
        EXPECT_EQ(observer.result().cylinders, 0u);
        EXPECT_EQ(counting->formats, row.formats);
        EXPECT_EQ(readFile(scratch / "medium.bin"), bytes);
    }
}

TEST_F(WriteImage, DecliningTheEraseWritesNothing) {
    const auto bytes = medium(kHd);
    writeFile(scratch / "full.img", patternBytes(kHd, 5));
    attach("1.44M:" + path("medium.bin"));
    observer.answers = {false};
    writeImage(drive(), {path("full.img")}, observer);
    EXPECT_EQ(observer.result().failure, Failure::Declined);
    EXPECT_TRUE(observer.result().driveTaken) << "the floppy was locked for the question";
    EXPECT_EQ(observer.events, (std::vector<std::string>{"erase A:?"}));
    EXPECT_EQ(readFile(scratch / "medium.bin"), bytes);
}

}  // namespace
}  // namespace converter::actions::testing
