// The bitwise vote over CRC-failed reads of one sector.
#include "converter/actions/sector_vote.h"

#include <gtest/gtest.h>

#include <random>

namespace converter::actions {
namespace {

std::vector<uint8_t> original() {
    std::vector<uint8_t> bytes(512);
    for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i * 37 + 11);
    return bytes;
}

std::vector<uint8_t> flipped(std::vector<uint8_t> bytes, std::initializer_list<size_t> bits) {
    for (size_t bit : bits) bytes[bit / 8] = static_cast<uint8_t>(bytes[bit / 8] ^ (1u << (bit % 8)));
    return bytes;
}

TEST(SectorVote, NoisyReadsRestoreTheOriginal) {
    SectorVote vote;
    std::mt19937 noise(5);
    std::uniform_int_distribution<size_t> bit(0, 4095);
    // Each read flips bits no other read flips: every bit is right in all reads but one.
    for (int read = 0; read < 5; ++read) vote.add(flipped(original(), {bit(noise), bit(noise), bit(noise)}));
    ASSERT_TRUE(vote.settled());
    EXPECT_EQ(*vote.settled(), original());
}

TEST(SectorVote, ABitWithNoMajorityLeavesTheSectorUnsettled) {
    SectorVote vote;
    vote.add(flipped(original(), {100}));
    vote.add(original());
    vote.add(flipped(original(), {100}));
    vote.add(original());
    EXPECT_FALSE(vote.majority());
    EXPECT_FALSE(vote.settled());
}

TEST(SectorVote, TheBestGuessBreaksATieWithTheLastRead) {
    SectorVote vote;
    EXPECT_TRUE(vote.best().empty());
    vote.add(flipped(original(), {100, 900}));
    vote.add(flipped(original(), {100, 2000}));
    // Bit 100 has a majority; 900 and 2000 are tied and go as the second read had them.
    EXPECT_EQ(vote.best(), flipped(original(), {100, 2000}));
    vote.add(original());
    EXPECT_EQ(vote.best(), flipped(original(), {100}));
}

TEST(SectorVote, TooFewReadsAreNotTrusted) {
    SectorVote vote;
    vote.add(original());
    vote.add(original());
    EXPECT_TRUE(vote.majority());
    EXPECT_FALSE(vote.settled());
    vote.add(original());
    EXPECT_TRUE(vote.settled());
}

TEST(SectorVote, AMajorityThatTheLastReadChangedIsNotSettled) {
    SectorVote vote;
    vote.add(flipped(original(), {7}));
    vote.add(flipped(original(), {7}));
    vote.add(original());
    // Three reads: the flipped bit still wins; a fourth makes it a tie, a fifth turns it.
    EXPECT_EQ(*vote.majority(), flipped(original(), {7}));
    vote.add(original());
    vote.add(original());
    EXPECT_EQ(*vote.majority(), original());
    EXPECT_FALSE(vote.settled());
    vote.add(original());
    EXPECT_EQ(*vote.settled(), original());
}

}  // namespace
}  // namespace converter::actions
