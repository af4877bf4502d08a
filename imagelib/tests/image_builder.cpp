#include "image_builder.h"

#include <algorithm>
#include <array>
#include <bit>
#include <stdexcept>

#include "boot_sector.h"
#include "dir_entry_layout.h"
#include "fat_table.h"

namespace orva::testing {

ImageBuilder::ImageBuilder(const Geometry& g) : g_(g), bytes_(size_t{g.totalSectors} * g.bytesPerSector, 0) {
    using namespace orva::boot;
    std::span<uint8_t> s(bytes_.data(), kSectorBytes);
    s[0] = 0xEB, s[1] = 0x3C, s[2] = 0x90;
    putText(s, oemName, "TESTIMG ");
    put(s, bytesPerSector, g.bytesPerSector);
    put(s, sectorsPerCluster, g.sectorsPerCluster);
    put(s, reservedSectors, g.reservedSectors);
    put(s, fatCount, g.fatCount);
    put(s, rootEntries, g.rootEntries);
    put(s, totalSectors, g.totalSectors);
    put(s, mediaByte, g.media);
    put(s, sectorsPerFat, g.sectorsPerFat);
    put(s, sectorsPerTrack, g.sectorsPerTrack);
    put(s, heads, g.heads);
    put(s, extendedSignature, 0x29);
    putText(s, volumeLabel, "NO NAME");
    putText(s, fileSystemType, "FAT12");
    s[510] = 0x55, s[511] = 0xAA;
    for (uint32_t copy = 0; copy < g.fatCount; ++copy) {
        uint8_t* f = bytes_.data() + fatOffset() + copy * g.sectorsPerFat * g.bytesPerSector;
        f[0] = g.media, f[1] = 0xFF, f[2] = 0xFF;
    }
}

uint32_t ImageBuilder::rootOffset() const {
    return (g_.reservedSectors + g_.fatCount * g_.sectorsPerFat) * g_.bytesPerSector;
}

uint32_t ImageBuilder::clusterOffset(uint32_t c) const {
    const uint32_t rootBytes = (g_.rootEntries * 32 + g_.bytesPerSector - 1) / g_.bytesPerSector * g_.bytesPerSector;
    return rootOffset() + rootBytes + (c - 2) * clusterBytes();
}

uint32_t ImageBuilder::slotOffset(uint32_t dirCluster, uint32_t index) const {
    return (dirCluster == 1 ? rootOffset() : clusterOffset(dirCluster)) + index * 32;
}

void ImageBuilder::setBoot(size_t offset, size_t width, uint32_t value) {
    orva::storeLe(std::span(bytes_).first(512), offset, width, value);
}

void ImageBuilder::setFat(uint32_t cluster, uint32_t value) {
    const size_t fatBytes = size_t{g_.sectorsPerFat} * g_.bytesPerSector;
    for (uint32_t copy = 0; copy < g_.fatCount; ++copy) {
        std::vector<uint8_t> table(bytes_.begin() + fatOffset() + copy * fatBytes,
                                   bytes_.begin() + fatOffset() + (copy + 1) * fatBytes);
        orva::FatTable t(table, 0xFF7);
        t.setRaw(cluster, value);
        std::copy(t.bytes().begin(), t.bytes().end(), bytes_.begin() + fatOffset() + copy * fatBytes);
    }
}

uint32_t ImageBuilder::fat(uint32_t cluster, int copy) const {
    const size_t fatBytes = size_t{g_.sectorsPerFat} * g_.bytesPerSector;
    std::vector<uint8_t> table(bytes_.begin() + fatOffset() + copy * fatBytes,
                               bytes_.begin() + fatOffset() + (copy + 1) * fatBytes);
    return orva::FatTable(table, 0xFF7).raw(cluster);
}

void ImageBuilder::chain(const std::vector<uint32_t>& clusters) {
    for (size_t i = 0; i < clusters.size(); ++i) {
        setFat(clusters[i], i + 1 < clusters.size() ? clusters[i + 1] : 0xFFF);
    }
}

void ImageBuilder::putSlot(uint32_t dirCluster, uint32_t index, const std::vector<uint8_t>& slot) {
    if (slot.size() != 32) throw std::invalid_argument("a slot has 32 bytes");
    std::copy(slot.begin(), slot.end(), bytes_.begin() + slotOffset(dirCluster, index));
}

std::vector<uint8_t> ImageBuilder::slot(uint32_t dirCluster, uint32_t index) const {
    auto at = bytes_.begin() + slotOffset(dirCluster, index);
    return {at, at + 32};
}

std::vector<uint8_t> ImageBuilder::shortEntry(const std::string& name11, uint8_t attributes, uint16_t cluster,
                                              uint32_t size) {
    std::vector<uint8_t> e(32, 0);
    for (size_t i = 0; i < 11; ++i) e[i] = i < name11.size() ? static_cast<uint8_t>(name11[i]) : ' ';
    e[11] = attributes;
    e[22] = 0x7C, e[23] = 0x4F;  // 09:59:56
    e[24] = 0xF2, e[25] = 0x2E;  // 2003-07-18
    orva::storeLe(e, 26, 2, cluster);
    orva::storeLe(e, 28, 4, size);
    return e;
}

uint8_t ImageBuilder::checksum(const std::string& name11) {
    uint8_t sum = 0;
    for (size_t i = 0; i < 11; ++i) {
        sum = static_cast<uint8_t>(((sum & 1) << 7) + (sum >> 1) + static_cast<uint8_t>(name11[i]));
    }
    return sum;
}

std::vector<std::vector<uint8_t>> ImageBuilder::longParts(const std::u16string& name, uint8_t checksum) {
    const size_t parts = (name.size() + 12) / 13;
    std::vector<std::vector<uint8_t>> out;
    for (size_t p = parts; p >= 1; --p) {
        std::vector<uint8_t> s(32, 0);
        s[0] = static_cast<uint8_t>(p | (p == parts ? kLastPartMark : 0));
        s[kAttributesAt] = attr::kLongName;
        s[13] = checksum;
        for (size_t i = 0; i < 13; ++i) {
            const size_t at = (p - 1) * 13 + i;
            const char16_t c = at < name.size() ? name[at] : (at == name.size() ? u'\0' : u'\xFFFF');
            orva::storeLe(s, orva::kPartCharOffsets[i], 2, c);
        }
        out.push_back(s);
    }
    return out;
}

uint32_t ImageBuilder::putGroup(uint32_t dirCluster, uint32_t index, const std::u16string& longName,
                                const std::string& name11, uint8_t attributes, uint16_t cluster, uint32_t size) {
    if (!longName.empty()) {
        for (const auto& part : longParts(longName, checksum(name11))) putSlot(dirCluster, index++, part);
    }
    putSlot(dirCluster, index++, shortEntry(name11, attributes, cluster, size));
    return index;
}

void ImageBuilder::makeDirectory(uint32_t c, uint32_t parent) {
    setFat(c, 0xFFF);
    std::fill_n(bytes_.begin() + clusterOffset(c), clusterBytes(), 0);
    putSlot(c, 0, shortEntry(".          ", attr::kDirectory, static_cast<uint16_t>(c), 0));
    putSlot(c, 1,
            shortEntry("..         ", attr::kDirectory, static_cast<uint16_t>(parent == 1 ? 0 : parent), 0));
}

void ImageBuilder::putData(uint32_t cluster, const std::vector<uint8_t>& data) {
    std::copy(data.begin(), data.end(), bytes_.begin() + clusterOffset(cluster));
}

std::u16string longNameOf(const DirEntry* e, int32_t slotCount) {
    std::u16string name;
    for (int32_t part = 1; part < slotCount; ++part) {
        const auto s = std::bit_cast<std::array<uint8_t, 32>>(e[part]);
        for (size_t at : orva::kPartCharOffsets) {
            const char16_t c = static_cast<char16_t>(s[at] | (s[at + 1] << 8));
            if (c == 0 || c == 0xFFFF) return name;
            name += c;
        }
    }
    return name;
}

}  // namespace orva::testing
