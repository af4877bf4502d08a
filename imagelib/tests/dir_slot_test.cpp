#include "dir_slot.h"

#include <gtest/gtest.h>

#include "image_builder.h"

namespace orva {
namespace {

using testing::ImageBuilder;

Slot toSlot(const std::vector<uint8_t>& v) {
    Slot s{};
    std::copy(v.begin(), v.end(), s.begin());
    return s;
}

Slot filled(uint8_t value) {
    Slot s;
    s.fill(value);
    return s;
}

constexpr CheckLimits kLimits{2849, 1474560, false};
constexpr CheckLimits kStrict{2849, 1474560, true};

TEST(DirSlot, BlankSlotsAreEndOrFiller) {
    EXPECT_TRUE(isEndSlot(filled(0)));
    EXPECT_TRUE(isFreeSlot(filled(0)));
    EXPECT_TRUE(isBlank(filled(0xF6)));
    EXPECT_FALSE(isFreeSlot(filled(0xF6)));
    EXPECT_TRUE(isHiddenSlot(filled(0xF6)));
    Slot notBlank = filled(0);
    notBlank[20] = 7;
    EXPECT_FALSE(isBlank(notBlank));
    EXPECT_FALSE(isFreeSlot(notBlank));
    Slot deleted = toSlot(ImageBuilder::shortEntry("XFILE   TXT", attr::kArchive, 2, 5));
    deleted[0] = kDeletedMark;
    EXPECT_TRUE(isFreeSlot(deleted));
}

TEST(DirSlot, LongNamePartsAreRecognisedByAttributeClusterAndMark) {
    Slot part = toSlot(ImageBuilder::longParts(u"name", 0)[0]);
    EXPECT_TRUE(isLongNamePart(part));
    Slot deleted = part;
    deleted[0] = kDeletedMark;
    EXPECT_FALSE(isLongNamePart(deleted));
    Slot withCluster = part;
    withCluster[26] = 1;
    EXPECT_FALSE(isLongNamePart(withCluster));
    EXPECT_TRUE(isLongNameAttr(0xFF));
}

struct CheckRow {
    const char* what;
    std::vector<uint8_t> slot;
    CheckLimits limits;
    uint8_t expected;
};

std::vector<uint8_t> with(std::vector<uint8_t> s, size_t at, std::vector<uint8_t> bytes) {
    std::copy(bytes.begin(), bytes.end(), s.begin() + static_cast<long>(at));
    return s;
}

TEST(DirSlot, ChecksGiveTheirCodes) {
    const auto file = ImageBuilder::shortEntry("README  TXT", attr::kArchive, 2, 100);
    const auto dir = ImageBuilder::shortEntry("DOCS       ", attr::kDirectory, 3, 0);
    const auto label = ImageBuilder::shortEntry("MY DISK    ", attr::kLabel, 0, 0);
    const auto part = ImageBuilder::longParts(u"report", 0x11)[0];
    const std::vector<CheckRow> rows = {
        {"all zero", std::vector<uint8_t>(32, 0), kLimits, 0},
        {"plain file", file, kLimits, 0},
        {"cluster beyond the limit", with(file, 26, {0x21, 0x0B}), kLimits, 1},
        {"file larger than the image", with(file, 28, {0x80, 0x84, 0x1E, 0x00}), kLimits, 2},
        {"directory size is not checked", with(dir, 28, {0x80, 0x84, 0x1E, 0x00}), kLimits, 0},
        {"dot entry", ImageBuilder::shortEntry(".          ", attr::kDirectory, 3, 0), kLimits, 0},
        {"dotdot entry", ImageBuilder::shortEntry("..         ", attr::kDirectory, 0, 0), kLimits, 0},
        {"control character", with(file, 2, {0x07}), kLimits, 3},
        {"forbidden character", with(file, 2, {'|'}), kLimits, 3},
        {"high bytes pass", with(file, 2, {0x9A}), kLimits, 0},
        {"deleted slot passes", with(with(file, 26, {0xFF, 0xFF}), 0, {kDeletedMark}), kLimits, 0},
        {"long part", part, kLimits, 0},
        {"long part bad attribute", with(part, 11, {0x1F}), kLimits, 4},
        {"sequence 0x41", with(part, 0, {0x41}), kLimits, 0},
        {"sequence 0x15", with(part, 0, {0x15}), kLimits, 5},
        {"sequence 0x55", with(part, 0, {0x55}), kLimits, 5},
        {"type byte lax", with(part, 12, {1}), kLimits, 0},
        {"type byte strict", with(part, 12, {1}), kStrict, 6},
        {"cluster field strict", with(part, 26, {1}), kStrict, 7},
        {"U+015C passes", with(part, 1, {0x5C, 0x01}), kLimits, 0},
        {"backslash fails", with(part, 1, {0x5C, 0x00}), kLimits, 8},
        {"bad character after the end is ignored", with(with(part, 14, {0, 0}), 16, {'*', 0}), kLimits, 0},
        {"label", label, kLimits, 0},
        {"label with control character", with(label, 3, {0x01}), kLimits, 9},
    };
    for (const CheckRow& r : rows) EXPECT_EQ(checkSlot(toSlot(r.slot), r.limits), r.expected) << r.what;
}

}  // namespace
}  // namespace orva
