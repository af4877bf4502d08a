#include "volume_label.h"

#include <algorithm>
#include <cstdint>
#include <string_view>

namespace cli {
namespace {

constexpr std::string_view kReservedInLabels = "*?.,;:/\\|+=<>[]\"";

}  // namespace

LabelText checkLabel(const std::string& typed) {
    LabelText result;
    if (typed.size() > kLabelBytes) {
        result.problem = "a label holds at most " + std::to_string(kLabelBytes) + " characters";
        return result;
    }
    if (const auto bad = typed.find_first_of(kReservedInLabels); bad != std::string::npos) {
        result.problem = std::string("a label cannot hold \"") + typed[bad] + "\"";
        return result;
    }
    result.label = typed;
    std::transform(result.label.begin(), result.label.end(), result.label.begin(),
                   [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; });
    return result;
}

bool printableAscii(const std::string& text) {
    return std::all_of(text.begin(), text.end(), [](char c) {
        const auto b = static_cast<uint8_t>(c);
        return b >= 0x20 && b < 0x7F;
    });
}

}  // namespace cli
