#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "boot_sector.h"
#include "fixture.h"
#include "image_builder.h"
#include "image_state.h"

namespace orva {
namespace {

using testing::ImageBuilder;
using testing_support::ScratchDir;
namespace fs = std::filesystem;

class ImageOpen : public ::testing::Test {
protected:
    fs::path save(const ImageBuilder& b, const std::string& name = "a.img") {
        const fs::path p = dir / name;
        b.save(p);
        return p;
    }
    ScratchDir dir;
    ImageState state;
};

TEST_F(ImageOpen, StandardMediaAreRecognised) {
    struct Row {
        testing::Geometry g;
        int64_t cylinders;
        int32_t mediaType;
        uint32_t sectorsPerTrack;
    } rows[] = {{testing::k144, 80, 2, 18}, {testing::k720, 80, 5, 9}, {testing::k12, 80, 1, 15},
                {testing::k360, 40, 6, 9}, {{512, 1, 1, 2, 224, 2880, 0xF9, 9, 18, 2}, 80, 0, 18}};
    for (const Row& r : rows) {
        ASSERT_EQ(state.OpenFDImg(save(ImageBuilder(r.g)).string(), 1), 0);
        DiskGeometry g{};
        uint8_t boot[62];
        ASSERT_EQ(state.GetFDType(&g, boot, sizeof boot), 0);
        EXPECT_EQ(g.cylinders, r.cylinders);
        EXPECT_EQ(g.mediaType, r.mediaType);
        EXPECT_EQ(g.tracksPerCylinder, 2u);
        EXPECT_EQ(g.sectorsPerTrack, r.sectorsPerTrack);
        EXPECT_EQ(g.bytesPerSector, 512u);
        EXPECT_EQ(boot[21], r.g.media);
        EXPECT_EQ(state.CloseFDImg(), 0);
    }
}

TEST_F(ImageOpen, SizeAndReadOnlyGiveTheirResults) {
    const ImageBuilder b;
    struct Row {
        const char* what;
        long sizeChange;
        bool readOnly;
        int32_t expected;
    } rows[] = {{"exact", 0, false, 0},        {"one byte more", 1, false, 2}, {"one byte less", -1, false, 4},
                {"read-only", 0, true, 1},     {"longer and read-only", 1, true, 3},
                {"shorter and read-only", -1, true, 4}};
    for (const Row& r : rows) {
        const fs::path p = save(b, std::string(r.what) + ".img");
        fs::resize_file(p, static_cast<uintmax_t>(static_cast<long>(b.geometry().totalSectors * 512) + r.sizeChange));
        if (r.readOnly) fs::permissions(p, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                                        fs::perm_options::remove);
        EXPECT_EQ(state.OpenFDImg(p.string(), 1), r.expected) << r.what;
        EXPECT_EQ(state.readOnly(), r.readOnly) << r.what;
        EXPECT_TRUE(state.isOpen());
        EXPECT_EQ(state.CloseFDImg(), 0);
    }
}

TEST_F(ImageOpen, TinyFiles) {
    const ImageBuilder b;
    std::vector<uint8_t> head(b.geometry().bytesPerSector);
    std::copy_n(ImageBuilder(b).bytes().begin(), head.size(), head.begin());
    testing_support::writeFile(dir / "100.img", std::vector<uint8_t>(head.begin(), head.begin() + 100));
    testing_support::writeFile(dir / "40.img", std::vector<uint8_t>(head.begin(), head.begin() + 40));
    EXPECT_EQ(state.OpenFDImg((dir / "100.img").string(), 1), 4);
    EXPECT_EQ(state.OpenFDImg((dir / "40.img").string(), 1), 6);
    EXPECT_FALSE(state.isOpen());
}

TEST_F(ImageOpen, BadBootValuesAreRefusedAndLeaveNothingOpen) {
    struct Row {
        const char* what;
        boot::Field field;
        uint32_t value;
        int32_t expected;
    } rows[] = {
        {"media 0xF8", boot::mediaByte, 0xF8, 7},
        {"three heads", boot::heads, 3, 8},
        {"16384-byte sectors", boot::bytesPerSector, 16384, 8},
        {"256 sectors per track", boot::sectorsPerTrack, 256, 8},
        {"0-byte sectors", boot::bytesPerSector, 0, 8},
        {"0 sectors per cluster", boot::sectorsPerCluster, 0, 8},
        {"0 sectors per track", boot::sectorsPerTrack, 0, 8},
        {"table beyond the image", boot::sectorsPerFat, 5000, 8},
        {"root beyond the image", boot::rootEntries, 65535, 8},
        {"no reserved sector", boot::reservedSectors, 0, 8},
        {"no table", boot::fatCount, 0, 8},
    };
    for (const Row& r : rows) {
        ImageBuilder b;
        b.setBoot(r.field.offset, r.field.width, r.value);
        const fs::path p = save(b);
        EXPECT_EQ(state.OpenFDImg(p.string(), 1), r.expected) << r.what;
        EXPECT_FALSE(state.isOpen()) << r.what;
        // Nothing is left locked: the file opens again at once.
        ImageState other;
        EXPECT_EQ(other.OpenFDImg(save(ImageBuilder()).string(), 1), 0) << r.what;
    }
}

TEST_F(ImageOpen, NothingOpenAnswers) {
    DiskGeometry g;
    int32_t code;
    uint32_t free;
    EXPECT_EQ(state.GetFDType(&g, nullptr, 0), 9);
    EXPECT_EQ(state.GetLastErr(&code, nullptr, nullptr), 9);
    EXPECT_EQ(state.BlockTestFol(2), 9);
    EXPECT_EQ(state.FreeSpace(&free), 10);
    EXPECT_EQ(state.CloseFDImg(), 0);
    EXPECT_EQ(state.OpenFDImg((dir / "missing.img").string(), 1), 10);
    EXPECT_EQ(state.OpenFDImg(dir.path().string(), 1), 10);
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
    EXPECT_EQ(state.OpenFDImg((dir / "fifo").string(), 1), 10);  // and does not block
}

TEST_F(ImageOpen, LockHeldByAnotherProcessRefusesTheImage) {
    const fs::path p = save(ImageBuilder());
    int ready[2], release[2];
    ASSERT_EQ(::pipe(ready), 0);
    ASSERT_EQ(::pipe(release), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(release[1]);  // or the read below never sees the parent's close
        int fd = ::open(p.c_str(), O_RDWR);
        char c = ::flock(fd, LOCK_EX) == 0 ? 'y' : 'n';
        if (::write(ready[1], &c, 1) != 1) _exit(2);
        ::read(release[0], &c, 1);  // until the parent closes its end
        _exit(0);
    }
    char c = 0;
    ASSERT_EQ(::read(ready[0], &c, 1), 1);
    ASSERT_EQ(c, 'y');
    EXPECT_EQ(state.OpenFDImg(p.string(), 1), 10);
    ::close(release[1]);
    ::close(release[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    ::close(ready[0]), ::close(ready[1]);
    EXPECT_EQ(state.OpenFDImg(p.string(), 1), 0);
}

TEST_F(ImageOpen, OpeningAgainClosesTheOpenImageAndItsLock) {
    const fs::path first = save(ImageBuilder(), "first.img");
    ASSERT_EQ(state.OpenFDImg(first.string(), 1), 0);
    ImageState other;
    EXPECT_EQ(other.OpenFDImg(first.string(), 1), 10);
    ASSERT_EQ(state.OpenFDImg(save(ImageBuilder(testing::k720), "second.img").string(), 1), 0);
    EXPECT_EQ(other.OpenFDImg(first.string(), 1), 0);
}

TEST_F(ImageOpen, TheSecondTableCopyCanBeChosen) {
    ImageBuilder b;
    b.setFat(5, 0xFFF);
    // Only the first copy says cluster 6 is taken.
    b.bytes()[b.fatOffset() + 9] = 0xFF;
    const fs::path p = save(b);
    uint32_t free1 = 0, free2 = 0;
    ASSERT_EQ(state.OpenFDImg(p.string(), 1), 0);
    state.FreeSpace(&free1);
    ASSERT_EQ(state.OpenFDImg(p.string(), 2), 0);
    state.FreeSpace(&free2);
    EXPECT_EQ(free1, 1457664u - 2 * 512);
    EXPECT_EQ(free2, 1457664u - 512);
}

TEST_F(ImageOpen, BootBytesAreCopiedUpTo512) {
    ASSERT_EQ(state.OpenFDImg(save(ImageBuilder()).string(), 1), 0);
    std::vector<uint8_t> out(600, 0xAA);
    EXPECT_EQ(state.GetFDType(nullptr, out.data(), -5), 0);
    EXPECT_EQ(out[0], 0xAA);
    EXPECT_EQ(state.GetFDType(nullptr, out.data(), 100000), 0);
    EXPECT_EQ(out[510], 0x55);
    EXPECT_EQ(out[512], 0xAA);
}

// A file whose close fails: the image must be gone all the same.
class FailingClose final : public platform::RandomAccessFile {
public:
    explicit FailingClose(std::unique_ptr<platform::RandomAccessFile> f) : f_(std::move(f)) {}
    int64_t readAt(uint64_t o, std::span<uint8_t> out) override { return f_->readAt(o, out); }
    int64_t writeAt(uint64_t o, std::span<const uint8_t> d) override { return f_->writeAt(o, d); }
    bool syncData() override { return f_->syncData(); }
    std::optional<uint64_t> size() override { return f_->size(); }
    bool close() override {
        f_->close();
        return false;
    }

private:
    std::unique_ptr<platform::RandomAccessFile> f_;
};

TEST_F(ImageOpen, AFailedCloseLeavesNothingUsable) {
    ImageState failing([](const std::string& path, platform::Access a, int& e) {
        return std::unique_ptr<platform::RandomAccessFile>(
            std::make_unique<FailingClose>(platform::openExclusive(path, a, e)));
    });
    const fs::path p = save(ImageBuilder());
    ASSERT_EQ(failing.OpenFDImg(p.string(), 1), 0);
    EXPECT_EQ(failing.CloseFDImg(), 1);
    EXPECT_FALSE(failing.isOpen());
    DirEntry* e = nullptr;
    EXPECT_EQ(failing.FindInDir("X", 1, &e, nullptr), 10);
    EXPECT_EQ(failing.OpenFDImg(p.string(), 1), 0);
}

TEST_F(ImageOpen, ClustersEndWhereTheTableEnds) {
    // One 512-byte table holds 341 entries: the count of free clusters stops there, not at the geometry's 2865.
    ImageBuilder b({512, 1, 1, 2, 224, 2880, 0xF0, 1, 18, 2});
    ASSERT_EQ(state.OpenFDImg(save(b).string(), 1), 0);
    uint32_t free = 0;
    state.FreeSpace(&free);
    EXPECT_EQ(free, 339u * 512);
    EXPECT_EQ(state.ClusterOffset(342), -1);  // the limit itself still maps, to the end of the clusters
}

TEST_F(ImageOpen, FreeSpaceOfAnEmptyFloppy) {
    uint32_t free = 0;
    ASSERT_EQ(state.OpenFDImg(save(ImageBuilder()).string(), 1), 0);
    EXPECT_EQ(state.FreeSpace(&free), 0);
    EXPECT_EQ(free, 1457664u);
    ASSERT_EQ(state.OpenFDImg(save(ImageBuilder(testing::k720)).string(), 1), 0);
    state.FreeSpace(&free);
    EXPECT_EQ(free, 713u * 1024);
}

}  // namespace
}  // namespace orva
