#include "td0_builder.h"

#include "lzhuf_encoder.h"
#include "platform/containers/teledisk_decode.h"

namespace containers_test {
namespace {

void put16(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

}  // namespace

std::vector<uint8_t> rawBlock(const std::vector<uint8_t>& data) {
    std::vector<uint8_t> b{0};
    b.insert(b.end(), data.begin(), data.end());
    return b;
}

std::vector<uint8_t> pairBlock(uint16_t count, uint8_t a, uint8_t b) {
    std::vector<uint8_t> block{1};
    put16(block, count);
    block.push_back(a);
    block.push_back(b);
    return block;
}

std::vector<uint8_t> runsBlock(const std::vector<Run>& runs) {
    std::vector<uint8_t> b{2};
    for (const Run& r : runs) {
        b.push_back(r.kind);
        b.push_back(r.count);
        b.insert(b.end(), r.bytes.begin(), r.bytes.end());
    }
    return b;
}

std::vector<uint8_t> buildTd0(const Td0File& file) {
    std::vector<uint8_t> header{static_cast<uint8_t>(file.compressed ? 't' : 'T'),
                                static_cast<uint8_t>(file.compressed ? 'd' : 'D'),
                                file.volume,
                                0,
                                file.version,
                                2,  // 500 kbps
                                4,
                                static_cast<uint8_t>(file.comment.empty() ? 0 : 0x80),
                                0,
                                2};
    put16(header, platform::containers::teleDiskCrc(header));

    std::vector<uint8_t> body;
    if (!file.comment.empty()) {
        std::vector<uint8_t> block;
        put16(block, static_cast<uint16_t>(file.comment.size()));
        block.insert(block.end(), {124, 11, 8, 9, 30, 0});
        block.insert(block.end(), file.comment.begin(), file.comment.end());
        put16(body, platform::containers::teleDiskCrc(block));
        body.insert(body.end(), block.begin(), block.end());
    }
    for (const Td0Track& t : file.tracks) {
        body.insert(body.end(), {static_cast<uint8_t>(t.sectors.size()), t.cylinder, t.head, 0});
        for (const Td0Sector& s : t.sectors) {
            body.insert(body.end(), {t.cylinder, t.head, s.id, s.sizeCode, s.flags, 0});
            if (s.block.empty()) continue;
            put16(body, static_cast<uint16_t>(s.block.size()));
            body.insert(body.end(), s.block.begin(), s.block.end());
        }
    }
    body.insert(body.end(), {0xFF, 0, 0, 0});
    if (file.compressed) body = lzhufEncode(body);
    header.insert(header.end(), body.begin(), body.end());
    return header;
}

}  // namespace containers_test
