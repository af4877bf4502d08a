// orva rescue over emulated drives with weak, CRC-failed and bad sectors, its maps checked by GNU ddrescue's
// own ddrescuelog, and a map written by ddrescue itself continued.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cctype>

#include "cli_fixture.h"
#include "platform/containers/open_image.h"

namespace cli_test {
namespace {

using testing_support::patternBytes;
using testing_support::quote;
using testing_support::readFile;
using testing_support::run;
using testing_support::ScratchDir;
using testing_support::writeFile;
namespace pc = platform::containers;

constexpr size_t k144 = 1474560;
constexpr size_t kSector = 512;

size_t lbaOf(size_t cylinder, size_t head, size_t sector) {
    return (cylinder * 2 + head) * 18 + sector - 1;
}

struct Rescue {
    int exitCode;
    std::string out;
};

// A 1.44 MB medium of known bytes, and orva rescue of it into out.img (map beside it).
class RescueTest : public ::testing::Test {
  protected:
    void SetUp() override {
        source_ = patternBytes(k144, 7);
        writeFile(scratch_ / "medium.img", source_);
    }

    // withErrors: stderr in the output too.
    Rescue rescue(const std::string& options, const std::string& flags, const std::string& image = "out.img",
                  bool withErrors = false) {
        const std::string scenario = "a=1.44M:" + (scratch_ / "medium.img").string() + options;
        const auto r = run(quote(ORVA_CLI_PATH) + " rescue a: " + quote((scratch_ / image).string()) + " " +
                           flags + " --emulate " + quote(scenario) + (withErrors ? " 2>&1" : " 2>/dev/null"));
        return {r.exitCode, r.output};
    }

    // The number after "label: " in the summary.
    static long summaryCount(const std::string& out, const std::string& label) {
        const std::string key = label + ": ";
        for (size_t at = out.find(key); at != std::string::npos; at = out.find(key, at + 1)) {
            const size_t digits = at + key.size();
            if ((at == 0 || out[at - 1] == '\n') && digits < out.size() && std::isdigit(out[digits]) != 0)
                return std::stol(out.substr(digits));
        }
        return -1;
    }

    // ddrescuelog's list of the 512-byte blocks in a state, one number a line.
    std::string blocksIn(const fs::path& map, char state) {
        const auto r = run("ddrescuelog -b512 -l" + std::string(1, state) + " " + quote(map.string()));
        EXPECT_EQ(r.exitCode, 0) << r.output;
        return r.output;
    }

    // ddrescuelog -D: 0 when the whole map is finished.
    int ddrescueSaysDone(const fs::path& map) {
        return run("ddrescuelog -D " + quote(map.string()) + " >/dev/null 2>&1").exitCode;
    }

    static pc::DecodedImage decoded(const fs::path& path) {
        pc::DecodedImage image;
        int error = 0;
        EXPECT_EQ(pc::loadImage(path.string(), image, error), pc::ContainerError::None) << path;
        return image;
    }

