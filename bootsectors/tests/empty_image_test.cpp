#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "bootsectors/boot_templates.h"
#include "bootsectors/empty_image.h"
#include "dos_time.h"
#include "fixture.h"
#include "image_state.h"
#include "le_bytes.h"

namespace {

using bootsectors::CreateEmptyImage;
using testing_support::quote;
using testing_support::readFile;
using testing_support::ScratchDir;

struct Layout {
    bootsectors::TemplateId id;
    const char* name;
    uint64_t fat1, fat2, root, fileBytes;
    uint8_t media;
    uint32_t clusters, clusterBytes;
};
void PrintTo(const Layout& l, std::ostream* os) {
    *os << l.name;
}

const Layout kLayouts[] = {
    {bootsectors::TemplateId::Disk360K, "T360K", 512, 1536, 2560, 368640, 0xFD, 354, 1024},
    {bootsectors::TemplateId::Disk720K, "T720K", 512, 2048, 3584, 737280, 0xF9, 713, 1024},
    {bootsectors::TemplateId::Disk1200K, "T1200K", 512, 4096, 7680, 1228800, 0xF9, 2371, 512},
    {bootsectors::TemplateId::Disk1440K, "T1440K", 512, 5120, 9728, 1474560, 0xF0, 2847, 512},
};

// Date above time, so that stamps compare in time order.
uint32_t dateTimeNow() {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const auto today = floor<days>(now);
    const year_month_day ymd{today};
    const hh_mm_ss hms{floor<seconds>(now - today)};
    const uint32_t v = orva::PackDosStamp({int(ymd.year()), int(unsigned(ymd.month())),
                                           int(unsigned(ymd.day())), int(hms.hours().count()),
                                           int(hms.minutes().count()), int(hms.seconds().count())});
    return uint32_t{orva::stampDate(v)} << 16 | orva::stampTime(v);
}

// The whole image as it must come out; a label entry's time stamp is taken from the actual bytes.
std::vector<uint8_t> expectedImage(const Layout& l, const std::string& labelField, bool rootEntry,
                                   const std::vector<uint8_t>& actual) {
    std::vector<uint8_t> image(l.fileBytes, 0);
    const auto sector = *bootsectors::bootTemplate(l.id);
    std::copy(sector.begin(), sector.end(), image.begin());
    std::copy(labelField.begin(), labelField.end(), image.begin() + 43);
    for (uint64_t fat : {l.fat1, l.fat2}) {
        image[fat] = l.media;
        image[fat + 1] = image[fat + 2] = 0xFF;
    }
    if (rootEntry) {
        std::copy(labelField.begin(), labelField.end(), image.begin() + l.root);
        image[l.root + 11] = 0x08;
        if (actual.size() >= l.root + 26)
            std::copy_n(actual.begin() + l.root + 22, 4, image.begin() + l.root + 22);
    }
    return image;
}

std::string firstDifference(const std::vector<uint8_t>& got, const std::vector<uint8_t>& want) {
    if (got.size() != want.size())
        return "size " + std::to_string(got.size()) + ", want " + std::to_string(want.size());
    const auto [g, w] = std::mismatch(got.begin(), got.end(), want.begin());
    if (g == got.end()) return "";
    return "offset " + std::to_string(g - got.begin()) + ": " + std::to_string(*g) + ", want " +
           std::to_string(*w);
}

// fsck.fat's findings: everything but its version line, its verdict and the summary line.
std::pair<int, std::vector<std::string>> fsck(const std::filesystem::path& img, std::string& summary) {
    const auto r = testing_support::run("fsck.fat -n " + quote(img.string()));
    std::vector<std::string> findings;
    std::istringstream lines(r.output);
    for (std::string line; std::getline(lines, line);) {
        if (line.starts_with(img.string() + ": ")) {
            summary = line.substr(img.string().size() + 2);
        } else if (!line.empty() && !line.starts_with("fsck.fat ") &&
                   line != "Leaving filesystem unchanged.") {
            findings.push_back(line);
        }
    }
    return {r.exitCode, findings};
}

class EmptyImage : public ::testing::TestWithParam<Layout> {};

TEST_P(EmptyImage, ExactBytesAndEveryToolAcceptsIt) {
    const Layout& l = GetParam();
    struct Case {
        std::string label, field;
        int fsckExit;
        std::vector<std::string> fsckFindings;
    };
    const std::vector<Case> cases{
        // fsck.fat takes a boot sector label without a root label only when it reads "NO NAME"; it reports
        // "__NO_NAME__" (and would clear it without -n). That is the one finding allowed.
        {"",
         "__NO_NAME__",
         1,
         {"Label in boot sector is '__NO_NAME__', but there is no volume label in root directory.",
          "  Auto-removing label from boot sector."}},
        {"DATA", "DATA       ", 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("label '" + c.label + "'");
        ScratchDir dir;
        const auto img = dir / "new.img";
        const uint32_t before = dateTimeNow();
        ASSERT_EQ(CreateEmptyImage(l.id, img.string(), c.label), 0);
        const uint32_t after = dateTimeNow();
        const auto bytes = readFile(img);
        EXPECT_EQ(firstDifference(bytes, expectedImage(l, c.field, !c.label.empty(), bytes)), "");
        if (!c.label.empty()) {
            const uint32_t stamp =
                uint32_t{orva::load16(bytes, l.root + 24)} << 16 | orva::load16(bytes, l.root + 22);
            EXPECT_GE(stamp, before);
            EXPECT_LE(stamp, after);
        }

        std::string summary;
        EXPECT_EQ(fsck(img, summary), std::make_pair(c.fsckExit, c.fsckFindings));
        // fsck.fat counts a label entry among the files.
        EXPECT_EQ(summary, (c.label.empty() ? "0" : "1") + std::string(" files, 0/") +
                               std::to_string(l.clusters) + " clusters");
        EXPECT_NE(testing_support::runOk("mdir -i " + quote(img.string()) + " ::")
                      .find(c.label.empty() ? "has no label" : "is " + c.label),
                  std::string::npos);

        orva::ImageState state;
        uint32_t freeBytes = 0;
        ASSERT_EQ(state.OpenFDImg(img.string(), 1), 0);
        EXPECT_EQ(state.FreeSpace(&freeBytes), 0);
        EXPECT_EQ(freeBytes, l.clusters * l.clusterBytes);
    }
}

INSTANTIATE_TEST_SUITE_P(AllTemplates, EmptyImage, ::testing::ValuesIn(kLayouts),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(EmptyImageLabel, TakenAsTypedPaddedAndCutReplacingAnyOldFile) {
    const std::vector<std::pair<std::string, std::string>> cases{
        {"rescue disk", "rescue disk"},  // no change of case
        {"TWELVE CHARS", "TWELVE CHAR"},
        {"\xC4\x8Ctvrtek", "\xC4\x8Ctvrtek   "},  // raw bytes, no code page conversion
    };
    ScratchDir dir;
    const auto img = dir / "label.img";
    testing_support::writeFile(img, testing_support::patternBytes(2'000'000, 7));
    for (const auto& [label, field] : cases) {
        SCOPED_TRACE(label);
        ASSERT_EQ(CreateEmptyImage(bootsectors::TemplateId::Disk720K, img.string(), label), 0);
        const auto bytes = readFile(img);
        EXPECT_EQ(firstDifference(bytes, expectedImage(kLayouts[1], field, true, bytes)), "");
    }
}

TEST(EmptyImageFile, NothingIsCreatedWhenTheFileCannotBe) {
    ScratchDir dir;
    const std::vector<std::pair<bootsectors::TemplateId, std::filesystem::path>> cases{
        {bootsectors::TemplateId::Disk1440K, dir / "missing" / "a.img"},
        {bootsectors::TemplateId{154}, dir / "unknown-template.img"},
        {bootsectors::TemplateId{0}, dir / "no-template.img"},
        {bootsectors::TemplateId::Disk1440K, dir.path()},  // a folder
    };
    for (const auto& [id, path] : cases) EXPECT_EQ(CreateEmptyImage(id, path.string(), "DATA"), 4) << path;
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

// A file size limit refuses the image's size, as a full disk would.
TEST(EmptyImageFileDeathTest, FailedWriteReportsOneAndLeavesThePartialFile) {
    ScratchDir dir;
    const auto img = dir / "partial.img";
    constexpr rlim_t kLimit = 100'000;
    EXPECT_EXIT(
        {
            rlimit limit{};
            ::getrlimit(RLIMIT_FSIZE, &limit);
            limit.rlim_cur = kLimit;
            ::setrlimit(RLIMIT_FSIZE, &limit);
            std::signal(SIGXFSZ, SIG_IGN);
            ::_exit(CreateEmptyImage(bootsectors::TemplateId::Disk1440K, img.string(), "DATA"));
        },
        ::testing::ExitedWithCode(1), "");
    // It stopped there: the boot sector and the tables (one write) stay alone, no label entry came after.
    const auto bytes = readFile(img);
    ASSERT_EQ(bytes.size(), 9728u);
    EXPECT_EQ(bytes[510], 0x55);
    EXPECT_EQ(bytes[512], 0xF0);
}

}  // namespace
