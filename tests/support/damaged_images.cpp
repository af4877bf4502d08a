#include "damaged_images.h"

#include <gtest/gtest.h>

#include "fixture.h"

namespace testing_support {
namespace {

struct Tables {
    uint32_t offset;  // of the first copy
    uint32_t bytes;   // of one copy
    uint32_t copies;
};

uint32_t le16(const std::vector<uint8_t>& b, size_t at) {
    return b.at(at) | (uint32_t{b.at(at + 1)} << 8);
}

Tables tablesOf(const std::vector<uint8_t>& image) {
    const uint32_t sector = le16(image, 11);
    return {le16(image, 14) * sector, le16(image, 22) * sector, image.at(16)};
}

uint32_t entryAt(const std::vector<uint8_t>& image, uint32_t tableOffset, uint32_t cluster) {
    const uint32_t word = le16(image, tableOffset + cluster * 3 / 2);
    return (cluster & 1) ? word >> 4 : word & 0xFFF;
}

}  // namespace

uint32_t fatEntry(const fs::path& image, uint32_t cluster) {
    const std::vector<uint8_t> bytes = readFile(image);
    return entryAt(bytes, tablesOf(bytes).offset, cluster);
}

void setFatEntry(const fs::path& image, uint32_t cluster, uint32_t value) {
    const uint32_t copies = tablesOf(readFile(image)).copies;
    for (uint32_t copy = 0; copy < copies; ++copy) setFatEntryInCopy(image, copy, cluster, value);
}

void setFatEntryInCopy(const fs::path& image, uint32_t copy, uint32_t cluster, uint32_t value) {
    std::vector<uint8_t> bytes = readFile(image);
    const Tables t = tablesOf(bytes);
    const size_t at = t.offset + copy * t.bytes + cluster * 3 / 2;
    uint32_t word = le16(bytes, at);
    word = (cluster & 1) ? (word & 0x000F) | (value << 4) : (word & 0xF000) | (value & 0xFFF);
    bytes.at(at) = static_cast<uint8_t>(word);
    bytes.at(at + 1) = static_cast<uint8_t>(word >> 8);
    writeFile(image, bytes);
}

std::vector<uint32_t> chainOf(const fs::path& image, uint32_t first) {
    std::vector<uint32_t> chain{first};
    for (uint32_t next; (next = fatEntry(image, chain.back())) >= 2 && next < 0xFF7;) {
        chain.push_back(next);
        if (chain.size() > 4096) {
            ADD_FAILURE() << "the chain from " << first << " does not end";
            break;
        }
    }
    return chain;
}

std::vector<uint32_t> makeLoopingFolderImage(const fs::path& image, int files) {
    makeFatImage(image, 1440);
    const fs::path source = image.parent_path() / (image.filename().string() + ".files");
    fs::create_directories(source);
    for (int i = 1; i <= files; ++i)
        writeFile(source / ("f" + std::to_string(i) + ".txt"), "file " + std::to_string(i));
    runOk("mmd -i " + quote(image.string()) + " ::DIR && mcopy -i " + quote(image.string()) + " " +
          quote(source.string()) + "/* ::DIR");
    fs::remove_all(source);
    // DIR is the root's only entry: the first slot of the root directory, after the boot sector and tables.
    const std::vector<uint8_t> bytes = readFile(image);
    const Tables t = tablesOf(bytes);
    const std::vector<uint32_t> chain = chainOf(image, le16(bytes, t.offset + t.copies * t.bytes + 26));
    setFatEntry(image, chain.back(), chain.front());
    return chain;
}

}  // namespace testing_support
