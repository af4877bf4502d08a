// A rescue from the window: chosen beside the plain read, run without a question per sector, stoppable,
// continued from its map, and ended with what it recovered and what is still hurt.
#include <algorithm>
#include <filesystem>

#include "converter/dialog/texts.h"
#include "converter_fixture.h"
#include "platform/containers/open_image.h"

namespace converter::dialog::testing {
namespace {

namespace fs = std::filesystem;
using testing_support::patternBytes;
using testing_support::readFile;
using testing_support::writeFile;

constexpr size_t kHd = 1474560;
constexpr uint32_t kSectors = 2880;

class RescueTest : public ConverterTest {
  protected:
    // A 1.44 MB medium of known bytes in drive a:, with scenario options after it.
    std::vector<uint8_t> startWithMedium(const std::string& options = "") {
        auto bytes = patternBytes(kHd, 7);
        writeFile(scratch / "medium.bin", bytes);
        start({"a=1.44M:" + path("medium.bin") + options});
        return bytes;
    }
    void rescue(uint32_t rounds, const std::string& name = "copy") {
        dialog->onRescueChosen(true);
        dialog->onRescueRounds(static_cast<int>(rounds));
        typeName(name);
        dialog->onReadFloppy();
    }
    static std::string counts(uint32_t finished, uint32_t byVote, uint32_t missing) {
        return text::fill(text::kRescueCounts, finished, kSectors, byVote, missing);
    }
    bool saidOnce(const std::string& piece) const {
        return view.messages.size() == 1 && view.messages[0].find(piece) != std::string::npos;
    }
};

TEST_F(RescueTest, WeakSectorsComeGoodWithinTheRoundsWithNoQuestionAsked) {
    const auto medium = startWithMedium(":weak=3/1/5/2,70/0/18/3");
    rescue(3);
    // The scripted view fails any question it was not given an answer for.
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0], std::string(text::kRescueDone) + "\n\n" + counts(kSectors, 0, 0));
    EXPECT_EQ(readFile(scratch / "copy.gvx"), medium);
    EXPECT_TRUE(fs::exists(scratch / "copy.gvx.map"));
    // The passes took turns in the information list and are gone from it at the end.
    for (const std::string& pass : {std::string(text::kPassCylinders), std::string(text::kPassSectors),
                                    text::fill(text::kPassRetry, 1u, 3u)})
        EXPECT_NE(std::find(view.infoShown.begin(), view.infoShown.end(), pass), view.infoShown.end())
            << pass;
    EXPECT_EQ(std::count(view.info.begin(), view.info.end(), text::kRescuing), 0);
    EXPECT_NE(std::find(view.cylinderTexts.begin(), view.cylinderTexts.end(), "80/80"),
              view.cylinderTexts.end());
    EXPECT_EQ(view.rescueRunning, (std::vector<bool>{true, false}));
}

TEST_F(RescueTest, TheEndCountsWhatWasReadByVoteAndStillMissing) {
    struct Row {
        const char* options;
        uint32_t rounds;
        uint32_t byVote, missing;
    };
    for (const Row& row : {
             Row{"", 0, 0, 0}, Row{":bad=5/0/3,6/1/18", 2, 0, 2},  // never readable
             Row{":raw:crc=5/0/3", 3, 1, 0},                       // noisy data fields, their majority agrees
             Row{":raw:crc=5/0/3:bad=40/1/1", 3, 1, 1},            // both at once
             Row{":weak=7/0/2/9", 2, 0, 1},                        // weaker than the rounds allow
         }) {
        SCOPED_TRACE(row.options);
        view.messages.clear();
        fs::remove(scratch / "copy.gvx.map");
        startWithMedium(row.options);
        rescue(row.rounds);
        ASSERT_EQ(view.messages.size(), 1u);
        EXPECT_NE(view.messages[0].find(counts(kSectors - row.missing, row.byVote, row.missing)),
                  std::string::npos)
            << view.messages[0];
    }
}

TEST_F(RescueTest, TheEndNamesTheFilesAndAreasOnMissingSectors) {
    // A file system made by mkfs.fat and mcopy as the medium, with sectors whose headers are missing. The
    // big file spans sectors 33 to 232 whatever the order mcopy keeps; 4/0/7 is sector 150.
    const fs::path content = scratch / "content";
    fs::create_directories(content / "SLOZKA");
    writeFile(content / "VELKY.BIN", std::vector<uint8_t>(100 * 1024, 0x5A));
    writeFile(content / "SLOZKA" / "MALY.TXT", std::string("maly soubor\n"));
    testing_support::makeFatImage(scratch / "medium.img", 1440);
    testing_support::mcopyTree(scratch / "medium.img", content);
    const std::string hurt = std::string(text::kHurtHeading) + "\n    ";
    struct Row {
        const char* noid;
        std::string said;  // the hurt list
    };
    for (const Row& row : {
             // The last sector of the root folder, which holds no entries yet.
             Row{"0/1/15,4/0/7", hurt + text::kHurtRoot + "\n    \\VELKY.BIN"},
             // Without its boot sector the image cannot be opened: the map alone says so much.
             Row{"0/0/1,4/0/7", hurt + text::kHurtBoot + "\n    " + text::fill(text::kImageNotOpened, 7)},
         }) {
        SCOPED_TRACE(row.noid);
        view.messages.clear();
        fs::remove(scratch / "copy.gvx.map");
        start({"a=1.44M:" + path("medium.img") + ":noid=" + row.noid});
        rescue(1);
        ASSERT_EQ(view.messages.size(), 1u);
        const std::string& said = view.messages[0];
        EXPECT_NE(said.find(counts(kSectors - 2, 0, 2) + "\n\n" + row.said), std::string::npos) << said;
        EXPECT_EQ(said.find("MALY.TXT"), std::string::npos) << said;
        EXPECT_EQ(said.find("SLOZKA"), std::string::npos) << said;
    }
}