    ScratchDir scratch_;
    std::vector<uint8_t> source_;
};

struct WeakCase {
    const char* name;
    const char* options;
    const char* retries;
    int exitCode;
    std::vector<size_t> missing;  // LBAs ddrescuelog lists as bad
};

class WeakSectors : public RescueTest, public ::testing::WithParamInterface<WeakCase> {};

TEST_P(WeakSectors, ComeGoodWithinTheRetriesOrStayBadInTheMap) {
    const WeakCase& c = GetParam();
    const Rescue r = rescue(c.options, std::string("--retries ") + c.retries);
    EXPECT_EQ(r.exitCode, c.exitCode) << r.out;
    std::string expected;
    for (size_t lba : c.missing) expected += std::to_string(lba) + "\n";
    EXPECT_EQ(blocksIn(scratch_ / "out.img.map", '-'), expected);
    EXPECT_EQ(ddrescueSaysDone(scratch_ / "out.img.map"), c.missing.empty() ? 0 : 1);
    const auto image = readFile(scratch_ / "out.img");
    ASSERT_EQ(image.size(), k144);
    for (size_t lba = 0; lba < k144 / kSector; ++lba) {
        const bool missing = std::find(c.missing.begin(), c.missing.end(), lba) != c.missing.end();
        const auto at = image.begin() + static_cast<long>(lba * kSector);
        if (missing) {
            EXPECT_TRUE(std::all_of(at, at + kSector, [](uint8_t b) { return b == 0xEE; })) << lba;
        } else {
            EXPECT_TRUE(std::equal(at, at + kSector, source_.begin() + static_cast<long>(lba * kSector)))
                << lba;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rescue, WeakSectors,
    ::testing::Values(WeakCase{"healthy", "", "3", 0, {}},
                      WeakCase{"weak_within_retries", ":weak=3/1/5/2,79/1/18/4", "3", 0, {}},
                      WeakCase{"too_few_retries", ":weak=3/1/5/2,79/1/18/4", "1", 3, {lbaOf(79, 1, 18)}},
                      WeakCase{"no_retries", ":weak=3/1/5/2", "0", 3, {lbaOf(3, 1, 5)}},
                      WeakCase{"bad_stays_bad", ":bad=10/0/1", "2", 3, {lbaOf(10, 0, 1)}},
                      WeakCase{"header_missing", ":noid=0/1/3:raw", "2", 3, {lbaOf(0, 1, 3)}},
                      WeakCase{"crc_plain_reads_fail", ":crc=20/1/7", "5", 3, {lbaOf(20, 1, 7)}},
                      WeakCase{"crc_restored_by_vote", ":crc=20/1/7:raw", "5", 0, {}},
                      WeakCase{"crc_too_few_votes", ":crc=20/1/7:raw", "1", 3, {lbaOf(20, 1, 7)}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(RescueTest, AHealthyFloppyCostsOneRequestPerCylinder) {
    const Rescue r = rescue("", "");
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(summaryCount(r.out, "requests"), 80);
    EXPECT_EQ(summaryCount(r.out, "still missing"), 0);
}

TEST_F(RescueTest, TheSummaryListsSectorsRecoveredByVote) {
    const Rescue r = rescue(":crc=20/1/7:raw", "--retries 5");
    EXPECT_EQ(summaryCount(r.out, "recovered by vote"), 1);
    EXPECT_NE(r.out.find("\n  20/1/7\n"), std::string::npos) << r.out;
}

TEST_F(RescueTest, ASecondRunWithMoreRetriesReadsOnlyWhatIsMissing) {
    const std::string weak = ":weak=5/0/9/4,40/1/1/1";
    Rescue first = rescue(weak, "--retries 1");
    ASSERT_EQ(first.exitCode, 3) << first.out;
    EXPECT_EQ(blocksIn(scratch_ / "out.img.map", '-'), std::to_string(lbaOf(5, 0, 9)) + "\n");
    // A fresh drive: the weak sector fails four more reads, then comes good in the fifth round.
    const Rescue second = rescue(weak, "--retries 6");
    EXPECT_EQ(second.exitCode, 0) << second.out;
    EXPECT_EQ(summaryCount(second.out, "requests"), 5);
    EXPECT_EQ(summaryCount(second.out, "recalibrations"), 5);
    EXPECT_EQ(readFile(scratch_ / "out.img"), source_);
    const Rescue third = rescue(weak, "--retries 6");
    EXPECT_EQ(third.exitCode, 0);
    EXPECT_EQ(summaryCount(third.out, "requests"), 0);
}

TEST_F(RescueTest, AMapWrittenByDdrescueIsContinued) {
    // ddrescue copies the first 40 cylinders and leaves the rest untried in its map.
    const auto dd = run("ddrescue -q -s 737280 " + quote((scratch_ / "medium.img").string()) + " " +
                        quote((scratch_ / "dd.img").string()) + " " + quote((scratch_ / "dd.map").string()));
    ASSERT_EQ(dd.exitCode, 0) << dd.output;
    ASSERT_EQ(ddrescueSaysDone(scratch_ / "dd.map"), 1);
    const Rescue r = rescue("", "--map " + quote((scratch_ / "dd.map").string()), "dd.img");
    EXPECT_EQ(r.exitCode, 0) << r.out;
    EXPECT_EQ(summaryCount(r.out, "requests"), 40);
    EXPECT_EQ(readFile(scratch_ / "dd.img"), source_);
    EXPECT_EQ(ddrescueSaysDone(scratch_ / "dd.map"), 0);
}

TEST_F(RescueTest, AMapOfAnotherMediumIsRefused) {
    writeFile(scratch_ / "out.img", std::vector<uint8_t>(k144));
    writeFile(scratch_ / "out.img.map", std::string("0x0 +\n0x0 0x200000 +\n"));
    const Rescue r = rescue("", "");
    EXPECT_EQ(r.exitCode, 1);
}

// A rescue writes into its image as it reads: a container other than ImageDisk, asked for by name or found
// in the file, and a file whose content is not what its name asks for, would be written over, so they are
// refused before anything is read and the file stays as it was.
TEST_F(RescueTest, AContainerIsNeverWrittenOver) {
    const auto made = run(quote(ORVA_CLI_PATH) + " convert " + quote((scratch_ / "medium.img").string()) +
                          " " + quote((scratch_ / "old.imz").string()) + " 2>&1");
    ASSERT_EQ(made.exitCode, 0) << made.output;
    fs::copy_file(scratch_ / "old.imz", scratch_ / "imz-inside.img");
    fs::copy_file(scratch_ / "old.imz", scratch_ / "imz-inside.imd");
    fs::copy_file(scratch_ / "medium.img", scratch_ / "raw-inside.imd");
    const std::vector<uint8_t> container = readFile(scratch_ / "old.imz");
    for (const char* name :
         {"new.IMZ", "new.td0", "old.imz", "imz-inside.img", "imz-inside.imd", "raw-inside.imd"}) {
        const auto r = run(quote(ORVA_CLI_PATH) + " rescue a: " + quote((scratch_ / name).string()) +
                           " --emulate " + quote("a=1.44M:" + (scratch_ / "medium.img").string()) + " 2>&1");
        EXPECT_EQ(r.exitCode, 1) << name;
        EXPECT_NE(r.output.find("orva convert"), std::string::npos) << r.output;
        EXPECT_FALSE(fs::exists(scratch_ / (std::string(name) + ".map"))) << name;
    }
    EXPECT_FALSE(fs::exists(scratch_ / "new.IMZ"));
    for (const char* name : {"old.imz", "imz-inside.img", "imz-inside.imd"})
        EXPECT_EQ(readFile(scratch_ / name), container) << name;
    EXPECT_EQ(readFile(scratch_ / "raw-inside.imd"), source_);
}

// A run killed while it replaced its map or its ImageDisk file leaves the new file's temporary beside it; the
// next run, holding the image, clears them and nothing else.
TEST_F(RescueTest, TemporariesOfAKilledRunAreCleared) {
    for (const char* name :
         {".out.imd.map.AbC123", ".out.imd.Zz9xY0", ".out.imd.map.keep", ".other.imd.AbC123"})
        writeFile(scratch_ / name, std::string("half"));
    EXPECT_EQ(rescue("", "", "out.imd").exitCode, 0);
    EXPECT_FALSE(fs::exists(scratch_ / ".out.imd.map.AbC123"));
    EXPECT_FALSE(fs::exists(scratch_ / ".out.imd.Zz9xY0"));
    EXPECT_TRUE(fs::exists(scratch_ / ".out.imd.map.keep"));
    EXPECT_TRUE(fs::exists(scratch_ / ".other.imd.AbC123"));
}

// A map whose image is gone speaks of bytes that are not there: the run reads everything again.
TEST_F(RescueTest, AMapWithoutItsImageIsNotTrusted) {
    ASSERT_EQ(rescue(":weak=5/0/9/9", "--retries 0").exitCode, 3);
    fs::remove(scratch_ / "out.img");
    const Rescue again = rescue("", "", "out.img", true);
    EXPECT_EQ(again.exitCode, 0) << again.out;
    EXPECT_NE(again.out.find("without its image"), std::string::npos) << again.out;
    EXPECT_EQ(summaryCount(again.out, "requests"), 80);
    EXPECT_EQ(readFile(scratch_ / "out.img"), source_);
    EXPECT_EQ(ddrescueSaysDone(scratch_ / "out.img.map"), 0);
}

// Into an ImageDisk file, each sector keeps its state: a data field that kept failing its CRC holds the best
// data the reads agreed on, a sector that gave none is unavailable, everything else is the medium's own.
struct ImageDiskCase {
    const char* name;
    const char* options;
    const char* retries;
    int exitCode;
    pc::SectorState state;  // of the faulty sector 20/1/7
    size_t differingBits;   // from the medium's bytes, at most
};

class RescueIntoImageDisk : public RescueTest, public ::testing::WithParamInterface<ImageDiskCase> {};

size_t bitsApart(std::span<const uint8_t> a, std::span<const uint8_t> b) {
    size_t bits = 0;
    for (size_t i = 0; i < a.size(); ++i)
        bits += static_cast<size_t>(std::popcount(static_cast<unsigned>(a[i] ^ b[i])));
    return bits;
}

TEST_P(RescueIntoImageDisk, KeepsEachSectorsState) {
    const ImageDiskCase& c = GetParam();
    const Rescue r = rescue(c.options, std::string("--retries ") + c.retries, "out.imd");
    EXPECT_EQ(r.exitCode, c.exitCode) << r.out;
    const pc::DecodedImage imd = decoded(scratch_ / "out.imd");
    ASSERT_EQ(imd.format, pc::ContainerFormat::Imd);
    ASSERT_EQ(imd.image.bytes.size(), k144);
    const size_t faulty = lbaOf(20, 1, 7);
    for (size_t lba = 0; lba < k144 / kSector; ++lba) {
        const auto medium = std::span(source_).subspan(lba * kSector, kSector);
        if (lba != faulty) {
            ASSERT_EQ(imd.image.states[lba], pc::SectorState::Normal) << lba;
            ASSERT_TRUE(std::ranges::equal(imd.image.sector(lba), medium)) << lba;
            continue;
        }
        EXPECT_EQ(imd.image.states[lba], c.state);
        if (c.state == pc::SectorState::Unavailable) {
            EXPECT_TRUE(std::ranges::all_of(imd.image.sector(lba), [](uint8_t b) { return b == 0xEE; }));
        } else {
            EXPECT_LE(bitsApart(imd.image.sector(lba), medium), c.differingBits);
        }
    }
    // The map beside it says the same.
    EXPECT_EQ(blocksIn(scratch_ / "out.imd.map", '-'),
              c.exitCode == 0 ? std::string() : std::to_string(faulty) + "\n");
    // libdsk stops at the first sector without good data, so only a whole rescue is handed to it (with the
    // geometry named: the medium holds no boot sector to tell it).
    if (c.exitCode != 0) return;
    const auto dsk = run("dsktrans -format ibm1440 -itype imd " + quote((scratch_ / "out.imd").string()) +
                         " -otype raw " + quote((scratch_ / "dsk.img").string()) + " 2>&1");
    EXPECT_EQ(dsk.exitCode, 0) << dsk.output;
    EXPECT_EQ(readFile(scratch_ / "dsk.img"), source_);
}

// One CRC-failed read leaves a few bits wrong; by three the flips are outvoted though the vote is not yet
// settled; then the sector counts as read.
INSTANTIATE_TEST_SUITE_P(
    Rescue, RescueIntoImageDisk,
    ::testing::Values(
        ImageDiskCase{"crc_read_twice", ":crc=20/1/7:raw", "1", 3, pc::SectorState::DataError, 6},
        ImageDiskCase{"crc_outvoted", ":crc=20/1/7:raw", "2", 3, pc::SectorState::DataError, 0},
        ImageDiskCase{"crc_settled", ":crc=20/1/7:raw", "5", 0, pc::SectorState::Normal, 0},
        ImageDiskCase{"crc_without_raw_path", ":crc=20/1/7", "2", 3, pc::SectorState::Unavailable, 0},
        ImageDiskCase{"header_missing", ":noid=20/1/7:raw", "1", 3, pc::SectorState::Unavailable, 0}),
    [](const auto& info) { return std::string(info.param.name); });

// Killed at a request (as kill -9 or a power cut would end it) and run again: the same image and map as a
// run that was never stopped. An ImageDisk file holds the same sectors in the same states, but for a
// CRC-failed sector's best guess, whose reads start over with the new run.
struct KillCase {
    int at;
    const char* extension;
};

class KilledRescue : public RescueTest, public ::testing::WithParamInterface<KillCase> {};

TEST_P(KilledRescue, ResumesToTheSameImageAndMap) {
    const std::string faults = ":bad=10/0/1:weak=50/1/3/1:crc=60/0/2:raw";
    const std::string whole = std::string("whole.") + GetParam().extension;
    const std::string cut = std::string("cut.") + GetParam().extension;
    ASSERT_EQ(rescue(faults, "--retries 2", whole).exitCode, 3);
    const Rescue killed = rescue(faults + ":kill=" + std::to_string(GetParam().at), "--retries 2", cut);
    ASSERT_NE(killed.exitCode, 3) << "the run was not killed";
    const Rescue resumed = rescue(faults, "--retries 2", cut);
    EXPECT_EQ(resumed.exitCode, 3) << resumed.out;
    EXPECT_EQ(readFile(scratch_ / (cut + ".map")), readFile(scratch_ / (whole + ".map")));
    if (std::string(GetParam().extension) == "img") {
        EXPECT_EQ(readFile(scratch_ / cut), readFile(scratch_ / whole));
        return;
    }
    const pc::DecodedImage wholeImd = decoded(scratch_ / whole);
    const pc::DecodedImage cutImd = decoded(scratch_ / cut);
    EXPECT_TRUE(cutImd.image.states == wholeImd.image.states);
    for (size_t lba = 0; lba < k144 / kSector; ++lba) {
        if (lba == lbaOf(60, 0, 2)) continue;
        ASSERT_TRUE(std::ranges::equal(cutImd.image.sector(lba), wholeImd.image.sector(lba))) << lba;
    }
}

// In the cylinder pass, in the single sectors of a failed cylinder, and in a retry round.
INSTANTIATE_TEST_SUITE_P(Rescue, KilledRescue,
                         ::testing::Values(KillCase{1, "img"}, KillCase{30, "img"}, KillCase{95, "img"},
                                           KillCase{130, "img"}, KillCase{190, "img"}, KillCase{1, "imd"},
                                           KillCase{95, "imd"}, KillCase{150, "imd"}, KillCase{190, "imd"}),
                         [](const auto& info) {
                             return std::string(info.param.extension) + "_at_" +
                                    std::to_string(info.param.at);
                         });

// Ctrl-C (or SIGTERM, as a shutdown sends it) during a request: the run ends once that request is done, says
// how to go on, exits as a shell reports the signal, and its map is one ddrescue reads; the same command then
// ends where a run never stopped would have.
struct StopCase {
    int at;
    const char* signal;  // the scenario's word for it
    int exitCode;
};

class InterruptedRescue : public RescueTest, public ::testing::WithParamInterface<StopCase> {};

TEST_P(InterruptedRescue, StopsAfterTheRequestAndResumes) {
    const StopCase& c = GetParam();
    const std::string faults = ":bad=10/0/1:weak=50/1/3/1";
    ASSERT_EQ(rescue(faults, "--retries 2", "whole.img").exitCode, 3);
    const Rescue stopped =
        rescue(faults + ":" + c.signal + "=" + std::to_string(c.at), "--retries 2", "cut.img", true);
    EXPECT_EQ(stopped.exitCode, c.exitCode) << stopped.out;
    EXPECT_NE(stopped.out.find("orva: a: stopped after the request under way"), std::string::npos)
        << stopped.out;
    EXPECT_EQ(summaryCount(stopped.out, "requests"), c.at);
    EXPECT_EQ(ddrescueSaysDone(scratch_ / "cut.img.map"), 1);
    EXPECT_FALSE(blocksIn(scratch_ / "cut.img.map", '+').empty());
    const Rescue resumed = rescue(faults, "--retries 2", "cut.img");
    EXPECT_EQ(resumed.exitCode, 3) << resumed.out;
    EXPECT_EQ(readFile(scratch_ / "cut.img"), readFile(scratch_ / "whole.img"));
    EXPECT_EQ(readFile(scratch_ / "cut.img.map"), readFile(scratch_ / "whole.img.map"));
}

// In the cylinder pass, in the single sectors of a failed cylinder, and in a retry round.
INSTANTIATE_TEST_SUITE_P(Rescue, InterruptedRescue,
                         ::testing::Values(StopCase{2, "interrupt", 130}, StopCase{95, "interrupt", 130},
                                           StopCase{153, "interrupt", 130}, StopCase{95, "terminate", 143}),
                         [](const auto& info) {
                             return std::string(info.param.signal) + "_at_" + std::to_string(info.param.at);
                         });

}  // namespace
}  // namespace cli_test
