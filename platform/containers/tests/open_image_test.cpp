// Opening image files for the library: raw files pass through, containers become their raw image, changes
// go back into the container's own format at close, whole or not at all.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "imd_builder.h"
#include "interop.h"
#include "platform/containers/image_codec.h"
#include "platform/containers/open_image.h"
#include "platform/containers/zip_image.h"

namespace {

using namespace platform::containers;
using containers_test::Interop;
using platform::Access;
using testing_support::readFile;
using testing_support::writeFile;

std::vector<uint8_t> readAll(platform::RandomAccessFile& f) {
    std::vector<uint8_t> out(*f.size());
    EXPECT_EQ(f.readAt(0, out), static_cast<int64_t>(out.size()));
    return out;
}

std::vector<uint8_t> zipped(const std::vector<uint8_t>& raw) {
    std::vector<uint8_t> out;
    EXPECT_EQ(zipImage(ZippedImage{"DISK.IMA", raw}, out), ContainerError::None);
    return out;
}

struct Kind {
    const char* name;
    std::function<std::vector<uint8_t>(const Interop&)> make;
    bool writable;
};

const std::vector<Kind>& kinds() {
    static const std::vector<Kind> k = {
        {"imd", [](const Interop& f) { return f.dsktrans("imd"); }, true},
        {"td0", [](const Interop& f) { return f.dsktrans("tele"); }, false},
        {"cqm", [](const Interop& f) { return f.dsktrans("copyqm"); }, false},
        {"imz", [](const Interop& f) { return zipped(f.raw()); }, true},
    };
    return k;
}

TEST(OpenImage, EachContainerReadsAsItsRawImage) {
    Interop fixture(720);
    for (const Kind& kind : kinds()) {
        SCOPED_TRACE(kind.name);
        const auto path = fixture.dir() / (std::string("disk-copy.") + kind.name);
        writeFile(path, kind.make(fixture));
        int error = 0;
        auto file = openImage(path.string(), Access::ReadWrite, error);
        ASSERT_TRUE(file) << error;
        EXPECT_EQ(readAll(*file), fixture.raw());
        EXPECT_EQ(file->readOnly(), !kind.writable);
        if (!kind.writable) {
            EXPECT_EQ(file->writeAt(0, std::vector<uint8_t>(1, 0)), -1);
        }
        EXPECT_TRUE(file->close());
    }
}

TEST(OpenImage, ARawImageIsTheFileItself) {
    Interop fixture(360);
    int error = 0;
    auto file = openImage(fixture.rawPath(), Access::ReadWrite, error);
    ASSERT_TRUE(file);
    EXPECT_FALSE(file->readOnly());
    ASSERT_EQ(file->writeAt(512, std::vector<uint8_t>{1, 2, 3}), 3);
    EXPECT_TRUE(file->close());
    EXPECT_EQ(readFile(fixture.rawPath())[513], 2);  // written straight through, not at close
}

TEST(OpenImage, ChangesGoBackInTheSameFormatAtClose) {
    Interop fixture(1440);
    for (const Kind& kind : kinds()) {
        if (!kind.writable) continue;
        SCOPED_TRACE(kind.name);
        const auto path = fixture.dir() / (std::string("edited.") + kind.name);
        // Made once: the tool stamps the time of making into the header.
        const std::vector<uint8_t> original = kind.make(fixture);
        writeFile(path, original);
        ASSERT_EQ(chmod(path.c_str(), 0640), 0);
        const std::vector<uint8_t> change = testing_support::patternBytes(1500, 9);
        int error = 0;
        auto file = openImage(path.string(), Access::ReadWrite, error);
        ASSERT_TRUE(file);
        ASSERT_EQ(file->writeAt(100000, change), 1500);
        EXPECT_TRUE(file->syncData());
        EXPECT_EQ(readFile(path), original);  // nothing reaches the file before the close
        EXPECT_TRUE(file->close());

        std::vector<uint8_t> expected = fixture.raw();
        std::copy(change.begin(), change.end(), expected.begin() + 100000);
        DecodedImage back;
        ASSERT_EQ(decodeImage(readFile(path), back), ContainerError::None);
        EXPECT_EQ(std::string(formatName(back.format)), kind.name);
        EXPECT_EQ(back.image.bytes, expected);
        struct stat st {};
        ASSERT_EQ(stat(path.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0640u);
        // No temporary file is left beside it.
        for (const auto& entry : std::filesystem::directory_iterator(fixture.dir().path())) {
            EXPECT_NE(entry.path().filename().string().front(), '.') << entry.path();
        }
    }
}

TEST(OpenImage, AnUnchangedContainerIsNotRewritten) {
    Interop fixture(720);
    const auto path = fixture.dir() / "same.imd";
    writeFile(path, fixture.dsktrans("imd"));
    struct stat before {};
    ASSERT_EQ(stat(path.c_str(), &before), 0);
    int error = 0;
    auto file = openImage(path.string(), Access::ReadWrite, error);
    ASSERT_TRUE(file);
    std::vector<uint8_t> sector(512);
    EXPECT_EQ(file->readAt(0, sector), 512);
    EXPECT_TRUE(file->close());
    struct stat after {};
    ASSERT_EQ(stat(path.c_str(), &after), 0);
    EXPECT_EQ(before.st_ino, after.st_ino);
}

TEST(OpenImage, ReadOnlyWhenTheFileOrItsFormatSaysSo) {
    Interop fixture(720);
    const auto path = fixture.dir() / "protected.imd";
    writeFile(path, fixture.dsktrans("imd"));
    int error = 0;
    auto file = openImage(path.string(), Access::ReadOnly, error);
    ASSERT_TRUE(file);
    EXPECT_TRUE(file->readOnly());
    EXPECT_EQ(file->writeAt(0, std::vector<uint8_t>(4, 0)), -1);
    EXPECT_TRUE(file->close());
}

TEST(OpenImage, TheContainerStaysLockedWhileOpen) {
    Interop fixture(720);
    const auto path = fixture.dir() / "locked.imd";
    writeFile(path, fixture.dsktrans("imd"));
    int error = 0;
    auto first = openImage(path.string(), Access::ReadWrite, error);
    ASSERT_TRUE(first);
    EXPECT_FALSE(openImage(path.string(), Access::ReadWrite, error));
    EXPECT_EQ(error, EWOULDBLOCK);
    EXPECT_TRUE(first->close());
    EXPECT_TRUE(openImage(path.string(), Access::ReadWrite, error));
}

TEST(OpenImage, ADamagedContainerIsRefusedAndToldWhy) {
    struct Row {
        const char* name;
        std::vector<uint8_t> file;
        ContainerError reason;
    };
    std::vector<uint8_t> truncatedImd = containers_test::buildImd(
        "IMD 1.18: 01/01/2000 00:00:00\r\n", {containers_test::plainTrack(3, 0, 0, 18, 2)});
    truncatedImd.resize(truncatedImd.size() - 100);
    std::vector<uint8_t> badZip = zipped(std::vector<uint8_t>(737280, 0xF6));
    badZip.resize(badZip.size() / 2);
    const std::vector<Row> rows = {
        {"truncated imd", truncatedImd, ContainerError::Truncated},
        {"half a zip", badZip, ContainerError::ArchiveFailure},
    };
    testing_support::ScratchDir dir;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const auto path = dir / "bad";
        writeFile(path, row.file);
        int error = 0;
        EXPECT_FALSE(openImage(path.string(), Access::ReadWrite, error));
        EXPECT_EQ(error, EINVAL);
        EXPECT_EQ(diagnoseImage(path.string()), row.reason);
    }
}

TEST(ZipImage, KeepsTheEntryAndRefusesEmptyOrDamagedArchives) {
    const std::vector<uint8_t> raw = testing_support::patternBytes(368640, 4);
    ZippedImage back;
    ASSERT_EQ(unzipImage(zipped(raw), back), ContainerError::None);
    EXPECT_EQ(back.entryName, "DISK.IMA");
    EXPECT_EQ(back.bytes, raw);
    std::vector<uint8_t> empty;
    ASSERT_EQ(zipImage(ZippedImage{"EMPTY.IMA", {}}, empty), ContainerError::None);
    EXPECT_EQ(unzipImage(empty, back), ContainerError::NotInArchive);
    // An archive that claims more than a floppy holds is refused before anything is allocated for it.
    std::vector<uint8_t> huge = zipped(std::vector<uint8_t>(1000, 0));
    const size_t directory = huge[huge.size() - 6] | huge[huge.size() - 5] << 8;
    huge[directory + 24 + 3] = 0x7F;
    EXPECT_EQ(zipImage(ZippedImage{"HUGE.IMA", std::vector<uint8_t>(kMaxImageBytes + 1, 0)}, empty),
              ContainerError::TooLarge);
    EXPECT_EQ(unzipImage(huge, back), ContainerError::TooLarge);
    std::vector<uint8_t> flipped = zipped(raw);
    flipped[40] ^= 0xFF;  // inside the deflated data
    EXPECT_NE(unzipImage(flipped, back), ContainerError::None);
}

TEST(ZipImage, ReadsWhatZipToolsWrite) {
    // Written by Python's zipfile module: "A.IMA" holding "0123456789abcdef", stored.
    const std::vector<uint8_t> stored = {
        0x50, 0x4B, 0x03, 0x04, 0x14, 0x00, 0x00, 0x00, 0x00, 0x00, 0x40, 0x18, 0xA4, 0x24, 0x33, 0xF0,
        0xC4, 0x68, 0x10, 0x00, 0x00, 0x00, 0x10, 0x00, 0x00, 0x00, 0x05, 0x00, 0x00, 0x00, 0x41, 0x2E,
        0x49, 0x4D, 0x41, 0x30, 0x31, 0x32, 0x33, 0x34, 0x35, 0x36, 0x37, 0x38, 0x39, 0x61, 0x62, 0x63,
        0x64, 0x65, 0x66, 0x50, 0x4B, 0x01, 0x02, 0x14, 0x03, 0x14, 0x00, 0x00, 0x00, 0x00, 0x00, 0x40,
        0x18, 0xA4, 0x24, 0x33, 0xF0, 0xC4, 0x68, 0x10, 0x00, 0x00, 0x00, 0x10, 0x00, 0x00, 0x00, 0x05,
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x80, 0x01, 0x00, 0x00, 0x00,
        0x00, 0x41, 0x2E, 0x49, 0x4D, 0x41, 0x50, 0x4B, 0x05, 0x06, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00,
        0x01, 0x00, 0x33, 0x00, 0x00, 0x00, 0x33, 0x00, 0x00, 0x00, 0x00, 0x00};
    ZippedImage back;
    ASSERT_EQ(unzipImage(stored, back), ContainerError::None);
    EXPECT_EQ(back.entryName, "A.IMA");
    EXPECT_EQ(std::string(back.bytes.begin(), back.bytes.end()), "0123456789abcdef");
}

}  // namespace
