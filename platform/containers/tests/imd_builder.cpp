#include "imd_builder.h"

namespace containers_test {

std::vector<uint8_t> sectorPattern(uint8_t cylinder, uint8_t head, uint8_t id, size_t size) {
    std::vector<uint8_t> data(size);
    for (size_t i = 0; i < size; ++i) data[i] = static_cast<uint8_t>(cylinder * 7 + head * 13 + id * 31 + i);
    return data;
}

ImdTrack plainTrack(uint8_t mode, uint8_t cylinder, uint8_t head, uint8_t count, uint8_t sizeCode) {
    ImdTrack t{mode, cylinder, head, sizeCode, {}, {}, {}};
    for (uint8_t id = 1; id <= count; ++id) {
        t.sectors.push_back({id, 1, sectorPattern(cylinder, head, id, size_t{128} << sizeCode)});
    }
    return t;
}

std::vector<uint8_t> buildImd(const std::string& headerAndComment, const std::vector<ImdTrack>& tracks) {
    std::vector<uint8_t> out(headerAndComment.begin(), headerAndComment.end());
    out.push_back(0x1A);
    for (const ImdTrack& t : tracks) {
        uint8_t head = t.head;
        if (!t.cylinderMap.empty()) head |= 0x80;
        if (!t.headMap.empty()) head |= 0x40;
        out.insert(out.end(), {t.mode, t.cylinder, head, static_cast<uint8_t>(t.sectors.size()), t.sizeCode});
        for (const ImdSector& s : t.sectors) out.push_back(s.id);
        out.insert(out.end(), t.cylinderMap.begin(), t.cylinderMap.end());
        out.insert(out.end(), t.headMap.begin(), t.headMap.end());
        for (const ImdSector& s : t.sectors) {
            out.push_back(s.record);
            out.insert(out.end(), s.data.begin(), s.data.end());
        }
    }
    return out;
}

}  // namespace containers_test