TEST_F(RescueTest, AnExistingMapIsOfferedToBeContinued) {
    struct Row {
        bool answer;
        size_t reads;  // requests the second run sends
    };
    for (const Row& row : {Row{true, 1}, Row{false, 80}}) {
        SCOPED_TRACE(row.answer);
        view.messages.clear();
        fs::remove(scratch / "copy.gvx.map");
        startWithMedium(":bad=12/1/4");
        rescue(0);
        ASSERT_NE(view.messages.at(0).find(counts(kSectors - 1, 0, 1)), std::string::npos);
        // The same disk after a cleaning: every sector reads now.
        view.messages.clear();
        const auto medium = startWithMedium();
        view.answers = {row.answer};
        rescue(1);
        ASSERT_EQ(view.messages.size(), 2u);
        EXPECT_EQ(view.messages[0], "[yes/no] " + text::fill(text::kContinueMap, path("copy.gvx").c_str()));
        EXPECT_NE(view.messages[1].find(counts(kSectors, 0, 0)), std::string::npos) << view.messages[1];
        EXPECT_EQ(drive().reads, std::vector<uint32_t>(row.reads, row.answer ? 512 : 18432));
        EXPECT_EQ(readFile(scratch / "copy.gvx"), medium);
    }
}

// Named .imd, the image is an ImageDisk file whose sectors keep their state; a map whose image was removed
// is not offered to be continued.
TEST_F(RescueTest, AnImageDiskNameKeepsEachSectorsStateInTheFile) {
    const auto medium = startWithMedium(":raw:crc=5/0/3:bad=40/1/1");
    rescue(1, "copy.imd");
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_NE(view.messages[0].find(counts(kSectors - 2, 0, 2)), std::string::npos) << view.messages[0];
    namespace pc = platform::containers;
    pc::DecodedImage imd;
    int error = 0;
    ASSERT_EQ(pc::loadImage(path("copy.imd"), imd, error), pc::ContainerError::None);
    EXPECT_EQ(imd.format, pc::ContainerFormat::Imd);
    const size_t crc = (5 * 2 + 0) * 18 + 2;
    const size_t bad = (40 * 2 + 1) * 18 + 0;
    for (size_t s = 0; s < kSectors; ++s) {
        const auto expected = s == crc   ? pc::SectorState::DataError
                              : s == bad ? pc::SectorState::Unavailable
                                         : pc::SectorState::Normal;
        ASSERT_EQ(imd.image.states[s], expected) << s;
        if (expected == pc::SectorState::Normal) {
            ASSERT_TRUE(std::equal(medium.begin() + static_cast<long>(s * 512),
                                   medium.begin() + static_cast<long>(s * 512 + 512),
                                   imd.image.sector(s).begin()));
        }
    }

    fs::remove(scratch / "copy.imd");
    view.messages.clear();
    startWithMedium();
    rescue(1, "copy.imd");
    ASSERT_EQ(view.messages.size(), 1u) << "no question about the map";
    EXPECT_NE(view.messages[0].find(counts(kSectors, 0, 0)), std::string::npos) << view.messages[0];
    EXPECT_NE(std::find(view.info.begin(), view.info.end(), text::kMapWithoutImage), view.info.end());
}

TEST_F(RescueTest, StopEndsTheRunAfterTheRequestUnderWayAndTheRestFollowsLater) {
    const auto medium = startWithMedium();
    view.onStopChance = [this](int chance) {
        if (chance == 10) dialog->onStopRescue();
    };
    rescue(3);
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].rfind(text::kRescueStopped, 0), 0u) << view.messages[0];
    EXPECT_NE(view.messages[0].find(counts(9 * 36, 0, kSectors - 9 * 36)), std::string::npos)
        << view.messages[0];
    EXPECT_EQ(drive().reads.size(), 9u);
    EXPECT_EQ(view.rescueRunning, (std::vector<bool>{true, false}));

    // A later run continues from the map and reads only the cylinders the stop left.
    view.onStopChance = nullptr;
    view.messages.clear();
    start({"a=1.44M:" + path("medium.bin")});
    view.answers = {true};
    rescue(3);
    EXPECT_EQ(drive().reads.size(), 71u);
    EXPECT_EQ(readFile(scratch / "copy.gvx"), medium);
}

}  // namespace
}  // namespace converter::dialog::testing
