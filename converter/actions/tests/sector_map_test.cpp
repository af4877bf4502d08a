// Maps in GNU ddrescue's format, read into sector states and written back.
#include "converter/actions/sector_map.h"

#include <gtest/gtest.h>

namespace converter::actions {
namespace {

namespace containers = platform::containers;

struct MapCase {
    const char* name;
    const char* text;
    std::string states;  // of 8 sectors of 512 bytes; empty: refused
};

class MapReading : public ::testing::TestWithParam<MapCase> {};

TEST_P(MapReading, GivesEachSectorItsState) {
    const MapCase& c = GetParam();
    const auto parsed = containers::parseMapfile(c.text);
    std::string error;
    std::optional<SectorMap> map;
    if (parsed.map) map = SectorMap::fromMapfile(*parsed.map, 8, 512, error);
    if (c.states.empty()) {
        EXPECT_FALSE(map);
        return;
    }
    ASSERT_TRUE(map) << parsed.error << error;
    std::string states;
    for (uint32_t s = 0; s < 8; ++s) states += map->state(s);
    EXPECT_EQ(states, c.states);
}

INSTANTIATE_TEST_SUITE_P(
    Rescue, MapReading,
    ::testing::Values(MapCase{"all_finished", "# c\n0x0 + 1\n0x0 0x1000 +\n", "++++++++"},
                      MapCase{"decimal_and_comments",
                              "\n# x\n0 ? 1\n# pos size status\n0 1024 + \n1024 3072 -\n", "++------"},
                      MapCase{"short_map_leaves_the_rest_untried", "0x0 ? 1\n0x0 0x600 +\n", "+++?????"},
                      MapCase{"part_of_a_sector_unfinished",
                              "0x0 / 2\n0x0 0x300 +\n0x300 0x100 /\n0x400 0xC00 +\n", "+/++++++"},
                      MapCase{"a_finished_half_is_not_enough", "0x0 ? 1\n0x0 0x500 +\n", "++??????"},
                      MapCase{"status_line_without_pass", "0x0 -\n0x0 0x1000 *\n", "********"},
                      MapCase{"larger_medium", "0x0 + 1\n0x0 0x2000 +\n", ""},
                      MapCase{"gap_between_blocks", "0x0 + 1\n0x0 0x200 +\n0x400 0x200 +\n", ""},
                      MapCase{"no_status_line", "# nothing\n", ""},
                      MapCase{"unknown_state", "0x0 + 1\n0x0 0x1000 x\n", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MapWriting, JoinsRunsAndReadsBackTheSame) {
    SectorMap map(8, 512);
    for (uint32_t s = 0; s < 8; ++s) map.set(s, s == 3 ? containers::kBadSector : containers::kFinished);
    map.setPhase(containers::kBadSector, 2, 3);
    const std::string text = containers::mapfileText(map.toMapfile(), "test");
    EXPECT_NE(text.find("0x00000600     -               2\n"), std::string::npos) << text;
    EXPECT_NE(text.find("0x00000000  0x00000600  +\n0x00000600  0x00000200  -\n0x00000800  0x00000800  +\n"),
              std::string::npos)
        << text;
    std::string error;
    const auto again = SectorMap::fromMapfile(*containers::parseMapfile(text).map, 8, 512, error);
    ASSERT_TRUE(again);
    EXPECT_EQ(containers::mapfileText(again->toMapfile(), "test"), text);
}

}  // namespace
}  // namespace converter::actions
