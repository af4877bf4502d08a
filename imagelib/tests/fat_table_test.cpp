#include "fat_table.h"

#include <gtest/gtest.h>

namespace orva {
namespace {

FatTable tableOf(std::vector<uint8_t> bytes, uint32_t limit = 0xFF7) {
    return FatTable(std::move(bytes), limit);
}

TEST(FatTable, NeighbouringEntriesShareTheMiddleByte) {
    FatTable t = tableOf({0xF0, 0xFF, 0xFF, 0x03, 0x40, 0x00, 0, 0, 0});
    EXPECT_EQ(t.raw(2), 0x003u);
    EXPECT_EQ(t.raw(3), 0x004u);
    t.setRaw(3, 0xFFF);
    EXPECT_EQ(t.raw(2), 0x003u);
    EXPECT_EQ(std::vector<uint8_t>(t.bytes().begin() + 3, t.bytes().begin() + 6),
              (std::vector<uint8_t>{0x03, 0xF0, 0xFF}));
    t.setRaw(2, 0xABC);
    EXPECT_EQ(t.raw(2), 0xABCu);
    EXPECT_EQ(t.raw(3), 0xFFFu);
}

TEST(FatTable, GetMapsValuesToNextEndOrNothing) {
    FatTable t = tableOf(std::vector<uint8_t>(30, 0), 12);
    t.setRaw(2, 5);
    t.setRaw(3, 0xFF7);  // bad cluster
    t.setRaw(4, 0xFF8);
    t.setRaw(5, 12);  // a number at the limit ends the chain too
    t.setRaw(6, 11);
    struct Row {
        int64_t cluster;
        int32_t expected;
    } rows[] = {{0, 0}, {1, 0}, {2, 5}, {3, -1}, {4, -1}, {5, -1}, {6, 11}, {7, 0}, {12, 0}, {-1, 0}};
    for (const Row& r : rows) EXPECT_EQ(t.FatGet(r.cluster), r.expected) << "cluster " << r.cluster;
}

TEST(FatTable, SetOutsideTheClustersChangesNothing) {
    FatTable t = tableOf({0xF0, 0xFF, 0xFF, 0, 0, 0}, 4);
    const std::vector<uint8_t> before(t.bytes().begin(), t.bytes().end());
    t.FatSet(0, 0x123);
    t.FatSet(1, 0x123);
    t.FatSet(4, 0x123);
    EXPECT_EQ(std::vector<uint8_t>(t.bytes().begin(), t.bytes().end()), before);
}

TEST(FatTable, FindFreeIsFirstFitWithoutWrapping) {
    FatTable t = tableOf(std::vector<uint8_t>(15, 0), 10);
    for (uint32_t c = 2; c < 10; ++c) t.setRaw(c, 0xFFF);
    t.setRaw(4, 0);
    EXPECT_EQ(t.FatFindFree(0), 0);
    EXPECT_EQ(t.FatFindFree(1), 0);
    EXPECT_EQ(t.FatFindFree(2), 4);
    EXPECT_EQ(t.FatFindFree(5), -1);
    EXPECT_EQ(t.FatFindFree(10), 0);
    EXPECT_EQ(t.countFree(), 1u);
}

TEST(FatTable, LimitNeverExceedsTheEntriesTheBytesHold) {
    FatTable t = tableOf(std::vector<uint8_t>(9, 0), 2000);
    EXPECT_EQ(t.clusterLimit(), 6u);
    EXPECT_EQ(t.countFree(), 4u);
    EXPECT_EQ(t.FatFindFree(5), 5);
    EXPECT_EQ(t.FatGet(6), 0);
}

TEST(FatTable, WalksEndOnLoopsAndBrokenLinks) {
    FatTable t = tableOf(std::vector<uint8_t>(30, 0), 12);
    t.setRaw(2, 3);
    t.setRaw(3, 4);
    t.setRaw(4, 2);  // back into the chain
    t.setRaw(5, 0);
    t.setRaw(6, 1);
    t.setRaw(7, 0xFFF);
    ClusterSet visited;
    uint32_t c = 2;
    ChainLink link{ChainLink::Next, 2};
    int links = 0;
    while ((link = t.follow(c, visited)).kind == ChainLink::Next) {
        c = link.next;
        ASSERT_LT(++links, 100);
    }
    EXPECT_EQ(link.kind, ChainLink::Loop);
    EXPECT_EQ(link.next, 2u) << "the cluster the chain leads back to";
    EXPECT_EQ(links, 2) << "the walk stops at the first cluster it would read again";
    visited.reset();
    EXPECT_EQ(t.follow(5, visited).kind, ChainLink::Broken);
    EXPECT_EQ(t.follow(6, visited).kind, ChainLink::Broken);
    EXPECT_EQ(t.follow(7, visited).kind, ChainLink::End);
}

TEST(FatTable, AWholeDiskChainIsNoLoop) {
    FatTable t = tableOf(std::vector<uint8_t>(30, 0), 12);
    for (uint32_t c = 2; c < 11; ++c) t.setRaw(c, c + 1);
    t.setRaw(11, 0xFFF);
    ClusterSet visited;
    uint32_t c = 2, clusters = 1;
    for (ChainLink l; (l = t.follow(c, visited)).kind == ChainLink::Next; c = l.next) ++clusters;
    EXPECT_EQ(clusters, 10u);
    EXPECT_EQ(c, 11u);
}

}  // namespace
}  // namespace orva
