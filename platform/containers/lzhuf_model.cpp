#include "platform/containers/lzhuf_model.h"

#include <algorithm>

namespace platform::containers::lzhuf {

Model::Model() {
    for (unsigned i = 0; i < kSymbols; ++i) {
        freq_[i] = 1;
        son[i] = static_cast<uint16_t>(i + kTableSize);
        parent[i + kTableSize] = static_cast<uint16_t>(i);
    }
    for (unsigned i = 0, j = kSymbols; j <= kRoot; i += 2, ++j) {
        freq_[j] = static_cast<uint16_t>(freq_[i] + freq_[i + 1]);
        son[j] = static_cast<uint16_t>(i);
        parent[i] = parent[i + 1] = static_cast<uint16_t>(j);
    }
    freq_[kTableSize] = 0xFFFF;  // a sentinel above every real frequency
    parent[kRoot] = 0;
}

// Halves every leaf's frequency and builds the inner nodes again, in frequency order.
void Model::rebuild() {
    unsigned j = 0;
    for (unsigned i = 0; i < kTableSize; ++i) {
        if (son[i] >= kTableSize) {
            freq_[j] = static_cast<uint16_t>((freq_[i] + 1) / 2);
            son[j] = son[i];
            ++j;
        }
    }
    for (unsigned i = 0, node = kSymbols; node < kTableSize; i += 2, ++node) {
        const uint16_t f = static_cast<uint16_t>(freq_[i] + freq_[i + 1]);
        freq_[node] = f;
        unsigned k = node - 1;
        while (f < freq_[k]) --k;
        ++k;
        std::copy_backward(freq_.begin() + k, freq_.begin() + node, freq_.begin() + node + 1);
        freq_[k] = f;
        std::copy_backward(son.begin() + k, son.begin() + node, son.begin() + node + 1);
        son[k] = static_cast<uint16_t>(i);
    }
    for (unsigned i = 0; i < kTableSize; ++i) {
        const unsigned k = son[i];
        parent[k] = static_cast<uint16_t>(i);
        if (k < kTableSize) parent[k + 1] = static_cast<uint16_t>(i);
    }
}

void Model::update(unsigned symbol) {
    if (freq_[kRoot] == kMaxFrequency) rebuild();
    unsigned c = parent[symbol + kTableSize];
    do {
        const uint16_t k = ++freq_[c];
        unsigned l = c + 1;
        if (k > freq_[l]) {
            while (k > freq_[++l]) {
            }
            --l;
            freq_[c] = freq_[l];
            freq_[l] = k;

            const unsigned i = son[c];
            parent[i] = static_cast<uint16_t>(l);
            if (i < kTableSize) parent[i + 1] = static_cast<uint16_t>(l);
            const unsigned j = son[l];
            son[l] = static_cast<uint16_t>(i);
            parent[j] = static_cast<uint16_t>(c);
            if (j < kTableSize) parent[j + 1] = static_cast<uint16_t>(c);
            son[c] = static_cast<uint16_t>(j);
            c = l;
        }
        c = parent[c];
    } while (c != 0);
}

const std::array<PositionCode, 256>& positionCodes() {
    static const std::array<PositionCode, 256> table = [] {
        // How many of the 64 upper values have a code of each length, 3 bits to 8.
        constexpr std::array<std::pair<unsigned, uint8_t>, 6> kGroups{
            {{1, 3}, {3, 4}, {8, 5}, {12, 6}, {24, 7}, {16, 8}}};
        std::array<PositionCode, 256> t{};
        unsigned at = 0;
        uint8_t high = 0;
        for (const auto& [count, length] : kGroups) {
            for (unsigned n = 0; n < count; ++n, ++high) {
                // A code of length bits covers 256 >> length values of the byte it starts.
                for (unsigned k = 0; k < (256u >> length); ++k) t[at++] = PositionCode{high, length};
            }
        }
        return t;
    }();
    return table;
}

}  // namespace platform::containers::lzhuf
