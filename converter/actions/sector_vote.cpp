#include "sector_vote.h"

namespace converter::actions {

void SectorVote::add(std::span<const uint8_t> payload) {
    before_ = majority();
    if (ones_.empty()) ones_.assign(payload.size() * 8, 0);
    // A payload of another size cannot be the same sector's data field.
    if (ones_.size() != payload.size() * 8) return;
    for (size_t bit = 0; bit < ones_.size(); ++bit) ones_[bit] += (payload[bit / 8] >> (bit % 8)) & 1u;
    last_.assign(payload.begin(), payload.end());
    ++reads_;
}

std::optional<std::vector<uint8_t>> SectorVote::majority() const {
    if (reads_ == 0) return std::nullopt;
    std::vector<uint8_t> bytes(ones_.size() / 8, 0);
    for (size_t bit = 0; bit < ones_.size(); ++bit) {
        if (ones_[bit] * 2 == reads_) return std::nullopt;
        if (ones_[bit] * 2 > reads_)
            bytes[bit / 8] = static_cast<uint8_t>(bytes[bit / 8] | (1u << (bit % 8)));
    }
    return bytes;
}

std::vector<uint8_t> SectorVote::best() const {
    std::vector<uint8_t> bytes = last_;
    for (size_t bit = 0; bit < ones_.size() && reads_ > 0; ++bit) {
        if (ones_[bit] * 2 == reads_) continue;
        const auto mask = static_cast<uint8_t>(1u << (bit % 8));
        bytes[bit / 8] =
            static_cast<uint8_t>(ones_[bit] * 2 > reads_ ? bytes[bit / 8] | mask : bytes[bit / 8] & ~mask);
    }
    return bytes;
}

std::optional<std::vector<uint8_t>> SectorVote::settled() const {
    if (reads_ < kFewestReads || !before_) return std::nullopt;
    auto now = majority();
    if (!now || *now != *before_) return std::nullopt;
    return now;
}

}  // namespace converter::actions
