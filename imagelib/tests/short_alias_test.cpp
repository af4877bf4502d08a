// Which entries of a folder take an alias away from a new long name.
#include <gtest/gtest.h>

#include <functional>

#include "image_fixture.h"
#include "short_name.h"

namespace orva {
namespace {

using testing::ImageBuilder;
using testing::ImageTest;

constexpr uint32_t kSub = 2;  // a folder of two clusters, 2 and 3, named SUB in the root

// The entries a row puts in the root: n aliases of "Long file.txt" from ordinal `from` on.
void putAliases(ImageBuilder& b, uint32_t& slot, int from, int n) {
    for (int i = from; i < from + n; ++i) {
        const ShortName s = storedForm(*aliasCandidate("Long file.txt", i));
        b.putSlot(1, slot++, ImageBuilder::shortEntry(std::string(s.begin(), s.end()), attr::kArchive, 0, 0));
    }
}

class ShortAlias : public ImageTest {};

TEST_F(ShortAlias, EntriesThatTakeAnAlias) {
    struct Row {
        const char* what;
        std::function<void(ImageBuilder&)> setup;
        uint8_t checkFlags;
        bool inSub;
        const char* alias;
    } rows[] = {
        {"an empty folder", [](ImageBuilder&) {}, 0, false, "LONGFI~1TXT"},
        {"an entry after the end mark",
         [](ImageBuilder& b) {
             b.putSlot(1, 1, ImageBuilder::shortEntry("LONGFI~1TXT", attr::kArchive, 0, 0));
         },
         0, false, "LONGFI~2TXT"},
        {"the volume label",
         [](ImageBuilder& b) {
             b.putSlot(1, 0, ImageBuilder::shortEntry("LONGFI~1TXT", attr::kLabel, 0, 0));
         },
         0, false, "LONGFI~2TXT"},
        {"an entry with a long name of its own",
         [](ImageBuilder& b) { b.putGroup(1, 0, u"Long file!.txt", "LONGFI~1TXT", attr::kArchive, 0, 0); }, 0,
         false, "LONGFI~2TXT"},
        {"an entry behind one the slot checks reject",
         [](ImageBuilder& b) {
             b.putSlot(1, 0, ImageBuilder::shortEntry("BAD     TXT", attr::kArchive, 4000, 1));
             b.putSlot(1, 1, ImageBuilder::shortEntry("LONGFI~1TXT", attr::kArchive, 0, 0));
         },
         3, false, "LONGFI~2TXT"},
        {"an entry in the folder's second cluster",
         [](ImageBuilder& b) {
             for (uint32_t i = 2; i < 16; ++i)
                 b.putSlot(kSub, i, ImageBuilder::shortEntry("FILLER  TXT", attr::kArchive, 0, 0));
             b.putSlot(3, 0, ImageBuilder::shortEntry("LONGFI~1TXT", attr::kArchive, 0, 0));
         },
         0, true, "LONGFI~2TXT"},
        {"all 50 character tails and ~10, ~12",
         [](ImageBuilder& b) {
             uint32_t slot = 0;
             putAliases(b, slot, 0, kCharacterTails + 1);
             putAliases(b, slot, kCharacterTails + 2, 1);
         },
         0, false, "LONGF~11TXT"},
        {"everything up to ~99",
         [](ImageBuilder& b) {
             uint32_t slot = 0;
             putAliases(b, slot, 0, kCharacterTails + 90);
         },
         0, false, "LONG~100TXT"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        ImageBuilder b;
        b.putSlot(1, 200, ImageBuilder::shortEntry("SUB        ", attr::kDirectory, kSub, 0));
        b.makeDirectory(kSub, 1);
        b.chain({kSub, 3});
        r.setup(b);
        open(b);
        ASSERT_EQ(state.BlockTestFol(r.checkFlags), 0);
        const auto host = hostFile("host.bin", {1});
        ASSERT_EQ(state.CopyT(host.string(), r.inSub ? "\\SUB\\Long file.txt" : "\\Long file.txt"), 0);
        ASSERT_EQ(state.BlockTestFol(0), 0);
        DirEntry* e = nullptr;
        ASSERT_EQ(state.FindInDir("Long file.txt", r.inSub ? kSub : 1, &e, nullptr), 0);
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(e->name), 11), r.alias);
        ASSERT_EQ(state.CloseFDImg(), 0);
    }
}

}  // namespace
}  // namespace orva
