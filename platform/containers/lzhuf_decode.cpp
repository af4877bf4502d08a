#include "platform/containers/lzhuf_decode.h"

#include <array>

#include "platform/containers/lzhuf_model.h"

namespace platform::containers {
namespace {

// Bits from the most significant down; past the end it answers 0 and remembers it did.
class BitReader {
  public:
    explicit BitReader(std::span<const uint8_t> in) : in_(in) {}
    unsigned bit() {
        if (at_ >= in_.size() * 8) {
            overrun_ = true;
            return 0;
        }
        const unsigned b = (in_[at_ / 8] >> (7 - at_ % 8)) & 1u;
        ++at_;
        return b;
    }
    unsigned bits(unsigned count) {
        unsigned v = 0;
        while (count--) v = (v << 1) | bit();
        return v;
    }
    bool overrun() const { return overrun_; }

  private:
    std::span<const uint8_t> in_;
    size_t at_ = 0;
    bool overrun_ = false;
};

}  // namespace

ContainerError lzhufDecode(std::span<const uint8_t> in, size_t limit, std::vector<uint8_t>& out) {
    using namespace lzhuf;
    constexpr unsigned kMask = kWindow - 1;
    std::array<uint8_t, kWindow> ring;
    ring.fill(' ');  // what the compressor's window starts with
    unsigned r = kWindow - kLookahead;
    Model model;
    BitReader reader(in);
    out.clear();
    const auto emit = [&](uint8_t b) {
        out.push_back(b);
        ring[r] = b;
        r = (r + 1) & kMask;
    };
    for (;;) {
        unsigned node = model.son[kRoot];
        while (node < kTableSize) node = model.son[node + reader.bit()];
        // The last byte's padding can look like the start of a code: what it yields is never used.
        if (reader.overrun()) break;
        const unsigned symbol = node - kTableSize;
        model.update(symbol);
        if (symbol < 256) {
            emit(static_cast<uint8_t>(symbol));
        } else {
            const unsigned first = reader.bits(8);
            const PositionCode code = positionCodes()[first];
            const unsigned low = (first << (code.length - 2)) | reader.bits(code.length - 2);
            if (reader.overrun()) break;
            const unsigned position = (unsigned{code.high} << 6) | (low & 0x3F);
            const unsigned from = (r - position - 1) & kMask;
            const unsigned length = symbol - 255 + kThreshold;
            for (unsigned k = 0; k < length; ++k) emit(ring[(from + k) & kMask]);
        }
        if (out.size() > limit) return ContainerError::TooLarge;
    }
    return ContainerError::None;
}

}  // namespace platform::containers
