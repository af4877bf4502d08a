#pragma once
// Hand-made TeleDisk files: every data encoding and sector flag, plain or with advanced compression.
#include <cstdint>
#include <string>
#include <vector>

namespace containers_test {

struct Td0Sector {
    uint8_t id;
    uint8_t sizeCode;
    uint8_t flags;
    std::vector<uint8_t> block;  // encoding byte and payload; empty when the flags say there is no data
};

struct Td0Track {
    uint8_t cylinder;
    uint8_t head;
    std::vector<Td0Sector> sectors;
};

struct Td0File {
    bool compressed = false;
    uint8_t volume = 0;
    uint8_t version = 21;
    std::string comment;  // written with its block when not empty; lines separated by NUL
    std::vector<Td0Track> tracks;
};

std::vector<uint8_t> buildTd0(const Td0File& file);

// Data blocks of each encoding.
std::vector<uint8_t> rawBlock(const std::vector<uint8_t>& data);
std::vector<uint8_t> pairBlock(uint16_t count, uint8_t a, uint8_t b);
// Runs given as (kind, count or length, bytes): kind 0 copies the bytes, kind n repeats a 2^n-byte pattern.
struct Run {
    uint8_t kind;
    uint8_t count;
    std::vector<uint8_t> bytes;
};
std::vector<uint8_t> runsBlock(const std::vector<Run>& runs);

}  // namespace containers_test
