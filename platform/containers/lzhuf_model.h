#pragma once
// The adaptive Huffman tree of LZHUF (Okumura and Yoshizaki), which TeleDisk's "advanced compression" codes
// its characters with: 314 symbols (256 bytes and 58 match lengths), frequencies rebuilt at 0x8000.
#include <array>
#include <cstdint>

namespace platform::containers::lzhuf {

inline constexpr unsigned kWindow = 4096;
inline constexpr unsigned kLookahead = 60;
inline constexpr unsigned kThreshold = 2;
inline constexpr unsigned kSymbols = 256 - kThreshold + kLookahead;
inline constexpr unsigned kTableSize = kSymbols * 2 - 1;
inline constexpr unsigned kRoot = kTableSize - 1;
inline constexpr unsigned kMaxFrequency = 0x8000;

class Model {
  public:
    Model();
    // Counts one more occurrence of symbol and restores the sibling property.
    void update(unsigned symbol);

    // Children of a node; an entry at or above kTableSize names the leaf of symbol (entry - kTableSize).
    std::array<uint16_t, kTableSize> son{};
    // Parents: of nodes below kTableSize, and of leaves at kTableSize + symbol.
    std::array<uint16_t, kTableSize + kSymbols> parent{};

  private:
    void rebuild();
    std::array<uint16_t, kTableSize + 1> freq_{};
};

// The upper six bits of a match position: a code of 3 to 8 bits, looked up by the next byte of input.
struct PositionCode {
    uint8_t high;    // the upper six bits
    uint8_t length;  // bits of the code
};
const std::array<PositionCode, 256>& positionCodes();

}  // namespace platform::containers::lzhuf
