// Reading a floppy into an image, writing an image onto a floppy and formatting as the window shows them: its
// messages and questions in their order, over emulated drives of each platform variant.
#include <filesystem>

#include "converter/dialog/result_messages.h"
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
    // The cylinder at work beside the bar, one-based, until the end is said.
    ASSERT_EQ(view.cylinderTexts.size(), 82u);
    EXPECT_EQ(view.cylinderTexts[0], "1/80");
    EXPECT_EQ(view.cylinderTexts[40], "41/80") << "after 40 cylinders done";
    EXPECT_EQ(view.cylinderTexts[80], "80/80");
    EXPECT_EQ(view.cylinderTexts.back(), "");
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

class FormattingTest : public ConverterTest {};

TEST_F(FormattingTest, AnUnformattedFloppyIsOfferedTheDrivesHighestType) {
    struct Row {
        const char* scenario;
        const char* question;
        const char* listed;  // the medium's line once formatted
    } rows[] = {
        {"a=1.44M:unformatted", text::kFormatTo144, "3.5  1.44MB 512 BpS CTS=80/2/18"},
        {"a=1.2M:unformatted", text::kFormatTo12, "5.25 1.2MB  512 BpS CTS=80/2/15"},
        {"a=720K:unformatted", text::kFormatTo720, "3.5  720KB  512 BpS CTS=80/2/9"},
        {"a=360K:unformatted", text::kFormatTo360, "5.25 360KB  512 BpS CTS=40/2/9"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.scenario);
        start({row.scenario});
        view.messages.clear();
        view.answers = {true};
        dialog->onFormat();
        ASSERT_GE(view.messages.size(), 3u)
            << ::testing::PrintToString(view.messages) << ::testing::PrintToString(view.info);
        EXPECT_EQ(view.messages[0], text::kCannotFormatType);
        EXPECT_EQ(view.messages[1], std::string("[yes/no] ") + row.question);
        EXPECT_EQ(view.messages.back(), text::kFormatDone);
        ASSERT_GE(view.info.size(), 2u);
        EXPECT_EQ(view.info[1], row.listed) << "the refreshed list shows the new medium";
    }
}

// The same failure can read differently per action, and a read that reached the image always says it ended.
TEST(ResultMessages, EachEndHasItsMessages) {
    using actions::ActionKind;
    using actions::Failure;
    struct Row {
        ActionKind kind;
        actions::Result result;
        std::vector<std::string> messages;
    } rows[] = {
        {ActionKind::Read, {Failure::None}, {text::kReadDone}},
        {ActionKind::Read, {Failure::ImageWrite, 28}, {"Chyba zápisu: 28", text::kReadDone}},
        {ActionKind::Read, {Failure::StoppedAtBadSector}, {text::kReadDone}},
        {ActionKind::Read, {Failure::ImageFile, 2, "/x.img"}, {"Chyba souboru /x.img: 2"}},
        {ActionKind::Read, {Failure::NoMedium}, {}},
        {ActionKind::Write,
         {Failure::DriveLocked, 5, "A:"},
         {"Jednotka A: blokována jiným programem - chyba 5"}},
        {ActionKind::Write, {Failure::FloppyWrite, 31}, {"Chyba zápisu: 31"}},
        {ActionKind::Write, {Failure::WriteProtected, 19}, {text::kWriteProtected}},
        {ActionKind::Write, {Failure::FormatFailed, 31}, {text::kFormatError}},
        {ActionKind::Write, {Failure::Declined}, {}},
        {ActionKind::Format, {Failure::FormatFailed, 31}, {text::kTypeNotFormattable}},
        {ActionKind::Format, {Failure::NoTemplate}, {text::kTypeNotFormattable}},
        {ActionKind::Format, {Failure::FileSystemWrite, 31}, {text::kTrack0Failed}},
        {ActionKind::Format, {Failure::None}, {text::kFormatDone}},
    };
    for (const Row& row : rows) {
        std::vector<std::string> messages;
        for (const desktop::ShownText& message : resultMessages(row.kind, row.result))
            messages.push_back(message.str());
        EXPECT_EQ(messages, row.messages)
            << static_cast<int>(row.kind) << " " << static_cast<int>(row.result.failure);
    }
}

TEST_F(FormattingTest, OnlyTheNtLineFormats) {
    start({"a=1.44M:blank"}, "9x");
    dialog->onFormat();
    EXPECT_EQ(view.messages, (std::vector<std::string>{text::kFormatOnlyNt}));
    EXPECT_EQ(drive().formats, 0);
}

}  // namespace
}  // namespace converter::dialog::testing
