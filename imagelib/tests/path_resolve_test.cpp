#include <gtest/gtest.h>

#include "fixture.h"
#include "image_builder.h"
#include "image_state.h"

namespace orva {
namespace {

using testing::ImageBuilder;

// \DOCS (cluster 2, two clusters: 2 and 3) holds REPORT.TXT and \DOCS\OLD (cluster 4); the root holds README.TXT.
ImageBuilder sampleTree() {
    ImageBuilder b;
    uint32_t i = 0;
    i = b.putGroup(1, i, u"Documents", "DOCS       ", attr::kDirectory, 2, 0);
    i = b.putGroup(1, i, u"", "README  TXT", attr::kArchive, 0, 0);
    b.makeDirectory(2, 1);
    b.chain({2, 3});
    b.putGroup(2, 2, u"", "REPORT  TXT", attr::kArchive, 0, 0);
    b.putGroup(2, 3, u"", "OLD        ", attr::kDirectory, 4, 0);
    b.putGroup(3, 15, u"", "LAST    TXT", attr::kArchive, 0, 0);
    b.makeDirectory(4, 2);
    return b;
}

class PathResolve : public ::testing::Test {
protected:
    void SetUp() override {
        sampleTree().save(dir / "img.img");
        ASSERT_EQ(state.OpenFDImg((dir / "img.img").string(), 1), 0);
    }
    int32_t resolve(const std::string& path) {
        int32_t slots = 0;
        entry = nullptr;
        return state.GetFDirEntry(path, &entry, &slots, nullptr);
    }
    std::string name() const { return std::string(reinterpret_cast<const char*>(entry->name), 11); }
    testing_support::ScratchDir dir;
    ImageState state;
    DirEntry* entry = nullptr;
};

TEST_F(PathResolve, PathsResolveFromRootOrWorkingDirectory) {
    struct Row {
        const char* path;
        int32_t expected;
        const char* name;
    } rows[] = {
        {"\\", 0, "           "},
        {"\\README.TXT", 0, "README  TXT"},
        {"README.TXT", 0, "README  TXT"},
        {"\\DOCS\\", 0, "DOCS       "},
        {"\\Documents\\REPORT.TXT", 0, "REPORT  TXT"},
        {"\\DOCS\\OLD", 0, "OLD        "},
        {"DOCS\\LAST.TXT", 0, "LAST    TXT"},
        {"", 1, nullptr},
        {"\\NOPE", 1, nullptr},
        {"\\NOPE\\X", 1, nullptr},
        {"\\DOCS\\.", 1, nullptr},
        {"\\DOCS\\..\\README.TXT", 1, nullptr},
        {"\\README.TXT\\X", 4, nullptr},
        {"\\README.TXT\\", 4, nullptr},
        {"\\DOCS\\\\REPORT.TXT", 5, nullptr},
        {"\\\\", 5, nullptr},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(resolve(r.path), r.expected) << r.path;
        if (r.name && r.expected == 0) {
            EXPECT_EQ(name(), r.name) << r.path;
        }
    }
    ASSERT_EQ(resolve("\\"), 0);
    EXPECT_EQ(entry->firstCluster, 1);
    EXPECT_EQ(entry->attributes, 0x10);
}

TEST_F(PathResolve, WorkingDirectory) {
    EXPECT_EQ(state.SetFWrkDir("DOCS"), 0);
    EXPECT_EQ(state.workDirCluster(), 2u);
    EXPECT_EQ(resolve("REPORT.TXT"), 0);
    EXPECT_EQ(resolve("README.TXT"), 1);
    EXPECT_EQ(resolve("\\README.TXT"), 0);
    EXPECT_EQ(state.SetFWrkDir("OLD\\"), 0);  // relative to DOCS
    EXPECT_EQ(state.workDirCluster(), 4u);
    struct Row {
        const char* path;
        int32_t expected;
    } failures[] = {{"", 5}, {"NOPE", 1}, {"\\README.TXT", 4}, {"\\DOCS\\\\", 5}};
    for (const Row& r : failures) {
        EXPECT_EQ(state.SetFWrkDir(r.path), r.expected) << r.path;
        EXPECT_EQ(state.workDirCluster(), 4u) << r.path;
    }
    EXPECT_EQ(state.SetFWrkDir("\\"), 0);
    EXPECT_EQ(state.workDirCluster(), 1u);
}

TEST_F(PathResolve, RawSlotsOfTheWorkingDirectory) {
    uint8_t slot[32];
    EXPECT_EQ(state.GetFWDirEntry(0, slot), 0);
    EXPECT_EQ(slot[11], 0x0F);  // the long-name part of Documents, as it is
    EXPECT_EQ(state.GetFWDirEntry(3, slot), 1);  // an end slot
    EXPECT_EQ(state.GetFWDirEntry(223, slot), 1);
    EXPECT_EQ(state.GetFWDirEntry(224, slot), 2);
    EXPECT_EQ(state.GetFWDirEntry(-1, slot), 2);
    ASSERT_EQ(state.SetFWrkDir("\\DOCS"), 0);
    EXPECT_EQ(state.GetFWDirEntry(31, slot), 0);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(slot), 11), "LAST    TXT");
    EXPECT_EQ(state.GetFWDirEntry(32, slot), 2);
    EXPECT_EQ(state.GetFWDirEntry(1 << 30, slot), 2);
}

}  // namespace
}  // namespace orva
