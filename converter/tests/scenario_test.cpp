#include <gtest/gtest.h>

#include <filesystem>

#include "emulation/scenario.h"
#include "fixture.h"
#include "media_types.h"

namespace {

using namespace converter;
using namespace converter::emulation;
using Medium = Scenario::Medium;

TEST(Scenario, TextNamesDriveMediumAndConditions) {
    struct Row {
        std::string text;
        DriveKind drive;
        Medium medium;
        int32_t blankType;
        std::string path;
        bool wp, locked, noAnswer;
    };
    const std::vector<Row> rows{
        {"1.44M", DriveKind::Floppy35HD, Medium::Blank, F3_1Pt44_512, "", false, false, false},
        {"1.44m:wp", DriveKind::Floppy35HD, Medium::Blank, F3_1Pt44_512, "", true, false, false},
        {"720K:none", DriveKind::Floppy35DD, Medium::None, F3_720_512, "", false, false, false},
        {"1.2M:blank=360K:locked", DriveKind::Floppy525HD, Medium::Blank, F5_360_512, "", false, true, false},
        {"360K:unformatted:noanswer", DriveKind::Floppy525DD, Medium::Unformatted, F5_360_512, "", false,
         false, true},
        {"2.88M:/tmp/x.img:wp:locked", DriveKind::Floppy35ED, Medium::ImageFile, F3_2Pt88_512, "/tmp/x.img",
         true, true, false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.text);
        const ScenarioParse p = parseScenario(r.text);
        ASSERT_TRUE(p.scenario) << p.error;
        const Scenario& s = *p.scenario;
        EXPECT_EQ(s.drive, r.drive);
        EXPECT_EQ(s.medium, r.medium);
        if (r.medium == Medium::Blank) {
            EXPECT_EQ(s.blankType, r.blankType);
        }
        EXPECT_EQ(s.imagePath, r.path);
        EXPECT_EQ(s.writeProtected, r.wp);
        EXPECT_EQ(s.lockedElsewhere, r.locked);
        EXPECT_EQ(s.noAnswer, r.noAnswer);
    }
}

TEST(Scenario, BadSectorsShortReadsAndTypeLists) {
    const ScenarioParse p =
        parseScenario("1.44M:image.img:bad=3/1/5,0/0/1@4:bad=79/1/18@128:short=9216:types=25");
    ASSERT_TRUE(p.scenario) << p.error;
    const Scenario& s = *p.scenario;
    ASSERT_EQ(s.badSectors.size(), 3u);
    EXPECT_EQ(s.badSectors[0].at, (SectorAddress{3, 1, 5}));
    EXPECT_EQ(s.badSectors[0].status, DriveStatus::CrcError);
    EXPECT_EQ(s.badSectors[1].at, (SectorAddress{0, 0, 1}));
    EXPECT_EQ(s.badSectors[1].status, DriveStatus::SectorNotFound);
    EXPECT_EQ(s.badSectors[2].status, DriveStatus::NotReady);
    EXPECT_EQ(s.shortReadBytes, 9216u);
    EXPECT_EQ(s.supportedCount, 25u);

    const ScenarioParse named = parseScenario("1.2M:types=1.2M,360K,160K");
    ASSERT_TRUE(named.scenario);
    EXPECT_EQ(named.scenario->supportedTypes, (std::vector<int32_t>{F5_1Pt2_512, F5_360_512, F5_160_512}));
}

TEST(Scenario, RescueFaultsRawDriveAndKill) {
    const ScenarioParse p =
        parseScenario("1.44M:image.img:weak=3/1/5/2,0/0/1/0:crc=20/1/7:noid=1/0/3:raw:kill=9:interrupt=4");
    ASSERT_TRUE(p.scenario) << p.error;
    const Scenario& s = *p.scenario;
    ASSERT_EQ(s.weakSectors.size(), 2u);
    EXPECT_EQ(s.weakSectors[0].at, (SectorAddress{3, 1, 5}));
    EXPECT_EQ(s.weakSectors[0].failures, 2u);
    EXPECT_EQ(s.weakSectors[1].failures, 0u);
    EXPECT_EQ(s.crcSectors, (std::vector<SectorAddress>{{20, 1, 7}}));
    EXPECT_EQ(s.missingHeaders, (std::vector<SectorAddress>{{1, 0, 3}}));
    EXPECT_TRUE(s.raw);
    EXPECT_EQ(s.killAtRequest, 9u);
    EXPECT_EQ(s.interruptAtRequest, 4u);
    EXPECT_FALSE(parseScenario("1.44M").scenario->raw);
}

TEST(Scenario, FaultyTextsAreRefused) {
    for (const std::string text : {"",
                                   "3M",
                                   "1.44M:",
                                   "1.44M::wp",
                                   "1.44M:blank=1.2M",
                                   "720K:blank=9M",
                                   "1.44M:bad=3/1",
                                   "1.44M:bad=3/1/0",
                                   "1.44M:bad=1/1/1@0",
                                   "1.44M:bad=1/1/1@256",
                                   "1.44M:bad=a/1/1",
                                   "1.44M:short=x",
                                   "1.44M:short=",
                                   "1.44M:types=65",
                                   "1.44M:types=foo",
                                   "1.44M:blank:frobnicate",
                                   "1.44M:wp=1",
                                   "1.44M:weak=3/1/5",
                                   "1.44M:weak=3/1/5/x",
                                   "1.44M:crc=3/1/5/2",
                                   "1.44M:noid=3/1",
                                   "1.44M:raw=1",
                                   "1.44M:kill=0",
                                   "1.44M:kill=",
                                   "1.44M:interrupt=0"}) {
        const ScenarioParse p = parseScenario(text);
        EXPECT_FALSE(p.scenario) << text;
        EXPECT_FALSE(p.error.empty()) << text;
    }
}

TEST(Scenario, ImageFileSizePicksTheFormat) {
    testing_support::ScratchDir dir;
    struct Row {
        std::string drive;
        size_t bytes;
        std::optional<int32_t> type;  // nothing: refused
    };
    const std::vector<Row> rows{
        {"1.44M", 1474560, F3_1Pt44_512}, {"1.44M", 737280, F3_720_512},
        {"1.2M", 368640, F5_360_512},     {"1.2M", 163840, F5_160_512},
        {"2.88M", 2949120, F3_2Pt88_512}, {"720K", 1474560, std::nullopt},  // an HD floppy in a DD drive
        {"1.44M", 1474561, std::nullopt}, {"1.44M", 0, std::nullopt},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.drive + " " + std::to_string(r.bytes));
        const auto path = dir / "medium.img";
        testing_support::writeFile(path, std::vector<uint8_t>(r.bytes, 0x5A));
        std::string error;
        const auto drive = buildDrive(*parseScenario(r.drive + ":" + path.string()).scenario, error);
        if (!r.type) {
            EXPECT_FALSE(drive);
            EXPECT_FALSE(error.empty());
            continue;
        }
        ASSERT_TRUE(drive) << error;
        ASSERT_TRUE(drive->mediumGeometry());
        EXPECT_EQ(drive->mediumGeometry()->mediaType, *r.type);
        EXPECT_FALSE(drive->writeProtected());
    }
}

TEST(Scenario, ReadOnlyImageIsAWriteProtectedFloppyAndWritesReachTheFile) {
    testing_support::ScratchDir dir;
    const auto path = dir / "medium.img";
    testing_support::writeFile(path, std::vector<uint8_t>(737280, 0));
    std::string error;
    {
        auto drive = buildDrive(*parseScenario("720K:" + path.string()).scenario, error);
        ASSERT_TRUE(drive) << error;
        const std::vector<uint8_t> sector(512, 0xAB);
        EXPECT_EQ(drive->write(3, sector).status, DriveStatus::Ok);
    }
    EXPECT_EQ(testing_support::readFile(path)[3 * 512], 0xAB);

    std::filesystem::permissions(path, std::filesystem::perms::owner_read);
    auto drive = buildDrive(*parseScenario("720K:" + path.string()).scenario, error);
    ASSERT_TRUE(drive) << error;
    EXPECT_TRUE(drive->writeProtected());

    EXPECT_FALSE(buildDrive(*parseScenario("720K:" + (dir / "missing.img").string()).scenario, error));
}

}  // namespace
