#pragma once
// An LZHUF compressor for the tests: no tool at hand writes TeleDisk's advanced compression, and libdsk,
// which reads it, checks that what this writes is what the format means.
#include <cstdint>
#include <span>
#include <vector>

namespace containers_test {

std::vector<uint8_t> lzhufEncode(std::span<const uint8_t> in);

}  // namespace containers_test
