#include "lzhuf_encoder.h"

#include <algorithm>

#include "platform/containers/lzhuf_model.h"

namespace containers_test {
namespace {

using namespace platform::containers::lzhuf;

class BitWriter {
  public:
    void put(unsigned value, unsigned count) {
        while (count--) {
            acc_ = static_cast<uint8_t>((acc_ << 1) | ((value >> count) & 1u));
            if (++bits_ == 8) {
                out_.push_back(acc_);
                acc_ = 0;
                bits_ = 0;
            }
        }
    }
    std::vector<uint8_t> finish() {
        if (bits_ > 0) out_.push_back(static_cast<uint8_t>(acc_ << (8 - bits_)));
        return out_;
    }

  private:
    std::vector<uint8_t> out_;
    uint8_t acc_ = 0;
    unsigned bits_ = 0;
};

void encodeSymbol(Model& model, BitWriter& out, unsigned symbol) {
    // A node's place among its two siblings is one bit of the code; collected from the leaf up, sent from
    // the root down.
    std::vector<unsigned> bits;
    for (unsigned k = model.parent[symbol + kTableSize]; k != kRoot; k = model.parent[k])
        bits.push_back(k & 1u);
    for (auto it = bits.rbegin(); it != bits.rend(); ++it) out.put(*it, 1);
    model.update(symbol);
}

void encodePosition(BitWriter& out, unsigned position) {
    const auto& codes = positionCodes();
    const unsigned high = position >> 6;
    for (unsigned first = 0; first < codes.size(); ++first) {
        if (codes[first].high != high) continue;
        out.put(first >> (8 - codes[first].length), codes[first].length);
        break;
    }
    out.put(position & 0x3F, 6);
}

}  // namespace

std::vector<uint8_t> lzhufEncode(std::span<const uint8_t> in) {
    Model model;
    BitWriter out;
    // Earlier places of the same three bytes, newest first, to find matches without trying every distance.
    constexpr size_t kHashes = 1 << 16;
    constexpr int kTries = 64;
    std::vector<int64_t> newest(kHashes, -1);
    std::vector<int64_t> older(in.size(), -1);
    const auto hashAt = [&](size_t i) {
        return (in[i] * 0x9E37u ^ in[i + 1] * 0x85EBu ^ in[i + 2]) % kHashes;
    };
    size_t hashed = 0;
    const auto hashUpTo = [&](size_t end) {
        for (; hashed < end && hashed + 2 < in.size(); ++hashed) {
            const size_t h = hashAt(hashed);
            older[hashed] = newest[h];
            newest[h] = static_cast<int64_t>(hashed);
        }
    };
    size_t at = 0;
    while (at < in.size()) {
        size_t bestLength = 0;
        size_t bestDistance = 0;
        if (at + 2 < in.size()) {
            int tries = kTries;
            for (int64_t c = newest[hashAt(at)]; c >= 0 && tries-- > 0; c = older[static_cast<size_t>(c)]) {
                const size_t d = at - static_cast<size_t>(c);
                if (d > kWindow - kLookahead) break;
                size_t n = 0;
                while (n < kLookahead && at + n < in.size() && in[at + n] == in[at - d + n]) ++n;
                if (n > bestLength) {
                    bestLength = n;
                    bestDistance = d;
                }
            }
        }
        if (bestLength > kThreshold) {
            encodeSymbol(model, out, static_cast<unsigned>(255 - kThreshold + bestLength));
            encodePosition(out, static_cast<unsigned>(bestDistance - 1));
            at += bestLength;
        } else {
            encodeSymbol(model, out, in[at]);
            ++at;
        }
        hashUpTo(at);
    }
    return out.finish();
}

}  // namespace containers_test
