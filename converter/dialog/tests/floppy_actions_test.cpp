// Reading a floppy into an image, writing an image onto a floppy and formatting, over emulated drives of
// each platform variant.
#include <filesystem>
#include <sstream>

#include "converter/dialog/texts.h"
#include "converter_fixture.h"

namespace converter::dialog::testing {
namespace {

namespace fs = std::filesystem;
using testing_support::patternBytes;
using testing_support::readFile;
using testing_support::writeFile;

constexpr size_t kHd = 1474560;
constexpr size_t kCylinder = 18432;

// The three ways Mirask reaches a drive: this host's own variant, and the two Windows lines.
class FloppyActionsTest : public ConverterTest, public ::testing::WithParamInterface<std::string> {
  protected:
    bool nt() const { return GetParam() != "9x"; }
    // A 1.44 MB medium of known bytes in drive a:, with scenario options after it.
    std::vector<uint8_t> startWithMedium(const std::string& options = "") {
        auto bytes = patternBytes(kHd, 11);
        writeFile(scratch / "medium.bin", bytes);
        start({"a=1.44M:" + path("medium.bin") + options}, GetParam());
        return bytes;
    }
    void read(const std::string& name) {
        typeName(name);
        dialog->onReadFloppy();
    }
};

TEST_P(FloppyActionsTest, AHealthyFloppyIsReadOneCylinderPerRequest) {
    const auto medium = startWithMedium();
    read("copy");
    EXPECT_EQ(view.messages, (std::vector<std::string>{text::kReadDone}));
    EXPECT_EQ(drive().reads, std::vector<uint32_t>(80, kCylinder));
    EXPECT_EQ(view.steps, 80u);
    EXPECT_EQ(view.range, (std::pair<uint32_t, uint32_t>{0, 80}));
    EXPECT_EQ(readFile(scratch / "copy.gvx"), medium);
    EXPECT_EQ(view.progress, 0u);
    EXPECT_EQ(view.info.back(), " ") << "the reading line is gone again";
}

TEST_P(FloppyActionsTest, ABadSectorIsFilledAfterAskingAndCancelStopsTheRead) {
    auto medium = startWithMedium(":bad=3/1/5,10/0/1");
    view.answers = {true, false};
    read("bad.img");
    ASSERT_EQ(view.messages.size(), 3u);
    EXPECT_TRUE(view.messages[0].starts_with("[ok/cancel] Chyba čtení: ")) << view.messages[0];
    EXPECT_NE(view.messages[0].find(" na stopě 3/1, sektor 5."), std::string::npos) << view.messages[0];
    EXPECT_NE(view.messages[1].find(" na stopě 10/0, sektor 1."), std::string::npos) << view.messages[1];
    EXPECT_EQ(view.messages[2], text::kReadDone) << "shown after a Cancel too";
    const auto image = readFile(scratch / "bad.img");
    ASSERT_EQ(image.size(), 10 * kCylinder) << "cylinders 0 to 9, not the one being read again";
    std::fill(medium.begin() + 66560, medium.begin() + 66560 + 512, 0xEE);
    EXPECT_TRUE(std::equal(image.begin(), image.end(), medium.begin()));
}

TEST_P(FloppyActionsTest, WritingChecksTheSizeFirstAndAsksAsTheLineDoes) {
    const auto medium = startWithMedium();
    writeFile(scratch / "small.img", patternBytes(737280, 2));
    typeName("small.img");
    view.answers = {true};  // the erase question
    dialog->onWriteImage();
    EXPECT_EQ(view.messages.back(), text::kNotThisType);
    EXPECT_TRUE(drive().writes.empty());
    EXPECT_EQ(readFile(scratch / "medium.bin"), medium);

    const auto image = patternBytes(kHd, 5);
    writeFile(scratch / "full.img", image);
    view.messages.clear();
    typeName("full.img");
    view.answers = nt() ? std::deque<bool>{true, false} : std::deque<bool>{true};
    dialog->onWriteImage();
    std::vector<std::string> expected;
    if (!nt()) expected.push_back(text::kInsertFormatted);
    expected.push_back("[yes/no] Obsah diskety v jednotce A: bude smazán, pokračovat?");
    if (nt()) expected.push_back(std::string("[yes/no] ") + text::kFormatBeforeWrite);
    expected.push_back(text::kWriteDone);
    EXPECT_EQ(view.messages, expected);
    EXPECT_EQ(drive().writes, std::vector<uint32_t>(80, kCylinder));
    EXPECT_EQ(readFile(scratch / "medium.bin"), image);
    EXPECT_EQ(view.info.front(), "Floppy:") << "the information list is rebuilt";
}

TEST_P(FloppyActionsTest, AWriteProtectedFloppyIsSaidToBeSo) {
    startWithMedium(":wp");
    writeFile(scratch / "full.img", patternBytes(kHd, 5));
    typeName("full.img");
    view.answers = nt() ? std::deque<bool>{true, false} : std::deque<bool>{true};
    dialog->onWriteImage();
    EXPECT_EQ(view.messages.back(), text::kWriteProtected);
}

TEST_P(FloppyActionsTest, AnImagePathThatIsNoFileIsRefusedBeforeTheFloppy) {
    startWithMedium();
    fs::create_directories(scratch / "folder.img");
    read("folder.img");
    EXPECT_EQ(view.messages, (std::vector<std::string>{"Chyba souboru " + path("folder.img") + ": 21"}));
    EXPECT_TRUE(drive().reads.empty());
}

INSTANTIATE_TEST_SUITE_P(Lines, FloppyActionsTest, ::testing::Values("", "nt", "9x"), [](const auto& info) {
    return info.param.empty() ? std::string("host") : info.param;
});

class ReadingTest : public ConverterTest {};

TEST_F(ReadingTest, ShortReadsStillBringTheWholeMedium) {
    const auto medium = patternBytes(kHd, 3);
    writeFile(scratch / "medium.bin", medium);
    start({"a=1.44M:" + path("medium.bin") + ":short=10240"});
    typeName("short");
    dialog->onReadFloppy();
    EXPECT_EQ(readFile(scratch / "short.gvx"), medium);
    EXPECT_EQ(view.steps, 80u);
}

class FormattingTest : public ConverterTest {
  protected:
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

TEST_F(FormattingTest, EachTypeGetsAnEmptyFileSystem) {
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
        start({"a=" + std::string(row.drive) + ":" + path("medium.bin")});
        view.messages.clear();
        view.answers = {true};
        dialog->onFormat();
        EXPECT_EQ(view.messages.back(), text::kFormatDone);
        EXPECT_EQ(drive().formats, 1);
        const auto bytes = readFile(scratch / "medium.bin");
        ASSERT_EQ(bytes.size(), row.bytes);
        EXPECT_EQ(std::string(bytes.begin() + 43, bytes.begin() + 54), "__NO_NAME__");
        EXPECT_EQ(bytes[512], row.mediaByte);
        EXPECT_EQ(bytes[row.secondFat], row.mediaByte);
        EXPECT_EQ(bytes[row.secondFat + 1], 0xFF);
        EXPECT_EQ(findings(scratch / "medium.bin"), "");
    }
}

TEST_F(FormattingTest, AnUnformattedFloppyIsOfferedTheDrivesHighDensityType) {
    writeFile(scratch / "medium.bin", patternBytes(kHd, 1));
    start({"a=1.44M:unformatted"});
    view.answers = {true};
    dialog->onFormat();
    ASSERT_GE(view.messages.size(), 3u)
        << ::testing::PrintToString(view.messages) << ::testing::PrintToString(view.info);
    EXPECT_EQ(view.messages[0], text::kCannotFormatType);
    EXPECT_EQ(view.messages[1], std::string("[yes/no] ") + text::kFormatTo144);
    EXPECT_EQ(view.messages.back(), text::kFormatDone);
    EXPECT_EQ(view.info[1], "3.5  1.44MB 512 BpS CTS=80/2/18") << "the refreshed list shows the new medium";
}

TEST_F(FormattingTest, OnlyTheNtLineFormats) {
    start({"a=1.44M:blank"}, "9x");
    dialog->onFormat();
    EXPECT_EQ(view.messages, (std::vector<std::string>{text::kFormatOnlyNt}));
    EXPECT_EQ(drive().formats, 0);
}

}  // namespace
}  // namespace converter::dialog::testing
