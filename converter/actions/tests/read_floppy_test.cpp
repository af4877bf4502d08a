// Reading a floppy into an image, told event by event: what the window's texts could never carry.
#include <cerrno>
#include <filesystem>

#include "action_fixture.h"
#include "converter/actions/read_floppy.h"

namespace converter::actions::testing {
namespace {

namespace fs = std::filesystem;
using testing_support::readFile;

constexpr size_t kHd = 1474560;
constexpr uint32_t kCylinder = 18432;

// Each way a drive is reached: this host's own variant and the two Windows lines.
class ReadFloppyLines : public ActionTest, public ::testing::WithParamInterface<std::string> {};

TEST_P(ReadFloppyLines, AHealthyFloppyIsReadOneCylinderPerRequest) {
    const auto bytes = medium(kHd);
    attach("1.44M:" + path("medium.bin"), GetParam());
    readFloppy(drive(), {path("copy.img")}, observer);
    EXPECT_EQ(observer.result().failure, Failure::None);
    EXPECT_EQ(observer.result().cylinders, 80u);
    EXPECT_EQ(observer.events, (std::vector<std::string>{"reading 80/2/18"}));
    EXPECT_EQ(observer.cylinders[Phase::Reading], firstCylinders(80));
    EXPECT_EQ(counting->reads, std::vector<uint32_t>(80, kCylinder));
    EXPECT_EQ(readFile(scratch / "copy.img"), bytes);
}

INSTANTIATE_TEST_SUITE_P(Lines, ReadFloppyLines, ::testing::Values("", "nt", "9x"), [](const auto& info) {
    return info.param.empty() ? std::string("host") : info.param;
});

class ReadFloppy : public ActionTest {};

TEST_F(ReadFloppy, ABadSectorCarriesItsPlaceCodeAndOffset) {
    medium(kHd);
    attach("1.44M:" + path("medium.bin") + ":bad=3/1/5,79/1/18@4");
    readFloppy(drive(), {path("bad.img")}, observer);
    ASSERT_EQ(observer.badSectors.size(), 2u);
    const BadSector& first = observer.badSectors[0];
    EXPECT_EQ(first.cylinder, 3u);
    EXPECT_EQ(first.head, 1u);
    EXPECT_EQ(first.sector, 5u);
    EXPECT_EQ(first.code, static_cast<int>(ERROR_CRC));
    EXPECT_EQ(first.offset, ((3u * 2 + 1) * 18 + 4) * 512);
    const BadSector& last = observer.badSectors[1];
    EXPECT_EQ(last.cylinder * 100 + last.head * 10 + last.sector, 79u * 100 + 10 + 18);
    EXPECT_EQ(last.code, static_cast<int>(ERROR_SECTOR_NOT_FOUND));
    EXPECT_EQ(last.offset, kHd - 512);

    const auto image = readFile(scratch / "bad.img");
    ASSERT_EQ(image.size(), kHd);
    EXPECT_EQ(std::vector<uint8_t>(image.begin() + 66560, image.begin() + 66560 + 512),
              std::vector<uint8_t>(512, 0xEE));
    EXPECT_EQ(observer.result().failure, Failure::None);
    EXPECT_EQ(observer.result().cylinders, 80u);
}

TEST_F(ReadFloppy, StoppingAtABadSectorEndsWithTheCylindersBefore) {
    const auto bytes = medium(kHd);
    attach("1.44M:" + path("medium.bin") + ":bad=10/0/1,20/0/1");
    observer.decisions = {BadSectorDecision::Stop};
    readFloppy(drive(), {path("stop.img")}, observer);
    EXPECT_EQ(observer.result().failure, Failure::StoppedAtBadSector);
    EXPECT_EQ(observer.result().cylinders, 10u);
    EXPECT_EQ(observer.badSectors.size(), 1u) << "nothing is read after the stop";
    EXPECT_EQ(observer.cylinders[Phase::Reading], firstCylinders(10));
    const auto image = readFile(scratch / "stop.img");
    EXPECT_EQ(image, std::vector<uint8_t>(bytes.begin(), bytes.begin() + 10 * kCylinder));
}

TEST_F(ReadFloppy, ShortReadsStillBringTheWholeMedium) {
    const auto bytes = medium(kHd, 3);
    attach("1.44M:" + path("medium.bin") + ":short=10240");
    readFloppy(drive(), {path("short.img")}, observer);
    EXPECT_EQ(readFile(scratch / "short.img"), bytes);
    EXPECT_EQ(observer.cylinders[Phase::Reading], firstCylinders(80));
    EXPECT_TRUE(observer.badSectors.empty());
}

TEST_F(ReadFloppy, AnImageThatCannotBeHadIsRefusedBeforeTheFloppy) {
    medium(kHd);
    fs::create_directories(scratch / "folder.img");
    struct Row {
        const char* what;
        std::string image;
        bool onCd;
        Failure failure;
        int code;
    } rows[] = {
        {"a folder", path("folder.img"), false, Failure::ImageFile, EISDIR},
        {"a device", "/dev/null", false, Failure::ImageFile, EINVAL},
        {"on a CD", path("new.img"), true, Failure::ImageOnOpticalDrive, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        attach("1.44M:" + path("medium.bin"));
        observer.results.clear();
        readFloppy(drive(), {row.image, row.onCd}, observer);
        EXPECT_EQ(observer.result().failure, row.failure);
        EXPECT_EQ(observer.result().code, row.code);
        EXPECT_TRUE(counting->calls.empty()) << "the drive is not even opened";
        EXPECT_FALSE(observer.result().driveTaken);
    }
    EXPECT_EQ(observer.results.back().subject, "") << "a CD is no path";
    EXPECT_FALSE(fs::exists(scratch / "new.img"));
}

TEST_F(ReadFloppy, AnImageThatCannotBeCreatedIsSaidWithItsPath) {
    medium(kHd);
    attach("1.44M:" + path("medium.bin"));
    const std::string image = path("missing/copy.img");
    readFloppy(drive(), {image}, observer);
    EXPECT_EQ(observer.result().failure, Failure::ImageFile);
    EXPECT_EQ(observer.result().code, ENOENT);
    EXPECT_EQ(observer.result().subject, image);
    EXPECT_EQ(observer.events, (std::vector<std::string>{"reading 80/2/18"})) << "the phase had begun";
    EXPECT_TRUE(counting->reads.empty());
}

}  // namespace
}  // namespace converter::actions::testing
