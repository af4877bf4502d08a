#pragma once
// Hand-made ImageDisk files, for what no tool makes: bad and missing sectors, compressed ones, maps.
#include <cstdint>
#include <string>
#include <vector>

namespace containers_test {

struct ImdSector {
    uint8_t id;
    uint8_t record;             // 0 unavailable, 1..8 as the format numbers them
    std::vector<uint8_t> data;  // the whole sector, or one fill byte for the even records
};

struct ImdTrack {
    uint8_t mode;
    uint8_t cylinder;
    uint8_t head;
    uint8_t sizeCode;
    std::vector<ImdSector> sectors;
    std::vector<uint8_t> cylinderMap;  // written when not empty
    std::vector<uint8_t> headMap;
};

std::vector<uint8_t> buildImd(const std::string& headerAndComment, const std::vector<ImdTrack>& tracks);

// A track of count sectors numbered 1.., each of size bytes of (cylinder, head, id) pattern, all normal.
ImdTrack plainTrack(uint8_t mode, uint8_t cylinder, uint8_t head, uint8_t count, uint8_t sizeCode);

// What plainTrack puts into a sector.
std::vector<uint8_t> sectorPattern(uint8_t cylinder, uint8_t head, uint8_t id, size_t size);

}  // namespace containers_test
